#include "skin/controls/barmath.h"

#include <algorithm>
#include <cmath>

namespace {

qint64 RoundHalfEven(double value) {
  return qint64(std::nearbyint(value));
}

qint64 Span(const TZRange& range) {
  return range.Max - range.Min;
}

}  // namespace

bool IsVertical(TZSDirection align) {
  return align == sdDownToUp || align == sdUpToDown;
}

QRect BarFullArea(QSize size, const TZRange& range, TZSDirection align) {
  if (range.Max <= 0 || Span(range) == 0) {
    return {};
  }
  const qint64 w = size.width();
  const qint64 h = size.height();
  const qint64 filled = range.Position - range.Min;
  const qint64 empty = range.Max - range.Position;
  auto share = [&](qint64 extent, qint64 part) {
    return int(std::clamp<qint64>(extent * part / Span(range), 0, extent));
  };
  switch (align) {
    case sdLeftToRight:
      return QRect(0, 0, share(w, filled), int(h));
    case sdRightToLeft: {
      const int left = share(w, empty);
      return QRect(left, 0, int(w) - left, int(h));
    }
    case sdDownToUp: {
      const int top = share(h, empty);
      return QRect(0, top, int(w), int(h) - top);
    }
    case sdUpToDown:
      return QRect(0, 0, int(w), share(h, filled));
  }
  return {};
}

bool SetBarPositionAt(QSize size, TZRange& range, TZSDirection align, QPoint point) {
  const int w = size.width();
  const int h = size.height();
  const qint64 extent = IsVertical(align) ? h : w;
  if (extent <= 0 || Span(range) == 0) {
    return false;
  }
  qint64 d = 0;
  switch (align) {
    case sdLeftToRight:
      d = std::clamp(point.x(), 0, w);
      break;
    case sdRightToLeft:
      d = w - std::clamp(point.x(), 0, w);
      break;
    case sdDownToUp:
      d = h - std::clamp(point.y(), 0, h);
      break;
    case sdUpToDown:
      d = std::clamp(point.y(), 0, h);
      break;
  }
  range.Position = range.Min + d * Span(range) / extent;
  return true;
}

double BarPercent(const TZRange& range) {
  if (range.Max <= 0 || Span(range) == 0) {
    return 0.0;
  }
  return 100.0 * double(range.Position - range.Min) / double(Span(range));
}

double SeekbarPercent(const TZRange& range) {
  return Span(range) == 0 ? 0.0 : 100.0 * double(range.Position - range.Min) / double(Span(range));
}

int TZSeekbarGeometry::Travel() const {
  return IsVertical(Align) ? Background.height() - Knob.height()
                           : Background.width() - Knob.width();
}

int TZSeekbarGeometry::GrabOffset() const {
  return IsVertical(Align) ? Knob.height() / 2 : Knob.width() / 2;
}

QPoint TZSeekbarGeometry::KnobAtOffset(int offset) const {
  const int travel = Travel();
  switch (Align) {
    case sdUpToDown:
      return {Background.left(), Background.top() + offset};
    case sdDownToUp:
      return {Background.left(), Background.top() + travel - offset};
    case sdLeftToRight:
      return {Background.left() + offset, Background.top()};
    case sdRightToLeft:
      return {Background.left() + travel - offset, Background.top()};
  }
  return Background.topLeft();
}

QPoint TZSeekbarGeometry::KnobAt(const TZRange& range) const {
  if (range.Max <= 0 || Span(range) == 0) {
    return Background.topLeft();
  }
  const double share = double(range.Position - range.Min) / double(Span(range));
  const int travel = Travel();
  const int along = int(RoundHalfEven(share * travel));
  const int against = int(RoundHalfEven((1.0 - share) * travel));
  switch (Align) {
    case sdUpToDown:
      return {Background.left(), Background.top() + along};
    case sdDownToUp:
      return {Background.left(), Background.top() + against};
    case sdLeftToRight:
      return {Background.left() + along, Background.top()};
    case sdRightToLeft:
      return {Background.left() + against, Background.top()};
  }
  return Background.topLeft();
}

int TZSeekbarGeometry::OffsetFor(QPoint pointer, int grab) const {
  const int travel = std::max(Travel(), 0);
  const bool vertical = IsVertical(Align);
  const int start = vertical ? Background.top() : Background.left();
  const int edge = std::clamp((vertical ? pointer.y() : pointer.x()) - grab, start, start + travel);
  const int fromStart = edge - start;
  const bool reversed = Align == sdDownToUp || Align == sdRightToLeft;
  return reversed ? travel - fromStart : fromStart;
}

TZDragState& SharedDragState() {
  static TZDragState state;
  return state;
}

QPoint DragKnob(const TZSeekbarGeometry& geometry, TZRange& range, QPoint pointer, int grab) {
  const int travel = geometry.Travel();
  if (travel <= 0) {
    return geometry.KnobAt(range);
  }
  const int offset = geometry.OffsetFor(pointer, grab);
  range.Position =
      std::clamp(range.Min + RoundHalfEven(double(offset) * double(Span(range)) / double(travel)),
                 std::min(range.Min, range.Max), std::max(range.Min, range.Max));
  if (range.Position == range.Max) {
    return geometry.KnobAtOffset(travel);
  }
  if (range.Position == range.Min) {
    return geometry.KnobAtOffset(0);
  }
  return geometry.KnobAtOffset(offset);
}

QPoint TZThumbGeometry::ThumbAt(qint64& position, qint64 max) const {
  if (max <= 0) {
    position = 0;
    return Track.topLeft();
  }
  const qint64 top = RoundHalfEven(double(position) * double(Travel()) / double(max));
  return {Track.left(), Track.top() + int(top)};
}

int TZThumbGeometry::DragTop(int pointerY, int grab) const {
  return std::clamp(pointerY - grab, Track.top(), Track.top() + std::max(Travel(), 0));
}

qint64 TZThumbGeometry::PositionForTop(int top, qint64 max) const {
  const int travel = Travel();
  if (travel <= 0) {
    return 0;
  }
  return RoundHalfEven(double(top - Track.top()) * double(max) / double(travel));
}
