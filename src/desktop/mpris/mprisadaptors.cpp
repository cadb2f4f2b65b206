#include "desktop/mpris/mprisadaptors.h"

#include <QUrl>
#include <algorithm>

#include "desktop/mpris/mprisservice.h"

namespace {

const QString kNoTrack = QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack");
const QStringList kUriSchemes{QStringLiteral("file"), QStringLiteral("http"),
                              QStringLiteral("https")};

QString TrackId(const TZMprisTrack& track) {
  return track.Index < 0 ? kNoTrack : QStringLiteral("/org/zephonic/track/%1").arg(track.Index);
}

}  // namespace

TZMprisRootAdaptor::TZMprisRootAdaptor(QObject* object, TZMprisPlayer& player)
    : QDBusAbstractAdaptor(object), player_(player) {}

QStringList TZMprisRootAdaptor::SupportedUriSchemes() const {
  return kUriSchemes;
}

QStringList TZMprisRootAdaptor::SupportedMimeTypes() const {
  return {QStringLiteral("audio/mpeg"),       QStringLiteral("audio/ogg"),
          QStringLiteral("audio/x-wav"),      QStringLiteral("audio/aac"),
          QStringLiteral("audio/mp4"),        QStringLiteral("audio/x-musepack"),
          QStringLiteral("audio/x-ape"),      QStringLiteral("video/mpeg"),
          QStringLiteral("video/mp4"),        QStringLiteral("video/x-msvideo"),
          QStringLiteral("video/x-matroska"), QStringLiteral("audio/x-mpegurl"),
          QStringLiteral("audio/x-scpls")};
}

void TZMprisRootAdaptor::Raise() {
  player_.Raise();
}

void TZMprisRootAdaptor::Quit() {
  player_.Quit();
}

TZMprisPlayerAdaptor::TZMprisPlayerAdaptor(TZMprisService& service, TZMprisPlayer& player)
    : QDBusAbstractAdaptor(&service), service_(service), player_(player) {}

QString TZMprisPlayerAdaptor::PlaybackStatus() const {
  switch (player_.Status()) {
    case TMprisStatus::Playing:
      return QStringLiteral("Playing");
    case TMprisStatus::Paused:
      return QStringLiteral("Paused");
    case TMprisStatus::Stopped:
      break;
  }
  return QStringLiteral("Stopped");
}

// Repeat plays the item again (Track); random and the looping mode go on for ever (Playlist);
// without the play mode, or with "None" and "Jump to next until end", playback stops (None).
QString TZMprisPlayerAdaptor::LoopStatus() const {
  if (player_.PlayModeOn()) {
    switch (player_.PlayMode()) {
      case pmRepeat:
        return QStringLiteral("Track");
      case pmRandom:
      case pmNextUntilEndLoop:
        return QStringLiteral("Playlist");
      case pmNone:
      case pmNextUntilEnd:
        break;
    }
  }
  return QStringLiteral("None");
}

void TZMprisPlayerAdaptor::SetLoopStatus(const QString& status) {
  if (status == QLatin1String("Track")) {
    player_.SetPlayMode(true, pmRepeat);
  } else if (status == QLatin1String("Playlist")) {
    // Random already loops; it stays.
    if (player_.PlayMode() != pmRandom || !player_.PlayModeOn()) {
      player_.SetPlayMode(true, pmNextUntilEndLoop);
    }
  } else if (status == QLatin1String("None")) {
    player_.SetPlayMode(true, pmNextUntilEnd);
  }
  service_.Refresh();
}

bool TZMprisPlayerAdaptor::Shuffle() const {
  return player_.PlayModeOn() && player_.PlayMode() == pmRandom;
}

void TZMprisPlayerAdaptor::SetShuffle(bool shuffle) {
  if (shuffle) {
    player_.SetPlayMode(true, pmRandom);
  } else if (Shuffle()) {
    player_.SetPlayMode(true, pmNextUntilEndLoop);
  }
  service_.Refresh();
}

