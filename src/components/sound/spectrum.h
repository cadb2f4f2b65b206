#pragma once
// FFT data of the analyser: 1024 samples, Hann window, 512 magnitudes.

#include <array>
#include <vector>

constexpr int kFftSize = 1024;

// The last kFftSize mono samples a channel sounded.
class SampleHistory {
 public:
  void Push(const float* stereo, int frames);
  // Oldest first.
  std::array<float, kFftSize> Snapshot() const;

 private:
  std::array<float, kFftSize> samples_{};
  int next_ = 0;
};

// Magnitudes scaled so that a full-scale sine peaks near 0.5 in its bin.
std::vector<float> FftMagnitudes(const std::array<float, kFftSize>& samples);
