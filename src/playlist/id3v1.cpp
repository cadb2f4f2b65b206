#include "playlist/id3v1.h"

#include <QFile>

#include "playlist/tagtext.h"

namespace {

constexpr int kTextLength = 30;
constexpr int kYearLength = 4;
constexpr int kTitleAt = 3, kArtistAt = 33, kAlbumAt = 63, kYearAt = 93, kCommentAt = 97;

QString FieldText(const QByteArray& tag, int at, int length) {
  return TrimTrailingTagText(DecodeTagBytes(QByteArrayView(tag).sliced(at, length)));
}

QString FieldValue(const QString& text, int length) {
  return TrimTrailingTagText(text).left(length);
}

constexpr int kMarkAt = 125, kTrackAt = 126;

void PutBytes(QByteArray& tag, int at, const QByteArray& bytes) {
  std::copy(bytes.begin(), bytes.end(), tag.begin() + at);
}

void PutText(QByteArray& tag, int at, const QString& text, int length) {
  PutBytes(tag, at, EncodeTagField(text, length));
}

// The two bytes before the genre hold a track number (ID3v1.1): a zero then a non-zero byte, or
// a blank then a non-blank one.
bool IsTrackMark(unsigned char mark, unsigned char track) {
  return (mark == 0 && track != 0) || (mark == ' ' && track != ' ');
}

// The comment as written: two bytes shorter when a track follows it, and never ending in what
// reads as a track when there is none (a comment whose text grew in bytes could, when cut).
QByteArray CommentBytes(const QString& comment, bool withTrack) {
  const int shortLength = kTextLength - 2;
  QByteArray bytes = EncodeTagField(comment, withTrack ? shortLength : kTextLength);
  const auto byte = [&](int i) { return i < bytes.size() ? uchar(bytes[i]) : uchar(0); };
  if (!withTrack && IsTrackMark(byte(shortLength), byte(shortLength + 1))) {
    bytes = EncodeTagField(comment, shortLength);
  }
  return bytes;
}

bool HasTag(QFile& file) {
  if (file.size() < kID3v1TagSize || !file.seek(file.size() - kID3v1TagSize)) {
    return false;
  }
  return file.read(3) == "TAG";
}

}  // namespace

bool TID3v1::ReadFromFile(const QString& fileName) {
  ResetData();
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly) || file.size() < kID3v1TagSize ||
      !file.seek(file.size() - kID3v1TagSize)) {
    return false;
  }
  const QByteArray last = file.read(kID3v1TagSize);
  if (last.size() != kID3v1TagSize) {
    return false;
  }
  ParseTag(last);
  return true;
}

bool TID3v1::ParseTag(const QByteArray& last128) {
  ResetData();
  if (last128.size() != kID3v1TagSize || !last128.startsWith("TAG")) {
    return false;
  }
  exists_ = true;
  const auto byte = [&](int i) { return static_cast<unsigned char>(last128[i]); };
  const bool v11 = IsTrackMark(byte(kMarkAt), byte(kTrackAt));
  versionId_ = v11 ? 2 : 1;
  title_ = FieldText(last128, kTitleAt, kTextLength);
  artist_ = FieldText(last128, kArtistAt, kTextLength);
  album_ = FieldText(last128, kAlbumAt, kTextLength);
  year_ = FieldText(last128, kYearAt, kYearLength);
  if (v11) {
    comment_ = FieldText(last128, kCommentAt, kTextLength - 2);
    track_ = byte(kTrackAt);
  } else {
    comment_ = FieldText(last128, kCommentAt, kTextLength);
  }
  genreId_ = byte(127);
  return true;
}

QByteArray TID3v1::BuildTag() const {
  QByteArray tag(kID3v1TagSize, '\0');
  tag.replace(0, 3, "TAG");
  PutText(tag, kTitleAt, title_, kTextLength);
  PutText(tag, kArtistAt, artist_, kTextLength);
  PutText(tag, kAlbumAt, album_, kTextLength);
  PutText(tag, kYearAt, year_, kYearLength);
  PutBytes(tag, kCommentAt, CommentBytes(comment_, track_ != 0));
  if (track_ != 0) {
    tag[kMarkAt] = '\0';
    tag[kTrackAt] = static_cast<char>(track_);
  }
  tag[127] = static_cast<char>(genreId_);
  return tag;
}

bool TID3v1::SaveToFile(const QString& fileName) const {
  if (!MakeFileWritable(fileName)) {
    return false;
  }
  QFile file(fileName);
  if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
    return false;
  }
  // The new tag takes the old one's place, or is appended; an append that fails (a full disk)
  // is cut off again, so the file stays as it was.
  const qint64 size = file.size();
  const QByteArray tag = BuildTag();
  if (file.seek(HasTag(file) ? size - kID3v1TagSize : size) && file.write(tag) == tag.size() &&
      file.flush()) {
    return true;
  }
  file.resize(size);
  return false;
}

