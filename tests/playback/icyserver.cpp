#include "icyserver.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

IcyServer::IcyServer(QByteArray audio, int metaInterval, std::vector<Part> parts)
    : audio_(std::move(audio)), metaInterval_(metaInterval), parts_(std::move(parts)) {
  listenFd_ = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(listenFd_, reinterpret_cast<sockaddr*>(&address), sizeof(address));
  socklen_t length = sizeof(address);
  getsockname(listenFd_, reinterpret_cast<sockaddr*>(&address), &length);
  port_ = ntohs(address.sin_port);
}

IcyServer::~IcyServer() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
    changed_.notify_all();
  }
  if (thread_.joinable()) {
    thread_.join();
  }
  close(listenFd_);
}

void IcyServer::Listen() {
  listen(listenFd_, 4);
  thread_ = std::thread([this] { Serve(); });
}

void IcyServer::Release() {
  std::lock_guard lock(mutex_);
  ++released_;
  changed_.notify_all();
}

QByteArray IcyServer::SentAudio() const {
  std::lock_guard lock(mutex_);
  return sent_;
}

void IcyServer::WaitForRelease(int part) {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return stopping_ || released_ > part; });
}

bool IcyServer::SendAll(int fd, const QByteArray& bytes) {
  qsizetype done = 0;
  while (done < bytes.size()) {
    const ssize_t sent = send(fd, bytes.constData() + done, bytes.size() - done, MSG_NOSIGNAL);
    if (sent <= 0) {
      return false;
    }
    done += sent;
  }
  return true;
}

void IcyServer::Serve() {
  pollfd waiting{listenFd_, POLLIN, 0};
  if (poll(&waiting, 1, 10000) <= 0) {
    return;
  }
  const int fd = accept(listenFd_, nullptr, nullptr);
  if (fd < 0) {
    return;
  }
  QByteArray request;
  char buffer[1024];
  while (!request.contains("\r\n\r\n")) {
    const ssize_t got = recv(fd, buffer, sizeof(buffer), 0);
    if (got <= 0) {
      close(fd);
      return;
    }
    request.append(buffer, got);
  }
  const bool metadata = request.contains("Icy-MetaData: 1");
  QByteArray head =
      "ICY 200 OK\r\nicy-name:Radio One\r\nicy-genre:Pop\r\ncontent-type:audio/mpeg\r\n";
  if (metadata) {
    head += "icy-metaint:" + QByteArray::number(metaInterval_) + "\r\n";
  }
  bool alive = SendAll(fd, head + "\r\n");
  qsizetype offset = 0;
  for (size_t part = 0; alive && part < parts_.size(); ++part) {
    WaitForRelease(static_cast<int>(part));
    const bool last = part + 1 == parts_.size();
    for (int block = 0; alive && (last ? offset < audio_.size() : block < parts_[part].blocks);
         ++block) {
      const QByteArray chunk = audio_.mid(offset, metaInterval_);
      offset += chunk.size();
      QByteArray meta(1, '\0');
      const bool lastBlockOfPart =
          last ? offset >= audio_.size() : block + 1 == parts_[part].blocks;
      if (lastBlockOfPart && !parts_[part].title.isEmpty()) {
        QByteArray text = "StreamTitle='" + parts_[part].title.toUtf8() + "';StreamUrl='';";
        text.append(QByteArray((16 - text.size() % 16) % 16, '\0'));
        meta = QByteArray(1, static_cast<char>(text.size() / 16)) + text;
      }
      alive = SendAll(fd, metadata && chunk.size() == metaInterval_ ? chunk + meta : chunk);
      if (alive) {
        std::lock_guard lock(mutex_);
        sent_ += chunk;
      }
    }
  }
  close(fd);
}
