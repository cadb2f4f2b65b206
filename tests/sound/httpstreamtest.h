#pragma once
// Helpers of the internet stream tests: a server on 127.0.0.1 whose answers each test writes,
// a recorder of the download callback, and a fixture with short network time-outs.

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "soundtest.h"

// Listens on 127.0.0.1 at a free port until destroyed; each connection is served on a thread
// of its own.
class LocalServer {
 public:
  using Handler = std::function<void(int client, const std::string& request)>;
  LocalServer();
  ~LocalServer();
  int Port() const { return port_; }
  std::string Url(const std::string& path = "/radio") const;
  // Calls `handler` with every accepted connection and its request head; the connection is
  // closed when the handler returns.
  void Serve(Handler handler);

 private:
  void Accept();

  int fd_ = -1;
  int port_ = 0;
  Handler handler_;
  std::thread acceptor_;
  std::mutex mutex_;
  std::vector<std::thread> clients_;
};

// A port on 127.0.0.1 that is bound but never listened on: connections are refused, and no
// other program can start listening there while the object lives.
class RefusingPort {
 public:
  RefusingPort();
  ~RefusingPort();
  RefusingPort(const RefusingPort&) = delete;
  RefusingPort& operator=(const RefusingPort&) = delete;
  int Port() const { return port_; }

 private:
  int fd_ = -1;
  int port_ = 0;
};

void SendAll(int fd, const std::string& data);

// The start of "Range: bytes=N-" in a request head, or -1 without one.
int64_t RangeStart(const std::string& request);

// What the download callback saw: every block, the metadata shown with it, and the end calls.
struct Received {
  std::mutex mutex;
  std::condition_variable ended;
  std::string bytes;
  std::vector<std::pair<size_t, std::string>> titles;  // bytes so far, metadata then
  int endCalls = 0;
  bool dataAfterEnd = false;
  std::atomic<ZSoundHandle> handle{0};

  ZSoundDownloadCallback Callback();
  // Waits (bounded) for the end call; false when it did not come.
  bool WaitForEnd();
  // Whether the callback saw exactly `expected`, then one end call and nothing after it.
  ::testing::AssertionResult SawExactly(const std::string& expected);
};

class StreamTest : public MemoryOutputTest {
 protected:
  void SetUp() override;
  // Renders until the channel stops (bounded), returning the left channel.
  std::vector<float> PlayOut(ZSoundHandle handle, int maxBlocks);
};
