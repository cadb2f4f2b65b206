#include "desktop/mpris/playermpris.h"

#include <QUrl>
#include <cmath>

#include "config/config.h"
#include "playback/player.h"
#include "playlist/addmedia/addmedia.h"
#include "playlist/apetag.h"
#include "playlist/id3v1.h"
#include "playlist/id3v2.h"

namespace {

constexpr qint64 kGraphUnitsPerUs = 10;  // graph positions count 100 ns
const QString kCaptionSeparator = QStringLiteral(" - ");

}  // namespace

// Title, artist and album of a tag, when it has a title.
template <typename Tag>
bool TZPlayerMpris::TakeTag(const Tag& tag, Tags* tags) {
  if (tag.Title().isEmpty()) {
    return false;
  }
  tags->title = tag.Title();
  tags->artist = tag.Artist();
  tags->album = tag.Album();
  return true;
}

TZPlayerMpris::TZPlayerMpris(TZPlayer& player, TZPlaylist& playlist, TZConfig& config,
                             TZPlayerWindows& windows)
    : player_(player), playlist_(playlist), config_(config), windows_(windows) {}

TMprisStatus TZPlayerMpris::Status() const {
  const TZSystem& state = player_.State();
  if (state.Paused) {
    return TMprisStatus::Paused;
  }
  return state.Playing ? TMprisStatus::Playing : TMprisStatus::Stopped;
}

TZMprisTrack TZPlayerMpris::Track() const {
  const int index = playlist_.PlayingIndex();
  const TZPlaylistEntry* entry = playlist_.Get(index);
  if (!player_.State().ItemLoaded || !entry) {
    return {};
  }
  TZMprisTrack track;
  track.Index = index;
  const Tags& tags = TagsOf(entry->FileName);
  if (!tags.title.isEmpty()) {
    track.Title = tags.title;
    if (!tags.artist.isEmpty()) {
      track.Artists << tags.artist;
    }
    track.Album = tags.album;
  } else if (const qsizetype dash = entry->Caption.indexOf(kCaptionSeparator); dash > 0) {
    // Captions made from tags read "Artist - Title".
    track.Artists << entry->Caption.left(dash);
    track.Title = entry->Caption.mid(dash + kCaptionSeparator.size());
  } else {
    track.Title = entry->Caption;
  }
  const bool url = entry->FileName.contains(QStringLiteral("://"));
  track.Url = url ? entry->FileName : QUrl::fromLocalFile(entry->FileName).toString();
  track.LengthUs = LengthUs();
  return track;
}

const TZPlayerMpris::Tags& TZPlayerMpris::TagsOf(const QString& fileName) const {
  if (tags_.fileName == fileName) {
    return tags_;
  }
  tags_ = {fileName, {}, {}, {}};
  if (fileName.contains(QStringLiteral("://"))) {
    return tags_;
  }
  TID3v2 id3v2;
  if (id3v2.ReadFromFile(fileName) && TakeTag(id3v2, &tags_)) {
    return tags_;
  }
  TID3v1 id3v1;
  if (id3v1.ReadFromFile(fileName) && TakeTag(id3v1, &tags_)) {
    return tags_;
  }
  TAPEtag ape;
  if (ape.ReadFromFile(fileName)) {
    TakeTag(ape, &tags_);
  }
  return tags_;
}

qint64 TZPlayerMpris::LengthUs() const {
  const TZSystem& state = player_.State();
  if (IsBassKind(state.Kind)) {
    const ZSoundHandle channel = state.ReferenceChannel();
    const qint64 bytes = state.Kind == mkMusicCd ? ZSoundGetLength(channel)
                                                 : static_cast<qint64>(state.StreamLength);
    return bytes > 0 ? std::llround(ZSoundBytesToSeconds(channel, bytes) * 1e6) : 0;
  }
  if (IsGraphKind(state.Kind)) {
    return state.GraphDuration / kGraphUnitsPerUs;
  }
  return 0;
}

qint64 TZPlayerMpris::PositionUs() const {
  const TZSystem& state = player_.State();
  if (IsBassKind(state.Kind)) {
    const ZSoundHandle channel = state.ReferenceChannel();
    const qint64 bytes = ZSoundGetPosition(channel);
    return bytes > 0 ? std::llround(ZSoundBytesToSeconds(channel, bytes) * 1e6) : 0;
  }
  if (IsGraphKind(state.Kind)) {
    return state.GraphPosition / kGraphUnitsPerUs;
  }
  return 0;
}

bool TZPlayerMpris::Seekable() const {
  return player_.State().Seekable;
}

int TZPlayerMpris::EntryCount() const {
  return playlist_.Count();
}

double TZPlayerMpris::Volume() const {
  const TZBarState control = windows_.VolumeControl();
  return control.Maximum > 0 ? static_cast<double>(control.Position) / control.Maximum : 0.0;
}

void TZPlayerMpris::SetVolume(double volume) {
  const qint64 maximum = windows_.VolumeControl().Maximum;
  windows_.SetVolumePosition(std::llround(volume * static_cast<double>(maximum)));
  player_.ApplyVolume(false);
}

bool TZPlayerMpris::PlayModeOn() const {
  return config_.PlayMode;
}

TPlayMode TZPlayerMpris::PlayMode() const {
  return static_cast<TPlayMode>(config_.PlayModeIndex);
}

void TZPlayerMpris::SetPlayMode(bool on, TPlayMode mode) {
  config_.PlayMode = on;
  config_.PlayModeIndex = mode;
  if (playModeChanged_) {
    playModeChanged_();
  }
}

void TZPlayerMpris::Play() {
  if (player_.State().Paused) {
    player_.TogglePause();
  } else {
    player_.Navigator().PlayCursorEntry(config_.OFACheckIsValidFile);
  }
}

void TZPlayerMpris::Pause() {
  player_.TogglePause();
}

void TZPlayerMpris::Stop() {
  player_.FreeLastItem(true);
}

void TZPlayerMpris::Next() {
  player_.Navigator().PlayNext(PlayMode());
}

void TZPlayerMpris::Previous() {
  player_.Navigator().PlayPrevious(PlayMode());
}

void TZPlayerMpris::SetPositionUs(qint64 position) {
  const qint64 length = LengthUs();
  const TZBarState bar = windows_.PositionBar();
  if (length <= 0 || bar.Maximum <= 0) {
    return;
  }
  const double fraction = static_cast<double>(position) / static_cast<double>(length);
  windows_.SetPositionBarValue(std::llround(fraction * static_cast<double>(bar.Maximum)));
  player_.SeekToBar();
}

void TZPlayerMpris::OpenUri(const QString& uri) {
  const int first = playlist_.Count();
  TZMediaAdder(playlist_, config_).AddPath(uri);
  if (playlist_.Count() == first) {
    return;
  }
  windows_.RedrawPlaylist();
  player_.Navigator().PlayEntryCentred(first);
}

void TZPlayerMpris::Raise() {
  if (raise_) {
    raise_();
  }
}

void TZPlayerMpris::Quit() {
  if (quit_) {
    quit_();
  }
}
