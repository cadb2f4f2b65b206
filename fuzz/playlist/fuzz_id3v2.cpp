// The first bytes of a file as an ID3v2 tag; a tag read must survive being written again, every
// field of it.
#include <cstdint>
#include <cstdlib>

#include "playlist/id3v2.h"

namespace {

// A frame is read to its first 500 bytes: a text of up to 200 characters fits in any encoding
// the writer uses and must come back whole; a longer one in UTF-16 may come back cut to what
// fits, but never empty and never changed.
bool Survives(const QString& original, const QString& back) {
  if (original.size() <= 200) {
    return back == original;
  }
  return !back.isEmpty() && original.startsWith(back);
}

bool SameFields(const TID3v2& a, const TID3v2& b) {
  return Survives(a.Title(), b.Title()) && Survives(a.Artist(), b.Artist()) &&
         Survives(a.Album(), b.Album()) && a.Track() == b.Track() && Survives(a.Year(), b.Year()) &&
         Survives(a.Genre(), b.Genre()) && Survives(a.Comment(), b.Comment()) &&
         Survives(a.Composer(), b.Composer()) && Survives(a.Encoder(), b.Encoder()) &&
         Survives(a.Copyright(), b.Copyright()) && Survives(a.Language(), b.Language()) &&
         Survives(a.Link(), b.Link());
}

TID3v2 WrittenAndRead(const TID3v2& tag) {
  const QByteArray frames = tag.BuildFrames();
  QByteArray rebuilt("ID3\x03\0\0", 6);
  for (int shift = 21; shift >= 0; shift -= 7) {
    rebuilt.append(char((frames.size() >> shift) & 0x7F));
  }
  rebuilt += frames;
  TID3v2 back;
  back.ParseTag(rebuilt, rebuilt.size());
  return back;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArrayView bytes(data, static_cast<qsizetype>(size));
  TID3v2 tag;
  tag.ParseTag(bytes, bytes.size());
  const TID3v2 back = WrittenAndRead(tag);
  // What was written once is written again unchanged.
  if (!SameFields(tag, back) || !SameFields(back, WrittenAndRead(back))) {
    abort();
  }
  return 0;
}
