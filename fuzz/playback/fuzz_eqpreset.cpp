// ".zeqp" preset text of any shape: every band stays a bar position, and a saved preset reads
// back the same.
#include <cstdint>
#include <cstdlib>

#include "base/text/textcodec.h"
#include "base/text/textfile.h"
#include "playback/equalizer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QStringList lines =
      SplitLines(DecodeText(QByteArrayView(data, static_cast<qsizetype>(size))));
  const TZBandPositions positions = ParsePresetLines(lines);
  for (int p : positions) {
    if (p < 0 || p > TZEqualizer::kMaxPosition) {
      abort();
    }
  }
  if (ParsePresetLines(PresetLines(positions)) != positions) {
    abort();
  }
  return 0;
}
