// Feeds arbitrary bytes to the parsers of a server's answer: the response head (with its length
// and byte-range headers), a Content-Range value on its own, and the stream with interleaved
// metadata blocks at a metadata interval taken from the first byte.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "components/sound/httpfile.h"
#include "components/sound/icy.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  IcyResponse response;
  if (ParseIcyResponse(text, &response)) {
    JoinTags(response.lines);
    FormatForContentType(response.contentType);
    IsHttpFile(response);
  }
  ByteRange range;
  if (ParseContentRange(text, &range) && range.first >= 0) {
    // A range that parses is ordered and inside the size it names.
    if (range.last < range.first || (range.total >= 0 && range.last >= range.total)) {
      __builtin_trap();
    }
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
    for (size_t used = 0; used < take;) {
      const size_t step = demuxer.Feed(data + at + used, take - used, &audio, &titles);
      if (step == 0 || step > take - used) {
        __builtin_trap();  // it must always make progress and never read past the piece
      }
      used += step;
    }
    at += take;
    piece = piece * 2 % 37 + 1;
  }
  return 0;
}
