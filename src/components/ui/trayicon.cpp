#include "components/ui/trayicon.h"

#include <QEvent>
#include <QFont>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

#include "components/ui/taskbarentry.h"

namespace {

// A plain round icon with the program's letter; the skins carry no icon of their own.
QIcon ProgramIcon() {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setBrush(QColor(30, 60, 120));
  painter.setPen(Qt::NoPen);
  painter.drawEllipse(1, 1, 30, 30);
  QFont font = painter.font();
  font.setBold(true);
  font.setPixelSize(20);
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(pixmap.rect(), Qt::AlignCenter, QStringLiteral("Z"));
  return QIcon(pixmap);
}

}  // namespace

TZTrayIcon::TZTrayIcon(QWidget& mainWindow, std::vector<QWidget*> windows, QMenu* menu,
                       std::function<bool()> trayAvailable)
    : QObject(&mainWindow),
      main_(mainWindow),
      windows_(std::move(windows)),
      trayAvailable_(std::move(trayAvailable)) {
  icon_.setIcon(ProgramIcon());
  icon_.setContextMenu(menu);
  icon_.setToolTip(QStringLiteral("Zephonic"));
  connect(&icon_, &QSystemTrayIcon::activated, this, &TZTrayIcon::OnActivated);
  main_.installEventFilter(this);
}

void TZTrayIcon::Apply(int showIn) {
  showIn_ = showIn;
  const bool tray = trayAvailable_() && (showIn == siTray || showIn == siBoth);
  icon_.setVisible(tray);
  SetTaskbarEntry(main_, !tray || showIn != siTray);
  // With only the tray, a minimised program lives in the tray alone.
  if (tray && showIn == siTray && main_.isMinimized()) {
    main_.hide();
  }
}

bool TZTrayIcon::TaskbarEntryShown() const {
  return HasTaskbarEntry(main_);
}

bool TZTrayIcon::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &main_ && event->type() == QEvent::WindowStateChange) {
    if (main_.isMinimized()) {
      HideWindows();
    } else {
      ShowHiddenWindows();
    }
  }
  return false;
}

void TZTrayIcon::HideWindows() {
  for (QWidget* window : windows_) {
    if (window->isVisible()) {
      hidden_.emplace_back(window);
      window->hide();
    }
  }
}

void TZTrayIcon::ShowHiddenWindows() {
  for (const QPointer<QWidget>& window : hidden_) {
    if (window) {
      window->show();
    }
  }
  hidden_.clear();
}

void TZTrayIcon::SetHint(const QString& title) {
  icon_.setToolTip(ApplicationTitle(title));
}

void TZTrayIcon::Restore() {
  main_.showNormal();
  ShowHiddenWindows();
  main_.raise();
  main_.activateWindow();
}

void TZTrayIcon::OnActivated(QSystemTrayIcon::ActivationReason reason) {
  if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick) {
    Restore();
  }
}
