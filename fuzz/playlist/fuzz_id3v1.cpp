// The last 128 bytes of a file as an ID3v1 tag; a tag read must survive being written again,
// every field of it.
#include <cstdint>
#include <cstdlib>

#include "playlist/id3v1.h"

namespace {

bool SameFields(const TID3v1& a, const TID3v1& b) {
  return a.Title() == b.Title() && a.Artist() == b.Artist() && a.Album() == b.Album() &&
         a.Year() == b.Year() && a.Comment() == b.Comment() && a.Track() == b.Track() &&
         a.GenreID() == b.GenreID();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < kID3v1TagSize) {
    return 0;
  }
  const QByteArray last(reinterpret_cast<const char*>(data) + size - kID3v1TagSize, kID3v1TagSize);
  TID3v1 tag;
  if (!tag.ParseTag(last)) {
    return 0;
  }
  TID3v1 back;
  if (!back.ParseTag(tag.BuildTag()) || !SameFields(tag, back)) {
    abort();
  }
  return 0;
}
