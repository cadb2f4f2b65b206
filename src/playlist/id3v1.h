#pragma once
// The 128-byte ID3v1 / ID3v1.1 tag at the end of an audio file: read, written and removed.

#include <QString>
#include <QStringList>
#include <cstdint>

class TID3v1 {
 public:
  TID3v1() = default;

  // Everything empty, Exists false, VersionID 1, GenreID 255.
  void ResetData() { *this = TID3v1(); }
  // False when the file cannot be read or is shorter than a tag; true otherwise (Exists tells
  // whether a tag was found).
  bool ReadFromFile(const QString& fileName);
  // Replaces any tag of the file by this one. False (file unchanged) on failure.
  bool SaveToFile(const QString& fileName) const;
  // Cuts a tag off the end of the file; true also when there was none.
  static bool RemoveFromFile(const QString& fileName);

  // Parses the last 128 bytes of a file; false when they are not a tag.
  bool ParseTag(const QByteArray& last128);
  QByteArray BuildTag() const;

  bool Exists() const { return exists_; }
  uint8_t VersionID() const { return versionId_; }  // 1 = ID3v1.0, 2 = ID3v1.1
  const QString& Title() const { return title_; }
  const QString& Artist() const { return artist_; }
  const QString& Album() const { return album_; }
  const QString& Year() const { return year_; }
  const QString& Comment() const { return comment_; }
  uint8_t Track() const { return track_; }      // 0 = none
  uint8_t GenreID() const { return genreId_; }  // 255 = none
  QString Genre() const;                        // the name of GenreID, empty when none

  // Setters drop trailing blanks and control characters and cut to the field's length.
  void SetTitle(const QString& text);
  void SetArtist(const QString& text);
  void SetAlbum(const QString& text);
  void SetYear(const QString& text);
  void SetComment(const QString& text);
  void SetTrack(uint8_t track) { track_ = track; }
  void SetGenreID(uint8_t id) { genreId_ = id; }

 private:
  bool exists_ = false;
  uint8_t versionId_ = 1;
  QString title_, artist_, album_, year_, comment_;
  uint8_t track_ = 0;
  uint8_t genreId_ = 255;
};

// The ID3v1 genre list with its common extensions: 148 names, indices 0 ("Blues") to 147.
const QStringList& ID3v1Genres();

inline constexpr int kID3v1TagSize = 128;
