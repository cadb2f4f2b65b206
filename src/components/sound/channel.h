#pragma once
// One playing source: a decoding thread fills a frame buffer; the mixer takes frames from it,
// resamples them to the device rate by the channel's rate attribute, runs the equalizer bands,
// keeps the FFT history and adds the result, with volume and pan, to one speaker pair.

#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "components/sound/effects.h"
#include "components/sound/source.h"
#include "components/sound/spectrum.h"

// A value that moves linearly to a target over a number of output frames.
struct Ramp {
  double value = 0;
  double target = 0;
  double step = 0;
  int64_t remaining = 0;

  void Jump(double v) {
    value = target = v;
    remaining = 0;
  }
  void Start(double to, int64_t frames);
  void Advance() {
    if (remaining > 0 && --remaining == 0) {
      value = target;
    } else if (remaining > 0) {
      value += step;
    }
  }
};

class Channel {
 public:
  Channel(std::unique_ptr<SoundSource> source, uint32_t flags, int deviceRate);
  ~Channel();
  Channel(const Channel&) = delete;
  Channel& operator=(const Channel&) = delete;

  bool Play(bool restart);
  void Pause();
  void Stop();
  ZSoundActivity Activity() const;

  int SourceRate() const { return sourceRate_; }
  int64_t LengthFrames() const { return source_->LengthFrames(); }
  int64_t PositionFrames() const;
  ZSoundError Seek(int64_t frame);

  ZSoundAttributes Attributes() const;
  void SetAttributes(int rate, int volume, int pan);
  void SlideAttributes(int rate, int volume, int pan, int ms);
  bool Sliding() const;

  int AddEq();
  bool SetEq(int id, const ZSoundEqParameters& parameters);
  bool GetEq(int id, ZSoundEqParameters* parameters) const;
  bool RemoveEq(int id);

  std::array<float, kFftSize> History() const;
  std::string Tags(ZSoundTags type) const { return source_->Tags(type); }

  // Mixer thread: adds `frames` frames to `out` (outChannels interleaved). With `waitForData` a
  // buffer underrun waits for the decoder instead of sounding silence.
  void MixInto(float* out, int frames, int outChannels, bool waitForData);

 private:
  void DecodeLoop();
  void StartDecoder();
  void FillWindow(size_t wantedFrames, bool waitForData, std::unique_lock<std::mutex>& lock);
  void TakeFromRing(size_t frames);
  int Resample(float* stereo, int frames);
  void AddToOutput(const float* stereo, int produced, int frames, float* out, int outChannels);
  int PairOffset(int outChannels) const;

  std::unique_ptr<SoundSource> source_;
  const uint32_t flags_;
  const int deviceRate_;
  const int sourceRate_;

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::mutex sourceMutex_;  // held while the source decodes or seeks
  std::thread decoder_;
  bool quit_ = false;

  // Decoded frames not yet taken by the mixer (ring of stereo frames).
  std::vector<int16_t> ring_;
  size_t ringRead_ = 0;
  size_t ringFill_ = 0;
  bool sourceEnded_ = false;

  // Mixer-side: frames taken from the ring, the first one at source frame windowStart_.
  std::vector<float> window_;
  int64_t windowStart_ = 0;
  double phase_ = 0;     // fractional read position inside window_
  bool padded_ = false;  // the silent frame after the last one is in window_

  bool playing_ = false;
  bool paused_ = false;
  bool stalled_ = false;
  bool ended_ = false;
  bool sounded_ = false;  // has mixed at least once since it was started
  Ramp rate_;
  Ramp volume_;
  Ramp pan_;
  bool sliding_ = false;

  std::map<int, ParametricEq> effects_;
  int nextEffect_ = 1;
  SampleHistory history_;
  std::vector<float> scratch_;
};
