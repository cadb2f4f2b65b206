#pragma once
// The Shoutcast/Icecast protocol's two pieces of outside text: the response head and the
// metadata blocks that the server interleaves with the audio every `icy-metaint` bytes.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// What "Accept-Ranges" says about asking for parts of the resource.
enum class RangeSupport { Unknown, Bytes, None };

// "Content-Range: bytes first-last/total"; -1 for what the answer leaves out ("*").
struct ByteRange {
  int64_t first = -1;
  int64_t last = -1;
  int64_t total = -1;
};

struct IcyResponse {
  int status = 0;                  // 200, 302, ...
  std::vector<std::string> lines;  // the status line, then every header line as sent
  std::string location;            // redirect target
  std::string contentType;
  int metaInterval = 0;        // 0: no metadata in the stream
  int64_t contentLength = -1;  // -1: not given (live streams)
  RangeSupport ranges = RangeSupport::Unknown;
  ByteRange contentRange;  // of a 206 answer
  bool icy = false;        // an ICY status line or icy-* headers: a live stream
};

// Parses a head ending with an empty line (CR LF or LF). False when it is not an HTTP or ICY
// response.
bool ParseIcyResponse(const std::string& head, IcyResponse* response);

// Parses the value of a Content-Range header ("bytes 0-99/1000", "bytes */1000"); false when it
// is malformed or inconsistent.
bool ParseContentRange(const std::string& value, ByteRange* range);

// The head's lines as NUL-separated texts ended by an empty one.
std::string JoinTags(const std::vector<std::string>& texts);

// Splits the byte stream into audio and metadata texts.
class IcyDemuxer {
 public:
  explicit IcyDemuxer(int metaInterval) : interval_(metaInterval) {}

  // Appends the audio bytes of `data` to *audio and stops right after a completed non-empty
  // metadata block, which goes to *metadata (trailing NUL padding removed), so that the audio
  // before a title and the audio after it reach the caller apart. Returns the bytes used: at
  // least one when `size` is not zero.
  size_t Feed(const uint8_t* data, size_t size, std::string* audio,
              std::vector<std::string>* metadata);

 private:
  int interval_;
  size_t audioLeft_ = 0;  // audio bytes before the next length byte
  size_t metaLeft_ = 0;   // bytes of the metadata block still to come
  bool inMeta_ = false;
  bool started_ = false;
  std::string block_;
};

// The FFmpeg demuxer for a content type ("mp3", "aac", "ogg"), or empty to probe.
std::string FormatForContentType(const std::string& contentType);
