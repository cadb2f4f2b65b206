#include "skin/controls/framecompose.h"

#include <QPainter>

namespace {

enum Piece { TopLeft, Top, TopRight, Left, Centre, Right, BottomLeft, Bottom, BottomRight };

// Repeats the piece from the area's top-left until the area is covered; tiles are clipped
// to the area, which later pieces may overwrite anyway.
void Tile(QPainter& painter, const QImage& piece, const QRect& area) {
  if (piece.isNull() || piece.width() <= 0 || piece.height() <= 0 || area.isEmpty()) {
    return;
  }
  painter.save();
  painter.setClipRect(area, Qt::IntersectClip);
  for (int y = area.top(); y <= area.bottom(); y += piece.height()) {
    for (int x = area.left(); x <= area.right(); x += piece.width()) {
      painter.drawImage(x, y, piece);
    }
  }
  painter.restore();
}

QImage WhitePicture(QSize size) {
  QImage picture(size.expandedTo(QSize(0, 0)), QImage::Format_RGB32);
  picture.fill(Qt::white);
  return picture;
}

}  // namespace

QImage ComposeFrame(const TZFramePieces& pieces, QSize edge, QSize size) {
  QImage picture = WhitePicture(size);
  if (picture.isNull()) {
    return picture;
  }
  const int w = size.width();
  const int h = size.height();
  const int ew = edge.width();
  const int eh = edge.height();
  QPainter painter(&picture);
  painter.setClipRect(picture.rect());
  Tile(painter, pieces[Centre], picture.rect());
  painter.drawImage(0, 0, pieces[TopLeft]);
  Tile(painter, pieces[Top], QRect(QPoint(ew, 0), QPoint(w - ew - 1, eh - 1)));
  painter.drawImage(w - ew, 0, pieces[TopRight]);
  Tile(painter, pieces[Left], QRect(QPoint(0, eh), QPoint(ew - 1, h - eh - 1)));
  Tile(painter, pieces[Right], QRect(QPoint(w - ew, eh), QPoint(w - 1, h - eh - 1)));
  painter.drawImage(0, h - eh, pieces[BottomLeft]);
  Tile(painter, pieces[Bottom], QRect(QPoint(ew, h - eh), QPoint(w - ew - 1, h - 1)));
  painter.drawImage(w - ew, h - eh, pieces[BottomRight]);
  return picture;
}

QImage ComposeStatusBar(const QImage& piece, QSize size) {
  QImage picture = WhitePicture(size);
  if (!picture.isNull()) {
    QPainter painter(&picture);
    Tile(painter, piece, picture.rect());
  }
  return picture;
}

QSize TimeDisplaySize(QSize glyph, int formBorder) {
  return {9 * (glyph.width() + formBorder), glyph.height()};
}

QImage DrawTime(std::span<const QImage> glyphs, QSize glyph, int formBorder, QColor transparent,
                bool negative, const std::array<int, 6>& digits) {
  constexpr int kBlank = 10;
  constexpr int kSeparator = 11;
  constexpr int kMinus = 12;
  QImage picture(TimeDisplaySize(glyph, formBorder).expandedTo(QSize(0, 0)), QImage::Format_RGB32);
  if (picture.isNull()) {
    return picture;
  }
  picture.fill(transparent);
  // Glyph per cell; -2 leaves a cell as filled.
  auto digitGlyph = [](int digit) {
    return digit >= 0 && digit <= 9 ? digit : digit == -1 ? kBlank : -2;
  };
  const std::array<int, 9> cells = {negative ? kMinus : kBlank,
                                    digitGlyph(digits[0]),
                                    digitGlyph(digits[1]),
                                    kSeparator,
                                    digitGlyph(digits[2]),
                                    digitGlyph(digits[3]),
                                    kSeparator,
                                    digitGlyph(digits[4]),
                                    digitGlyph(digits[5])};
  QPainter painter(&picture);
  for (int cell = 0; cell < 9; ++cell) {
    const int index = cells[size_t(cell)];
    if (index >= 0 && index < int(glyphs.size())) {
      painter.drawImage(cell * (glyph.width() + formBorder), 0, glyphs[size_t(index)]);
    }
  }
  return picture;
}
