#include "playback/player.h"

#include <malloc.h>

#include <QThread>
#include <stdexcept>

#include "base/errorcatalogue.h"
#include "base/zdebug.h"
#include "config/config.h"
#include "lang/language.h"
#include "lang/textformat.h"
#include "lang/textids.h"
#include "playback/videoengine.h"

void PlayerLog(const QString& text) {
  try {
    ZLog(text);
  } catch (const std::exception&) {
    // The log is a record, not a reason to stop the music.
  }
}

TZPlayer::TZPlayer(TZPlaylist& playlist, TZPlayerWindows& windows, TZConfig& config,
                   TZTimerSource& timers, TZPlaylistView* view)
    : playlist_(playlist),
      windows_(windows),
      config_(config),
      equalizer_(system_, config),
      navigator_(playlist, *this, view),
      playTimer_(timers.CreateTimer([this] { PlayTick(); })),
      fadeOutTimer_(timers.CreateTimer([this] { OnFadeOutStopTimer(); })),
      statusTimer_(timers.CreateTimer([this] { OnStatusResetTimer(); })),
      retryWait_([](int ms) { QThread::msleep(static_cast<unsigned long>(ms)); }) {}

TZPlayer::~TZPlayer() {
  FreeAll();
}

void TZPlayer::SetVideoEngine(TZVideoEngine* engine) {
  video_ = engine;
  equalizer_.SetVideoEngine(engine);
}

void TZPlayer::PlayEntry(int index) {
  if (system_.Playing || system_.Paused) {
    FreeLastItem(false);
  }
  TZPlaylistEntry* entry = playlist_.Get(index);
  if (!entry) {
    return;
  }
  system_.CurrentEntry = entry;
  system_.Kind = ClassifyMedia(entry->FileName);
  playTimer_->Stop();
  switch (system_.Kind) {
    case mkBassStream:
      PlayBassFile(index);
      break;
    case mkBassUrlStream:
      PlayStream(index);
      break;
    case mkVideo:
    case mkAudio:
    case mkVideoStream:
    case mkDvd:
      PlayGraph(index);
      break;
    case mkMusicCd:
      PlayMusicCd(index);
      break;
    case mkUnknown:
      break;
  }
}

void TZPlayer::Stop() {
  if (system_.ItemLoaded) {
    FreeLastItem(true);
    return;
  }
  if (playlist_.PlayingIndex() >= 0) {
    playlist_.LastPlayedIndex = playlist_.PlayingIndex();
  }
  playlist_.ClearPlayed();
  windows_.RedrawPlaylist();
}

void TZPlayer::BeginOpen() {
  const bool bassPath = IsBassKind(system_.Kind);
  if (bassPath && (system_.LastKind == mkVideo || system_.LastKind == mkVideoStream ||
                   system_.LastKind == mkDvd)) {
    windows_.HideVideoWindow();
  }
  system_.SavedTitle = windows_.TitleText();
  windows_.ShowStatusPicture(spLoading);
  windows_.SetTitleText(Language().Text(kTextLoading));
}

void TZPlayer::FailOpen(int id, const QString& tag, const QString& detail, bool reported) {
  windows_.ShowStatusPicture(spStopped);
  windows_.SetTitleText(system_.SavedTitle);
  if (!reported) {
    ReportError(id, tag, detail, false);
  }
}

void TZPlayer::ChooseSlot() {
  system_.ActiveSlot = config_.Fader.Enabled ? 1 - system_.ActiveSlot : 0;
  // A group still fading out in the chosen slot (a stop during a crossfade) goes first.
  ReleaseSlot(system_.ActiveSlot);
}

void TZPlayer::ReleaseSlot(int slot) {
  system_.Slots[slot].Free();
  system_.SlotFading[slot] = false;
}

int TZPlayer::SpeakerCountNow() const {
  return SpeakerSplit(config_.Speakers, deviceSpeakers_);
}

void TZPlayer::ReadChannelAttributes(ZSoundHandle channel) {
  ZSoundAttributes attributes;
  ZSoundGetAttributes(channel, &attributes);
  system_.Rate = attributes.rate;
  if (system_.Kind == mkMusicCd) {
    ZSoundSetAttributes(channel, system_.Rate, 0, attributes.pan);
  } else {
    system_.ActiveGroup().SetAttributes(system_.Rate, 0, attributes.pan);
  }
}

