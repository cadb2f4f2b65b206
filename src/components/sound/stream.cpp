#include "components/sound/stream.h"

#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <fcntl.h>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <thread>
#include <utility>

#include "components/sound/decoder.h"
#include "components/sound/icy.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr size_t kMaxHeadBytes = 16384;
constexpr size_t kPipeCapacity = 512 * 1024;
constexpr int kMaxRedirects = 3;

struct Url {
  std::string host;
  std::string port = "80";
  std::string path = "/";
};

bool ParseUrl(const std::string& text, Url* url) {
  const std::string scheme = "http://";
  if (text.size() <= scheme.size() || strncasecmp(text.c_str(), scheme.c_str(), scheme.size())) {
    return false;
  }
  const std::string rest = text.substr(scheme.size());
  const size_t slash = rest.find('/');
  std::string authority = rest.substr(0, slash);
  url->path = slash == std::string::npos ? "/" : rest.substr(slash);
  const size_t at = authority.rfind('@');
  if (at != std::string::npos) {
    authority = authority.substr(at + 1);
  }
  const size_t colon = authority.rfind(':');
  if (colon != std::string::npos && authority.find(']', colon) == std::string::npos) {
    url->port = authority.substr(colon + 1);
    authority = authority.substr(0, colon);
  }
  if (authority.size() > 2 && authority.front() == '[' && authority.back() == ']') {
    authority = authority.substr(1, authority.size() - 2);
  }
  url->host = authority;
  return !url->host.empty() && !url->port.empty();
}

int RemainingMs(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  return static_cast<int>(std::max<int64_t>(left.count(), 0));
}

