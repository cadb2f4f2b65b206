#include "icons.h"

#include <QPolygonF>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <vector>

namespace {

// Transport icons are designed on a 7 x 7 grid so that at 7 pixels their edges are crisp.
constexpr qreal kGrid = 7.0;

void Polygon(QPainter& p, std::initializer_list<QPointF> points) {
  p.drawPolygon(QPolygonF(QList<QPointF>(points)));
}

using PixelArt = std::vector<const char*>;  // rows, top first; '#' is a lit pixel

const std::map<Icon, PixelArt>& PixelIcons() {
  static const std::map<Icon, PixelArt> icons = {
      {Icon::Close, {"#...#", ".#.#.", "..#..", ".#.#.", "#...#"}},
      {Icon::Minimize, {".....", ".....", ".....", "#####", "#####"}},
      {Icon::Mute, {"..#....", ".##.#.#", "###..#.", "###.#.#", ".##....", "..#...."}},
      {Icon::Repeat, {"....#..", "######.", "#...#.#", "#.#...#", ".######", "..#...."}},
      {Icon::Fullscreen, {"##...##", "#.....#", ".......", ".......", "#.....#", "##...##"}},
      {Icon::Resize, {"....###", ".....##", "....#.#", "#.#....", "##.....", "###...."}},
      {Icon::Playlist, {"#.#####", ".......", "#.#####", ".......", "#.#####"}},
      {Icon::Equalizer,
       {".#..#.###", ".#..#..#.", "###.#..#.", ".#..#..#.", ".#.###.#.", ".#..#..#."}},
      {Icon::Gear, {"..#.#..", ".#####.", "##...##", ".#...#.", "##...##", ".#####.", "..#.#.."}},
      {Icon::Play, {"#...", "##..", "###.", "####", "###.", "##..", "#..."}},
      {Icon::Pause, {"##.##", "##.##", "##.##", "##.##", "##.##", "##.##"}},
      {Icon::Stop, {"######", "######", "######", "######", "######", "######"}},
      {Icon::Record, {".####.", "######", "######", "######", "######", ".####."}},
      {Icon::Loading, {"........", "##.##.##", "##.##.##", "........"}},
  };
  return icons;
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
    default:
      std::fprintf(stderr, "skingen: icon %d has no vector shape\n", static_cast<int>(icon));
      std::abort();
  }
  painter.restore();
}

void DrawPixelIcon(QPainter& painter, Icon icon, const QPointF& centre, const QColor& colour) {
  const auto found = PixelIcons().find(icon);
  if (found == PixelIcons().end()) {
    std::fprintf(stderr, "skingen: icon %d has no pixel art\n", static_cast<int>(icon));
    std::abort();
  }
  const PixelArt& rows = found->second;
  const int height = static_cast<int>(rows.size());
  const int width = static_cast<int>(std::strlen(rows.front()));
  const int left = static_cast<int>(std::floor(centre.x() - width / 2.0));
  const int top = static_cast<int>(std::floor(centre.y() - height / 2.0));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (rows[y][x] == '#') {
        painter.fillRect(QRect(left + x, top + y, 1, 1), colour);
      }
    }
  }
}
