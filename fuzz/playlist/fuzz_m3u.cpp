// ".m3u" text of any shape.
#include <cstdint>
#include <cstdlib>

#include "base/text/textcodec.h"
#include "base/text/textfile.h"
#include "playlist/playlistfiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QStringList lines =
      SplitLines(DecodeText(QByteArrayView(data, static_cast<qsizetype>(size))));
  TZPlaylist list;
  ParseM3u(lines, list, true);
  for (int i = 0; i < list.Count(); ++i) {
    if (list.Get(i)->Time.size() != 8) {
      abort();
    }
  }
  return 0;
}
