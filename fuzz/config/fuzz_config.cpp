// Any bytes as "config.zcfg": reading must not fail, and what the program writes from the
// result must read back to the same file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "base/text/textcodec.h"
#include "base/text/textfile.h"
#include "config/config.h"

namespace {

// Made once: building a record looks up the home folder, and copies share their texts.
const TZConfig& Defaults() {
  static const TZConfig defaults;
  return defaults;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  TZConfig config = Defaults();
  ApplyConfigLines(SplitLines(DecodeText(bytes)), config);

  const QStringList written = ConfigFileLines(config);
  TZConfig reread = Defaults();
  ApplyConfigLines(SplitLines(DecodeText(EncodeText(written.join("\r\n")))), reread);
  if (ConfigFileLines(reread) != written) {
    std::abort();
  }
  return 0;
}
