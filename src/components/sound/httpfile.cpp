#include "components/sound/httpfile.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <iterator>
#include <utility>

namespace {

// Reading on over this many bytes is cheaper than a new connection.
constexpr int64_t kReadOnWindow = 128 * 1024;
constexpr size_t kBlockSize = 64 * 1024;
// Connections in a row that fail or bring no new byte before the download gives up.
constexpr int kMaxFailedFetches = 3;

// An anonymous file in the temporary folder: it goes away with its descriptor.
UniqueFd MakeCacheFile() {
  const char* folder = std::getenv("TMPDIR");
  std::string pattern = std::string(folder && *folder ? folder : "/tmp") + "/zephonic-XXXXXX";
  UniqueFd file(mkostemp(pattern.data(), O_CLOEXEC));
  if (file.get() >= 0) {
    unlink(pattern.c_str());
  }
  return file;
}

}  // namespace

bool IsHttpFile(const IcyResponse& response) {
  return response.status == 200 && response.contentLength >= 0 && response.metaInterval == 0 &&
         !response.icy;
}

void HttpFile::Runs::Add(int64_t start, int64_t end) {
  if (start >= end) {
    return;
  }
  auto next = runs_.upper_bound(start);
  if (next != runs_.begin()) {
    const auto before = std::prev(next);
    if (before->second >= start) {
      start = before->first;
      end = std::max(end, before->second);
      next = runs_.erase(before);
    }
  }
  while (next != runs_.end() && next->first <= end) {
    end = std::max(end, next->second);
    next = runs_.erase(next);
  }
  runs_[start] = end;
}

int64_t HttpFile::Runs::EndFrom(int64_t at) const {
  auto run = runs_.upper_bound(at);
  if (run == runs_.begin()) {
    return at;
  }
  --run;
  return std::max(run->second, at);
}

int64_t HttpFile::Runs::FirstMissing(int64_t from, int64_t size) const {
  // Runs that touch are merged, so the end of the run at `from` is missing.
  return std::min(EndFrom(from), size);
}

std::shared_ptr<HttpFile> HttpFile::Start(HttpConnection* connection,
                                          const ZSoundDownloadCallback& callback,
                                          const NetTimeouts& timeouts) {
  UniqueFd cache = MakeCacheFile();
  if (cache.get() < 0) {
    return nullptr;
  }
  return std::shared_ptr<HttpFile>(
      new HttpFile(std::move(*connection), std::move(cache), callback, timeouts));
}

HttpFile::HttpFile(HttpConnection connection, UniqueFd cache,
                   const ZSoundDownloadCallback& callback, const NetTimeouts& timeouts)
    : url_(connection.Url()),
      headers_(JoinTags(connection.Response().lines)),
      size_(connection.Response().contentLength),
      callback_(callback),
      timeouts_(timeouts),
      cache_(std::move(cache)),
      buffer_(kBlockSize),
      connection_(std::move(connection)),
      ranges_(connection_.Response().ranges) {
  thread_ = std::thread([this] { Run(); });
}

HttpFile::~HttpFile() {
  Close();
  thread_.join();
}

void HttpFile::Close() {
  std::lock_guard lock(mutex_);
  closed_ = true;
  connection_.Shutdown();
  wake_.Raise();
  changed_.notify_all();
}

bool HttpFile::SeekTo(int64_t offset) {
  if (offset < 0 || offset > size_) {
    return false;
  }
  std::lock_guard lock(mutex_);
  readAt_ = offset;
  wanted_ = -1;
  return true;
}

ZSoundError HttpFile::Failure() const {
  std::lock_guard lock(mutex_);
  return failure_;
}

std::string HttpFile::Tags(ZSoundTags type) const {
  return type == ZSoundTags::IcyHeaders ? headers_ : std::string();
}

int HttpFile::Read(uint8_t* buffer, int size) {
  const auto patience = std::chrono::milliseconds(timeouts_.connectMs + timeouts_.readMs);
  std::unique_lock lock(mutex_);
  while (!closed_) {
    if (readAt_ >= size_) {
      return 0;
    }
    const int64_t end = stored_.EndFrom(readAt_);
    if (end > readAt_) {
      wanted_ = -1;
      const int64_t at = readAt_;
      const auto count = static_cast<size_t>(std::min<int64_t>(size, end - at));
      lock.unlock();
      // Stored bytes never change, so they are read without the lock.
      if (pread(cache_.get(), buffer, count, at) != static_cast<ssize_t>(count)) {
        return -1;
      }
      lock.lock();
      readAt_ = at + static_cast<int64_t>(count);
      return static_cast<int>(count);
    }
    if (finished_) {
      failure_ = missing_;  // the download ended without these bytes
      return -1;
    }
    wanted_ = readAt_;
    if (ranges_ != RangeSupport::None && FarFromConnection(wanted_)) {
      // The download thread leaves its connection and asks for the wanted bytes instead.
      connection_.Shutdown();
      wake_.Raise();
    }
    // Waits as long as bytes keep arriving; a server that stalls fails the read.
    const uint64_t before = arrived_;
    if (!changed_.wait_for(lock, patience,
                           [&] { return closed_ || finished_ || arrived_ != before; })) {
      failure_ = ZSoundError::Timeout;
      return -1;
    }
  }
  return -1;
}

