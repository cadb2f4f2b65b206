#pragma once
// The player state: what is loaded, in which channel slot, and the flags every window and timer
// consults. One instance lives for the whole run, inside the player core.

#include <QString>
#include <array>
#include <cstdint>

#include "components/sound/zsound.h"
#include "playback/channelgroup.h"
#include "playlist/mediakind.h"

struct TZPlaylistEntry;

struct TZSystem {
  TMediaKind Kind = mkUnknown;
  TMediaKind LastKind = mkUnknown;
  std::array<TChannelGroup, 2> Slots;
  int ActiveSlot = 1;  // so that the first item of a crossfading run opens in slot 0
  int FadingSlot = -1;
  // Slots whose group is fading out and waits for FadeOutStopTimer.
  std::array<bool, 2> SlotFading{};
  ZSoundHandle CdChannel = 0;
  std::array<ZSoundHandle, kEqualizerBands> CdEffects{};
  int CdDrive = 0;
  int SpeakerCount = 0;
  int BaseRate = 0;
  int Rate = 0;
  int TargetVolume = 0;
  int Pan = 0;
  uint64_t StreamLength = 0;
  int64_t GraphDuration = 0;
  int64_t GraphPosition = 0;
  TZPlaylistEntry* CurrentEntry = nullptr;
  TZPlaylistEntry* LastEntry = nullptr;
  QString PlayingText;
  QString SavedTitle;

  bool ItemLoaded = false;
  bool Playing = false;
  bool Paused = false;
  bool FadingOut = false;
  bool Seekable = false;
  bool StatusMessageShown = false;

  const TChannelGroup& ActiveGroup() const { return Slots[ActiveSlot]; }
  TChannelGroup& ActiveGroup() { return Slots[ActiveSlot]; }
  // The channel of a BASS kind now loaded (the active group's reference or the CD channel).
  ZSoundHandle ReferenceChannel() const {
    return Kind == mkMusicCd ? CdChannel : Slots[ActiveSlot].Reference();
  }
};

inline bool IsBassKind(TMediaKind kind) {
  return kind == mkBassStream || kind == mkBassUrlStream || kind == mkMusicCd;
}
inline bool IsGraphKind(TMediaKind kind) {
  return kind >= mkVideo && kind <= mkDvd;
}
