#pragma once
// Key presses in the program's own windows, for the hotkeys: an event filter on the application
// that hands every press (auto-repeats included, releases not) on as a virtual-key code with
// Shift/Alt/Ctrl. The key still reaches its widget.

#include <QEvent>
#include <QObject>
#include <QPointer>
#include <functional>

#include "hotkeys/keycodes.h"

class TZLocalKeys : public QObject {
 public:
  explicit TZLocalKeys(std::function<void(TZKeyStroke)> onPress, QObject* parent = nullptr);

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // A press that a widget ignores travels up to its parents as the same event object; only its
  // first delivery counts.
  bool PropagatedFromChild(const QObject* watched, const QEvent* event) const;

  std::function<void(TZKeyStroke)> onPress_;
  const QEvent* lastEvent_ = nullptr;
  QEvent::Type lastType_ = QEvent::None;
  QPointer<QObject> lastReceiver_;
};