bool HttpFile::FarFromConnection(int64_t at) const {
  return connectionAt_ < 0 || at < connectionAt_ || at > connectionAt_ + kReadOnWindow;
}

int64_t HttpFile::NextTarget() const {
  if (wanted_ >= 0 && stored_.EndFrom(wanted_) == wanted_) {
    return wanted_;
  }
  const int64_t ahead = stored_.FirstMissing(readAt_, size_);
  return ahead < size_ ? ahead : stored_.FirstMissing(0, size_);
}

void HttpFile::Run() {
  int failures = 0;
  ZSoundError why = ZSoundError::Network;
  bool connected = true;  // to begin with, the answer to the opening request
  while (true) {
    if (connected) {
      const bool brought = Pump();
      const bool left = DropConnection();
      why = ZSoundError::Network;
      failures = brought ? 0 : failures + (left ? 0 : 1);
    }
    int64_t target = 0;
    {
      std::lock_guard lock(mutex_);
      target = NextTarget();
      if (closed_ || cacheFailed_ || target >= size_ || failures >= kMaxFailedFetches) {
        break;
      }
      wake_.Clear();  // under the lock, so that a Close is never lost
      connectionAt_ = target;
    }
    connected = Reconnect(target, &why);
    if (!connected) {
      failures += DropConnection() ? 0 : 1;
    }
  }
  Finish(why);
}

// Ends the connection; true when it was left for the reader's sake rather than by failing.
bool HttpFile::DropConnection() {
  std::lock_guard lock(mutex_);
  const bool left = closed_ || (ranges_ != RangeSupport::None && wanted_ >= 0 &&
                                stored_.EndFrom(wanted_) == wanted_ && FarFromConnection(wanted_));
  connection_ = HttpConnection();
  connectionAt_ = -1;
  return left;
}

void HttpFile::Finish(ZSoundError why) {
  {
    std::lock_guard lock(mutex_);
    finished_ = true;
    missing_ = why;
    connection_ = HttpConnection();
    connectionAt_ = -1;
    changed_.notify_all();
  }
  if (callback_) {
    callback_(nullptr, 0);
  }
}

bool HttpFile::Reconnect(int64_t start, ZSoundError* error) {
  HttpConnection next;
  *error = ZSoundError::Network;
  if (!next.Open({url_, false, start}, timeouts_, wake_.fd(), error)) {
    return false;
  }
  *error = ZSoundError::Network;
  const IcyResponse& answer = next.Response();
  const ByteRange& range = answer.contentRange;
  int64_t at = -1;
  if (answer.status == 206 && range.first == start && (range.total == size_ || range.total < 0)) {
    at = start;
  } else if (answer.status == 200 && answer.contentLength == size_) {
    at = 0;  // the whole file again: read on to where it is wanted
  }
  if (at < 0 || answer.metaInterval > 0) {
    return false;
  }
  std::lock_guard lock(mutex_);
  if (closed_) {
    return false;
  }
  if (start > 0) {
    ranges_ = at == start ? RangeSupport::Bytes : RangeSupport::None;
  }
  connection_ = std::move(next);
  connectionAt_ = at;
  return true;
}

// Stores what the connection brings until it ends or the bytes are wanted elsewhere; true when
// it brought any that were missing.
bool HttpFile::Pump() {
  bool brought = false;
  while (true) {
    const auto room = static_cast<size_t>(std::min<int64_t>(kBlockSize, size_ - connectionAt_));
    const ssize_t got = room > 0 ? connection_.Receive(buffer_.data(), room, timeouts_.readMs) : 0;
    bool fresh = false;
    if (got <= 0 || !Store(buffer_.data(), static_cast<size_t>(got), &fresh)) {
      break;
    }
    brought = brought || fresh;
    DeliverPrefix();
    std::lock_guard lock(mutex_);
    const int64_t target = NextTarget();
    if (closed_ || target >= size_ ||
        (ranges_ != RangeSupport::None && FarFromConnection(target))) {
      break;
    }
  }
  return brought;
}

bool HttpFile::Store(const uint8_t* data, size_t size, bool* fresh) {
  const int64_t at = connectionAt_;
  const int64_t end = at + static_cast<int64_t>(size);
  if (pwrite(cache_.get(), data, size, at) != static_cast<ssize_t>(size)) {
    cacheFailed_ = true;
    return false;
  }
  std::lock_guard lock(mutex_);
  *fresh = stored_.EndFrom(at) < end;
  stored_.Add(at, end);
  connectionAt_ = end;
  ++arrived_;
  changed_.notify_all();
  return true;
}

void HttpFile::DeliverPrefix() {
  if (!callback_) {
    return;
  }
  int64_t end = 0;
  {
    std::lock_guard lock(mutex_);
    end = stored_.EndFrom(0);
  }
  while (delivered_ < end) {
    const auto count = static_cast<size_t>(std::min<int64_t>(kBlockSize, end - delivered_));
    if (pread(cache_.get(), buffer_.data(), count, delivered_) != static_cast<ssize_t>(count)) {
      return;
    }
    callback_(buffer_.data(), count);
    delivered_ += static_cast<int64_t>(count);
  }
}
