#pragma once
// Where the on-screen text goes: the nine cells of a 3 x 3 grid, counted row by row from the
// top left, and the stored position setting, whose values run in another order.

#include <QPoint>
#include <QSize>

#include "config/config.h"

inline constexpr int kOsdCellCount = 9;

int OsdCellFromPosition(TOSDPosition position);
// A cell outside 0-8 gives the top left.
TOSDPosition OsdPositionFromCell(int cell);

// The top left corner of text of size `text` placed at `cell` of an area: left, centred or
// right, top, middle or bottom, the halves rounded down.
QPoint OsdTextOrigin(int cell, QSize area, QSize text);
// The same for a stored position setting.
inline QPoint OsdTextOrigin(TOSDPosition position, QSize area, QSize text) {
  return OsdTextOrigin(OsdCellFromPosition(position), area, text);
}
