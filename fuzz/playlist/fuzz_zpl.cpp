// ".zpl" bytes: whatever decodes must encode to whole records and read back as the same entries,
// or as whole-character prefixes of them where a re-encoded text no longer fits its field.
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
    const TZPlaylistEntry* a = list.Get(i);
    const TZPlaylistEntry* b = back.Get(i);
    if (!a->Caption.startsWith(b->Caption) || !a->FileName.startsWith(b->FileName) ||
        !a->Time.startsWith(b->Time) || !a->Track.startsWith(b->Track)) {
      abort();
    }
  }
  return 0;
}
