#pragma once
// Drawing helpers shared by the skin pieces: the colour scheme, anti-aliased canvases that are
// hardened against the transparent colour, a small pixel font and the outline font.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <functional>
#include <vector>

namespace palette {
inline const QColor kKey{0, 255, 0};  // the skin's transparent colour
inline const QColor kUnused{22, 24, 28};
inline const QColor kOutline{8, 9, 11};
inline const QColor kBodyTop{52, 56, 64};
inline const QColor kBodyBottom{30, 33, 38};
inline const QColor kPanel{17, 19, 23};
inline const QColor kPanelEdge{9, 10, 12};
inline const QColor kScreen{11, 13, 16};
inline const QColor kText{222, 227, 234};
inline const QColor kTextDim{120, 128, 140};
inline const QColor kAccent{64, 190, 255};
inline const QColor kAccentBright{150, 222, 255};
inline const QColor kAccentDeep{18, 74, 120};
inline const QColor kList{125, 134, 148};  // must carry black and white row texts
inline const QColor kStatusTop{170, 177, 188};
inline const QColor kStatusBottom{148, 156, 168};
}  // namespace palette

// A transparent ARGB canvas of the given size.
QImage NewCanvas(int width, int height);

// An anti-aliased painter on a canvas.
void BeginPainter(QPainter& painter, QImage& canvas);

// Turns a canvas into an opaque picture: pixels less than half covered become the transparent
// colour, all others their own colour at full strength, so no edge is blended with the key
// and no drawn pixel happens to equal it.
QImage Harden(const QImage& canvas);

// Text in a tiny 3 x 5 pixel font (digits, capital letters used by the skin, "+", "-").
// Drawn with square pixels of the given colour.
void DrawPixelText(QPainter& painter, int x, int y, const QString& text, const QColor& colour);
int PixelTextWidth(const QString& text);

// Text in DejaVu Sans Bold at a pixel size, with extra letter spacing.
void DrawLabel(QPainter& painter, const QPointF& baseline, const QString& text, qreal pixelSize,
               const QColor& colour, qreal spacing = 0);
qreal LabelWidth(const QString& text, qreal pixelSize, qreal spacing = 0);

// Loads DejaVu Sans Bold from the system's font files; false when it is not installed.
bool LoadSkinFont(QString* error);

// The pictures of one element, in stacking order.
using Pictures = std::vector<QImage>;

// Draws `count` pictures, each on a fresh copy of `base`, and hardens them.
Pictures States(const QImage& base, int count, const std::function<void(QPainter&, int)>& draw);

// A rounded shape whose ends are half circles.
QPainterPath Capsule(const QRectF& r);
