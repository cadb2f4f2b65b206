#pragma once
// What the DSP element shares between the streaming thread and the GUI thread.

#include <array>
#include <mutex>
#include <vector>

#include "components/dsp/zdsp.h"
#include "components/sound/effects.h"
#include "components/sound/spectrum.h"

class TZDspState {
 public:
  void SetBand(int band, int value);
  int Band(int band) const;
  void SetEqualizerEnabled(bool enabled);
  void SetVisualEnabled(bool enabled);
  void SetProcessing(bool enabled);
  bool Spectrum(std::array<int, kDspSpectrumSize>* data) const;
  void ClearSpectrum();

  // Streaming thread: a new format, a flush, and the audio itself (interleaved stereo floats).
  void Reset(int sampleRate);
  void Process(float* stereo, int frames);

 private:
  void ApplyBands();
  void CaptureVisual(const float* stereo, int frames);

  mutable std::mutex lock_;
  std::array<int, kDspBands> values_{};
  bool bandsChanged_ = true;
  bool equalizer_ = true;
  bool visual_ = true;
  bool processing_ = true;
  int rate_ = 0;
  std::vector<ParametricEq> bands_;
  SampleHistory history_;
  int framesSinceFrame_ = 0;
  std::array<int, kDspSpectrumSize> spectrum_{};
  bool haveSpectrum_ = false;
};
