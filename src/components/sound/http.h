#pragma once
// The HTTP(S) client for internet radio and for files served over HTTP, on libcurl: connects
// with time-outs, follows redirects between http and https, takes proxies from the usual
// environment variables, verifies certificates, asks for byte ranges, and can be cancelled from
// another thread.

#include <sys/types.h>

#include <cstdint>
#include <memory>
#include <string>

#include "components/sound/decoder.h"
#include "components/sound/icy.h"
#include "components/sound/zsound.h"

struct NetTimeouts {
  int connectMs = 5000;
  int readMs = 10000;
};

// Owns a file descriptor.
class UniqueFd {
 public:
  UniqueFd() = default;
  explicit UniqueFd(int fd) : fd_(fd) {}
  ~UniqueFd();
  UniqueFd(UniqueFd&& other) noexcept;
  UniqueFd& operator=(UniqueFd&& other) noexcept;
  int get() const { return fd_; }

 private:
  int fd_ = -1;
};

// While raised, aborts every wait of the connections that were given its descriptor.
class WakeSignal {
 public:
  WakeSignal();
  void Raise();
  void Clear();
  int fd() const { return fd_.get(); }

 private:
  UniqueFd fd_;
};

struct HttpRequest {
  std::string url;
  bool metadata = false;    // ask for ICY metadata
  int64_t rangeStart = -1;  // ask for the bytes from this offset on
};

// One request and its answer: the parsed head, then the body as it arrives.
class HttpConnection {
 public:
  HttpConnection();
  ~HttpConnection();
  HttpConnection(HttpConnection&& other) noexcept;
  HttpConnection& operator=(HttpConnection&& other) noexcept;

  // Connects, sends the request and reads the response head, following redirects. Every wait
  // ends early when `cancelFd` (-1: none) becomes readable. A certificate that does not verify
  // fails with ZSoundError::Certificate.
  bool Open(const HttpRequest& request, const NetTimeouts& timeouts, int cancelFd,
            ZSoundError* error);
  const IcyResponse& Response() const;
  // The address that answered, after redirects.
  const std::string& Url() const;
  // Body bytes: the count, 0 at the end, -1 on failure, time-out or cancel.
  ssize_t Receive(uint8_t* buffer, size_t size, int ms);
  // Makes a Receive on another thread return at once, and every later one fail.
  void Shutdown();

 private:
  class Transfer;
  std::unique_ptr<Transfer> transfer_;
};

// What a URL channel decodes from: a live stream or a file, with the server's tags; closing it
// from any thread ends its reads and its download.
class NetReader : public ByteReader {
 public:
  virtual std::string Tags(ZSoundTags type) const = 0;
  virtual void Close() = 0;
  // Why the last read failed, when the network is to blame; Ok otherwise.
  virtual ZSoundError Failure() const { return ZSoundError::Ok; }
};