QVariantMap TZMprisPlayerAdaptor::Metadata() const {
  const TZMprisTrack track = player_.Track();
  QVariantMap map{
      {QStringLiteral("mpris:trackid"), QVariant::fromValue(QDBusObjectPath(TrackId(track)))}};
  if (track.Index < 0) {
    return map;
  }
  if (track.LengthUs > 0) {
    map.insert(QStringLiteral("mpris:length"), qlonglong{track.LengthUs});
  }
  map.insert(QStringLiteral("xesam:title"), track.Title);
  if (!track.Artists.isEmpty()) {
    map.insert(QStringLiteral("xesam:artist"), track.Artists);
  }
  if (!track.Album.isEmpty()) {
    map.insert(QStringLiteral("xesam:album"), track.Album);
  }
  map.insert(QStringLiteral("xesam:url"), track.Url);
  return map;
}

double TZMprisPlayerAdaptor::Volume() const {
  return player_.Volume();
}

void TZMprisPlayerAdaptor::SetVolume(double volume) {
  player_.SetVolume(std::clamp(volume, 0.0, 1.0));
  service_.Refresh();
}

qlonglong TZMprisPlayerAdaptor::Position() const {
  return player_.Status() == TMprisStatus::Stopped ? 0 : player_.PositionUs();
}

bool TZMprisPlayerAdaptor::CanGoNext() const {
  return player_.EntryCount() > 0;
}

bool TZMprisPlayerAdaptor::CanGoPrevious() const {
  return player_.EntryCount() > 0;
}

bool TZMprisPlayerAdaptor::CanPlay() const {
  return player_.EntryCount() > 0;
}

bool TZMprisPlayerAdaptor::CanPause() const {
  return player_.Status() != TMprisStatus::Stopped;
}

bool TZMprisPlayerAdaptor::CanSeek() const {
  return player_.Status() != TMprisStatus::Stopped && player_.Seekable();
}

void TZMprisPlayerAdaptor::Next() {
  player_.Next();
  service_.Refresh();
}

void TZMprisPlayerAdaptor::Previous() {
  player_.Previous();
  service_.Refresh();
}

void TZMprisPlayerAdaptor::Pause() {
  if (player_.Status() == TMprisStatus::Playing) {
    player_.Pause();
  }
  service_.Refresh();
}

void TZMprisPlayerAdaptor::PlayPause() {
  if (player_.Status() == TMprisStatus::Playing) {
    player_.Pause();
  } else {
    player_.Play();
  }
  service_.Refresh();
}

void TZMprisPlayerAdaptor::Stop() {
  if (player_.Status() != TMprisStatus::Stopped) {
    player_.Stop();
  }
  service_.Refresh();
}

void TZMprisPlayerAdaptor::Play() {
  if (player_.Status() != TMprisStatus::Playing) {
    player_.Play();
  }
  service_.Refresh();
}

void TZMprisPlayerAdaptor::Seek(qlonglong Offset) {
  if (!CanSeek()) {
    return;
  }
  const qint64 length = player_.Track().LengthUs;
  const qint64 target = std::max<qint64>(0, player_.PositionUs() + Offset);
  // Beyond the end counts as going to the next item.
  if (length > 0 && target > length) {
    Next();
    return;
  }
  player_.SetPositionUs(target);
  service_.AnnounceSeek();
}

void TZMprisPlayerAdaptor::SetPosition(const QDBusObjectPath& TrackId, qlonglong Position) {
  const TZMprisTrack track = player_.Track();
  // A stale track id (the item changed meanwhile) or a position outside the item does nothing.
  if (!CanSeek() || TrackId.path() != ::TrackId(track) || Position < 0 ||
      (track.LengthUs > 0 && Position > track.LengthUs)) {
    return;
  }
  player_.SetPositionUs(Position);
  service_.AnnounceSeek();
}

void TZMprisPlayerAdaptor::OpenUri(const QString& Uri) {
  const QUrl url(Uri);
  if (!url.isValid() || !kUriSchemes.contains(url.scheme())) {
    return;
  }
  player_.OpenUri(url.isLocalFile() ? url.toLocalFile() : Uri);
  service_.Refresh();
}