void TZPlayer::FadeIn(bool streamLiteral) {
  if (!config_.Fader.Enabled || config_.Mute) {
    return;
  }
  const int ms = config_.Fader.Time;
  if (system_.Kind == mkMusicCd) {
    ZSoundSetAttributes(system_.CdChannel, kZSoundKeep, 0, kZSoundKeep);
    ZSoundSlideAttributes(system_.CdChannel, kZSoundKeep, system_.TargetVolume, kZSoundKeep, ms);
    return;
  }
  const TChannelGroup& group = system_.ActiveGroup();
  group.SetAttributes(kZSoundKeep, 0, kZSoundKeep);
  group.SlideAttributes(kZSoundKeep, system_.TargetVolume, kZSoundKeep, ms);
  const QString slot = QStringLiteral("FadeIn: [%1]").arg(system_.ActiveSlot);
  PlayerLog(streamLiteral ? QStringLiteral("    ") + slot : slot);
}

void TZPlayer::SetFlags(bool loaded, bool playing, bool paused) {
  system_.ItemLoaded = loaded;
  system_.Playing = playing;
  system_.Paused = paused;
  recorder_.SetPlaying(playing);
}

void TZPlayer::MarkPlayed(int index) {
  playlist_.ClearPlayed();
  if (TZPlaylistEntry* entry = playlist_.Get(index)) {
    entry->Played = true;
  }
  windows_.RedrawPlaylist();
}

void TZPlayer::LogPlaying(const QString& fileName, const QString& type, int index) {
  PlayerLog(QString());
  PlayerLog(QStringLiteral("Playing..."));
  if (ZDebug()) {
    ZDebug()->Indent();
  }
  PlayerLog(QStringLiteral("FileName: ") + fileName);
  PlayerLog(QStringLiteral("Type: ") + type);
  PlayerLog(QStringLiteral("Khz: %1").arg(system_.BaseRate));
  PlayerLog(QStringLiteral("PlaylistIndex: [%1]").arg(index));
}

void TZPlayer::StartControlsAndTitle() {
  windows_.SetSpeedControlEnabled(true);
  ApplySpeed();
  windows_.SetVolumeControlEnabled(true);
  if (IsGraphKind(system_.Kind)) {
    ApplyVolume(false);
  }
  windows_.SetBalanceControlEnabled(true);
  ApplyBalance();
  playTimer_->Start(kPlayTimerInterval);
  windows_.ShowStatusPicture(spPlaying);
  const QString caption = system_.CurrentEntry ? system_.CurrentEntry->Caption : QString();
  system_.PlayingText = FormatText(Language().Text(kTextIsPlaying), {caption});
  windows_.SetTitleText(system_.PlayingText);
  windows_.RestartScrollingLabels();
}

void TZPlayer::FreeLastItem(bool hideVideo) {
  system_.FadingSlot = -1;
  PlayerLog(QStringLiteral("Stopped."));
  system_.LastEntry = system_.CurrentEntry;
  system_.LastKind = system_.Kind;
  if (playlist_.PlayingIndex() >= 0) {
    playlist_.LastPlayedIndex = playlist_.PlayingIndex();
  }
  const int slot = system_.ActiveSlot;
  const bool groupOpen = !system_.Slots[slot].Empty();
  switch (system_.LastKind) {
    case mkBassStream:
      if (!groupOpen) {
        break;
      }
      if (!config_.Fader.Enabled || system_.FadingOut) {
        ReleaseSlot(slot);
        system_.FadingOut = false;
        PlayerLog(QStringLiteral("Free lastitem (Bass stream) [%1]").arg(slot));
        PlayerLog(QString());
      } else {
        system_.FadingSlot = slot;
        StartFadeOut();
        PlayerLog(QStringLiteral("Fadeout lastitem (Bass stream)"));
      }
      break;
    case mkBassUrlStream:
      if (!groupOpen) {
        break;
      }
      if (config_.Fader.Enabled && !system_.SlotFading[slot]) {
        system_.FadingSlot = slot;
        StartFadeOut();
        PlayerLog(QStringLiteral("Fadeout lastitem (Bass URL stream)"));
      } else {
        StopRecordCommand();
        ReleaseSlot(slot);
        PlayerLog(QStringLiteral("Free lastitem (Bass URL stream) [%1]").arg(slot));
        PlayerLog(QString());
      }
      break;
    case mkVideo:
    case mkAudio:
    case mkVideoStream:
    case mkDvd:
      if (video_ && system_.ItemLoaded) {
        video_->Free(system_.LastKind, hideVideo);
      }
      PlayerLog(system_.LastKind == mkVideo         ? QStringLiteral("Free lastitem (Video)")
                : system_.LastKind == mkAudio       ? QStringLiteral("Free lastitem (Audio)")
                : system_.LastKind == mkVideoStream ? QStringLiteral("Free lastitem (Video Stream)")
                                                    : QStringLiteral("Free lastitem (DVD)"));
      break;
    case mkMusicCd:
      if (system_.CdChannel != 0) {
        ZSoundStop(system_.CdChannel);
        ZSoundFreeChannel(system_.CdChannel);
        system_.CdChannel = 0;
        system_.CdEffects = {};
        PlayerLog(QStringLiteral("Free lastitem (Bass MusicCD)"));
        PlayerLog(QString());
      }
      break;
    case mkUnknown:
      break;
  }
  SetFlags(false, false, false);
  playlist_.ClearPlayed();
  windows_.RedrawPlaylist();
  windows_.SetPositionBar(100, 0, false);
  windows_.SetSpeedControlEnabled(false);
  windows_.SetBalanceControlEnabled(false);
  playTimer_->Stop();
  windows_.ShowStatusPicture(spStopped);
  windows_.SetTitleText(Language().Text(kTextReady));
  if (analyzer_) {
    analyzer_->DrawFrame();
  }
  windows_.BlankTimeDisplay();
  if (ZDebug()) {
    ZDebug()->Unindent();
  }
  if (config_.SwapMemoryMngt) {
    malloc_trim(0);
  }
}

