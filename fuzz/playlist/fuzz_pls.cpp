// ".pls" text of any shape: a refused text leaves the playlist alone, an accepted one adds at most
// one entry per digit of an entry number, each a plain file entry of unknown time.
#include <cstdint>
#include <cstdlib>

#include "base/text/textcodec.h"
#include "base/text/textfile.h"
#include "playlist/playlistfiles.h"

namespace {

// Every entry needs an index, and every digit belongs to at most one index.
qsizetype Digits(const QStringList& lines) {
  qsizetype digits = 0;
  for (const QString& line : lines) {
    for (const QChar c : line) {
      digits += c >= u'0' && c <= u'9';
    }
  }
  return digits;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QStringList lines =
      SplitLines(DecodeText(QByteArrayView(data, static_cast<qsizetype>(size))));
  TZPlaylist list;
  list.Add(QStringLiteral("kept"), QStringLiteral("/kept.mp3"), false, QStringLiteral("07"),
           QStringLiteral("00:01:00"));
  bool changed = true;
  const bool accepted = ParsePls(lines, list, false, &changed);
  if (!accepted && (changed || list.Count() != 1)) {
    abort();
  }
  if (!changed && list.Count() != 1) {
    abort();
  }
  if (list.Get(0)->FileName != QStringLiteral("/kept.mp3")) {
    abort();
  }
  const int added = list.Count() - 1;
  if (added > Digits(lines)) {
    abort();
  }
  for (int i = 1; i < list.Count(); ++i) {
    const TZPlaylistEntry* entry = list.Get(i);
    if (entry->Track != QStringLiteral("00") || entry->Time != QStringLiteral("00:00:00")) {
      abort();
    }
  }
  return 0;
}
