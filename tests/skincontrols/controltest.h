#pragma once
// Small synthetic skin pieces and mouse input for the control tests.

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QMouseEvent>

#include "skin/controls/skinhost.h"

inline QImage Solid(QSize size, QColor colour) {
  QImage picture(size, QImage::Format_RGB888);
  picture.fill(colour);
  return picture;
}

inline const QColor kKey(0, 255, 0);

// Sends a mouse event to the control's window at a point given in the control's coordinates,
// as the windowing system would.
inline void SendMouse(TZSkinControl* control, QEvent::Type type, QPoint at, Qt::MouseButton button,
                      Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  TZSkinHost* host = control->host();
  const QPointF point(control->pos() + at);
  QMouseEvent event(type, point, host->mapToGlobal(point), button, buttons, modifiers);
  QApplication::sendEvent(host, &event);
}

inline void Press(TZSkinControl* control, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
  SendMouse(control, QEvent::MouseButtonPress, at, button, button);
}

inline void Release(TZSkinControl* control, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
  SendMouse(control, QEvent::MouseButtonRelease, at, button, Qt::NoButton);
}
