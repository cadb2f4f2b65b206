#pragma once
// Credits-style text scroller: moves a list of lines upwards across a picture, one pixel per
// step. It owns no timer and no window; its user clears the picture, picks the font and colour
// and calls StepScroller on every tick of its own timer.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QStringList>

class QWidget;

// The picture a scroller draws on, with the font and colour its user chose for this frame.
// When view is set it is asked to repaint after every step.
struct TScrollerCanvas {
  QImage picture;
  QFont font;
  QColor fontColor = Qt::white;
  QWidget* view = nullptr;
};

struct TTextScroller {
  quint8 Mode = 0;  // 0 centred lines, 1 lines at x = 0, other values draw nothing
  qint32 Position = 0;
  bool Fade = false;
  QStringList Lines;  // "<b>" or "<u>" at the start of a line makes it bold or underlined
};

void InitScroller(TTextScroller& scroller, const TScrollerCanvas& canvas, quint8 mode);
void RestartScroller(TTextScroller& scroller, const TScrollerCanvas& canvas);
void StepScroller(TTextScroller& scroller, TScrollerCanvas& canvas);

// Grey level of a line at y in a picture of height h whose fade zones are z high.
int ScrollerFadeLevel(int y, int h, int z);
