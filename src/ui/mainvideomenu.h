#pragma once
// The "Video" menu of the main window: "Mode" and "Ratio", whose items the video window serves
// and ticks. Shared with the video window's own menu: the order of the items and their values.

#include <QAction>
#include <QMenu>
#include <array>

#include "lang/textids.h"

// Items of "Mode" in menu order: fullscreen, desktop, window (the display modes 2, 3, 1). Item i
// shows text kTextModeFullscreen + i.
inline constexpr std::array<int, 3> kModeOfItem = {2, 3, 1};
static_assert(kTextModeFullscreen + int(kModeOfItem.size()) - 1 == kTextModeWindow);
// Items of "Ratio" in menu order and the ratio setting each sets. Item i shows text
// kTextRatioStretched + i.
inline constexpr std::array<int, 7> kRatioOfItem = {1, 0, 2, 3, 4, 5, 6};
static_assert(kTextRatioStretched + int(kRatioOfItem.size()) - 1 == kTextRatioUserDefined);

struct TZMainVideoMenu {
  QMenu* Menu = nullptr;
  std::array<QAction*, 3> Modes{};
  std::array<QAction*, 7> Ratios{};
};

// Adds the disabled "Video" menu with its checkable items to `parent`.
TZMainVideoMenu BuildMainVideoMenu(QMenu* parent);

// Ticks exactly the item of `value` among items laid out as `values`.
template <size_t N>
void TickItem(const std::array<QAction*, N>& items, const std::array<int, N>& values, int value) {
  for (size_t i = 0; i < N; ++i) {
    if (items[i]) {
      items[i]->setChecked(values[i] == value);
    }
  }
}
