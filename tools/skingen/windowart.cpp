#include "windowart.h"

#include <QLinearGradient>
#include <QPolygonF>
#include <cmath>

#include "artkit.h"
#include "windows.h"

namespace {

QPainterPath Ring(const QPointF& c, qreal outer, qreal inner) {
  QPainterPath ring;
  ring.addEllipse(c, outer, outer);
  QPainterPath hole;
  hole.addEllipse(c, inner, inner);
  return ring.subtracted(hole);
}

QPainterPath Outline(std::initializer_list<QPointF> points) {
  QPainterPath path;
  path.addPolygon(QPolygonF(QList<QPointF>(points)));
  path.closeSubpath();
  return path;
}

const QColor kTileBottom(32, 35, 41);

void PaintTile(QPainter& p) {
  QPainterPath tile;
  tile.addRoundedRect(QRectF(1, 1, 30, 30), 7, 7);
  QLinearGradient fill(0, 1, 0, 31);
  fill.setColorAt(0, QColor(58, 63, 72));
  fill.setColorAt(1, kTileBottom);
  p.fillPath(tile, fill);
}

// A beamed pair of notes.
void PaintNotes(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(palette::kAccentBright);
  p.drawEllipse(QPointF(10.5, 22), 4, 3.2);
  p.drawEllipse(QPointF(21.5, 20), 4, 3.2);
  p.fillRect(QRectF(13, 8, 2.2, 14), palette::kAccentBright);
  p.fillRect(QRectF(24, 6, 2.2, 14), palette::kAccentBright);
  p.fillPath(Outline({{13, 8}, {26.2, 6}, {26.2, 10}, {13, 12}}), palette::kAccentBright);
}

void PaintDisc(QPainter& p, const QPointF& c, qreal r) {
  p.fillPath(Ring(c, r, r * 0.28), palette::kText);
  p.fillPath(Ring(c, r * 0.55, r * 0.42), palette::kAccent);
}

// A broadcasting point with waves to both sides.
void PaintWaves(QPainter& p, const QPointF& c, qreal size) {
  p.setPen(QPen(palette::kAccentBright, size / 10, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  for (int i = 1; i <= 2; ++i) {
    const qreal r = size * 0.2 * i;
    p.drawArc(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), -45 * 16, 90 * 16);
    p.drawArc(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), 135 * 16, 90 * 16);
  }
  p.setPen(Qt::NoPen);
  p.setBrush(palette::kText);
  p.drawEllipse(c, size / 12, size / 12);
}

// A strip of film with sprocket holes and an accent picture.
void PaintFilm(QPainter& p, const QRectF& r) {
  QPainterPath film;
  film.addRoundedRect(r, 2, 2);
  for (int i = 0; i < 4; ++i) {
    const qreal x = r.x() + 2 + i * (r.width() - 4) / 4;
    film.addRect(QRectF(x + 0.5, r.y() + 1.5, 2.5, 2.5));
    film.addRect(QRectF(x + 0.5, r.bottom() - 4, 2.5, 2.5));
  }
  film.setFillRule(Qt::OddEvenFill);
  p.fillPath(film, palette::kText);
  p.fillRect(QRectF(r.x() + 2, r.y() + 5.5, r.width() - 4, r.height() - 11), palette::kAccent);
}

void PaintVideoStream(QPainter& p) {
  PaintFilm(p, QRectF(4, 10, 17, 13));
  p.fillPath(Ring(QPointF(24.5, 9.5), 4, 1.5), palette::kAccentBright);
}

void PaintDvd(QPainter& p) {
  PaintDisc(p, QPointF(16, 14), 9);
  p.fillRect(QRectF(5, 22, 22, 7), kTileBottom);
  DrawLabel(p, QPointF(7, 29), "DVD", 8, palette::kAccentBright, 0.5);
}

// A sheet of paper with a folded corner.
void PaintDocument(QPainter& p) {
  p.fillPath(Outline({{9, 6}, {18, 6}, {23, 11}, {23, 26}, {9, 26}}), palette::kText);
  p.fillPath(Outline({{18, 6}, {18, 11}, {23, 11}}), palette::kTextDim);
}

void PaintFileIcon(QPainter& p, int kind) {
  PaintTile(p);
  switch (kind) {
    case 0:
      PaintNotes(p);
      break;
    case 1:
      PaintDisc(p, QPointF(16, 16), 11);
      break;
    case 2:
      PaintWaves(p, QPointF(16, 16), 30);
      break;
    case 3:
      PaintFilm(p, QRectF(5, 8, 22, 16));
      break;
    case 4:
      PaintVideoStream(p);
      break;
    case 5:
      PaintDvd(p);
      break;
    default:
      PaintDocument(p);
      break;
  }
}

}  // namespace

