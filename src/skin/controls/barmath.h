#pragma once
// Value <-> pixel mapping of the skinned fill bars, seek-bar knobs and the playlist thumb.
// Pure geometry; the widgets in skinbar.h use it.

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QtGlobal>

#include "skin/zgui.h"

bool IsVertical(TZSDirection align);

struct TZRange {
  qint64 Min = 0;
  qint64 Max = 0;
  qint64 Position = 0;
};

// The part of a bar of the given size that shows the full picture; empty when Max <= 0 or
// the range is empty.
QRect BarFullArea(QSize size, const TZRange& range, TZSDirection align);

// Sets range.Position from a point inside the bar (bar coordinates). Returns false, leaving
// the value alone, for a bar of zero extent or an empty range.
bool SetBarPositionAt(QSize size, TZRange& range, TZSDirection align, QPoint point);

// 100 * (Position - Min) / (Max - Min); 0 when Max <= 0 or the range is empty.
double BarPercent(const TZRange& range);

// A seek bar: a knob travelling along a background.
struct TZSeekbarGeometry {
  QRect Background;
  QSize Knob;
  TZSDirection Align = sdLeftToRight;

  int Travel() const;
  // The knob's top-left for the range's value (the start end when Max <= 0).
  QPoint KnobAt(const TZRange& range) const;
  // The knob's offset from the start end for a knob whose leading edge is at pointer - grab,
  // clamped to the travel.
  int OffsetFor(QPoint pointer, int grab) const;
  QPoint KnobAtOffset(int offset) const;
  int GrabOffset() const;
};

// The drag that runs between a knob's or thumb's mouse-down and mouse-up. Only one drag runs
// at a time, so one state is shared by every seek bar and the playlist thumb.
struct TZDragState {
  bool Dragging = false;
  int GrabOffset = 0;
  const void* Owner = nullptr;
};
TZDragState& SharedDragState();

// Moves a dragged knob to the pointer (window coordinates) and sets the value from its place.
// Returns the knob's new top-left; the value snaps the knob to either end when it reaches it.
QPoint DragKnob(const TZSeekbarGeometry& geometry, TZRange& range, QPoint pointer, int grab);

double SeekbarPercent(const TZRange& range);

// The playlist's scroll thumb beside the list.
struct TZThumbGeometry {
  QRect Track;  // list right .. + thumb width, list top .. list bottom
  QSize Thumb;

  int Travel() const { return Track.height() - Thumb.height(); }
  // Top-left of the thumb for a position; position is reset to 0 when max <= 0.
  QPoint ThumbAt(qint64& position, qint64 max) const;
  // Top of the dragged thumb for a pointer y and the position it stands for.
  int DragTop(int pointerY, int grab) const;
  qint64 PositionForTop(int top, qint64 max) const;
};