class Socket {
 public:
  Socket() = default;
  explicit Socket(int fd) : fd_(fd) {}
  ~Socket() {
    if (fd_ >= 0) {
      close(fd_);
    }
  }
  Socket(Socket&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  Socket& operator=(Socket&& other) noexcept {
    std::swap(fd_, other.fd_);
    return *this;
  }
  int fd() const { return fd_; }

  // Waits for `events` up to `ms`; false on time-out or error.
  bool Wait(short events, int ms) const {
    pollfd entry{fd_, events, 0};
    while (true) {
      const int ready = poll(&entry, 1, ms);
      if (ready < 0 && errno == EINTR) {
        continue;
      }
      return ready > 0;
    }
  }

  // Bytes read, 0 at the end of the connection, -1 on error, -2 on time-out.
  ssize_t Receive(uint8_t* buffer, size_t size, int ms) const {
    if (!Wait(POLLIN, ms)) {
      return -2;
    }
    const ssize_t got = recv(fd_, buffer, size, 0);
    return got < 0 && (errno == EAGAIN || errno == EINTR) ? Receive(buffer, size, ms) : got;
  }

  bool SendAll(const std::string& data, int ms) const {
    size_t sent = 0;
    while (sent < data.size()) {
      if (!Wait(POLLOUT, ms)) {
        return false;
      }
      const ssize_t n = send(fd_, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
      if (n < 0 && errno != EAGAIN && errno != EINTR) {
        return false;
      }
      sent += static_cast<size_t>(std::max<ssize_t>(n, 0));
    }
    return true;
  }

 private:
  int fd_ = -1;
};

struct AddrInfoFree {
  void operator()(addrinfo* info) const { freeaddrinfo(info); }
};

Socket ConnectTo(const Url& url, int timeoutMs, ZSoundError* error) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* raw = nullptr;
  if (getaddrinfo(url.host.c_str(), url.port.c_str(), &hints, &raw) != 0) {
    *error = ZSoundError::Network;
    return Socket();
  }
  std::unique_ptr<addrinfo, AddrInfoFree> list(raw);
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  *error = ZSoundError::Network;
  for (addrinfo* at = list.get(); at; at = at->ai_next) {
    Socket socket(
        ::socket(at->ai_family, at->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, at->ai_protocol));
    if (socket.fd() < 0) {
      continue;
    }
    if (connect(socket.fd(), at->ai_addr, at->ai_addrlen) == 0) {
      return socket;
    }
    if (errno != EINPROGRESS) {
      continue;
    }
    if (!socket.Wait(POLLOUT, RemainingMs(deadline))) {
      *error = ZSoundError::Timeout;
      continue;
    }
    int failure = 0;
    socklen_t length = sizeof(failure);
    if (getsockopt(socket.fd(), SOL_SOCKET, SO_ERROR, &failure, &length) == 0 && failure == 0) {
      return socket;
    }
  }
  return Socket();
}

// The connection after the response head: the socket, the parsed head and the first body bytes.
struct Connection {
  Socket socket;
  IcyResponse response;
  std::string firstBytes;
};

bool ReadHead(const Socket& socket, int readMs, Connection* connection, ZSoundError* error) {
  std::string head;
  uint8_t buffer[4096];
  while (true) {
    const ssize_t got = socket.Receive(buffer, sizeof(buffer), readMs);
    if (got <= 0) {
      *error = got == -2 ? ZSoundError::Timeout : ZSoundError::Network;
      return false;
    }
    head.append(reinterpret_cast<char*>(buffer), static_cast<size_t>(got));
    size_t end = head.find("\r\n\r\n");
    size_t separator = 4;
    if (end == std::string::npos) {
      end = head.find("\n\n");
      separator = 2;
    }
    if (end != std::string::npos) {
      connection->firstBytes = head.substr(end + separator);
      if (!ParseIcyResponse(head.substr(0, end + separator), &connection->response)) {
        *error = ZSoundError::Network;
        return false;
      }
      return true;
    }
    if (head.size() > kMaxHeadBytes) {
      *error = ZSoundError::Network;
      return false;
    }
  }
}

bool Connect(std::string url, bool metadata, const NetTimeouts& timeouts, Connection* connection,
             ZSoundError* error) {
  for (int redirect = 0; redirect <= kMaxRedirects; ++redirect) {
    Url parts;
    if (!ParseUrl(url, &parts)) {
      *error = ZSoundError::Parameter;
      return false;
    }
    connection->socket = ConnectTo(parts, timeouts.connectMs, error);
    if (connection->socket.fd() < 0) {
      return false;
    }
    std::string request = "GET " + parts.path + " HTTP/1.0\r\nHost: " + parts.host + ":" +
                          parts.port + "\r\nUser-Agent: Zephonic\r\nAccept: */*\r\n";
    if (metadata) {
      request += "Icy-MetaData: 1\r\n";
    }
    request += "Connection: close\r\n\r\n";
    if (!connection->socket.SendAll(request, timeouts.readMs) ||
        !ReadHead(connection->socket, timeouts.readMs, connection, error)) {
      if (*error == ZSoundError::Ok) {
        *error = ZSoundError::Network;
      }
      return false;
    }
    const int status = connection->response.status;
    if (status >= 300 && status < 400 && !connection->response.location.empty()) {
      url = connection->response.location;
      continue;
    }
    if (status != 200) {
      *error = ZSoundError::Network;
      return false;
    }
    return true;
  }
  *error = ZSoundError::Network;
  return false;
}

// Downloads on its own thread: every block goes to the callback and into a pipe that the
// decoder reads.
class Download : public ByteReader {
 public:
  Download(Connection connection, ZSoundDownloadCallback callback, int readMs)
      : connection_(std::move(connection)),
        callback_(std::move(callback)),
        readMs_(readMs),
        demuxer_(connection_.response.metaInterval),
        headers_(JoinTags(connection_.response.lines)) {
    thread_ = std::thread([this] { Run(); });
  }
  ~Download() override {
    Close();
    thread_.join();
  }

  void Close() {
    std::lock_guard lock(mutex_);
    closed_ = true;
    shutdown(connection_.socket.fd(), SHUT_RDWR);
    changed_.notify_all();
  }