Pictures MenuSide(const QSize& size, const QString& name) {
  QImage canvas = NewCanvas(size.width(), size.height());
  QPainter p;
  BeginPainter(p, canvas);
  QLinearGradient fill(0, 0, 0, size.height());
  fill.setColorAt(0, QColor(30, 33, 39));
  fill.setColorAt(1, palette::kAccentDeep);
  p.fillRect(canvas.rect(), fill);
  p.fillRect(QRect(size.width() - 1, 0, 1, size.height()), palette::kAccent.darker(150));
  qreal pixelSize = 16;
  const QString text = "Z" + name;
  while (pixelSize > 8 && LabelWidth(text, pixelSize) > size.height() - 14) {
    pixelSize -= 1;
  }
  p.translate(19 + (pixelSize - 16) / 3, size.height() - 8);
  p.rotate(-90);
  DrawLabel(p, QPointF(0, 0), "Z", pixelSize, palette::kAccentBright);
  DrawLabel(p, QPointF(LabelWidth("Z", pixelSize), 0), name, pixelSize, palette::kText);
  p.end();
  return {Harden(canvas)};
}

Pictures WindowCaption(const QImage& under, const QString& title) {
  return States(under, 2, [title, &under](QPainter& p, int active) {
    const qreal width = LabelWidth(title, 8, 1.5);
    const qreal left = qRound((under.width() - width) / 2);
    DrawLabel(p, QPointF(left, 9), title, 8, active ? palette::kText : palette::kTextDim, 1.5);
    // Grip lines either side of the title show where the window can be dragged.
    const QColor line = active ? palette::kAccent.darker(140) : QColor(70, 76, 86);
    p.fillRect(QRectF(6, 5, left - 14, 1), line);
    p.fillRect(QRectF(left + width + 8, 5, under.width() - left - width - 14, 1), line);
  });
}

Pictures FrameCaption(const std::vector<QImage>& frame, const QString& title,
                      CaptionPlacement placement) {
  constexpr int kWidth = 212;
  constexpr qreal kLabelGap = 7;  // from the marker's left edge to the label
  const QImage under = Soften(ComposeFrame(frame, 300, 100).copy(0, 0, kWidth, 11));
  const qreal left = placement == CaptionPlacement::Left
                         ? 8
                         : std::round((kWidth - kLabelGap - LabelWidth(title, 8, 1.5)) / 2);
  return States(under, 2, [title, left](QPainter& p, int active) {
    p.fillRect(QRectF(left, 3, 3, 3), active ? palette::kAccent : QColor(70, 76, 86));
    DrawLabel(p, QPointF(left + kLabelGap, 8), title, 8,
              active ? palette::kText : palette::kTextDim, 1.5);
  });
}

Pictures Grip(const std::vector<QImage>& frame) {
  return States(Soften(frame[8]), 1, [](QPainter& p, int) {
    for (int i = 0; i < 3; ++i) {
      for (int j = 0; j <= i; ++j) {
        p.fillRect(QRect(7 - 2 * j, 3 + 2 * i, 1, 1), QColor(120, 128, 140));
      }
    }
  });
}

Pictures Thumb(const std::vector<QImage>& frame) {
  const QImage track = Soften(frame[5]).copy(0, 0, 8, 10).scaled(8, 20);
  return States(track, 2, [](QPainter& p, int dragged) {
    const QRectF pill(1, 1, 6, 18);
    QLinearGradient fill(pill.topLeft(), pill.topRight());
    fill.setColorAt(0, dragged ? palette::kAccentBright : QColor(150, 158, 170));
    fill.setColorAt(1, dragged ? palette::kAccent : QColor(110, 118, 130));
    p.fillPath(Capsule(pill), fill);
  });
}

Pictures StatusBar() {
  QImage canvas = NewCanvas(10, 14);
  QPainter p;
  BeginPainter(p, canvas);
  QLinearGradient fill(0, 0, 0, 14);
  fill.setColorAt(0, palette::kStatusTop);
  fill.setColorAt(1, palette::kStatusBottom);
  p.fillRect(canvas.rect(), fill);
  p.fillRect(QRect(0, 0, 10, 1), QColor(88, 95, 106));
  p.end();
  return {Harden(canvas)};
}

Pictures FileIcons() {
  Pictures icons;
  for (int kind = 0; kind < 7; ++kind) {
    QImage canvas = NewCanvas(32, 32);
    QPainter p;
    BeginPainter(p, canvas);
    PaintFileIcon(p, kind);
    p.end();
    icons.push_back(Harden(canvas));
  }
  return icons;
}
