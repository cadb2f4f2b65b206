// Volume, mute, balance, speed, seeking and jumps on what the player core plays.

#include "playback/playercontrols.h"

#include <algorithm>
#include <cmath>

#include "config/config.h"
#include "lang/language.h"
#include "lang/textformat.h"
#include "lang/textids.h"
#include "playback/player.h"
#include "playback/videoengine.h"

namespace {

constexpr int kMaxSpeedRate = 110250;
constexpr double kDecibelScale = 1085.73;
constexpr int kCdBytesPerSecond = 176400;

}  // namespace

int SpeedRate(int step, int baseRate) {
  step = std::clamp(step, 1, 10);
  return step <= 4 ? step * (baseRate / 4)
                   : baseRate + (step - 4) * ((kMaxSpeedRate - baseRate) / 8);
}

int GraphVolume(int linear) {
  return static_cast<int>(std::lround(std::log(linear + 1.0) * kDecibelScale)) - 10000;
}

int GraphBalance(int position, int maximum) {
  if (maximum <= 0) {
    return 0;
  }
  const long long v = 10000 - 2 * (10000LL * position / maximum);
  const auto scaled = [](long long x) {
    return static_cast<int>(std::lround(std::log(static_cast<double>(x) + 1) * kDecibelScale));
  };
  return v >= 0 ? -scaled(v) : scaled(-v);
}

int TZPlayer::EffectiveVolume() const {
  return config_.Mute ? 0 : system_.TargetVolume;
}

// Rate, volume and pan to the sound channel; a running volume slide (a fade) is left to finish.
void TZPlayer::SetChannelAttributes() const {
  const ZSoundHandle reference = system_.ReferenceChannel();
  const int volume = ZSoundIsSliding(reference) ? kZSoundKeep : EffectiveVolume();
  if (system_.Kind == mkMusicCd) {
    ZSoundSetAttributes(system_.CdChannel, system_.Rate, volume, system_.Pan);
  } else if (!system_.SlotFading[system_.ActiveSlot]) {
    system_.ActiveGroup().SetAttributes(system_.Rate, volume, system_.Pan);
  }
}

void TZPlayer::ApplyVolume(bool initial) {
  const TZBarState control = windows_.VolumeControl();
  const qint64 p = control.Position - control.Position % 100;
  windows_.SetVolumePosition(p);
  config_.Volume = static_cast<int>(p);
  system_.TargetVolume = control.Maximum > 0 ? static_cast<int>(100 * p / control.Maximum) : 0;
  if (IsBassKind(system_.Kind)) {
    const bool fading = system_.Kind != mkMusicCd && system_.SlotFading[system_.ActiveSlot];
    if (initial || fading || system_.ReferenceChannel() == 0) {
      return;
    }
    const int volume = EffectiveVolume();
    if (config_.VolumeFader.Enabled) {
      if (system_.Kind == mkMusicCd) {
        ZSoundSlideAttributes(system_.CdChannel, kZSoundKeep, volume, kZSoundKeep,
                              config_.VolumeFader.Time);
      } else {
        system_.ActiveGroup().SlideAttributes(kZSoundKeep, volume, kZSoundKeep,
                                              config_.VolumeFader.Time);
      }
    } else if (system_.Kind == mkMusicCd) {
      ZSoundSetAttributes(system_.CdChannel, system_.Rate, volume, system_.Pan);
    } else {
      system_.ActiveGroup().SetAttributes(system_.Rate, volume, system_.Pan);
    }
  } else if (IsGraphKind(system_.Kind) && video_ && video_->Active()) {
    int linear = p > 1 && control.Maximum > 0 ? static_cast<int>(10000 * p / control.Maximum) : 0;
    if (config_.Mute) {
      linear = 0;
    }
    video_->SetVolume(GraphVolume(linear));
  }
}

void TZPlayer::ToggleMute() {
  config_.Mute = !config_.Mute;
  windows_.SetMuteChecked(config_.Mute);
  ApplyVolume(false);
}

void TZPlayer::ApplyBalance() {
  const int b = windows_.BalancePosition();
  if (IsBassKind(system_.Kind)) {
    system_.Pan = b - 100;
    SetChannelAttributes();
  } else if (IsGraphKind(system_.Kind) && video_ && video_->Active()) {
    video_->SetBalance(GraphBalance(b, 200));
  }
}

