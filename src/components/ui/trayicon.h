#pragma once
// The tray icon and the taskbar entry of the main window. Where the desktop shows the program
// (ShowZephonicIn): 0 the taskbar only, 1 the tray only, 2 both. A desktop without a tray keeps
// the taskbar entry whatever the setting says, so the window can never be lost. The program is
// minimised as a whole: with the main window go the other shown windows, and they come back with
// it.

#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>
#include <functional>
#include <vector>

class QMenu;
class QWidget;

enum TZShowIn { siTaskbar = 0, siTray = 1, siBoth = 2 };

class TZTrayIcon : public QObject {
  Q_OBJECT

 public:
  // `windows` are hidden when the main window is minimised and those of them that were shown come
  // back when it is restored, whoever minimised or restored it (the program or the desktop).
  TZTrayIcon(QWidget& mainWindow, std::vector<QWidget*> windows, QMenu* menu,
             std::function<bool()> trayAvailable = &QSystemTrayIcon::isSystemTrayAvailable);

  // Applies the setting; called again on every minimise and restore.
  void Apply(int showIn);
  // The hint: "Zephonic " and the title text.
  void SetHint(const QString& title);
  // Brings the windows back and gives the main window the focus.
  void Restore();

  QSystemTrayIcon& Icon() { return icon_; }
  bool TrayShown() const { return icon_.isVisible(); }
  bool TaskbarEntryShown() const;

 private:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void OnActivated(QSystemTrayIcon::ActivationReason reason);
  void HideWindows();
  void ShowHiddenWindows();

  QWidget& main_;
  std::vector<QWidget*> windows_;
  std::vector<QPointer<QWidget>> hidden_;
  std::function<bool()> trayAvailable_;
  QSystemTrayIcon icon_;
  int showIn_ = siTaskbar;
};
