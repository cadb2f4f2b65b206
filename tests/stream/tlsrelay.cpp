#include "tlsrelay.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>

#include "testsupport.h"

namespace {

int RunOpenssl(const QStringList& args, QString* log) {
  QString output;
  const int code = RunProgram("openssl", args, &output);
  *log += output;
  return code;
}

}  // namespace

int ConnectToLoopback(int port) {
  const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<uint16_t>(port));
  if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

namespace {

bool SslWriteAll(SSL* ssl, const char* data, size_t size) {
  size_t written = 0;
  while (written < size) {
    size_t now = 0;
    if (SSL_write_ex(ssl, data + written, size - written, &now) <= 0) {
      return false;
    }
    written += now;
  }
  return true;
}

bool PlainWriteAll(int fd, const char* data, size_t size) {
  size_t sent = 0;
  while (sent < size) {
    const ssize_t n = send(fd, data + sent, size - sent, MSG_NOSIGNAL);
    if (n <= 0) {
      return false;
    }
    sent += static_cast<size_t>(n);
  }
  return true;
}

// Moves bytes both ways until either side ends.
void Pump(SSL* ssl, int client, int plain) {
  char buffer[16384];
  while (true) {
    pollfd entries[2] = {{client, POLLIN, 0}, {plain, POLLIN, 0}};
    if (SSL_pending(ssl) == 0 && poll(entries, 2, 30000) <= 0) {
      return;
    }
    if (SSL_pending(ssl) > 0 || entries[0].revents) {
      size_t got = 0;
      if (SSL_read_ex(ssl, buffer, sizeof(buffer), &got) <= 0) {
        return;
      }
      if (!PlainWriteAll(plain, buffer, got)) {
        return;
      }
    }
    if (entries[1].revents) {
      const ssize_t got = recv(plain, buffer, sizeof(buffer), 0);
      if (got <= 0) {
        SSL_shutdown(ssl);
        return;
      }
      if (!SslWriteAll(ssl, buffer, static_cast<size_t>(got))) {
        return;
      }
    }
  }
}

}  // namespace

bool MakeTestCertificates(const QString& folder, TestCertificates* made, QString* log) {
  made->caFile = folder + "/ca.pem";
  made->certificateFile = folder + "/server.pem";
  made->keyFile = folder + "/server.key";
  const QString caKey = folder + "/ca.key";
  const QString request = folder + "/server.csr";
  const QString extensions = folder + "/server.ext";
  WriteBytes(extensions, "subjectAltName=IP:127.0.0.1,IP:::1,DNS:localhost\n");
  const QStringList curve{"-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes"};
  return RunOpenssl(QStringList{"req", "-x509"} + curve +
                        QStringList{"-keyout", caKey, "-out", made->caFile, "-days", "2", "-subj",
                                    "/CN=Zephonic Test CA"},
                    log) == 0 &&
         RunOpenssl(
             QStringList{"req"} + curve +
                 QStringList{"-keyout", made->keyFile, "-out", request, "-subj", "/CN=127.0.0.1"},
             log) == 0 &&
         RunOpenssl({"x509", "-req", "-in", request, "-CA", made->caFile, "-CAkey", caKey,
                     "-CAcreateserial", "-out", made->certificateFile, "-days", "2", "-extfile",
                     extensions},
                    log) == 0;
}

TlsRelay::TlsRelay(const TestCertificates& certificates, int plainPort, bool ipv6)
    : context_(SSL_CTX_new(TLS_server_method())), plainPort_(plainPort), ipv6_(ipv6) {
  signal(SIGPIPE, SIG_IGN);  // a client that leaves must not end the test
  if (SSL_CTX_use_certificate_chain_file(context_.get(),
                                         certificates.certificateFile.toUtf8().constData()) != 1 ||
      SSL_CTX_use_PrivateKey_file(context_.get(), certificates.keyFile.toUtf8().constData(),
                                  SSL_FILETYPE_PEM) != 1) {
    context_.reset();
    return;
  }
  fd_ = socket(ipv6 ? AF_INET6 : AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_storage storage{};
  socklen_t length = 0;
  if (ipv6) {
    auto* address = reinterpret_cast<sockaddr_in6*>(&storage);
    address->sin6_family = AF_INET6;
    address->sin6_addr = in6addr_loopback;
    length = sizeof(*address);
  } else {
    auto* address = reinterpret_cast<sockaddr_in*>(&storage);
    address->sin_family = AF_INET;
    address->sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    length = sizeof(*address);
  }
  if (bind(fd_, reinterpret_cast<sockaddr*>(&storage), length) != 0 || listen(fd_, 8) != 0 ||
      getsockname(fd_, reinterpret_cast<sockaddr*>(&storage), &length) != 0) {
    return;
  }
  port_ = ntohs(ipv6 ? reinterpret_cast<sockaddr_in6*>(&storage)->sin6_port
                     : reinterpret_cast<sockaddr_in*>(&storage)->sin_port);
  acceptor_ = std::thread([this] { Accept(); });
}

TlsRelay::~TlsRelay() {
  shutdown(fd_, SHUT_RDWR);
  if (acceptor_.joinable()) {
    acceptor_.join();
  }
  close(fd_);
  for (auto& client : clients_) {
    client.join();
  }
}

std::string TlsRelay::Url(const std::string& path) const {
  const std::string host = ipv6_ ? "[::1]" : "127.0.0.1";
  return "https://" + host + ":" + std::to_string(port_) + path;
}

void TlsRelay::Accept() {
  while (true) {
    const int client = accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (client < 0) {
      return;
    }
    std::lock_guard lock(mutex_);
    clients_.emplace_back([this, client] { Relay(client); });
  }
}

void TlsRelay::Relay(int client) {
  timeval limit{30, 0};
  setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof(limit));
  setsockopt(client, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof(limit));
  SSL* ssl = SSL_new(context_.get());
  SSL_set_fd(ssl, client);
  if (SSL_accept(ssl) == 1) {
    const int plain = ConnectToLoopback(plainPort_);
    if (plain >= 0) {
      Pump(ssl, client, plain);
      close(plain);
    }
  }
  SSL_free(ssl);
  close(client);
}

ScopedEnvironment::ScopedEnvironment(const char* name, const QString& value) : name_(name) {
  if (const char* old = std::getenv(name)) {
    had_ = true;
    old_ = old;
  }
  setenv(name, value.toUtf8().constData(), 1);
}

ScopedEnvironment::~ScopedEnvironment() {
  if (had_) {
    setenv(name_, old_.c_str(), 1);
  } else {
    unsetenv(name_);
  }
}