  int Read(uint8_t* buffer, int size) override {
    std::unique_lock lock(mutex_);
    const bool ready = changed_.wait_for(lock, std::chrono::milliseconds(readMs_),
                                         [this] { return !pipe_.empty() || ended_ || closed_; });
    if (!ready || (closed_ && pipe_.empty())) {
      return -1;
    }
    const size_t take = std::min(pipe_.size(), static_cast<size_t>(size));
    std::copy(pipe_.begin(), pipe_.begin() + static_cast<std::ptrdiff_t>(take), buffer);
    pipe_.erase(pipe_.begin(), pipe_.begin() + static_cast<std::ptrdiff_t>(take));
    changed_.notify_all();
    return static_cast<int>(take);
  }

  std::string Tags(ZSoundTags type) const {
    if (type == ZSoundTags::IcyHeaders) {
      return headers_;
    }
    std::lock_guard lock(mutex_);
    return metadata_.empty() ? std::string() : JoinTags({metadata_});
  }

 private:
  void Run() {
    const std::string first = std::move(connection_.firstBytes);
    bool alive = Deliver(reinterpret_cast<const uint8_t*>(first.data()), first.size());
    uint8_t buffer[16384];
    while (alive) {
      const ssize_t got = connection_.socket.Receive(buffer, sizeof(buffer), readMs_);
      alive = got > 0 && Deliver(buffer, static_cast<size_t>(got));
    }
    {
      std::lock_guard lock(mutex_);
      ended_ = true;
      changed_.notify_all();
    }
    if (callback_) {
      callback_(nullptr, 0);
    }
  }

  // Hands one block on; false once the stream was closed.
  bool Deliver(const uint8_t* data, size_t size) {
    std::string audio;
    std::vector<std::string> titles;
    demuxer_.Feed(data, size, &audio, &titles);
    if (!titles.empty()) {
      // Before the block goes on, so that a title is never shown later than its audio.
      std::lock_guard lock(mutex_);
      metadata_ = titles.back();
    }
    if (callback_ && !audio.empty()) {
      callback_(reinterpret_cast<const uint8_t*>(audio.data()), audio.size());
    }
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return closed_ || pipe_.size() < kPipeCapacity; });
    pipe_.insert(pipe_.end(), audio.begin(), audio.end());
    changed_.notify_all();
    return !closed_;
  }

  Connection connection_;
  ZSoundDownloadCallback callback_;
  const int readMs_;
  IcyDemuxer demuxer_;
  const std::string headers_;
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<uint8_t> pipe_;
  std::string metadata_;
  bool ended_ = false;
  bool closed_ = false;
  std::thread thread_;
};

class UrlSource : public SoundSource {
 public:
  UrlSource(std::shared_ptr<Download> download, std::unique_ptr<SoundSource> decoder)
      : download_(std::move(download)), decoder_(std::move(decoder)) {}
  ~UrlSource() override {
    download_->Close();
    decoder_.reset();
  }

  int Read(int16_t* frames, int maxFrames) override { return decoder_->Read(frames, maxFrames); }
  bool Seek(int64_t) override { return false; }
  bool Seekable() const override { return false; }
  int Rate() const override { return decoder_->Rate(); }
  int64_t LengthFrames() const override { return -1; }
  std::string Tags(ZSoundTags type) const override { return download_->Tags(type); }
  void Interrupt() override { download_->Close(); }

 private:
  std::shared_ptr<Download> download_;
  std::unique_ptr<SoundSource> decoder_;
};

}  // namespace

std::unique_ptr<SoundSource> OpenUrlSource(const std::string& url, bool metadata,
                                           ZSoundDownloadCallback download,
                                           const NetTimeouts& timeouts, ZSoundError* error) {
  Connection connection;
  *error = ZSoundError::Ok;
  if (!Connect(url, metadata, timeouts, &connection, error)) {
    return nullptr;
  }
  const std::string format = FormatForContentType(connection.response.contentType);
  auto stream =
      std::make_shared<Download>(std::move(connection), std::move(download), timeouts.readMs);
  auto decoder = OpenStreamDecoder(stream, format, error);
  if (!decoder) {
    stream->Close();
    return nullptr;
  }
  return std::make_unique<UrlSource>(std::move(stream), std::move(decoder));
}
