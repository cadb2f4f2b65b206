#include "app/videowiring.h"

#include "config/config.h"
#include "config/dialog/videopages.h"
#include "hotkeys/dispatch/hotkeytarget.h"
#include "playback/dvd/dvdengine.h"
#include "playback/playertimer.h"
#include "playback/video/enginerouter.h"
#include "playback/video/graphengine.h"
#include "ui/mainwindow.h"
#include "ui/video/fullscreencontrols.h"
#include "ui/video/videowindow.h"

TZVideoWiring::TZVideoWiring(TZMainWindow& main, const TZGUI& skin, TZConfig& config)
    : main_(main), timers_(std::make_unique<TZQtTimerSource>()) {
  TZWindows& windows = main.Windows();
  controls_ = std::make_unique<TZFullscreenControls>(*windows.FullscreenControl, main, config, skin,
                                                     *timers_);
  window_ =
      std::make_unique<TZVideoWindow>(*windows.Video, *controls_, main, config, skin, *timers_);
  window_->SetMainVideoMenu(&main.VideoMenu());
  // From the start the pointer hides as the settings' video page would have it.
  window_->SetCursorHideDelay(CursorHideDelayMs(config.HideCursor));
  graph_ = std::make_unique<TZGraphVideoEngine>(config, main.Playlist(), *window_, main);
  dvd_ = std::make_unique<TZDvdEngine>(config, main.Playlist(), *window_, main);
  router_ =
      std::make_unique<TZVideoEngineRouter>(TZVideoEngineRouter::Target{graph_.get(), graph_.get()},
                                            TZVideoEngineRouter::Target{dvd_.get(), dvd_.get()});
  window_->SetEngine(router_.get());
  window_->SetCommands(router_.get());
  main.Player().SetVideoEngine(router_.get());
}

TZVideoWiring::~TZVideoWiring() {
  main_.Player().SetVideoEngine(nullptr);
  window_->SetEngine(nullptr);
  window_->SetCommands(nullptr);
}

void TZVideoWiring::SetPresentation(THotKeyPresentation presentation) {
  if (IsBassKind(main_.Player().State().Kind)) {
    return;
  }
  switch (presentation) {
    case THotKeyPresentation::Toggle:
      window_->TogglePresentation();
      break;
    case THotKeyPresentation::Window:
      window_->SetPresentation(dmWindow);
      break;
    case THotKeyPresentation::Desktop:
      window_->SetPresentation(dmDesktop);
      break;
    case THotKeyPresentation::Fullscreen:
      window_->SetPresentation(dmFullscreen);
      break;
  }
}
