// The sound-library kinds: files, audio CDs, and the ticks that follow them to their end.

#include <QFileInfo>

#include "config/config.h"
#include "playback/player.h"
#include "playlist/addmedia/addmedia.h"
#include "playlist/addmedia/mediatime.h"

namespace {

const QString kBassTag = QStringLiteral("TZBass");
const QString kCdTag = QStringLiteral("TZMusicCD");

void ReadTagsIntoEntry(TZPlaylistEntry* entry) {
  const QString caption = TagCaption(entry->FileName);
  if (!caption.isEmpty()) {
    entry->Caption = caption;
  }
  const QString track = TagTrack(entry->FileName);
  if (track != QStringLiteral("00")) {
    entry->Track = track;
  }
}

// The drive of a CD entry "<drive>/TrackNN.cda": a device or a CD image.
QString CdDriveOf(const QString& fileName) {
  const qsizetype slash = fileName.lastIndexOf(u'/');
  return slash > 0 ? fileName.left(slash) : QString();
}

qint64 Milliseconds(ZSoundHandle channel, qint64 bytes) {
  return static_cast<qint64>(ZSoundBytesToSeconds(channel, bytes) * 1000);
}

}  // namespace

bool TZPlayer::FileLoaded() const {
  return system_.ItemLoaded && system_.Kind == mkBassStream && !system_.ActiveGroup().Empty();
}

bool TZPlayer::PlaysFileEntry(int index) const {
  return FileLoaded() && playlist_.Get(index) == system_.CurrentEntry;
}

void TZPlayer::SuspendFile() {
  if (!FileLoaded()) {
    return;
  }
  playTimer_->Stop();
  suspendedPosition_ = ZSoundGetPosition(system_.ActiveGroup().Reference());
  // A fading previous item would hold nothing of this file, but it ends now all the same.
  for (int slot = 0; slot < int(system_.Slots.size()); ++slot) {
    ReleaseSlot(slot);
  }
}

void TZPlayer::ResumeFile() {
  if (suspendedPosition_ < 0) {
    return;
  }
  const int64_t position = std::exchange(suspendedPosition_, -1);
  const std::string file = system_.CurrentEntry->FileName.toStdString();
  TChannelGroup& group = system_.ActiveGroup();
  group = OpenChannelGroup(system_.SpeakerCount,
                           [&](uint32_t flags) { return ZSoundOpenFile(file, flags); });
  if (group.Empty()) {
    FailOpen(203, kBassTag, QFileInfo(system_.CurrentEntry->FileName).fileName());
    Stop();
    return;
  }
  equalizer_.CreateEffects(group);
  group.SetPosition(position);
  SetChannelAttributes();
  if (!system_.Paused) {
    group.Play(false);
    playTimer_->Start(kPlayTimerInterval);
  }
}

void TZPlayer::ApplySpeakerSetting() {
  if (!FileLoaded() || system_.Paused || system_.Kind != mkBassStream) {
    return;
  }
  SuspendFile();
  system_.SpeakerCount = SpeakerCountNow();
  ResumeFile();
}

void TZPlayer::PlayBassFile(int index) {
  TZPlaylistEntry* entry = system_.CurrentEntry;
  const QString path = entry->FileName;
  BeginOpen();
  ChooseSlot();
  if (!QFileInfo(path).isFile()) {
    FailOpen(1000, kBassTag, QFileInfo(path).fileName());
    return;
  }
  if (config_.OFPReadID3Tag) {
    ReadTagsIntoEntry(entry);
  }
  system_.SpeakerCount = SpeakerCountNow();
  TChannelGroup& group = system_.ActiveGroup();
  const std::string file = path.toStdString();
  group = OpenChannelGroup(system_.SpeakerCount,
                           [&](uint32_t flags) { return ZSoundOpenFile(file, flags); });
  if (group.Empty()) {
    FailOpen(203, kBassTag, QFileInfo(path).fileName());
    return;
  }
  if (config_.OFPReadTime) {
    const ZSoundHandle reference = group.Reference();
    entry->Time = DurationText(ZSoundBytesToSeconds(reference, ZSoundGetLength(reference)));
  }
  equalizer_.CreateEffects(group);
  group.SetAttributes(kZSoundKeep, 0, kZSoundKeep);  // silent until the volume is applied
  if (!group.Play(false)) {
    ReleaseSlot(system_.ActiveSlot);
    FailOpen(204, kBassTag, QString());
    return;
  }
  windows_.HideVideoWindow();
  windows_.SetMenuEnabled(pmAudio, true);
  windows_.SetMenuEnabled(pmLiveStream, false);
  system_.StreamLength =
      static_cast<uint64_t>(std::max<int64_t>(ZSoundGetLength(group.Reference()), 0));
  ReadChannelAttributes(group.Reference());
  system_.BaseRate = system_.Rate;
  ApplyVolume(true);
  system_.FadingOut = false;
  LogPlaying(path, QStringLiteral("Audio (Bass stream) [%1]").arg(system_.ActiveSlot), index);
  FadeIn(false);
  FinishBassStart(index, static_cast<qint64>(system_.StreamLength), true);
}

void TZPlayer::FinishBassStart(int index, qint64 barMaximum, bool barEnabled) {
  if (analyzer_) {
    analyzer_->ResetForItem();
  }
  SetFlags(true, true, false);
  MarkPlayed(index);
  windows_.SetPositionBar(barMaximum, 0, barEnabled);
  StartControlsAndTitle();
  system_.Seekable = barEnabled;
}

