// Internet radio: connecting with retries, the station name and running title, recording.

#include "config/config.h"
#include "lang/language.h"
#include "lang/textformat.h"
#include "lang/textids.h"
#include "playback/player.h"
#include "playback/streamtags.h"

namespace {

// The retry count and pause are fixed at the settings' defaults.
constexpr int kRetries = 3;
constexpr int kRetryWaitMs = 1000;

}  // namespace

void TZPlayer::PlayStream(int index) {
  TZPlaylistEntry* entry = system_.CurrentEntry;
  const QString url = entry->FileName;
  BeginOpen();
  ChooseSlot();
  windows_.SetTitleText(Language().Text(kTextConnecting));
  system_.SpeakerCount = SpeakerCountNow();
  recorder_.BeginStream(config_.LSASConvertTo, RecordOutputFolder(config_.LSASOutputPath));
  const std::string address = url.toStdString();
  // Kept here because freeing the group's other handles after a failed open resets the
  // library's last error.
  ZSoundError failure = ZSoundError::Ok;
  // Only the reference handle records: the other speaker pairs download the same bytes.
  const auto open = [&](uint32_t flags) {
    const bool reference = flags == 0 || flags == kZSoundSpeakerFront;
    const ZSoundHandle handle =
        ZSoundOpenUrl(address, flags | kZSoundStreamMetadata,
                      reference ? recorder_.Callback() : ZSoundDownloadCallback());
    if (handle == 0) {
      failure = ZSoundErrorCode();
    }
    return handle;
  };
  TChannelGroup& group = system_.ActiveGroup();
  group = OpenChannelGroup(0, open);
  // A certificate that does not verify will not verify a second later either.
  for (int retry = 0; group.Empty() && failure != ZSoundError::Certificate && retry < kRetries;
       ++retry) {
    retryWait_(kRetryWaitMs);
    group = OpenChannelGroup(system_.SpeakerCount, open);
  }
  if (group.Empty()) {
    PlayerLog(QStringLiteral("LiveStream failed: ") + QString::fromUtf8(ZSoundErrorText(failure)));
    recorder_.StreamStarted(QString());
    FailOpen(203, QStringLiteral("TZBass"), url);
    return;
  }
  equalizer_.CreateEffects(group);
  group.SetAttributes(kZSoundKeep, 0, kZSoundKeep);
  if (!group.Play(false)) {
    ReleaseSlot(system_.ActiveSlot);
    recorder_.StreamStarted(QString());
    FailOpen(204, QStringLiteral("TZBass"), QString());
    return;
  }
  windows_.HideVideoWindow();
  windows_.SetMenuEnabled(pmAudio, true);
  windows_.SetMenuEnabled(pmLiveStream, true);
  system_.StreamLength = 0;
  ReadChannelAttributes(group.Reference());
  ApplyVolume(true);
  system_.FadingOut = false;
  system_.BaseRate = system_.Rate;
  FadeIn(true);
  if (analyzer_) {
    analyzer_->ResetForItem();
  }
  SetFlags(true, true, false);
  LogPlaying(url, QStringLiteral("Audio (Bass URL stream) [%1]").arg(system_.ActiveSlot), index);

  QString name = FindKey(ReadStreamKeys(group.Reference()), QStringLiteral("icy-name"));
  if (!name.isEmpty()) {
    entry->Caption = name;
  } else {
    name = QStringLiteral("unknown");
  }
  if (config_.LSASAutoRecord) {
    PlayerLog(QStringLiteral("LiveStream Autorecord started."));
    RecordCommand();
  }
  const QString baseName = RecordBaseName(config_.LSASFormatMask, name);
  recorder_.StreamStarted(baseName);
  PlayerLog(QStringLiteral("LiveStream File: ") + baseName);
  MarkPlayed(index);
  windows_.SetPositionBar(100, 0, false);
  StartControlsAndTitle();
  system_.Seekable = false;
}

void TZPlayer::TickStream() {
  const ZSoundHandle channel = system_.ActiveGroup().Reference();
  if (ZSoundIsActive(channel) != ZSoundActivity::Playing) {
    return;
  }
  const qint64 p = ZSoundGetPosition(channel);
  CheckStreamTitle();
  if (p > 0) {
    windows_.SetTimeDisplay(static_cast<qint64>(ZSoundBytesToSeconds(channel, p) * 1000), false);
  }
}

void TZPlayer::CheckStreamTitle() {
  const QString title =
      FindKey(ReadStreamKeys(system_.ActiveGroup().Reference()), QStringLiteral("StreamTitle"));
  const QString text = FormatText(Language().Text(kTextIsPlaying), {title});
  if (text == windows_.TitleText() || title.isEmpty() || system_.StatusMessageShown) {
    return;
  }
  if (config_.LSASAutoChangeTitle) {
    const QString baseName = RecordBaseName(config_.LSASFormatMask, title);
    recorder_.TitleChanged(baseName);
    PlayerLog(QStringLiteral("LiveStream Title Changed: ") + baseName);
  }
  system_.PlayingText = text;
  windows_.SetTitleText(text);
  windows_.RestartScrollingLabels();
}
