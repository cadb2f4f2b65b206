#include "ui/samplestate.h"

#include <vector>

#include "vis/spectrumsetup.h"

namespace {

void SampleMain(const TZGUI& skin, TfrmMain& main, TSpectrum* spectrum) {
  const QColor key = QColor::fromRgb(skin.TransparentColor);
  main.imgProgressBar->setRange(0, 100, 40);
  main.ProgressSeekbar->setRange(0, 100, 40);
  main.imgVolume->setRange(0, 10000, 7000);
  main.VolumeSeekbar->setRange(0, 10000, 7000);
  main.BalanceSeekbar->setRange(0, 200, 100);
  main.imgMuteCheckbox->setChecked(true);
  main.imgPlaymodeCheckbox->setChecked(true);
  DrawTime(skin.Main.TimeDisplay, *main.imgTime, key, false, {0, 1, 2, 3, 4, 5});
  main.imgScrolllabel->InitScrollLabel(QStringLiteral("Zephonic - Sample Title"));
  PaintScrollLabel(*main.imgScrolllabel, *main.imgScrollabelBackground, skin.Main.TitleBackground);
  if (spectrum) {
    ConfigureSpectrum(*spectrum, skin.Main.Analyzer, TZConfig());
    std::vector<float> data(TSpectrum::kDataSize);
    for (size_t i = 0; i < data.size(); ++i) {
      data[i] = 0.05f / float(1 + i % 9);
    }
    main.imgAnalyzer->setOpaquePicture(AnalyzerFrame(*spectrum, skin.Main.Analyzer, data, true));
  }
  ShowStatusPicture(skin, main, 2);
}

void SampleFullscreen(const TZGUI& skin, TfrmVideoFullscreenControl& control) {
  control.imgProgressBar->setRange(0, 100, 75);
  control.ProgressSeekbar->setRange(0, 100, 75);
  control.imgVolume->setRange(0, 10000, 10000);
  control.VolumeSeekbar->setRange(0, 10000, 10000);
  DrawTime(skin.VideoFullscreenControl.TimeDisplay, *control.imgTime,
           QColor::fromRgb(skin.TransparentColor), true, {0, 0, 4, 2, 0, 7});
  control.imgScrolllabel->InitScrollLabel(QStringLiteral("Sample fullscreen title"));
  PaintScrollLabel(*control.imgScrolllabel, *control.imgScrollabelBackground,
                   skin.VideoFullscreenControl.TitleBackground);
}

}  // namespace

void ShowSampleState(const TZGUI& skin, TZWindows& windows) {
  if (windows.Main) {
    SampleMain(skin, *windows.Main, windows.Spectrum);
  }
  if (windows.FullscreenControl) {
    SampleFullscreen(skin, *windows.FullscreenControl);
  }
  if (TfrmMediaControls* controls = windows.MediaControls) {
    controls->SpeedSeekbar->setRange(1, 10, 4);
    for (int band = 0; band < TZSMediaControls::BandCount; ++band) {
      controls->EqualizerBands[size_t(band)]->setRange(0, 24, band * 24 / 9);
    }
  }
  if (windows.Playlist) {
    windows.Playlist->ScrollThumb->setRange(10, 3);
  }
}
