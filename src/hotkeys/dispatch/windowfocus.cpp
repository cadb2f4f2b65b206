#include "hotkeys/dispatch/windowfocus.h"

#include <QApplication>

void TZWindowFocus::Register(QWidget* widget, THotKeyWindow role) {
  widgets_.append({widget, role});
}

THotKeyWindow TZWindowFocus::FocusedWindow() const {
  const QWidget* widget = QApplication::focusWidget();
  if (!widget) {
    widget = QApplication::activeWindow();
  }
  if (!widget) {
    return THotKeyWindow::OtherProgram;
  }
  // An open menu takes the keys itself, even while the window below it keeps the focus.
  if (QApplication::activePopupWidget()) {
    return THotKeyWindow::OtherWindow;
  }
  // The nearest registered widget wins: the video area inside the video window, not the window.
  // The search stays inside the focused window: a dialog owned by the main window is not it.
  for (; widget; widget = widget->isWindow() ? nullptr : widget->parentWidget()) {
    const THotKeyWindow role = RoleOf(widget);
    if (role != THotKeyWindow::OtherWindow) {
      return role;
    }
  }
  return THotKeyWindow::OtherWindow;
}

THotKeyWindow TZWindowFocus::RoleOf(const QWidget* widget) const {
  for (const Registered& registered : widgets_) {
    if (registered.widget == widget) {
      return registered.role;
    }
  }
  return THotKeyWindow::OtherWindow;
}
