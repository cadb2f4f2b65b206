// The end of a file as an APE tag.
#include <cstdint>

#include "playlist/apetag.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TAPEtag tag;
  tag.ParseTag(QByteArrayView(data, static_cast<qsizetype>(size)));
  return 0;
}
