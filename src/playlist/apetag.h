#pragma once
// The APEv1 / APEv2 tag at the end of an audio file (before an ID3v1 tag if there is one). Read
// only.

#include <QByteArrayView>
#include <QString>
#include <cstdint>

class TAPEtag {
 public:
  TAPEtag() = default;

  void ResetData() { *this = TAPEtag(); }  // everything empty, Exists false
  // False when the file cannot be read or is shorter than a tag footer; true otherwise.
  bool ReadFromFile(const QString& fileName);
  // Parses a tag whose footer ends at the end of tail (items may precede it in tail).
  void ParseTag(QByteArrayView tail);

  bool Exists() const { return exists_; }
  int Version() const { return version_; }  // 1000 or 2000
  int Size() const { return size_; }        // items plus footer
  const QString& Title() const { return title_; }
  const QString& Artist() const { return artist_; }
  const QString& Album() const { return album_; }
  uint8_t Track() const { return track_; }
  const QString& Year() const { return year_; }
  const QString& Genre() const { return genre_; }
  const QString& Comment() const { return comment_; }
  const QString& Copyright() const { return copyright_; }

 private:
  void StoreItem(const QString& key, const QString& value);

  bool exists_ = false;
  int version_ = 0;
  int size_ = 0;
  QString title_, artist_, album_;
  uint8_t track_ = 0;
  QString year_, genre_, comment_, copyright_;
};

inline constexpr int kAPEFooterSize = 32;
