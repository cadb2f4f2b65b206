// The first bytes of a file as an ID3v2 tag; a tag read must survive being written again.
#include <cstdint>
#include <cstdlib>

#include "playlist/id3v2.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArrayView bytes(data, static_cast<qsizetype>(size));
  TID3v2 tag;
  tag.ParseTag(bytes, bytes.size());
  const QByteArray frames = tag.BuildFrames();
  QByteArray rebuilt("ID3\x03\0\0", 6);
  for (int shift = 21; shift >= 0; shift -= 7)
    rebuilt.append(char((frames.size() >> shift) & 0x7F));
  rebuilt += frames;
  TID3v2 back;
  back.ParseTag(rebuilt, rebuilt.size());
  if (back.Title() != tag.Title().left(back.Title().size()) || back.Track() != tag.Track())
    abort();
  return 0;
}
