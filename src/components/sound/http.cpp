#include "components/sound/http.h"

#include <netdb.h>
#include <poll.h>
#include <strings.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <memory>
#include <utility>

namespace {

using Clock = std::chrono::steady_clock;

constexpr size_t kMaxHeadBytes = 16384;
constexpr int kMaxRedirects = 3;

struct UrlParts {
  std::string host;
  std::string port = "80";
  std::string path = "/";
};

bool ParseUrl(const std::string& text, UrlParts* url) {
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

// A redirect target: absolute, or a path on the same server.
std::string ResolveLocation(const std::string& location, const UrlParts& from) {
  if (location.empty() || location.front() != '/') {
    return location;
  }
  const bool ipv6 = from.host.find(':') != std::string::npos;
  const std::string host = ipv6 ? "[" + from.host + "]" : from.host;
  return "http://" + host + ":" + from.port + location;
}

int RemainingMs(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  return static_cast<int>(std::max<int64_t>(left.count(), 0));
}

// Waits up to `ms` for `events` on `fd`; false on time-out, error or cancel.
bool WaitFor(int fd, short events, int ms, int cancelFd) {
  pollfd entries[2] = {{fd, events, 0}, {cancelFd, POLLIN, 0}};
  const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
  while (true) {
    const int ready = poll(entries, cancelFd >= 0 ? 2 : 1, RemainingMs(deadline));
    if (ready < 0 && errno == EINTR) {
      continue;
    }
    return ready > 0 && entries[1].revents == 0 && entries[0].revents != 0;
  }
}

struct AddrInfoFree {
  void operator()(addrinfo* info) const { freeaddrinfo(info); }
};

UniqueFd ConnectTo(const UrlParts& url, int timeoutMs, int cancelFd, ZSoundError* error) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* raw = nullptr;
  *error = ZSoundError::Network;
  if (getaddrinfo(url.host.c_str(), url.port.c_str(), &hints, &raw) != 0) {
    return UniqueFd();
  }
  std::unique_ptr<addrinfo, AddrInfoFree> list(raw);
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  for (addrinfo* at = list.get(); at; at = at->ai_next) {
    UniqueFd socket(
        ::socket(at->ai_family, at->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, at->ai_protocol));
    if (socket.get() < 0) {
      continue;
    }
    if (connect(socket.get(), at->ai_addr, at->ai_addrlen) == 0) {
      return socket;
    }
    if (errno != EINPROGRESS) {
      continue;
    }
    if (!WaitFor(socket.get(), POLLOUT, RemainingMs(deadline), cancelFd)) {
      *error = ZSoundError::Timeout;
      continue;
    }
    int failure = 0;
    socklen_t length = sizeof(failure);
    if (getsockopt(socket.get(), SOL_SOCKET, SO_ERROR, &failure, &length) == 0 && failure == 0) {
      return socket;
    }
  }
  return UniqueFd();
}

bool SendAll(int fd, const std::string& data, int ms, int cancelFd) {
  size_t sent = 0;
  while (sent < data.size()) {
    if (!WaitFor(fd, POLLOUT, ms, cancelFd)) {
      return false;
    }
    const ssize_t n = send(fd, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
    if (n < 0 && errno != EAGAIN && errno != EINTR) {
      return false;
    }
    sent += static_cast<size_t>(std::max<ssize_t>(n, 0));
  }
  return true;
}

// Bytes read, 0 at the end of the connection, -1 on error, -2 on time-out or cancel.
ssize_t ReceiveSome(int fd, uint8_t* buffer, size_t size, int ms, int cancelFd) {
  while (true) {
    if (!WaitFor(fd, POLLIN, ms, cancelFd)) {
      return -2;
    }
    const ssize_t got = recv(fd, buffer, size, 0);
    if (got >= 0 || (errno != EAGAIN && errno != EINTR)) {
      return got;
    }
  }
}

std::string RequestText(const UrlParts& url, const HttpRequest& request) {
  std::string text = "GET " + url.path + " HTTP/1.0\r\nHost: " + url.host + ":" + url.port +
                     "\r\nUser-Agent: Zephonic\r\nAccept: */*\r\n";
  if (request.metadata) {
    text += "Icy-MetaData: 1\r\n";
  }
  if (request.rangeStart >= 0) {
    text += "Range: bytes=" + std::to_string(request.rangeStart) + "-\r\n";
  }
  return text + "Connection: close\r\n\r\n";
}

}  // namespace

UniqueFd::~UniqueFd() {
  if (fd_ >= 0) {
    close(fd_);
  }
}

UniqueFd::UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept {
  std::swap(fd_, other.fd_);
  return *this;
}

WakeSignal::WakeSignal() : fd_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

void WakeSignal::Raise() {
  const uint64_t one = 1;
  [[maybe_unused]] const ssize_t written = write(fd_.get(), &one, sizeof(one));
}

void WakeSignal::Clear() {
  uint64_t count = 0;
  [[maybe_unused]] const ssize_t got = read(fd_.get(), &count, sizeof(count));
}

bool HttpConnection::Open(const HttpRequest& request, const NetTimeouts& timeouts, int cancelFd,
                          ZSoundError* error) {
  cancelFd_ = cancelFd;
  std::string url = request.url;
  for (int redirect = 0; redirect <= kMaxRedirects; ++redirect) {
    if (!Request(url, request, timeouts, error)) {
      return false;
    }
    const int status = response_.status;
    if (status >= 300 && status < 400 && !response_.location.empty()) {
      UrlParts from;
      ParseUrl(url, &from);
      url = ResolveLocation(response_.location, from);
      continue;
    }
    if (status != 200 && status != 206) {
      *error = ZSoundError::Network;
      return false;
    }
    url_ = url;
    return true;
  }
  *error = ZSoundError::Network;
  return false;
}

bool HttpConnection::Request(const std::string& url, const HttpRequest& request,
                             const NetTimeouts& timeouts, ZSoundError* error) {
  UrlParts parts;
  if (!ParseUrl(url, &parts)) {
    *error = ZSoundError::Parameter;
    return false;
  }
  socket_ = ConnectTo(parts, timeouts.connectMs, cancelFd_, error);
  if (socket_.get() < 0) {
    return false;
  }
  if (!SendAll(socket_.get(), RequestText(parts, request), timeouts.readMs, cancelFd_)) {
    *error = ZSoundError::Network;
    return false;
  }
  std::string head;
  uint8_t buffer[4096];
  while (head.size() <= kMaxHeadBytes) {
    const ssize_t got =
        ReceiveSome(socket_.get(), buffer, sizeof(buffer), timeouts.readMs, cancelFd_);
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
      pending_ = head.substr(end + separator);
      if (!ParseIcyResponse(head.substr(0, end + separator), &response_)) {
        *error = ZSoundError::Network;
        return false;
      }
      return true;
    }
  }
  *error = ZSoundError::Network;
  return false;
}

ssize_t HttpConnection::Receive(uint8_t* buffer, size_t size, int ms) {
  if (!pending_.empty()) {
    const size_t take = std::min(size, pending_.size());
    std::copy_n(pending_.begin(), take, buffer);
    pending_.erase(0, take);
    return static_cast<ssize_t>(take);
  }
  const ssize_t got = ReceiveSome(socket_.get(), buffer, size, ms, cancelFd_);
  return got < 0 ? -1 : got;
}

void HttpConnection::Shutdown() {
  if (socket_.get() >= 0) {
    shutdown(socket_.get(), SHUT_RDWR);
  }
}
