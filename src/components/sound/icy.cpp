#include "components/sound/icy.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <utility>

namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

int ParseNumber(const std::string& text, int fallback) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end != text.data() ? value : fallback;
}

// A byte count or offset: decimal digits only, no sign, no overflow.
bool ParseOffset(const std::string& text, int64_t* value) {
  if (text.empty() || !std::isdigit(static_cast<unsigned char>(text.front()))) {
    return false;
  }
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), *value);
  return error == std::errc() && end == text.data() + text.size();
}

// A sane bound: real servers use 8 KiB to 64 KiB; a huge interval would delay every title.
constexpr int kMaxMetaInterval = 1 << 20;

}  // namespace

bool ParseIcyResponse(const std::string& head, IcyResponse* response) {
  *response = IcyResponse();
  size_t start = 0;
  while (start < head.size()) {
    size_t end = head.find('\n', start);
    if (end == std::string::npos) {
      end = head.size();
    }
    std::string line = head.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    if (line.empty()) {
      break;
    }
    response->lines.push_back(line);
  }
  if (response->lines.empty()) {
    return false;
  }
  const std::string& status = response->lines.front();
  response->icy = status.rfind("ICY ", 0) == 0;
  if (!response->icy && status.rfind("HTTP/", 0) != 0) {
    return false;
  }
  const size_t space = status.find(' ');
  response->status = ParseNumber(Trim(status.substr(space + 1, 3)), 0);
  if (response->status < 100 || response->status > 999) {
    return false;
  }
  for (size_t i = 1; i < response->lines.size(); ++i) {
    const std::string& line = response->lines[i];
    const size_t colon = line.find(':');
    if (colon == std::string::npos) {
      continue;
    }
    const std::string name = Lower(Trim(line.substr(0, colon)));
    const std::string value = Trim(line.substr(colon + 1));
    if (name == "icy-metaint") {
      const int interval = ParseNumber(value, 0);
      response->metaInterval = interval > 0 && interval <= kMaxMetaInterval ? interval : 0;
    } else if (name == "location") {
      response->location = value;
    } else if (name == "content-type") {
      response->contentType = Lower(value);
    } else if (name == "content-length") {
      int64_t length = 0;
      response->contentLength = ParseOffset(value, &length) ? length : -1;
    } else if (name == "accept-ranges") {
      const std::string units = Lower(value);
      response->ranges = units == "none"                            ? RangeSupport::None
                         : units.find("bytes") != std::string::npos ? RangeSupport::Bytes
                                                                    : RangeSupport::Unknown;
    } else if (name == "content-range") {
      ParseContentRange(value, &response->contentRange);
    }
    response->icy = response->icy || name.rfind("icy-", 0) == 0;
  }
  return true;
}

bool ParseContentRange(const std::string& value, ByteRange* range) {
  *range = ByteRange();
  const std::string unit = "bytes ";
  const std::string rest = Trim(value.substr(std::min(unit.size(), value.size())));
  const size_t slash = rest.find('/');
  if (Lower(value.substr(0, unit.size())) != unit || slash == std::string::npos) {
    return false;
  }
  const std::string span = rest.substr(0, slash);
  const std::string total = rest.substr(slash + 1);
  ByteRange parsed;
  if (total != "*" && (!ParseOffset(total, &parsed.total) || parsed.total <= 0)) {
    return false;
  }
  if (span == "*") {
    // An unsatisfiable range names the size.
    *range = parsed;
    return total != "*";
  }
  const size_t dash = span.find('-');
  if (dash == std::string::npos || !ParseOffset(span.substr(0, dash), &parsed.first) ||
      !ParseOffset(span.substr(dash + 1), &parsed.last) || parsed.last < parsed.first ||
      (parsed.total >= 0 && parsed.last >= parsed.total)) {
    return false;
  }
  *range = parsed;
  return true;
}

std::string JoinTags(const std::vector<std::string>& texts) {
  std::string joined;
  for (const auto& text : texts) {
    joined.append(text);
    joined.push_back('\0');
  }
  if (!joined.empty()) {
    joined.push_back('\0');
  }
  return joined;
}

size_t IcyDemuxer::Feed(const uint8_t* data, size_t size, std::string* audio,
                        std::vector<std::string>* metadata) {
  if (interval_ <= 0) {
    audio->append(reinterpret_cast<const char*>(data), size);
    return size;
  }
  if (!started_) {
    audioLeft_ = static_cast<size_t>(interval_);
    started_ = true;
  }
  size_t at = 0;
  while (at < size) {
    if (inMeta_) {
      const size_t take = std::min(metaLeft_, size - at);
      block_.append(reinterpret_cast<const char*>(data + at), take);
      at += take;
      metaLeft_ -= take;
      if (metaLeft_ == 0) {
        inMeta_ = false;
        audioLeft_ = static_cast<size_t>(interval_);
        const size_t end = block_.find('\0');
        block_.resize(end == std::string::npos ? block_.size() : end);
        if (!block_.empty()) {
          metadata->push_back(std::move(block_));
          block_.clear();
          return at;
        }
      }
    } else if (audioLeft_ == 0) {
      // The length byte counts 16-byte units; zero means "no new metadata".
      metaLeft_ = static_cast<size_t>(data[at++]) * 16;
      if (metaLeft_ > 0) {
        inMeta_ = true;
      } else {
        audioLeft_ = static_cast<size_t>(interval_);
      }
    } else {
      const size_t take = std::min(audioLeft_, size - at);
      audio->append(reinterpret_cast<const char*>(data + at), take);
      at += take;
      audioLeft_ -= take;
    }
  }
  return size;
}

std::string FormatForContentType(const std::string& contentType) {
  const std::string type = Lower(contentType.substr(0, contentType.find(';')));
  if (type == "audio/mpeg" || type == "audio/mp3" || type == "audio/x-mpeg") {
    return "mp3";
  }
  if (type == "audio/aac" || type == "audio/aacp" || type == "audio/x-aac") {
    return "aac";
  }
  if (type == "application/ogg" || type == "audio/ogg" || type == "audio/x-ogg" ||
      type == "audio/vorbis") {
    return "ogg";
  }
  return {};
}
