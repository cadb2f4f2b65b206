#include "hotkeys/dispatch/localkeys.h"

#include <QKeyEvent>
#include <QWidget>

#include "hotkeys/keyevent.h"

TZLocalKeys::TZLocalKeys(std::function<void(TZKeyStroke)> onPress, QObject* parent)
    : QObject(parent), onPress_(std::move(onPress)) {}

bool TZLocalKeys::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  // Key events reach the window object first and then its widgets; the widgets are where tests
  // and the platform both deliver, so the window's copy is left alone.
  if ((type != QEvent::KeyPress && type != QEvent::KeyRelease) || !watched->isWidgetType()) {
    return false;
  }
  const bool propagated = PropagatedFromChild(watched, event);
  lastEvent_ = event;
  lastType_ = type;
  lastReceiver_ = watched;
  if (type == QEvent::KeyPress && !propagated) {
    const TZKeyStroke stroke = KeyStrokeFromEvent(*static_cast<const QKeyEvent*>(event));
    if (stroke.Key != 0) {
      onPress_(stroke);
    }
  }
  return false;
}

bool TZLocalKeys::PropagatedFromChild(const QObject* watched, const QEvent* event) const {
  if (event != lastEvent_ || event->type() != lastType_ || !lastReceiver_) {
    return false;
  }
  const auto* previous = static_cast<const QWidget*>(lastReceiver_.data());
  return previous->parentWidget() == watched;
}
