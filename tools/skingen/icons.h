#pragma once
// The flat icons of the skin, drawn as filled shapes into a box centred on a point.

#include <QColor>
#include <QPainter>
#include <QPointF>

enum class Icon {
  Play,
  Pause,
  Stop,
  Previous,
  Next,
  Eject,
  Close,
  Minimize,
  Mute,
  Repeat,
  Fullscreen,
  Resize,
  Playlist,
  Equalizer,
  Gear,
  Loading,
  Record,
};

// Draws an icon of roughly `size` pixels, centred on `centre`.
void DrawIcon(QPainter& painter, Icon icon, const QPointF& centre, qreal size,
              const QColor& colour);
