// ".zpl" bytes: whatever decodes must encode to whole records and decode to the same entries.
#include <cstdint>
#include <cstdlib>

#include "playlist/playlistfiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TZPlaylist list;
  if (!DecodeZpl(QByteArrayView(data, static_cast<qsizetype>(size)), list, true))
    return 0;
  const QByteArray encoded = EncodeZpl(list);
  if (encoded.size() != 4 + qsizetype(kZplRecordSize) * list.Count())
    abort();
  TZPlaylist back;
  if (!DecodeZpl(encoded, back, true) || back.Count() != list.Count())
    abort();
  for (int i = 0; i < list.Count(); ++i) {
    if (back.Get(i)->Time != list.Get(i)->Time || back.Get(i)->Track != list.Get(i)->Track)
      abort();
  }
  return 0;
}
