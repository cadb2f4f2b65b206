#pragma once
// Joins the video window and the fullscreen control strip with the main window and the player:
// the graph engine plays into the window's picture, the player and the window's menus reach it
// through one router, and the hotkeys' video actions land on the window. Owns what it creates;
// the program builds it only when it has a video window.

#include <memory>

#include "playback/video/videoview.h"

class TZFullscreenControls;
class TZDvdEngine;
class TZGraphVideoEngine;
class TZVideoEngineRouter;
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
  TZVideoEngineRouter& Engine() { return *router_; }
  // The engine of files and streams, whose script catalogue the settings dialog lists.
  TZGraphVideoEngine& FileEngine() { return *graph_; }

  // The hotkeys' video actions; sound-only items ignore the presentation keys.
  void SetPresentation(THotKeyPresentation presentation);

 private:
  TZMainWindow& main_;
  std::unique_ptr<TZQtTimerSource> timers_;
  std::unique_ptr<TZFullscreenControls> controls_;
  std::unique_ptr<TZVideoWindow> window_;
  // Declared after the window: the engines go first, as they draw into it.
  std::unique_ptr<TZGraphVideoEngine> graph_;
  std::unique_ptr<TZDvdEngine> dvd_;
  std::unique_ptr<TZVideoEngineRouter> router_;
};