void TZPlayer::PlayMusicCd(int index) {
  TZPlaylistEntry* entry = system_.CurrentEntry;
  BeginOpen();
  const QString track = entry->Track;
  if (track.isEmpty() || track == QStringLiteral("-1") || track == QStringLiteral("00")) {
    FailOpen(1000, kCdTag, entry->FileName);
    return;
  }
  const QString drive = CdDriveOf(entry->FileName);
  const std::string driveName = drive.toStdString();
  const std::vector<std::string> drives = ZSoundCdDrives();
  const auto found = std::find(drives.begin(), drives.end(), driveName);
  system_.CdDrive = found == drives.end() ? 0 : static_cast<int>(found - drives.begin());
  system_.SpeakerCount = SpeakerCountNow();
  cdDrivePath_ = drive;
  system_.CdChannel = ZSoundOpenCdTrack(driveName, track.toInt(), 0);
  if (system_.CdChannel == 0) {
    FailOpen(4000, kCdTag, entry->FileName);
    return;
  }
  const auto fail = [&] {
    ZSoundFreeChannel(system_.CdChannel);
    system_.CdChannel = 0;
    system_.CdEffects = {};
    FailOpen(4000, kCdTag, track);
  };
  if (!ZSoundCdIsReady(driveName)) {
    fail();
    return;
  }
  equalizer_.CreateCdEffects();
  ZSoundSetAttributes(system_.CdChannel, kZSoundKeep, 0, kZSoundKeep);
  if (!ZSoundPlay(system_.CdChannel, false)) {
    fail();
    return;
  }
  windows_.HideVideoWindow();
  windows_.SetMenuEnabled(pmAudio, true);
  windows_.SetMenuEnabled(pmLiveStream, false);
  system_.StreamLength =
      static_cast<uint64_t>(std::max<int64_t>(ZSoundGetLength(system_.CdChannel), 0));
  ReadChannelAttributes(system_.CdChannel);
  ApplyVolume(false);
  system_.FadingOut = false;
  system_.BaseRate = system_.Rate;
  FadeIn(false);
  LogPlaying(entry->FileName, QStringLiteral("Audio (MusicCD)"), index);
  if (config_.OFPReadTime) {
    entry->Time = CdDurationText(static_cast<int64_t>(system_.StreamLength));
  }
  FinishBassStart(index, static_cast<qint64>(system_.StreamLength), true);
}

void TZPlayer::PlayTick() {
  if (!running_ || !system_.Playing) {
    return;
  }
  switch (system_.Kind) {
    case mkBassStream:
      TickBass();
      break;
    case mkBassUrlStream:
      TickStream();
      break;
    case mkVideo:
    case mkAudio:
    case mkVideoStream:
      TickGraph();
      break;
    case mkMusicCd:
      TickCd();
      break;
    case mkDvd:
    case mkUnknown:
      break;
  }
}

void TZPlayer::ShowTime(qint64 positionMs, qint64 lengthMs) {
  const bool remaining = config_.TimeMode == tmRemaining;
  windows_.SetTimeDisplay(remaining ? lengthMs - positionMs : positionMs, remaining);
}

// Position, time display and end test of a sound channel; true when the item has ended. A
// channel that stopped on its own counts as ended, so playback always advances.
bool TZPlayer::FollowChannel(ZSoundHandle channel, int endWindowMs) {
  const ZSoundActivity activity = ZSoundIsActive(channel);
  if (activity == ZSoundActivity::Stopped) {
    return true;
  }
  if (activity != ZSoundActivity::Playing) {
    return false;
  }
  const qint64 p = ZSoundGetPosition(channel);
  if (!windows_.PositionBarDragging()) {
    windows_.SetPositionBarValue(p);
  }
  const qint64 position = Milliseconds(channel, p);
  const qint64 length = Milliseconds(channel, static_cast<qint64>(system_.StreamLength));
  ShowTime(position, length);
  const qint64 untilEnd = length - endWindowMs - position;
  if (untilEnd <= 0) {
    return true;
  }
  // The tick is longer than the end window: the tick before the end comes back exactly at the
  // end, so a crossfade starts on time instead of up to one tick late.
  if (untilEnd < kPlayTimerInterval) {
    playTimer_->Start(static_cast<int>(untilEnd));
  } else if (playTimer_->Interval() != kPlayTimerInterval) {
    playTimer_->Start(kPlayTimerInterval);
  }
  return false;
}

void TZPlayer::TickBass() {
  const int window = config_.Fader.Enabled ? config_.Fader.Time : kBassEndWindowMs;
  if (FollowChannel(system_.ActiveGroup().Reference(), window)) {
    EndOfItem(config_.Fader.Enabled);
  }
}

void TZPlayer::TickCd() {
  if (!ZSoundCdIsReady(cdDrivePath_.toStdString())) {
    FreeLastItem(true);
    return;
  }
  if (FollowChannel(system_.CdChannel, kBassEndWindowMs)) {
    playlist_.LastPlayedIndex = playlist_.PlayingIndex();
    EndOfItem(false);
  }
}

void TZPlayer::EndOfItem(bool hideVideo) {
  const int index = playlist_.PlayingIndex();
  FreeLastItem(hideVideo);
  if (!config_.PlayMode) {
    return;
  }
  // Stepping goes on from the entry that ended.
  if (TZPlaylistEntry* entry = playlist_.Get(index)) {
    entry->Played = true;
  }
  navigator_.PlayNext(static_cast<TPlayMode>(config_.PlayModeIndex));
  if (!system_.ItemLoaded) {
    playlist_.ClearPlayed();
  }
}
