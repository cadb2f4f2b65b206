#include "ui/skinchange.h"

#include "vis/spectrumsetup.h"

namespace {

constexpr int kStatusStopped = 0;
constexpr int kStatusPaused = 3;

void Redraw(TZSkinSeekbar* seekbar) {
  seekbar->LayoutSeekbar();
}

}  // namespace

void RedrawAfterSkinChange(const TZGUI& skin, TZWindows& windows, const TZConfig& config,
                           bool paused) {
  if (TfrmMain* main = windows.Main) {
    ShowStatusPicture(skin, *main, paused ? kStatusPaused : kStatusStopped);
    main->imgProgressBar->DrawBar();
    main->imgVolume->DrawBar();
    Redraw(main->ProgressSeekbar);
    Redraw(main->VolumeSeekbar);
    Redraw(main->BalanceSeekbar);
    main->imgScrolllabel->applyMoveSetting(config.SLMoveProg);
    main->imgScrolllabel->InitScrollLabel(main->imgScrolllabel->text());
    PaintScrollLabel(*main->imgScrolllabel, *main->imgScrollabelBackground,
                     skin.Main.TitleBackground);
  }
  if (TfrmMediaControls* controls = windows.MediaControls) {
    Redraw(controls->SpeedSeekbar);
    for (TZSkinSeekbar* band : controls->EqualizerBands) {
      Redraw(band);
    }
  }
  if (TfrmVideoFullscreenControl* control = windows.FullscreenControl) {
    control->imgProgressBar->DrawBar();
    control->imgVolume->DrawBar();
    Redraw(control->ProgressSeekbar);
    Redraw(control->VolumeSeekbar);
    control->imgScrolllabel->InitScrollLabel(control->imgScrolllabel->text());
  }
  if (windows.Playlist) {
    windows.Playlist->ComposeFrame();
  }
  if (windows.Video) {
    windows.Video->ComposeFrame();
  }
  if (windows.Spectrum) {
    windows.Spectrum->Resize(skin.Main.Analyzer.Size.width(), skin.Main.Analyzer.Size.height());
    ConfigureSpectrum(*windows.Spectrum, skin.Main.Analyzer, config);
  }
}
