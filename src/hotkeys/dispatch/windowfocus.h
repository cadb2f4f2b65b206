#pragma once
// The focus test of local hotkeys on Qt: the windows (and the video window's video area) register
// with their role; the focused widget, or the active window when none has the focus, is looked up
// through its parents.

#include <QList>
#include <QPointer>
#include <QWidget>

#include "hotkeys/dispatch/hotkeyfocus.h"

class TZWindowFocus : public TZHotKeyFocus {
 public:
  void Register(QWidget* widget, THotKeyWindow role);
  THotKeyWindow FocusedWindow() const override;

 private:
  struct Registered {
    QPointer<QWidget> widget;
    THotKeyWindow role;
  };
  THotKeyWindow RoleOf(const QWidget* widget) const;

  QList<Registered> widgets_;
};
