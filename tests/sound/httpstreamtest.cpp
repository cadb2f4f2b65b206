#include "httpstreamtest.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstring>

namespace {

// A TCP socket bound to a port of the system's choice on 127.0.0.1; the port goes to *port.
int BindLoopback(int* port) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address));
  socklen_t length = sizeof(address);
  getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  *port = ntohs(address.sin_port);
  return fd;
}

}  // namespace

LocalServer::LocalServer() {
  fd_ = BindLoopback(&port_);
  listen(fd_, 8);
}

LocalServer::~LocalServer() {
  shutdown(fd_, SHUT_RDWR);
  if (acceptor_.joinable()) {
    acceptor_.join();
  }
  close(fd_);
  for (auto& client : clients_) {
    client.join();
  }
}

RefusingPort::RefusingPort() {
  fd_ = BindLoopback(&port_);
}

RefusingPort::~RefusingPort() {
  close(fd_);
}

std::string LocalServer::Url(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + path;
}

void LocalServer::Serve(Handler handler) {
  handler_ = std::move(handler);
  acceptor_ = std::thread([this] { Accept(); });
}

void LocalServer::Accept() {
  while (true) {
    const int client = accept(fd_, nullptr, nullptr);
    if (client < 0) {
      return;
    }
    std::lock_guard lock(mutex_);
    clients_.emplace_back([this, client] {
      // A client that goes quiet cannot hold the test up for long.
      timeval limit{30, 0};
      setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof(limit));
      setsockopt(client, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof(limit));
      std::string request;
      char buffer[1024];
      while (request.find("\r\n\r\n") == std::string::npos) {
        const ssize_t got = recv(client, buffer, sizeof(buffer), 0);
        if (got <= 0) {
          break;
        }
        request.append(buffer, static_cast<size_t>(got));
      }
      handler_(client, request);
      close(client);
    });
  }
}

void SendAll(int fd, const std::string& data) {
  size_t sent = 0;
  while (sent < data.size()) {
    const ssize_t n = send(fd, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
    if (n <= 0) {
      return;
    }
    sent += static_cast<size_t>(n);
  }
}

int64_t RangeStart(const std::string& request) {
  const std::string key = "\r\nRange: bytes=";
  const size_t at = request.find(key);
  return at == std::string::npos ? -1 : std::stoll(request.substr(at + key.size()));
}

::testing::AssertionResult Received::SawExactly(const std::string& expected) {
  std::lock_guard lock(mutex);
  if (bytes != expected) {
    return ::testing::AssertionFailure()
           << "the callback saw " << bytes.size() << " bytes that differ from the "
           << expected.size() << " expected";
  }
  if (endCalls != 1 || dataAfterEnd) {
    return ::testing::AssertionFailure()
           << endCalls << " end calls, data after the end: " << dataAfterEnd;
  }
  return ::testing::AssertionSuccess();
}

ZSoundDownloadCallback Received::Callback() {
  return [this](const uint8_t* data, size_t size) {
    std::lock_guard lock(mutex);
    if (!data) {
      ++endCalls;
      ended.notify_all();
      return;
    }
    dataAfterEnd = dataAfterEnd || endCalls > 0;
    bytes.append(reinterpret_cast<const char*>(data), size);
    if (const ZSoundHandle h = handle.load()) {
      titles.emplace_back(bytes.size(), ZSoundGetTags(h, ZSoundTags::Metadata));
    }
  };
}

bool Received::WaitForEnd() {
  std::unique_lock lock(mutex);
  return ended.wait_for(lock, std::chrono::seconds(30), [this] { return endCalls > 0; });
}

void StreamTest::SetUp() {
  MemoryOutputTest::SetUp();
  ZSoundSetNetTimeouts(2000, 3000);
}

std::vector<float> StreamTest::PlayOut(ZSoundHandle handle, int maxBlocks) {
  std::vector<float> left;
  for (int i = 0; i < maxBlocks && ZSoundIsActive(handle) != ZSoundActivity::Stopped; ++i) {
    const std::vector<float> l = Take(Render(4096), 2, 0);
    left.insert(left.end(), l.begin(), l.end());
  }
  return left;
}
