#pragma once
// Joins the video window and the fullscreen control strip with the main window and the player:
// the picture, the menus, the presentations, the on-screen text and the hotkeys' video actions.
// Owns what it creates; does nothing when the program has no video window.

#include <memory>

#include "playback/video/videoview.h"

class TZFullscreenControls;
class TZMainWindow;
class TZQtTimerSource;
class TZVideoWindow;
struct TZConfig;
struct TZGUI;
enum class THotKeyPresentation;

class TZVideoWiring {
 public:
  TZVideoWiring(TZMainWindow& main, const TZGUI& skin, TZConfig& config);
  ~TZVideoWiring();

  TZVideoWindow& Window() { return *window_; }
  TZFullscreenControls& Controls() { return *controls_; }

  // The hotkeys' video actions; sound-only items ignore the presentation keys.
  void SetPresentation(THotKeyPresentation presentation);

 private:
  TZMainWindow& main_;
  std::unique_ptr<TZQtTimerSource> timers_;
  std::unique_ptr<TZFullscreenControls> controls_;
  std::unique_ptr<TZVideoWindow> window_;
};
