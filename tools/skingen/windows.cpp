#include "windows.h"

#include <QLinearGradient>
#include <QPainterPath>

#include "artkit.h"
#include "skinlayout.h"

namespace {

constexpr qreal kWindowRadius = 6;
constexpr QRect kDisplayPanel{5, 15, 290, 35};

// The shape and body shared by the fixed windows: a rounded slab, dark outline, a soft
// vertical gradient and a faint highlight along the top. Everything below the top row is
// the same across each row, so controls placed anywhere on it blend in.
void PaintBody(QPainter& p) {
  const QRectF outer(0, 0, kSurfaceSize.width(), kSurfaceSize.height());
  QPainterPath shape;
  shape.addRoundedRect(outer, kWindowRadius, kWindowRadius);
  p.fillPath(shape, palette::kOutline);
  QLinearGradient body(0, 1, 0, outer.height() - 1);
  body.setColorAt(0, palette::kBodyTop);
  body.setColorAt(0.35, palette::kBodyTop.darker(112));
  body.setColorAt(1, palette::kBodyBottom);
  QPainterPath inner;
  inner.addRoundedRect(outer.adjusted(1, 1, -1, -1), kWindowRadius - 1, kWindowRadius - 1);
  p.fillPath(inner, body);
  p.fillRect(QRectF(kWindowRadius, 1, outer.width() - 2 * kWindowRadius, 1),
             QColor(255, 255, 255, 26));
}

// A recessed, flat panel: controls on it share one background colour.
void PaintPanel(QPainter& p, const QRect& r) {
  QPainterPath shape;
  shape.addRoundedRect(QRectF(r), 4, 4);
  p.fillPath(shape.translated(0, 1), QColor(255, 255, 255, 14));
  p.fillPath(shape, palette::kPanelEdge);
  QPainterPath inner;
  inner.addRoundedRect(QRectF(r).adjusted(1, 1, -1, -1), 3, 3);
  p.fillPath(inner, palette::kPanel);
  // A soft inner shadow along the top edge, above every control that sits on the panel.
  p.fillRect(QRectF(r.x() + 3, r.y() + 1, r.width() - 6, 1), QColor(0, 0, 0, 70));
}

// The little accent tile with a "Z" that marks the product.
void PaintLogo(QPainter& p, const QPointF& topLeft) {
  const QRectF tile(topLeft, QSizeF(9, 9));
  QLinearGradient fill(tile.topLeft(), tile.bottomLeft());
  fill.setColorAt(0, palette::kAccentBright);
  fill.setColorAt(1, palette::kAccent.darker(125));
  QPainterPath shape;
  shape.addRoundedRect(tile, 2.5, 2.5);
  p.fillPath(shape, fill);
  const qreal x = tile.x();
  const qreal y = tile.y();
  p.fillRect(QRectF(x + 2, y + 2, 5, 1), palette::kPanel);
  p.fillRect(QRectF(x + 2, y + 6, 5, 1), palette::kPanel);
  QPainterPath diagonal;
  diagonal.moveTo(x + 6, y + 3);
  diagonal.lineTo(x + 7, y + 3);
  diagonal.lineTo(x + 3, y + 6);
  diagonal.lineTo(x + 2, y + 6);
  diagonal.closeSubpath();
  p.fillPath(diagonal, palette::kPanel);
}

void PaintWordmark(QPainter& p, const QPointF& baseline) {
  DrawLabel(p, baseline, "ZEPHONIC", 8, palette::kTextDim, 1.5);
}

QImage FixedWindow(void (*decorate)(QPainter&)) {
  QImage canvas = NewCanvas(kSurfaceSize.width(), kSurfaceSize.height());
  QPainter p;
  BeginPainter(p, canvas);
  PaintBody(p);
  decorate(p);
  p.end();
  return canvas;
}

void DecorateMain(QPainter& p) {
  PaintLogo(p, QPointF(8, 1));
  PaintPanel(p, kDisplayPanel);
  // Balance ends.
  DrawPixelText(p, 170, 84, "L", palette::kTextDim);
  DrawPixelText(p, 224, 84, "R", palette::kTextDim);
}

void DecorateFullscreen(QPainter& p) {
  PaintLogo(p, QPointF(8, 1));
  PaintWordmark(p, QPointF(21, 9));
  PaintPanel(p, kDisplayPanel);
}

void DecorateMedia(QPainter& p) {
  PaintLogo(p, QPointF(8, 1));
  PaintPanel(p, QRect(5, 15, 44, 80));
  PaintPanel(p, QRect(86, 15, 209, 80));
  const QColor label = palette::kTextDim;
  DrawPixelText(p, 27 + (15 - PixelTextWidth("250")) / 2, 22, "250", label);
  DrawPixelText(p, 27 + (15 - PixelTextWidth("100")) / 2, 56, "100", label);
  DrawPixelText(p, 27 + (15 - PixelTextWidth("25")) / 2, 73, "25", label);
  DrawPixelText(p, 27 - PixelTextWidth("SPEED") / 2, 86, "SPEED", label);
  const char* const bands[10] = {"60", "170", "310", "600", "1K", "3K", "6K", "12K", "14K", "16K"};
  for (int k = 0; k < 10; ++k) {
    const QPoint at = form::EqualizerBand(k);
    const int centre = at.x() + 5;
    const int y = k % 2 == 0 ? 85 : 22;
    DrawPixelText(p, centre - PixelTextWidth(bands[k]) / 2, y, bands[k], label);
  }
}

// Draws a model of a resizable window, 30 x 30, whose nine 10 x 10 cells are the pieces.
QImage FrameModel(FrameKind kind) {
  constexpr int kSize = 30;
  QImage canvas = NewCanvas(kSize, kSize);
  QPainter p;
  BeginPainter(p, canvas);
  QPainterPath shape;
  shape.addRoundedRect(QRectF(0, 0, kSize, kSize), 5, 5);
  p.fillPath(shape, palette::kOutline);
  QPainterPath inner;
  inner.addRoundedRect(QRectF(1, 1, kSize - 2, kSize - 2), 4, 4);
  const QColor border = palette::kBodyTop.darker(125);
  p.fillPath(inner, border);
  // Title strip over the top row of pieces, closed by a dark line.
  p.save();
  p.setClipPath(inner);
  QLinearGradient strip(0, 1, 0, 9);
  strip.setColorAt(0, palette::kBodyTop.lighter(108));
  strip.setColorAt(1, palette::kBodyTop.darker(115));
  p.fillRect(QRectF(0, 0, kSize, 9), strip);
  p.restore();
  p.fillRect(QRectF(5, 1, kSize - 10, 1), QColor(255, 255, 255, 26));
  p.fillRect(QRectF(1, 9, kSize - 2, 1), palette::kOutline);
  // Content area with a dark rim.
  const QColor content = kind == FrameKind::Playlist ? palette::kList : QColor(4, 5, 6);
  p.fillRect(QRectF(9, 10, 12, 11), palette::kOutline);
  p.fillRect(QRectF(10, 10, 10, 10), content);
  if (kind == FrameKind::Playlist) {
    // Scroll track right of the list: the thumb (8 wide) runs in the first 8 columns.
    p.fillRect(QRectF(20, 10, 8, 10), QColor(20, 22, 26));
    p.fillRect(QRectF(20, 20, 8, 1), palette::kOutline);
  }
  p.end();
  return canvas;
}

}  // namespace

