#pragma once
// A one-client internet radio server on 127.0.0.1 for the stream tests. Until Listen() the port
// refuses connections. It sends an ICY head and then the audio in blocks of `metaInterval`
// bytes, each followed by a metadata block, in parts the test releases one at a time.

#include <QByteArray>
#include <QString>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

class IcyServer {
 public:
  struct Part {
    int blocks;     // audio blocks of metaInterval bytes (the last part takes what is left)
    QString title;  // StreamTitle sent after the part's last block; empty: no metadata
  };

  IcyServer(QByteArray audio, int metaInterval, std::vector<Part> parts);
  ~IcyServer();

  int Port() const { return port_; }
  void Listen();
  // Lets the next part go.
  void Release();
  // The audio bytes sent so far.
  QByteArray SentAudio() const;

 private:
  void Serve();
  bool SendAll(int fd, const QByteArray& bytes);
  void WaitForRelease(int part);

  QByteArray audio_;
  int metaInterval_;
  std::vector<Part> parts_;
  int listenFd_ = -1;
  int port_ = 0;
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  int released_ = 1;
  bool stopping_ = false;
  QByteArray sent_;
  std::thread thread_;
};
