#pragma once
// A file served over HTTP, read at any position. A download thread stores what arrives in a
// cache file on disk: first the answer to the opening request, then, when the reader jumps
// ahead of it or back before it, the bytes from there on by range requests on a new connection,
// and at last the gaps, until the whole file is there. A server that ignores ranges answers
// with the whole file again, which is then read on to where the reader waits.
//
// The download callback sees the file's bytes exactly once and in order, as far as they have
// arrived without a gap from the start, then (nullptr, 0) when the download thread ends.

#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "components/sound/http.h"

// True when the answer is a whole file of known length rather than a live stream.
bool IsHttpFile(const IcyResponse& response);

class HttpFile : public NetReader {
 public:
  // Takes `connection` (the answer to a plain request for a file) over and starts downloading;
  // null, leaving the connection alone, when no cache file can be made.
  static std::shared_ptr<HttpFile> Start(HttpConnection* connection,
                                         const ZSoundDownloadCallback& callback,
                                         const NetTimeouts& timeouts);
  ~HttpFile() override;

  int Read(uint8_t* buffer, int size) override;
  int64_t Size() const override { return size_; }
  bool SeekTo(int64_t offset) override;
  std::string Tags(ZSoundTags type) const override;
  void Close() override;
  ZSoundError Failure() const override;

 private:
  HttpFile(HttpConnection connection, UniqueFd cache, const ZSoundDownloadCallback& callback,
           const NetTimeouts& timeouts);

  // The stored runs of bytes, start to end (exclusive), merged where they touch.
  class Runs {
   public:
    void Add(int64_t start, int64_t end);
    // End of the run holding `at`, or `at` when that byte is missing.
    int64_t EndFrom(int64_t at) const;
    // The first missing byte at or after `from`; `size` when there is none.
    int64_t FirstMissing(int64_t from, int64_t size) const;

   private:
    std::map<int64_t, int64_t> runs_;
  };

  void Run();
  bool Reconnect(int64_t start, ZSoundError* error);
  bool Pump();
  bool DropConnection();
  bool Store(const uint8_t* data, size_t size, bool* fresh);
  void DeliverPrefix();
  void Finish(ZSoundError why);
  int64_t NextTarget() const;
  bool FarFromConnection(int64_t at) const;

  const std::string url_;
  const std::string headers_;
  const int64_t size_;
  const ZSoundDownloadCallback callback_;
  const NetTimeouts timeouts_;
  const UniqueFd cache_;         // an unlinked file as large as the resource
  WakeSignal wake_;              // raised when the download thread must leave its connection
  std::vector<uint8_t> buffer_;  // the download thread's
  int64_t delivered_ = 0;        // bytes the callback has seen; the download thread's
  bool cacheFailed_ = false;     // the disk took no more; the download thread's

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  HttpConnection connection_;  // replaced only by the download thread, under the lock
  int64_t connectionAt_ = 0;   // offset of its next byte (or the one it asks for); -1: none
  Runs stored_;
  int64_t readAt_ = 0;    // the reader's position
  int64_t wanted_ = -1;   // a missing byte that the reader waits for
  uint64_t arrived_ = 0;  // counts stored blocks, so that waiting readers see progress
  RangeSupport ranges_;
  bool closed_ = false;
  bool finished_ = false;  // the download thread stopped: complete, failed or closed
  ZSoundError missing_ = ZSoundError::Ok;  // why the download thread stopped short
  ZSoundError failure_ = ZSoundError::Ok;  // why the last read failed
  std::thread thread_;
};
