#include "components/dsp/dspstate.h"

#include <algorithm>
#include <cmath>

namespace {

// The band centres and width of the program's equalizer, in Hz and semitones.
constexpr std::array<float, kDspBands> kCentres{60,   170,  310,   600,   1000,
                                                3000, 6000, 12000, 14000, 16000};
constexpr float kBandwidth = 18.0f;
constexpr float kMaxGainDb = 12.0f;
constexpr int kVisualIntervalMs = 40;

}  // namespace

void TZDspState::SetBand(int band, int value) {
  if (band < 0 || band >= kDspBands) {
    return;
  }
  std::lock_guard guard(lock_);
  values_[band] = std::clamp(value, -100, 100);
  bandsChanged_ = true;
}

int TZDspState::Band(int band) const {
  std::lock_guard guard(lock_);
  return band >= 0 && band < kDspBands ? values_[band] : 0;
}

void TZDspState::SetEqualizerEnabled(bool enabled) {
  std::lock_guard guard(lock_);
  equalizer_ = enabled;
}

void TZDspState::SetVisualEnabled(bool enabled) {
  std::lock_guard guard(lock_);
  visual_ = enabled;
}

void TZDspState::SetProcessing(bool enabled) {
  std::lock_guard guard(lock_);
  processing_ = enabled;
}

bool TZDspState::Spectrum(std::array<int, kDspSpectrumSize>* data) const {
  std::lock_guard guard(lock_);
  if (!visual_ || !haveSpectrum_) {
    return false;
  }
  *data = spectrum_;
  return true;
}

void TZDspState::ClearSpectrum() {
  std::lock_guard guard(lock_);
  spectrum_.fill(0);
  haveSpectrum_ = false;
}

void TZDspState::Reset(int sampleRate) {
  std::lock_guard guard(lock_);
  rate_ = sampleRate;
  bands_.assign(kDspBands, ParametricEq(sampleRate));
  bandsChanged_ = true;
  history_ = SampleHistory();
  framesSinceFrame_ = 0;
}

void TZDspState::ApplyBands() {
  for (int band = 0; band < kDspBands; ++band) {
    const float gain = values_[band] * kMaxGainDb / 100.0f;
    bands_[band].Set({kCentres[band], kBandwidth, gain});
  }
  bandsChanged_ = false;
}

void TZDspState::CaptureVisual(const float* stereo, int frames) {
  history_.Push(stereo, frames);
  framesSinceFrame_ += frames;
  if (framesSinceFrame_ < rate_ * kVisualIntervalMs / 1000) {
    return;
  }
  framesSinceFrame_ = 0;
  const std::vector<float> magnitudes = FftMagnitudes(history_.Snapshot());
  for (int i = 0; i < kDspSpectrumSize; ++i) {
    spectrum_[i] = static_cast<int>(std::lround(magnitudes[i] * 1000.0f));
  }
  haveSpectrum_ = true;
}

void TZDspState::Process(float* stereo, int frames) {
  std::lock_guard guard(lock_);
  if (!processing_ || bands_.empty()) {
    return;
  }
  // The analyser sees the sound as it came in.
  if (visual_) {
    CaptureVisual(stereo, frames);
  }
  if (!equalizer_) {
    return;
  }
  if (bandsChanged_) {
    ApplyBands();
  }
  for (ParametricEq& band : bands_) {
    band.Process(stereo, frames);
  }
}
