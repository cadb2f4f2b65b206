#include "playback/channelgroup.h"

#include <algorithm>
#include <vector>

void TChannelGroup::ForEach(const std::function<void(ZSoundHandle)>& call) const {
  for (ZSoundHandle handle : Handles) {
    if (handle != 0) {
      call(handle);
    }
  }
}

bool TChannelGroup::Play(bool restart) const {
  bool ok = !Empty();
  ForEach([&](ZSoundHandle h) { ok = ZSoundPlay(h, restart) && ok; });
  return ok;
}

void TChannelGroup::Pause() const {
  ForEach([](ZSoundHandle h) { ZSoundPause(h); });
}

void TChannelGroup::SetPosition(int64_t bytes) const {
  ForEach([bytes](ZSoundHandle h) { ZSoundSetPosition(h, bytes); });
}

void TChannelGroup::SetAttributes(int rate, int volume, int pan) const {
  ForEach([=](ZSoundHandle h) { ZSoundSetAttributes(h, rate, volume, pan); });
}

void TChannelGroup::SlideAttributes(int rate, int volume, int pan, int ms) const {
  ForEach([=](ZSoundHandle h) { ZSoundSlideAttributes(h, rate, volume, pan, ms); });
}

void TChannelGroup::Free() {
  ForEach([](ZSoundHandle h) {
    ZSoundStop(h);
    ZSoundFreeChannel(h);
  });
  Handles = {};
  Effects = {};
}

int SpeakerSplit(int speakersSetting, int deviceSpeakers) {
  return std::min(speakersSetting, deviceSpeakers);
}

TChannelGroup OpenChannelGroup(int n, const std::function<ZSoundHandle(uint32_t flags)>& open) {
  std::vector<uint32_t> flags;
  if (n <= 2) {
    flags = {0};
  } else if (n == 4 || n == 5) {
    flags = {kZSoundSpeakerFront, kZSoundSpeakerRear};
  } else if (n == 6) {
    flags = {kZSoundSpeakerFront, kZSoundSpeakerRear, kZSoundSpeakerCenterLfe};
  } else if (n >= 7) {
    flags = {kZSoundSpeakerFront, kZSoundSpeakerRear, kZSoundSpeakerCenterLfe, kZSoundSpeakerRear2};
  }
  TChannelGroup group;
  for (size_t i = 0; i < flags.size(); ++i) {
    group.Handles[i] = open(flags[i]);
    if (group.Handles[i] == 0) {
      group.Free();
      break;
    }
  }
  return group;
}
