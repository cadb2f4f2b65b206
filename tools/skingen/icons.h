#pragma once
// The flat icons of the skin. Transport icons are vector shapes designed on a 7 x 7 grid;
// the small icons (title buttons, check boxes, status pictures) are pixel art, which stays
// crisp at 5 to 9 pixels where anti-aliased shapes turn to mush.

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

// Draws a transport icon (Play to Eject) of `size` pixels centred on `centre`.
void DrawIcon(QPainter& painter, Icon icon, const QPointF& centre, qreal size,
              const QColor& colour);

// Draws the pixel-art version of an icon centred on `centre` (rounded down to whole pixels).
void DrawPixelIcon(QPainter& painter, Icon icon, const QPointF& centre, const QColor& colour);
