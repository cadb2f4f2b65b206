#include "components/ui/messagebox.h"

#include <QApplication>
#include <QThread>
#include <QWidget>
#include <cstdio>

#include "base/errorcatalogue.h"

namespace {

// The catalogue's texts end lines in CR LF or a bare CR; a dialog wants LF.
QString ForDisplay(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(u'\r', u'\n');
  return text;
}

void WriteToStderr(const QString& text) {
  std::fprintf(stderr, "%s\n", text.toUtf8().constData());
  std::fflush(stderr);
}

void RestoreMinimisedWindows() {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->isVisible() && window->isMinimized()) {
      window->showNormal();
    }
  }
}

// Before the message loop runs, the program body sees TerminationRequested and skips the loop; a
// quit queued then would instead close the next modal box the start-up shows.
void QuitOnceControlReturns() {
  if (QThread::currentThread()->loopLevel() == 0) {
    return;
  }
  if (QCoreApplication* app = QCoreApplication::instance()) {
    // Not quit: that asks every window first, and some refuse to close.
    QMetaObject::invokeMethod(
        app, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
  }
}

}  // namespace

bool ReportsToStderr() {
  return qEnvironmentVariable("ZEPHONIC_REPORT") == u"stderr";
}

QMessageBox::StandardButton ShowMessageBox(QMessageBox::Icon icon, const QString& title,
                                           const QString& text,
                                           QMessageBox::StandardButtons buttons,
                                           QMessageBox::StandardButton defaultButton) {
  if (ReportsToStderr()) {
    WriteToStderr(text);
    return defaultButton;
  }
  QMessageBox box(icon, title, ForDisplay(text), buttons);
  box.setDefaultButton(defaultButton);
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

void InstallErrorPresenter() {
  ErrorPresenter presenter;
  presenter.show = [](const QString& text, bool fatal) {
    ShowMessageBox(fatal ? QMessageBox::Critical : QMessageBox::Warning, QStringLiteral("Zephonic"),
                   text, QMessageBox::Ok, QMessageBox::Ok);
  };
  presenter.restoreApplication = RestoreMinimisedWindows;
  presenter.requestTermination = QuitOnceControlReturns;
  SetErrorPresenter(std::move(presenter));
}
