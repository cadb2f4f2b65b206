#include "playback/analyzerfeed.h"

#include <algorithm>
#include <vector>

#include "config/config.h"
#include "playback/videoengine.h"
#include "vis/spectrum_vis.h"

TZSpectrumValues CollectSpectrum(const TZSystem& system, const TZVideoEngine* video) {
  TZSpectrumValues values{};
  if (!system.ItemLoaded) {
    return values;
  }
  if (IsGraphKind(system.Kind)) {
    std::array<int, 512> dsp{};
    if (video && video->SpectrumData(&dsp)) {
      std::transform(dsp.begin(), dsp.end(), values.begin(),
                     [](int v) { return v > 0 ? static_cast<float>(v) / 1000 : 0.0f; });
    }
    return values;
  }
  std::vector<float> magnitudes;
  if (ZSoundGetFft(system.ReferenceChannel(), &magnitudes)) {
    std::copy_n(magnitudes.begin(), std::min(magnitudes.size(), values.size()), values.begin());
  }
  return values;
}

TZSpectrumAnalyzer::TZSpectrumAnalyzer(TSpectrum& spectrum, const TZSystem& system,
                                       const TZConfig& config, TZAnalyzerView& view,
                                       TZTimerSource& timers)
    : spectrum_(spectrum),
      system_(system),
      config_(config),
      view_(view),
      timer_(timers.CreateTimer([this] { Tick(); })) {
  timer_->Start(kTickInterval);
}

void TZSpectrumAnalyzer::ResetForItem() {
  const TZAnalyzerSkin skin = view_.AnalyzerSkin();
  spectrum_.SetBackground(true, skin.Picture);
  spectrum_.MaxValue = skin.SpectrumHeight;
  spectrum_.BarWidth = skin.BarWidth;
  spectrum_.LineColor = skin.LineColor;
  spectrum_.PeakColor = skin.PeakColor;
  spectrum_.ShowPeaks = config_.ShowPeaks;
  spectrum_.PeakFall = config_.FallsOff.Peaks;
  spectrum_.BarFall = config_.FallsOff.Bars;
  spectrum_.Mode = config_.SpectrumType == stBars ? TSpectrum::dmBars : TSpectrum::dmLines;
  spectrum_.Blur = config_.SpectrumBlur;
  spectrum_.Reset();
}

void TZSpectrumAnalyzer::DrawFrame() {
  const TZAnalyzerSkin skin = view_.AnalyzerSkin();
  if (!config_.ShowSpectrum || !system_.ItemLoaded) {
    view_.ShowAnalyzer(skin.Picture);
    return;
  }
  const TZSpectrumValues values = CollectSpectrum(system_, video_);
  const int count = SpectrumBandCount(skin.Picture.width(), skin.Picture.height(), skin.Align,
                                      spectrum_.Mode, spectrum_.BarWidth);
  spectrum_.Draw(area_, values, skin.Align, count);
  view_.ShowAnalyzer(area_);
}

void TZSpectrumAnalyzer::Tick() {
  if (!running_ || !(system_.Playing || system_.Paused) || !view_.AnalyzerVisible()) {
    return;
  }
  DrawFrame();
}
