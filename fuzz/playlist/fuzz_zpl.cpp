// ".zpl" bytes: whatever decodes must encode to whole records and read back as the same entries,
// each field exactly the longest whole-character prefix of its text whose UTF-8 form fits.
#include <cstdint>
#include <cstdlib>

#include "playlist/playlistfiles.h"

namespace {

// UTF-8 bytes of one code point.
int Utf8Bytes(char32_t code) {
  return code < 0x80 ? 1 : code < 0x800 ? 2 : code < 0x10000 ? 3 : 4;
}

// What a field of `capacity` bytes can give back of a text.
QString FittingPrefix(const QString& text, int capacity) {
  QString prefix;
  int used = 0;
  for (const char32_t code : text.toUcs4()) {
    used += Utf8Bytes(code);
    if (used > capacity) {
      break;
    }
    prefix += QString::fromUcs4(&code, 1);
  }
  return prefix;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TZPlaylist list;
  if (!DecodeZpl(QByteArrayView(data, static_cast<qsizetype>(size)), list, true)) {
    if (size >= 4) {
      abort();  // a count is all it needs
    }
    return 0;
  }
  if (list.Count() > static_cast<qsizetype>((size - 4) / kZplRecordSize)) {
    abort();  // only whole records become entries
  }
  const QByteArray encoded = EncodeZpl(list);
  if (encoded.size() != 4 + qsizetype(kZplRecordSize) * list.Count()) {
    abort();
  }
  TZPlaylist back;
  if (!DecodeZpl(encoded, back, true) || back.Count() != list.Count()) {
    abort();
  }
  for (int i = 0; i < list.Count(); ++i) {
    const TZPlaylistEntry* a = list.Get(i);
    const TZPlaylistEntry* b = back.Get(i);
    if (b->Caption != FittingPrefix(a->Caption, 255) ||
        b->FileName != FittingPrefix(a->FileName, 255) || b->Time != FittingPrefix(a->Time, 8) ||
        b->Track != FittingPrefix(a->Track, 2)) {
      abort();
    }
  }
  return 0;
}