void TZPlayer::StartFadeOut() {
  if (system_.LastKind == mkBassUrlStream) {
    StopRecordCommand();
  }
  const int slot = system_.FadingSlot;
  system_.Slots[slot].SlideAttributes(kZSoundKeep, 0, kZSoundKeep, config_.Fader.Time);
  system_.SlotFading[slot] = true;
  system_.FadingOut = true;
  fadeOutTimer_->Start(config_.Fader.Time);
}

void TZPlayer::OnFadeOutStopTimer() {
  if (!running_) {
    return;
  }
  fadeOutTimer_->Stop();
  system_.FadingOut = false;
  // Every group that was faded out goes, also one whose fade a further stop interrupted.
  for (int slot = 0; slot < 2; ++slot) {
    if (system_.SlotFading[slot]) {
      ReleaseSlot(slot);
    }
  }
}

void TZPlayer::TogglePause() {
  if (!system_.ItemLoaded) {
    return;
  }
  const TMediaKind kind = system_.Kind;
  const bool graph = IsGraphKind(kind);
  QString title;
  if (system_.Paused) {
    if (kind == mkMusicCd) {
      ZSoundPlay(system_.CdChannel, false);
    } else if (graph) {
      if (video_) {
        video_->Run();
      }
    } else {
      system_.ActiveGroup().Play(false);
    }
    SetFlags(true, true, false);
    playTimer_->Start(kPlayTimerInterval);
    const TZPlaylistEntry* entry = playlist_.Get(playlist_.PlayingIndex());
    system_.PlayingText =
        FormatText(Language().Text(kTextIsPlaying), {entry ? entry->Caption : QString()});
    title = system_.PlayingText;
    windows_.ShowStatusPicture(spPlaying);
  } else {
    if (kind == mkMusicCd) {
      ZSoundPause(system_.CdChannel);
    } else if (graph) {
      if (video_) {
        video_->Pause();
        if (kind == mkVideo || kind == mkAudio) {
          video_->ClearSpectrumData();
        }
      }
    } else {
      system_.ActiveGroup().Pause();
    }
    SetFlags(true, false, true);
    playTimer_->Stop();
    title = Language().Text(kTextPaused);
    windows_.ShowStatusPicture(spPaused);
  }
  windows_.SetTitleText(title);
  if (analyzer_) {
    analyzer_->DrawFrame();
  }
  if (graph) {
    windows_.ShowOsdText(title, TZPlayerWindows::kOsdMs);
  }
}

void TZPlayer::ShowStatusMessage(const QString& text) {
  windows_.SetTitleText(text);
  statusTimer_->Start(kStatusResetInterval);
  system_.StatusMessageShown = true;
}

void TZPlayer::OnStatusResetTimer() {
  if (!running_) {
    return;
  }
  statusTimer_->Stop();
  if (!system_.StatusMessageShown) {
    return;
  }
  QString title = Language().Text(kTextReady);
  if (system_.Playing) {
    title = system_.PlayingText;
  }
  if (system_.Paused) {
    title = Language().Text(kTextPaused);
  }
  windows_.SetTitleText(title);
  system_.StatusMessageShown = false;
}

void TZPlayer::FreeAll() {
  for (int slot = 0; slot < 2; ++slot) {
    ReleaseSlot(slot);
  }
  if (system_.CdChannel != 0) {
    ZSoundFreeChannel(system_.CdChannel);
    system_.CdChannel = 0;
  }
  SetFlags(false, false, false);
}

void TZPlayer::RecordCommand() {
  recorder_.SetRecording(true);
  windows_.SetRecordChecked(true);
}

void TZPlayer::StopRecordCommand() {
  recorder_.SetRecording(false);
  windows_.SetRecordChecked(false);
}
