#pragma once
// A parametric equalizer band: a peaking biquad whose gain and centre glide to new settings, so
// that changes while playing do not click.

#include "components/sound/zsound.h"

class ParametricEq {
 public:
  explicit ParametricEq(int sampleRate) : rate_(sampleRate) {}

  void Set(const ZSoundEqParameters& parameters);
  const ZSoundEqParameters& Get() const { return target_; }
  // Filters interleaved stereo frames in place.
  void Process(float* stereo, int frames);

 private:
  void UpdateCoefficients();
  bool Gliding() const;
  void Glide();

  int rate_;
  ZSoundEqParameters target_;
  ZSoundEqParameters current_;
  bool bypass_ = true;
  double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
  double z1_[2] = {0, 0};
  double z2_[2] = {0, 0};
};
