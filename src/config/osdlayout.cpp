#include "config/osdlayout.h"

#include <array>

namespace {

// The stored position of each cell, row by row.
constexpr std::array<TOSDPosition, kOsdCellCount> kCellPositions{
    opTopLeft, opTop, opTopRight, opLeft, opCenter, opRight, opBottomLeft, opBottom, opBottomRight};

// 0, centred or far end of a span, halves rounded down.
int Place(int slot, int area, int text) {
  switch (slot) {
    case 0:
      return 0;
    case 1:
      return area / 2 - text / 2;
    default:
      return area - text;
  }
}

}  // namespace

int OsdCellFromPosition(TOSDPosition position) {
  for (int cell = 0; cell < kOsdCellCount; ++cell) {
    if (kCellPositions[cell] == position) {
      return cell;
    }
  }
  return 0;
}

TOSDPosition OsdPositionFromCell(int cell) {
  return cell >= 0 && cell < kOsdCellCount ? kCellPositions[cell] : opTopLeft;
}

QPoint OsdTextOrigin(int cell, QSize area, QSize text) {
  if (cell < 0 || cell >= kOsdCellCount) {
    cell = 0;
  }
  return {Place(cell % 3, area.width(), text.width()),
          Place(cell / 3, area.height(), text.height())};
}
