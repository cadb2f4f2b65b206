#pragma once
// What a channel plays from: a decoder of 16-bit stereo frames at a fixed sample rate.

#include <cstdint>
#include <string>

#include "components/sound/zsound.h"

class SoundSource {
 public:
  virtual ~SoundSource() = default;

  // Reads up to maxFrames interleaved stereo frames; 0 at the end, -1 on a read error.
  virtual int Read(int16_t* frames, int maxFrames) = 0;
  // Moves so that the next Read starts at `frame`.
  virtual bool Seek(int64_t frame) = 0;
  virtual bool Seekable() const = 0;
  virtual int Rate() const = 0;
  // Length in frames, -1 when unknown (internet streams).
  virtual int64_t LengthFrames() const = 0;
  // ICY headers and metadata for network sources.
  virtual std::string Tags(ZSoundTags) const { return {}; }
  // Stops blocking reads so that the decoding thread can end.
  virtual void Interrupt() {}
};

constexpr int kBytesPerFrame = 4;  // 16-bit stereo
