#pragma once
// Dressing the windows in the loaded skin, and the skin's part of a skin change.

#include <array>

#include "skin/zgui.h"
#include "ui/skinwindows.h"

class QHelpEvent;
class TSpectrum;

// The program's five skinned windows (and the analyser the main window shows).
struct TZWindows {
  TfrmMain* Main = nullptr;
  TfrmPlaylist* Playlist = nullptr;
  TfrmMediaControls* MediaControls = nullptr;
  TfrmVideo* Video = nullptr;
  TfrmVideoFullscreenControl* FullscreenControl = nullptr;
  TSpectrum* Spectrum = nullptr;
};

// Puts the skin onto the main, playlist, media controls and video windows, then the fullscreen
// control. Windows that were visible are shown again; the fullscreen control stays hidden.
// Values of bars and seek bars are kept; the windows redraw them.
void ApplySurfaces(const TZGUI& skin, TZWindows& windows);
void ApplyFullscreenSurfaces(const TZGUI& skin, TfrmVideoFullscreenControl& window);

// Shows caption picture 1 on the active window's caption bar and picture 0 on the others;
// active null (the program lost the focus) shows picture 0 on all.
void SetCaptionsActive(const TZWindows& windows, const QWidget* active);
// From now on the caption bars follow the active window: one of the four windows active shows
// its caption active, the program losing the focus shows all inactive, and the program's other
// windows (dialogs, menus) change nothing.
void TrackActiveWindow(const TZWindows& windows);

// Draws the nine-cell time read-out: digits h1 h2 m1 m2 s1 s2 (-1 for a blank cell).
void DrawTime(const TZSTimeDisplay& element, TZSkinImage& image, QColor transparent, bool negative,
              const std::array<int, 6>& digits);

// One tick of a window's scrolling title.
void PaintScrollLabel(TZSkinScrollLabel& label, const TZSkinImage& background,
                      const TZSImage& backgroundElement);

// Hints of skinned controls: a control carries its hint text in this property, and the window's
// tool-tip event shows the hint of the control under the mouse.
inline constexpr char kHintProperty[] = "zephonicHint";
void ShowControlHint(TZSkinHost& window, QHelpEvent& event);

// Shows status picture index (0 stopped, 2 playing, 3 paused, 4 loading) on the main window.
void ShowStatusPicture(const TZGUI& skin, TfrmMain& window, int index);
