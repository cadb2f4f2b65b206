// ".pls" text of any shape.
#include <cstdint>

#include "components/text/textcodec.h"
#include "components/text/textfile.h"
#include "playlist/playlistfiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QStringList lines =
      SplitLines(DecodeText(QByteArrayView(data, static_cast<qsizetype>(size))));
  TZPlaylist list;
  bool changed = false;
  ParsePls(lines, list, true, &changed);
  return 0;
}
