#pragma once
// A TLS front for the plain test servers: it listens on a loopback address, completes the TLS
// handshake with a certificate that a test CA signed, and relays the decrypted bytes to a plain
// server and back. The certificates are made at test time with the openssl tool.

#include <openssl/ssl.h>

#include <QString>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A test CA and a server certificate it signed for 127.0.0.1, ::1 and localhost.
struct TestCertificates {
  QString caFile;
  QString certificateFile;
  QString keyFile;
};

// Makes the certificates in `folder`; false (with the tool's output in *log) when openssl fails.
bool MakeTestCertificates(const QString& folder, TestCertificates* made, QString* log);

struct SslContextFree {
  void operator()(SSL_CTX* context) const { SSL_CTX_free(context); }
};

class TlsRelay {
 public:
  // Listens on 127.0.0.1, or on ::1 when `ipv6`, and relays to 127.0.0.1:`plainPort`.
  TlsRelay(const TestCertificates& certificates, int plainPort, bool ipv6 = false);
  ~TlsRelay();
  bool Ready() const { return context_ != nullptr && port_ > 0; }
  int Port() const { return port_; }
  std::string Url(const std::string& path = "/radio") const;

 private:
  void Accept();
  void Relay(int client);

  std::unique_ptr<SSL_CTX, SslContextFree> context_;
  const int plainPort_;
  const bool ipv6_;
  int fd_ = -1;
  int port_ = 0;
  std::thread acceptor_;
  std::mutex mutex_;
  std::vector<std::thread> clients_;
};

// A connection to 127.0.0.1:`port`, or -1.
int ConnectToLoopback(int port);

// Sets an environment variable for a test's duration, restoring the old value afterwards.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const QString& value);
  ~ScopedEnvironment();

 private:
  const char* name_;
  bool had_ = false;
  std::string old_;
};
