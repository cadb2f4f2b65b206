#include "mp1writer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace {

constexpr int kSubbands = 32;
constexpr int kSamplesPerSubband = 12;
constexpr int kHeaderBits = 32;
constexpr int kAllocationBits = 4;
constexpr int kScalefactorBits = 6;
constexpr int kMaxSampleBits = 15;  // allocation 14; 15 is forbidden

class BitWriter {
 public:
  void Put(uint32_t value, int bits) {
    for (int i = bits - 1; i >= 0; --i) {
      if (used_ % 8 == 0) {
        bytes_.append('\0');
      }
      if ((value >> i) & 1) {
        bytes_[bytes_.size() - 1] = static_cast<char>(bytes_.back() | (0x80 >> (used_ % 8)));
      }
      ++used_;
    }
  }
  // Zero bits up to `bytes` bytes (the ancillary data of a frame).
  void PadTo(qsizetype bytes) { bytes_.append(bytes - bytes_.size(), '\0'); }
  QByteArray Take() { return std::move(bytes_); }

 private:
  QByteArray bytes_;
  int64_t used_ = 0;
};

int RateIndex(int rate) {
  switch (rate) {
    case 44100:
      return 0;
    case 48000:
      return 1;
    case 32000:
      return 2;
    default:
      return -1;
  }
}

// The scalefactors step down by 2 dB from 2.0: 2^(1 - i/3). The finest one that still holds
// the amplitude keeps the quantisation error smallest.
int ScalefactorIndex(double amplitude) {
  int index = 0;
  while (index < 62 && std::pow(2.0, 1.0 - (index + 1) / 3.0) >= amplitude) {
    ++index;
  }
  return index;
}

// Codes 0 .. 2^bits - 2 stand for 2k / (2^bits - 1) with k = code - (2^(bits-1) - 1); the
// all-ones code is forbidden.
uint32_t Quantise(double normalised, int bits) {
  const int steps = (1 << bits) - 1;
  const int half = (1 << (bits - 1)) - 1;
  const int k = std::clamp(static_cast<int>(std::lround(normalised * steps / 2.0)), -half, half);
  return static_cast<uint32_t>(k + half);
}

struct Channel {
  int subband;
  double baseband;  // frequency in the subband samples, Hz at rate / 32
  double amplitude;
  int scalefactor;
};

Channel Place(const Mp1Tone& tone, int rate) {
  const double width = rate / 64.0;
  const int subband = std::clamp(static_cast<int>(tone.frequency / width), 0, kSubbands - 1);
  const double offset = tone.frequency - subband * width;
  return {subband, subband % 2 == 0 ? offset : width - offset, tone.amplitude,
          ScalefactorIndex(tone.amplitude)};
}

}  // namespace

QByteArray MakeMp1(int rate, int kbps, const std::vector<Mp1Tone>& tones, int frames) {
  const int rateIndex = RateIndex(rate);
  if (rateIndex < 0 || kbps < 32 || kbps > 448 || kbps % 32 != 0 || tones.empty() ||
      tones.size() > 2 || frames <= 0) {
    return {};
  }
  std::vector<Channel> channels;
  for (const Mp1Tone& tone : tones) {
    if (tone.amplitude <= 0 || tone.amplitude > 2.0) {
      return {};
    }
    channels.push_back(Place(tone, rate));
  }
  const int count = static_cast<int>(channels.size());

  // A slot is 4 bytes; a frame has 12 * bitrate / rate of them, the fraction paid back by
  // padding slots so the stream keeps its bitrate exactly.
  const int64_t slotsPerSecondTimes12 = int64_t{12} * kbps * 1000;
  const int baseSlots = static_cast<int>(slotsPerSecondTimes12 / rate);
  const int fixedBits =
      kHeaderBits + kSubbands * count * kAllocationBits + count * kScalefactorBits;
  const int sampleBits =
      std::min(kMaxSampleBits, (baseSlots * 32 - fixedBits) / (kSamplesPerSubband * count));
  if (sampleBits < 2) {
    return {};
  }

  QByteArray stream;
  for (int frame = 0; frame < frames; ++frame) {
    const int frameSlots = static_cast<int>((frame + 1) * slotsPerSecondTimes12 / rate -
                                            frame * slotsPerSecondTimes12 / rate);
    BitWriter bits;
    bits.Put(0xFFF, 12);  // sync
    bits.Put(1, 1);       // MPEG-1
    bits.Put(3, 2);       // Layer I
    bits.Put(1, 1);       // no CRC
    bits.Put(static_cast<uint32_t>(kbps / 32), 4);
    bits.Put(static_cast<uint32_t>(rateIndex), 2);
    bits.Put(frameSlots > baseSlots ? 1 : 0, 1);
    bits.Put(0, 1);                   // private
    bits.Put(count == 2 ? 0 : 3, 2);  // stereo or single channel
    bits.Put(0, 2);                   // mode extension
    bits.Put(0, 4);                   // copyright, original, no emphasis

    for (int sb = 0; sb < kSubbands; ++sb) {
      for (const Channel& channel : channels) {
        bits.Put(channel.subband == sb ? static_cast<uint32_t>(sampleBits - 1) : 0,
                 kAllocationBits);
      }
    }
    for (int sb = 0; sb < kSubbands; ++sb) {
      for (const Channel& channel : channels) {
        if (channel.subband == sb) {
          bits.Put(static_cast<uint32_t>(channel.scalefactor), kScalefactorBits);
        }
      }
    }
    for (int s = 0; s < kSamplesPerSubband; ++s) {
      const int64_t n = int64_t{frame} * kSamplesPerSubband + s;
      for (int sb = 0; sb < kSubbands; ++sb) {
        for (const Channel& channel : channels) {
          if (channel.subband != sb) {
            continue;
          }
          const double phase = 2.0 * std::numbers::pi * channel.baseband * 32.0 * n / rate;
          const double scale = std::pow(2.0, 1.0 - channel.scalefactor / 3.0);
          bits.Put(Quantise(channel.amplitude * std::cos(phase) / scale, sampleBits), sampleBits);
        }
      }
    }
    bits.PadTo(frameSlots * 4);
    stream.append(bits.Take());
  }
  return stream;
}
