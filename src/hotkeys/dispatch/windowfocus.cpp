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
  // The nearest registered widget wins: the video area inside the video window, not the window.
  for (; widget; widget = widget->parentWidget()) {
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
