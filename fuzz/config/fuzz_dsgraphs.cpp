// Any bytes as "dsgraphs.lst": reading must not fail, and a list read from it must survive
// being written and read again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "base/text/textcodec.h"
#include "base/text/textfile.h"
#include "config/config.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  TZConfig config;
  if (!ApplyGraphListLines(SplitLines(DecodeText(bytes)), config)) {
    return 0;
  }

  const QStringList written = GraphListLines(config);
  TZConfig reread;
  if (!ApplyGraphListLines(SplitLines(DecodeText(EncodeText(written.join("\r\n")))), reread) ||
      reread.Graphs != config.Graphs) {
    std::abort();
  }
  return 0;
}
