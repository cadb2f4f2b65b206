#include "skin/skinpieces.h"

#include "skin/skinelements.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <span>

namespace {

class PieceList {
 public:
  void single(QImage& picture, QPoint pos, QSize size) { stacked(picture, pos.x(), pos.y(), size); }

  // Piece i at (x, y + i × (height + gap)).
  void column(std::span<QImage> pictures, QPoint pos, QSize size, int gap) {
    const qint64 step = qint64(size.height()) + gap;
    for (size_t i = 0; i < pictures.size(); ++i) {
      stacked(pictures[i], pos.x(), pos.y() + qint64(i) * step, size);
    }
  }

  // Piece i at (x + i × (width + gap), y).
  void row(std::span<QImage> pictures, qint64 x, qint64 y, QSize size, int gap) {
    const qint64 step = qint64(size.width()) + gap;
    for (size_t i = 0; i < pictures.size(); ++i) {
      stacked(pictures[i], x + qint64(i) * step, y, size);
    }
  }

  void add(TZSSurface& s) { single(s.Picture, s.SkinPos, s.Size); }
  void add(TZSFrame& f) {
    const qint64 stepY = qint64(f.EdgeSize.height()) + f.EdgeBorder;
    for (int r = 0; r < 3; ++r) {
      row(std::span(f.Edges).subspan(r * 3, 3), f.EdgeSkinPos.x(), f.EdgeSkinPos.y() + r * stepY,
          f.EdgeSize, f.EdgeBorder);
    }
  }
  void add(TZSCaptionbar& c) { column(c.Pictures, c.SkinPos, c.Size, c.SkinBorder); }
  void add(TZSButton& b) { column(b.Pictures, b.SkinPos, b.Size, b.Border); }
  void add(TZSImage& i) { single(i.Picture, i.SkinPos, i.Size); }
  void add(TZSAnalyzer& a) { single(a.Background, a.SkinPos, a.Size); }
  void add(TZSBar& b) { column(b.Pictures, b.SkinPos, b.Size, b.Border); }
  void add(TZSSeekbar& s) {
    single(s.Background, s.BgSkinPos, s.BgSize);
    column(s.Knob, s.BarSkinPos, s.BarSize, s.BarSkinBorder);
  }
  void add(TZSTimeDisplay& t) { row(t.Glyphs, t.SkinPos.x(), t.SkinPos.y(), t.Size, t.Border); }
  void add(TZSPopupBar& p) { single(p.Picture, p.SkinPos, p.Size); }
  void add(TZSScrollBar& s) { column(s.Pictures, s.SkinPos, s.Size, s.SkinBorder); }
  void add(TZSFileIcons& f) { column(f.Icons, f.SkinPos, f.Size, f.SkinBorder); }
  void add(TZSStatusBar& s) { single(s.Picture, s.SkinPos, s.Size); }

  // Scroll labels and the values outside elements have no pieces.
  void add(TZSScrollLabel&) {}
  void transparentColor(QRgb&) {}
  void playlistStyle(TZSPlaylist&) {}
  void videoBorders(QMargins&) {}
  void screenPosition(TZSScreenPosition&) {}

  std::vector<SkinPiece> take() { return std::move(pieces_); }

 private:
  void stacked(QImage& picture, qint64 x, qint64 y, QSize size) {
    pieces_.push_back({&picture, {x, y, size.width(), size.height()}});
  }

  std::vector<SkinPiece> pieces_;
};

QImage EmptyPicture() {
  return QImage(0, 0, QImage::Format_RGB888);
}

QImage LabelPicture(const TZSScrollLabel& label) {
  const QSize size = label.Size.expandedTo(QSize(0, 0)).boundedTo(QSize(4096, 4096));
  QImage picture(size, QImage::Format_RGB888);
  picture.fill(Qt::black);
  return picture;
}

}  // namespace

std::vector<SkinPiece> SkinPieces(TZGUI& skin) {
  PieceList list;
  VisitSkinElements(skin, list);
  return list.take();
}

void CreateEmptyPieces(TZGUI& skin) {
  for (const SkinPiece& piece : SkinPieces(skin)) {
    *piece.picture = EmptyPicture();
  }
  skin.Main.Title.Picture = LabelPicture(skin.Main.Title);
  skin.VideoFullscreenControl.Title.Picture = LabelPicture(skin.VideoFullscreenControl.Title);
}

QImage CutPiece(const QImage& picture, const SkinPieceSource& source) {
  // A piece never needs to be larger than the picture it is cut from; the limit keeps a
  // description with absurd sizes from allocating gigabytes.
  const int width = std::clamp(source.width, 0, picture.width());
  const int height = std::clamp(source.height, 0, picture.height());
  if (width == 0 || height == 0) {
    return EmptyPicture();
  }
  QImage piece(width, height, QImage::Format_RGB888);
  if (piece.isNull()) {
    throw std::bad_alloc();  // the load fails instead of writing through a null picture
  }
  // The part of the piece that lies inside the picture, in picture coordinates.
  const qint64 left = std::max<qint64>(source.x, 0);
  const qint64 top = std::max<qint64>(source.y, 0);
  const qint64 right = std::min<qint64>(source.x + width, picture.width());
  const qint64 bottom = std::min<qint64>(source.y + height, picture.height());
  if (left != source.x || top != source.y || right != source.x + width ||
      bottom != source.y + height) {
    std::memset(piece.bits(), 0, size_t(piece.sizeInBytes()));  // black outside the picture
  }
  constexpr int kBytesPerPixel = 3;
  for (qint64 y = top; left < right && y < bottom; ++y) {
    const uchar* from = picture.constScanLine(int(y)) + left * kBytesPerPixel;
    uchar* to = piece.scanLine(int(y - source.y)) + (left - source.x) * kBytesPerPixel;
    std::memcpy(to, from, size_t(right - left) * kBytesPerPixel);
  }
  return piece;
}

void CutSkinPieces(TZGUI& skin, const QImage& picture) {
  Q_ASSERT(picture.format() == QImage::Format_RGB888);
  for (const SkinPiece& piece : SkinPieces(skin)) {
    *piece.picture = CutPiece(picture, piece.source);
  }
}
