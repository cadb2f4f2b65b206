#include "app/videowiring.h"

#include "hotkeys/hotkeytarget.h"
#include "playback/playertimer.h"
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
}

TZVideoWiring::~TZVideoWiring() = default;

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
