#include "components/sound/effects.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// Coefficients are recomputed at most once per sub-block while a change glides in.
constexpr int kSubBlock = 32;
// Largest step per sub-block: a full 24 dB swing takes about 90 ms at 44.1 kHz.
constexpr float kGainStepDb = 0.2f;
constexpr float kCenterStepOctaves = 0.05f;

float Toward(float value, float target, float step) {
  if (std::abs(target - value) <= step) {
    return target;
  }
  return value + (target > value ? step : -step);
}

}  // namespace

void ParametricEq::Set(const ZSoundEqParameters& parameters) {
  target_ = parameters;
  target_.gain = std::clamp(parameters.gain, -15.0f, 15.0f);
  target_.bandwidth = std::clamp(parameters.bandwidth, 1.0f, 36.0f);
  target_.center = std::max(parameters.center, 20.0f);
  if (bypass_ && current_.gain == 0.0f) {
    // A band that has not sounded yet takes the new shape at once.
    current_ = target_;
    current_.gain = 0.0f;
  }
  UpdateCoefficients();
}

bool ParametricEq::Gliding() const {
  return current_.gain != target_.gain || current_.center != target_.center ||
         current_.bandwidth != target_.bandwidth;
}

void ParametricEq::Glide() {
  current_.gain = Toward(current_.gain, target_.gain, kGainStepDb);
  const float octaves = std::log2(current_.center);
  const float targetOctaves = std::log2(target_.center);
  const float next = Toward(octaves, targetOctaves, kCenterStepOctaves);
  current_.center = next == targetOctaves ? target_.center : std::exp2(next);
  current_.bandwidth = Toward(current_.bandwidth, target_.bandwidth, 0.5f);
  UpdateCoefficients();
}

void ParametricEq::UpdateCoefficients() {
  const double nyquist = rate_ / 2.0;
  bypass_ = current_.gain == 0.0f || current_.center >= nyquist * 0.98;
  if (bypass_) {
    return;
  }
  // Peaking filter with the bandwidth given in octaves between the half-gain points.
  const double amplitude = std::pow(10.0, current_.gain / 40.0);
  const double w0 = 2.0 * std::numbers::pi * current_.center / rate_;
  const double octaves = current_.bandwidth / 12.0;
  const double alpha =
      std::sin(w0) * std::sinh(std::numbers::ln2 / 2.0 * octaves * w0 / std::sin(w0));
  const double a0 = 1.0 + alpha / amplitude;
  b0_ = (1.0 + alpha * amplitude) / a0;
  b1_ = -2.0 * std::cos(w0) / a0;
  b2_ = (1.0 - alpha * amplitude) / a0;
  a1_ = b1_;
  a2_ = (1.0 - alpha / amplitude) / a0;
}

void ParametricEq::Process(float* stereo, int frames) {
  for (int start = 0; start < frames; start += kSubBlock) {
    if (Gliding()) {
      Glide();
    }
    if (bypass_) {
      // Keep the filter state quiet so that a later gain starts without a jump.
      z1_[0] = z1_[1] = z2_[0] = z2_[1] = 0.0;
      continue;
    }
    const int end = std::min(frames, start + kSubBlock);
    for (int i = start; i < end; ++i) {
      for (int c = 0; c < 2; ++c) {
        const double in = stereo[i * 2 + c];
        const double out = b0_ * in + z1_[c];
        z1_[c] = b1_ * in - a1_ * out + z2_[c];
        z2_[c] = b2_ * in - a2_ * out;
        stereo[i * 2 + c] = static_cast<float>(out);
      }
    }
  }
}
