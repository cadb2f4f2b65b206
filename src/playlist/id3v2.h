#pragma once
// The ID3v2 tag at the start of an audio file: versions 2.2, 2.3 and 2.4 are read, and tags are
// written as 2.3 (in place when the old tag has room, else by rewriting the file safely).

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <cstdint>

class TID3v2 {
 public:
  TID3v2() = default;

  void ResetData() { *this = TID3v2(); }  // everything empty, Exists false
  // False when the file cannot be read or is shorter than a tag header; true otherwise.
  bool ReadFromFile(const QString& fileName);
  // Writes this tag as version 2.3; every other frame of the old tag is dropped. The audio data is
  // never lost: a rewrite goes through a temporary file renamed over the original.
  bool SaveToFile(const QString& fileName) const;
  // Removes the tag; false when the file has none or cannot be rewritten.
  static bool RemoveFromFile(const QString& fileName);

  // Parses a tag from the first bytes of a file (the whole tag when it fits); fileSize bounds Size.
  void ParseTag(QByteArrayView head, qint64 fileSize);
  // The frames this tag writes, without header or padding.
  QByteArray BuildFrames() const;

  bool Exists() const { return exists_; }
  uint8_t VersionID() const { return versionId_; }
  int Size() const { return size_; }  // the whole tag in bytes, header included; 0 when unusable
  const QString& Title() const { return title_; }
  const QString& Artist() const { return artist_; }
  const QString& Album() const { return album_; }
  uint16_t Track() const { return track_; }
  const QString& TrackString() const { return trackString_; }
  const QString& Year() const { return year_; }
  const QString& Genre() const { return genre_; }
  const QString& Comment() const { return comment_; }
  const QString& Composer() const { return composer_; }
  const QString& Encoder() const { return encoder_; }
  const QString& Copyright() const { return copyright_; }
  const QString& Language() const { return language_; }
  const QString& Link() const { return link_; }

  // Setters drop leading and trailing blanks and control characters.
  void SetTitle(const QString& text);
  void SetArtist(const QString& text);
  void SetAlbum(const QString& text);
  void SetTrack(uint16_t track) { track_ = track; }
  void SetYear(const QString& text);
  void SetGenre(const QString& text);
  void SetComment(const QString& text);
  void SetComposer(const QString& text);
  void SetEncoder(const QString& text);
  void SetCopyright(const QString& text);
  void SetLanguage(const QString& text);
  void SetLink(const QString& text);

 private:
  bool exists_ = false;
  uint8_t versionId_ = 0;
  int size_ = 0;
  QString title_, artist_, album_;
  uint16_t track_ = 0;
  QString trackString_, year_, genre_, comment_, composer_, encoder_, copyright_, language_, link_;
};

// A new tag takes at least this many bytes, so later edits fit in place.
inline constexpr int kID3v2RewriteSize = 4096;