QImage MainBackground() {
  return FixedWindow(DecorateMain);
}
QImage MediaBackground() {
  return FixedWindow(DecorateMedia);
}
QImage FullscreenBackground() {
  return FixedWindow(DecorateFullscreen);
}

std::vector<QImage> FramePieces(FrameKind kind) {
  const QImage model = Harden(FrameModel(kind));
  std::vector<QImage> pieces;
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 3; ++col) {
      pieces.push_back(model.copy(col * 10, row * 10, 10, 10));
    }
  }
  return pieces;
}

QImage ComposeFrame(const std::vector<QImage>& pieces, int width, int height) {
  QImage picture(width, height, QImage::Format_RGB32);
  picture.fill(Qt::white);
  QPainter p(&picture);
  const int ew = pieces[0].width();
  const int eh = pieces[0].height();
  for (int y = 0; y < height; y += eh) {
    for (int x = 0; x < width; x += ew) {
      p.drawImage(x, y, pieces[4]);
    }
  }
  for (int x = ew; x <= width - ew - 1; x += ew) {
    p.drawImage(x, 0, pieces[1]);
  }
  p.drawImage(0, 0, pieces[0]);
  p.drawImage(width - ew, 0, pieces[2]);
  for (int y = eh; y <= height - eh; y += eh) {
    p.drawImage(0, y, pieces[3]);
    p.drawImage(width - ew, y, pieces[5]);
  }
  for (int x = ew; x <= width - ew - 1; x += ew) {
    p.drawImage(x, height - eh, pieces[7]);
  }
  p.drawImage(0, height - eh, pieces[6]);
  p.drawImage(width - ew, height - eh, pieces[8]);
  return picture;
}

QImage Soften(const QImage& picture) {
  QImage canvas = picture.convertToFormat(QImage::Format_ARGB32);
  const QRgb key = palette::kKey.rgb();
  for (int y = 0; y < canvas.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(canvas.scanLine(y));
    for (int x = 0; x < canvas.width(); ++x) {
      if ((line[x] | 0xff000000u) == key) {
        line[x] = 0;
      }
    }
  }
  return canvas.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}
