#pragma once
// Where every piece of the built-in skin lies in its one picture, and where the windows show
// the pieces. The generator draws from this table and the tests check the picture against it.

#include <QPoint>
#include <QRect>
#include <QSize>
#include <vector>

inline constexpr QSize kSheetSize{591, 567};
inline constexpr QSize kSurfaceSize{300, 100};

// How the pictures of one element follow each other in the sheet.
enum class Stacking {
  Vertical,    // picture i at (x, y + i * (height + gap))
  Horizontal,  // picture i at (x + i * (width + gap), y)
  Grid3x3,     // nine frame pieces, rows of three, gap both ways
};

// Where the transparent colour may appear in an element's pictures.
enum class KeyUse {
  None,        // nowhere: the picture is opaque
  Outline,     // only as holes that reach the picture's left or right edge (window shapes)
  BlankGlyph,  // the time read-out: its blank glyph is see-through, the others opaque
  Background,  // icons drawn on the transparent colour
};

struct SkinPiece {
  const char* name;
  QRect first;  // the first picture
  int count = 1;
  int gap = 0;
  Stacking stacking = Stacking::Vertical;
  KeyUse keyUse = KeyUse::None;
  bool shown = true;  // false for elements the default windows keep hidden
};

// Every element of the built-in skin, in the order the windows list them.
const std::vector<SkinPiece>& SkinPieces();

// The element with this name; aborts on an unknown name (a programming error).
const SkinPiece& FindPiece(const char* name);

// The sheet rectangles of all pictures of an element.
std::vector<QRect> PictureRects(const SkinPiece& piece);

// The place of each control on its window (window client coordinates).
namespace form {
inline constexpr QPoint kMainCaption{44, 0};
inline constexpr QPoint kClose{280, 2};
inline constexpr QPoint kMinimize{267, 2};
inline constexpr QPoint kAnalyser{10, 20};
inline constexpr QPoint kMainTitle{104, 18};
inline constexpr QPoint kMainTitleText{106, 18};
inline constexpr QPoint kPositionBar{6, 56};
inline constexpr QPoint kTransport[6] = {{9, 74},  {35, 79},  {61, 74},
                                         {87, 79}, {113, 74}, {139, 79}};
inline constexpr QPoint kVolumeBar{238, 80};
inline constexpr QPoint kBalance{176, 81};
inline constexpr QPoint kMainMute{208, 35};
inline constexpr QPoint kPlayMode{229, 35};
inline constexpr QPoint kAutoFullscreen{250, 35};
inline constexpr QPoint kAutoVideoResize{271, 35};
inline constexpr QPoint kPlaylistToggle{220, 68};
inline constexpr QPoint kEqualizerToggle{194, 68};
inline constexpr QPoint kSettingsButton{168, 68};
inline constexpr QPoint kTime{96, 33};
inline constexpr QPoint kStatus{10, 20};
inline constexpr QPoint kMediaCaption{44, 0};
inline constexpr QPoint kSpeed{15, 18};
// Equalizer band k sits at (95 + 20k, 18) for even k and (95 + 20k, 30) for odd k.
inline constexpr QPoint EqualizerBand(int k) {
  return {95 + 20 * k, k % 2 == 0 ? 18 : 30};
}
inline constexpr QPoint kFullscreenTitle{12, 18};
inline constexpr QPoint kFullscreenTitleText{14, 18};
inline constexpr QPoint kFullscreenMute{271, 35};
inline constexpr int kTimeCellStep = 10;  // glyph width 9 + one pixel between cells
}  // namespace form