bool TID3v1::RemoveFromFile(const QString& fileName) {
  if (!MakeFileWritable(fileName)) {
    return false;
  }
  QFile file(fileName);
  if (!file.open(QIODevice::ReadWrite)) {
    return false;
  }
  if (!HasTag(file)) {
    return true;
  }
  return file.resize(file.size() - kID3v1TagSize);
}

QString TID3v1::Genre() const {
  const QStringList& genres = ID3v1Genres();
  return genreId_ < genres.size() ? genres[genreId_] : QString();
}

void TID3v1::SetTitle(const QString& text) {
  title_ = FieldValue(text, kTextLength);
}
void TID3v1::SetArtist(const QString& text) {
  artist_ = FieldValue(text, kTextLength);
}
void TID3v1::SetAlbum(const QString& text) {
  album_ = FieldValue(text, kTextLength);
}
void TID3v1::SetYear(const QString& text) {
  year_ = FieldValue(text, kYearLength);
}
void TID3v1::SetComment(const QString& text) {
  comment_ = FieldValue(text, kTextLength);
}

const QStringList& ID3v1Genres() {
  static const QStringList genres = {"Blues",
                                     "Classic Rock",
                                     "Country",
                                     "Dance",
                                     "Disco",
                                     "Funk",
                                     "Grunge",
                                     "Hip-Hop",
                                     "Jazz",
                                     "Metal",
                                     "New Age",
                                     "Oldies",
                                     "Other",
                                     "Pop",
                                     "R&B",
                                     "Rap",
                                     "Reggae",
                                     "Rock",
                                     "Techno",
                                     "Industrial",
                                     "Alternative",
                                     "Ska",
                                     "Death Metal",
                                     "Pranks",
                                     "Soundtrack",
                                     "Euro-Techno",
                                     "Ambient",
                                     "Trip-Hop",
                                     "Vocal",
                                     "Jazz+Funk",
                                     "Fusion",
                                     "Trance",
                                     "Classical",
                                     "Instrumental",
                                     "Acid",
                                     "House",
                                     "Game",
                                     "Sound Clip",
                                     "Gospel",
                                     "Noise",
                                     "AlternRock",
                                     "Bass",
                                     "Soul",
                                     "Punk",
                                     "Space",
                                     "Meditative",
                                     "Instrumental Pop",
                                     "Instrumental Rock",
                                     "Ethnic",
                                     "Gothic",
                                     "Darkwave",
                                     "Techno-Industrial",
                                     "Electronic",
                                     "Pop-Folk",
                                     "Eurodance",
                                     "Dream",
                                     "Southern Rock",
                                     "Comedy",
                                     "Cult",
                                     "Gangsta",
                                     "Top 40",
                                     "Christian Rap",
                                     "Pop/Funk",
                                     "Jungle",
                                     "Native American",
                                     "Cabaret",
                                     "New Wave",
                                     "Psychadelic",
                                     "Rave",
                                     "Showtunes",
                                     "Trailer",
                                     "Lo-Fi",
                                     "Tribal",
                                     "Acid Punk",
                                     "Acid Jazz",
                                     "Polka",
                                     "Retro",
                                     "Musical",
                                     "Rock & Roll",
                                     "Hard Rock",
                                     "Folk",
                                     "Folk-Rock",
                                     "National Folk",
                                     "Swing",
                                     "Fast Fusion",
                                     "Bebob",
                                     "Latin",
                                     "Revival",
                                     "Celtic",
                                     "Bluegrass",
                                     "Avantgarde",
                                     "Gothic Rock",
                                     "Progessive Rock",
                                     "Psychedelic Rock",
                                     "Symphonic Rock",
                                     "Slow Rock",
                                     "Big Band",
                                     "Chorus",
                                     "Easy Listening",
                                     "Acoustic",
                                     "Humour",
                                     "Speech",
                                     "Chanson",
                                     "Opera",
                                     "Chamber Music",
                                     "Sonata",
                                     "Symphony",
                                     "Booty Bass",
                                     "Primus",
                                     "Porn Groove",
                                     "Satire",
                                     "Slow Jam",
                                     "Club",
                                     "Tango",
                                     "Samba",
                                     "Folklore",
                                     "Ballad",
                                     "Power Ballad",
                                     "Rhythmic Soul",
                                     "Freestyle",
                                     "Duet",
                                     "Punk Rock",
                                     "Drum Solo",
                                     "A capella",
                                     "Euro-House",
                                     "Dance Hall",
                                     "Goa",
                                     "Drum & Bass",
                                     "Club-House",
                                     "Hardcore",
                                     "Terror",
                                     "Indie",
                                     "BritPop",
                                     "Negerpunk",
                                     "Polsk Punk",
                                     "Beat",
                                     "Christian Gangsta Rap",
                                     "Heavy Metal",
                                     "Black Metal",
                                     "Crossover",
                                     "Contemporary Christian",
                                     "Christian Rock",
                                     "Merengue",
                                     "Salsa",
                                     "Trash Metal",
                                     "Anime",
                                     "JPop",
                                     "Synthpop"};
  return genres;
}
