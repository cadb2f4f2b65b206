#pragma once
// One source opened once per speaker pair, so the same stereo signal sounds on every pair. The
// first handle is the reference: position, length, activity, FFT and tags are read from it;
// every transport and attribute call goes to all handles in turn.

#include <array>
#include <functional>

#include "components/sound/zsound.h"

inline constexpr int kEqualizerBands = 10;

struct TChannelGroup {
  static constexpr int kMaxHandles = 4;
  std::array<ZSoundHandle, kMaxHandles> Handles{};
  // Equalizer effects, by band and handle; 0 = none.
  std::array<std::array<ZSoundHandle, kMaxHandles>, kEqualizerBands> Effects{};

  ZSoundHandle Reference() const { return Handles[0]; }
  bool Empty() const { return Handles[0] == 0; }

  void ForEach(const std::function<void(ZSoundHandle)>& call) const;
  bool Play(bool restart) const;
  void Pause() const;
  void SetPosition(int64_t bytes) const;
  void SetAttributes(int rate, int volume, int pan) const;
  void SlideAttributes(int rate, int volume, int pan, int ms) const;
  // Stops and frees every handle and forgets them (effects go with their channels).
  void Free();
};

// n of the speaker split: the smaller of the "Speakers" setting and the device's count.
int SpeakerSplit(int speakersSetting, int deviceSpeakers);

// Opens the source once per speaker pair of n (none for n = 3); `open` receives the speaker
// flag. A failed open leaves the group empty with every opened handle freed.
TChannelGroup OpenChannelGroup(int n, const std::function<ZSoundHandle(uint32_t flags)>& open);
