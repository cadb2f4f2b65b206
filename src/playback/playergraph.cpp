// The filter-graph kinds (video files, filter-graph audio, network video, DVDs): what the player
// core does around the graph that the video engine builds.

#include "config/config.h"
#include "playback/player.h"
#include "playback/videoengine.h"
#include "playlist/addmedia/mediatime.h"

namespace {

constexpr qint64 kUnitsPerSecond = 10000000;

}  // namespace

void TZPlayer::PlayGraph(int index) {
  TZPlaylistEntry* entry = system_.CurrentEntry;
  const TMediaKind kind = system_.Kind;
  BeginOpen();
  if (!video_) {
    FailOpen(1002, QStringLiteral("TZVideo"), QString());
    return;
  }
  if (const std::optional<TZOpenError> error = video_->Open(kind, *entry)) {
    FailOpen(error->Id, error->Tag, error->Detail, error->Reported);
    return;
  }
  if (kind != mkDvd) {
    system_.GraphDuration = video_->Duration();
    if (config_.OFPReadTime) {
      const double seconds = static_cast<double>(system_.GraphDuration) / kUnitsPerSecond;
      entry->Time =
          kind == mkVideoStream
              ? DurationText(seconds)
              : DurationText(static_cast<double>(system_.GraphDuration / kUnitsPerSecond));
    }
  }
  SetFlags(true, true, false);
  MarkPlayed(index);
  if (analyzer_) {
    analyzer_->ResetForItem();
  }
  const qint64 seconds = system_.GraphDuration / kUnitsPerSecond;
  if ((kind == mkVideo || kind == mkAudio) && seconds > 0) {
    windows_.SetPositionBar(seconds, 0, true);
  } else {
    windows_.SetPositionBar(100, 0, false);
    if (kind == mkVideo || kind == mkAudio) {
      windows_.ShowWarning(
          QStringLiteral("Duration is not valid for this file, seeking is disabled."));
    }
  }
  StartControlsAndTitle();
}

void TZPlayer::TickGraph() {
  if (!video_ || !video_->Active()) {
    return;
  }
  if (video_->Ended()) {
    EndOfItem(false);
    return;
  }
  const qint64 position = video_->Position();
  system_.GraphPosition = position;
  if (system_.Kind == mkVideoStream) {
    system_.Seekable = false;
    const qint64 seconds = (position + kUnitsPerSecond / 2) / kUnitsPerSecond;
    windows_.SetTimeDisplay(seconds * 1000, false);
    return;
  }
  system_.Seekable = true;
  if (position <= kUnitsPerSecond) {
    return;
  }
  const qint64 seconds = position / kUnitsPerSecond;
  if (!windows_.PositionBarDragging()) {
    windows_.SetPositionBarValue(seconds);
  }
  const qint64 duration = system_.GraphDuration / kUnitsPerSecond;
  ShowTime(seconds * 1000, duration * 1000);
  if (seconds >= duration) {
    EndOfItem(false);
  }
}
