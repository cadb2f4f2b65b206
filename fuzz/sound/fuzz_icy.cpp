// Feeds arbitrary bytes to the parsers of a radio server's answer: the response head, and the
// stream with interleaved metadata blocks at a metadata interval taken from the first byte.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "components/sound/icy.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  IcyResponse response;
  if (ParseIcyResponse(text, &response)) {
    JoinTags(response.lines);
    FormatForContentType(response.contentType);
  }
  if (size == 0) {
    return 0;
  }
  // Small intervals so that metadata blocks come often; the stream is fed in uneven pieces.
  IcyDemuxer demuxer(data[0] % 64);
  std::string audio;
  std::vector<std::string> titles;
  size_t at = 1;
  size_t piece = 1;
  while (at < size) {
    const size_t take = std::min(piece, size - at);
    demuxer.Feed(data + at, take, &audio, &titles);
    at += take;
    piece = piece * 2 % 37 + 1;
  }
  return 0;
}
