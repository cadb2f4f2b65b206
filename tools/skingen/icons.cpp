#include "icons.h"

#include <QPainterPath>
#include <QPolygonF>
#include <cmath>

namespace {

// Icons are designed on a 7 x 7 grid so that at 7 pixels their straight edges are crisp.
constexpr qreal kGrid = 7.0;

void Polygon(QPainter& p, std::initializer_list<QPointF> points) {
  p.drawPolygon(QPolygonF(QList<QPointF>(points)));
}

void Stroke(QPainter& p, const QPainterPath& path, qreal width, const QColor& colour) {
  p.strokePath(path, QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

void DrawSpeakerWithCross(QPainter& p, const QColor& c) {
  Polygon(p, {{0, 2.3}, {1.6, 2.3}, {3.6, 0.5}, {3.6, 6.5}, {1.6, 4.7}, {0, 4.7}});
  QPainterPath cross;
  cross.moveTo(4.8, 2.3);
  cross.lineTo(6.8, 4.7);
  cross.moveTo(6.8, 2.3);
  cross.lineTo(4.8, 4.7);
  Stroke(p, cross, 0.9, c);
}

void DrawRepeat(QPainter& p, const QColor& c) {
  QPainterPath loop;
  loop.moveTo(1.2, 4.2);
  loop.lineTo(1.2, 2.2);
  loop.lineTo(5.4, 2.2);
  loop.moveTo(5.8, 2.8);
  loop.lineTo(5.8, 4.8);
  loop.lineTo(1.6, 4.8);
  Stroke(p, loop, 1.0, c);
  Polygon(p, {{4.6, 0.6}, {6.9, 2.2}, {4.6, 3.8}});
  Polygon(p, {{2.4, 3.2}, {0.1, 4.8}, {2.4, 6.4}});
}

void DrawCorners(QPainter& p, const QColor& c) {
  QPainterPath corners;
  corners.moveTo(0.5, 2.5);
  corners.lineTo(0.5, 0.5);
  corners.lineTo(2.5, 0.5);
  corners.moveTo(4.5, 0.5);
  corners.lineTo(6.5, 0.5);
  corners.lineTo(6.5, 2.5);
  corners.moveTo(6.5, 4.5);
  corners.lineTo(6.5, 6.5);
  corners.lineTo(4.5, 6.5);
  corners.moveTo(2.5, 6.5);
  corners.lineTo(0.5, 6.5);
  corners.lineTo(0.5, 4.5);
  p.strokePath(corners, QPen(c, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
}

void DrawResize(QPainter& p, const QColor& c) {
  p.strokePath(
      [] {
        QPainterPath box;
        box.addRect(QRectF(0.5, 2.5, 4, 4));
        return box;
      }(),
      QPen(c, 1.0));
  QPainterPath arrow;
  arrow.moveTo(3.2, 3.8);
  arrow.lineTo(6.2, 0.8);
  Stroke(p, arrow, 1.0, c);
  Polygon(p, {{3.8, 0.2}, {6.8, 0.2}, {6.8, 3.2}});
}

void DrawGear(QPainter& p, const QColor& c) {
  QPainterPath gear;
  for (int i = 0; i < 8; ++i) {
    QTransform turn;
    turn.translate(3.5, 3.5);
    turn.rotate(45.0 * i);
    QPainterPath tooth;
    tooth.addRect(QRectF(-0.75, -3.5, 1.5, 2));
    gear.addPath(turn.map(tooth));
  }
  gear.addEllipse(QPointF(3.5, 3.5), 2.5, 2.5);
  gear.setFillRule(Qt::WindingFill);
  QPainterPath hole;
  hole.addEllipse(QPointF(3.5, 3.5), 1.0, 1.0);
  p.drawPath(gear.simplified().subtracted(hole));
}

void DrawEqualizer(QPainter& p) {
  p.drawRect(QRectF(0.5, 0, 1, 7));
  p.drawRect(QRectF(3, 0, 1, 7));
  p.drawRect(QRectF(5.5, 0, 1, 7));
  p.drawRect(QRectF(0, 4, 2, 2));
  p.drawRect(QRectF(2.5, 1, 2, 2));
  p.drawRect(QRectF(5, 3, 2, 2));
}

}  // namespace

void DrawIcon(QPainter& painter, Icon icon, const QPointF& centre, qreal size,
              const QColor& colour) {
  painter.save();
  painter.translate(centre.x() - size / 2, centre.y() - size / 2);
  painter.scale(size / kGrid, size / kGrid);
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour);
  QPainter& p = painter;
  switch (icon) {
    case Icon::Play:
      Polygon(p, {{1, 0}, {1, 7}, {7, 3.5}});
      break;
    case Icon::Pause:
      p.drawRect(QRectF(1, 0, 2, 7));
      p.drawRect(QRectF(4, 0, 2, 7));
      break;
    case Icon::Stop:
      p.drawRoundedRect(QRectF(0.5, 0.5, 6, 6), 1, 1);
      break;
    case Icon::Previous:
      p.drawRect(QRectF(0, 0, 1.5, 7));
      Polygon(p, {{7, 0}, {7, 7}, {1.5, 3.5}});
      break;
    case Icon::Next:
      Polygon(p, {{0, 0}, {0, 7}, {5.5, 3.5}});
      p.drawRect(QRectF(5.5, 0, 1.5, 7));
      break;
    case Icon::Eject:
      Polygon(p, {{0, 4.2}, {7, 4.2}, {3.5, 0}});
      p.drawRect(QRectF(0, 5.4, 7, 1.6));
      break;
    case Icon::Close: {
      QPainterPath cross;
      cross.moveTo(0.8, 0.8);
      cross.lineTo(6.2, 6.2);
      cross.moveTo(6.2, 0.8);
      cross.lineTo(0.8, 6.2);
      Stroke(p, cross, 1.6, colour);
      break;
    }
    case Icon::Minimize:
      p.drawRect(QRectF(0.5, 5, 6, 1.6));
      break;
    case Icon::Mute:
      DrawSpeakerWithCross(p, colour);
      break;
    case Icon::Repeat:
      DrawRepeat(p, colour);
      break;
    case Icon::Fullscreen:
      DrawCorners(p, colour);
      break;
    case Icon::Resize:
      DrawResize(p, colour);
      break;
    case Icon::Playlist:
      for (int row = 0; row < 3; ++row) {
        p.drawRect(QRectF(0, 0.5 + row * 2.5, 1.2, 1.2));
        p.drawRect(QRectF(2, 0.5 + row * 2.5, 5, 1.2));
      }
      break;
    case Icon::Equalizer:
      DrawEqualizer(p);
      break;
    case Icon::Gear:
      DrawGear(p, colour);
      break;
    case Icon::Loading:
      for (int dot = 0; dot < 3; ++dot) {
        p.drawEllipse(QPointF(1 + dot * 2.5, 3.5), 1, 1);
      }
      break;
    case Icon::Record:
      p.drawEllipse(QPointF(3.5, 3.5), 3, 3);
      break;
  }
  painter.restore();
}
