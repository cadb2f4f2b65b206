#include "playlist/tagcaptions.h"

#include "playlist/apetag.h"
#include "playlist/id3v1.h"
#include "playlist/id3v2.h"

namespace {

QString ArtistTitle(const QString& artist, const QString& title) {
  return QStringLiteral("%1 - %2").arg(artist, title);
}

}  // namespace

QString ID3Caption(const QString& fileName) {
  TID3v2 v2;
  if (v2.ReadFromFile(fileName) && v2.Exists() && !v2.Artist().isEmpty() && !v2.Title().isEmpty()) {
    return ArtistTitle(v2.Artist(), v2.Title());
  }
  TID3v1 v1;
  if (v1.ReadFromFile(fileName) && v1.Exists() && !v1.Artist().isEmpty() && !v1.Title().isEmpty()) {
    return ArtistTitle(v1.Artist(), v1.Title());
  }
  return QString();
}

QString APECaption(const QString& fileName) {
  TAPEtag ape;
  if (ape.ReadFromFile(fileName) && ape.Exists() && !ape.Artist().isEmpty() &&
      !ape.Title().isEmpty()) {
    return ArtistTitle(ape.Artist(), ape.Title());
  }
  return QString();
}

QString ID3Track(const QString& fileName) {
  TID3v2 v2;
  if (v2.ReadFromFile(fileName) && v2.Exists()) {
    return QString::number(v2.Track());
  }
  TID3v1 v1;
  if (v1.ReadFromFile(fileName) && v1.Exists()) {
    return QString::number(v1.Track());
  }
  return QStringLiteral("00");
}

QString APETrack(const QString& fileName) {
  TAPEtag ape;
  if (ape.ReadFromFile(fileName) && ape.Exists()) {
    return QString::number(ape.Track());
  }
  return QStringLiteral("00");
}
