// Disc bytes of any shape, read as a video manager and as an ISO image: the title table gives at
// most 99 titles, and a video manager found inside an image reads like any other.
#include <QByteArray>
#include <cstdint>
#include <cstdlib>

#include "playback/dvd/dvddisc.h"

namespace {

TZDiscReader Reader(const QByteArray& bytes) {
  return [&bytes](qint64 offset, int size) {
    return offset < 0 || offset >= bytes.size() || size < 0 ? QByteArray()
                                                            : bytes.mid(offset, size);
  };
}

void CheckCounts(const QByteArray& bytes) {
  if (const std::optional<std::vector<int>> counts = DvdChapterCounts(Reader(bytes))) {
    if (counts->empty() || counts->size() > 99) {
      abort();
    }
    for (int chapters : *counts) {
      if (chapters < 0 || chapters > 0xFFFF) {
        abort();
      }
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  CheckCounts(bytes);
  // Small inputs stand for the image's sectors from 16 on, where the volume descriptor lies.
  const QByteArray image = QByteArray(16 * 2048, '\0') + bytes;
  if (const std::optional<QByteArray> manager = DvdIsoVideoManager(Reader(image))) {
    CheckCounts(*manager);
  }
  return 0;
}