void TZPlayer::ApplySpeed() {
  const int s = windows_.SpeedPosition();
  if (IsBassKind(system_.Kind)) {
    system_.Rate = SpeedRate(s, system_.BaseRate);
    SetChannelAttributes();
    config_.Speed = s;
  } else if (IsGraphKind(system_.Kind) && video_ && video_->Active()) {
    video_->SetRate(s >= 1 && s <= 10 ? 0.25 * s : 0.0);
  }
}

void TZPlayer::SetSpeed(int step) {
  windows_.SetSpeedPosition(step);
  ApplySpeed();
  const int percent = step >= 1 && step <= 10 ? 25 * step : 0;
  const QString text = FormatText(Language().Text(kTextSpeed), {percent, "%"});
  ShowStatusMessage(text);
  windows_.ShowOsdText(text, TZPlayerWindows::kOsdMs);
}

void TZPlayer::SeekToBar() {
  const TZBarState bar = windows_.PositionBar();
  switch (system_.Kind) {
    case mkBassStream:
    case mkBassUrlStream:
      if (!system_.SlotFading[system_.ActiveSlot]) {
        system_.ActiveGroup().SetPosition(bar.Position);
      }
      break;
    case mkVideo:
    case mkAudio:
      if (video_ && video_->Active() && video_->SeekFraction(bar.Position, bar.Maximum)) {
        video_->ClearSpectrumData();
      }
      break;
    case mkDvd:
      if (video_ && video_->Active() && bar.Maximum > 1000 && bar.Position > 1000 &&
          video_->SeekDvdTime(bar.Position)) {
        video_->ClearSpectrumData();
      }
      break;
    case mkMusicCd:
      ZSoundSetPosition(system_.CdChannel, bar.Position);
      break;
    case mkVideoStream:
    case mkUnknown:
      break;
  }
  ShowSeekTime();
}

void TZPlayer::ShowSeekTime() {
  const qint64 p = windows_.PositionBar().Position;
  qint64 seconds = 0;
  switch (system_.Kind) {
    case mkBassStream:
      seconds = std::llround(ZSoundBytesToSeconds(system_.ActiveGroup().Reference(), p));
      break;
    case mkVideo:
    case mkAudio:
      seconds = p;
      break;
    case mkDvd:
      seconds = p / 1000;
      break;
    case mkMusicCd:
      seconds = p / kCdBytesPerSecond;
      break;
    default:
      return;
  }
  const QString text = FormatText(Language().Text(kTextTimejump), {TimeText(seconds)});
  ShowStatusMessage(text);
  if (IsGraphKind(system_.Kind)) {
    windows_.ShowOsdText(text, TZPlayerWindows::kOsdMs);
  }
}

QString TZPlayer::TimeText(qint64 seconds) const {
  return QString::asprintf("%.2d:%.2d:%.2d", static_cast<int>(seconds / 3600 % 24),
                           static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60));
}

void TZPlayer::Jump(int direction) {
  if (!system_.Seekable || !system_.Playing) {
    return;
  }
  const double seconds = config_.JumpInterval / 1000.0;
  qint64 interval = 0;
  switch (system_.Kind) {
    case mkBassStream:
    case mkMusicCd:
      interval = ZSoundSecondsToBytes(system_.ReferenceChannel(), seconds);
      break;
    case mkVideo:
    case mkAudio:
      interval = std::llround(seconds);
      break;
    case mkDvd:
      interval = config_.JumpInterval;
      break;
    default:
      break;
  }
  const TZBarState bar = windows_.PositionBar();
  windows_.SetPositionBarValue(
      std::clamp(bar.Position + direction * interval, qint64{0}, std::max(bar.Maximum, qint64{0})));
  SeekToBar();
}

void TZPlayer::JumpForward() {
  Jump(1);
}
void TZPlayer::JumpBackward() {
  Jump(-1);
}

void TZPlayer::StepVolume(int direction) {
  const qint64 step = windows_.VolumeControl().Maximum / 100;
  windows_.StepVolumeControls(direction * step);
  ApplyVolume(false);
  const TZBarState control = windows_.VolumeControl();
  const double percent =
      control.Maximum > 0 ? 100.0 * static_cast<double>(control.Position) / control.Maximum : 0;
  const QString text = FormatText(Language().Text(kTextVolume), {percent, "%"});
  ShowStatusMessage(text);
  windows_.ShowOsdText(text, TZPlayerWindows::kOsdMs);
}

void TZPlayer::VolumeUp() {
  StepVolume(1);
}
void TZPlayer::VolumeDown() {
  StepVolume(-1);
}
