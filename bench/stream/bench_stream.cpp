// CPU time per second of a 320 kbit/s internet radio stream, ours beside "curl -s -o /dev/null"
// measured in the same run: a local server sends the same ICY stream (audio bytes with a title
// every 16000 bytes) as fast as each client takes it; each client runs as a child process whose
// user and system CPU time is taken from wait4, so both are measured the same way.
// Ours is the transport on libcurl with the ICY demuxer splitting audio and titles.
// Usage: bench_stream [megabytes per run, default 256: enough that the work, not the start of each
// process, is measured]

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "../support/childprocess.h"
#include "components/sound/http.h"
#include "components/sound/icy.h"

namespace {

constexpr int kMetaInterval = 16000;
constexpr double kStreamBytesPerSecond = 320000.0 / 8;
constexpr int kRuns = 3;

// Serves every connection the same stream until the client has it all or leaves.
class StreamServer {
 public:
  explicit StreamServer(int64_t audioBytes) : audioBytes_(audioBytes) {
    fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    if (bind(fd_, reinterpret_cast<sockaddr*>(&address), length) != 0 || listen(fd_, 4) != 0 ||
        getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
      std::perror("server");
      std::exit(1);
    }
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Accept(); });
  }
  ~StreamServer() {
    shutdown(fd_, SHUT_RDWR);
    thread_.join();
    close(fd_);
  }
  std::string Url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/live"; }

 private:
  void Accept() {
    while (true) {
      const int client = accept(fd_, nullptr, nullptr);
      if (client < 0) {
        return;
      }
      Serve(client);
      close(client);
    }
  }

  void Serve(int client) {
    char request[4096];
    [[maybe_unused]] const ssize_t got = recv(client, request, sizeof(request), 0);
    std::string block =
        "HTTP/1.0 200 OK\r\nContent-Type: audio/mpeg\r\nicy-name:Bench\r\n"
        "icy-metaint:" +
        std::to_string(kMetaInterval) + "\r\n\r\n";
    const std::string audio(kMetaInterval, '\x55');
    for (int64_t sent = 0, n = 0; sent < audioBytes_; sent += kMetaInterval, ++n) {
      std::string title = "StreamTitle='Song " + std::to_string(n) + "';";
      title.resize((title.size() + 15) / 16 * 16, '\0');
      block += audio + static_cast<char>(title.size() / 16) + title;
      if (!SendAll(client, block)) {
        return;
      }
      block.clear();
    }
  }

  static bool SendAll(int fd, const std::string& data) {
    for (size_t at = 0; at < data.size();) {
      const ssize_t n = send(fd, data.data() + at, data.size() - at, MSG_NOSIGNAL);
      if (n <= 0) {
        return false;
      }
      at += static_cast<size_t>(n);
    }
    return true;
  }

  const int64_t audioBytes_;
  int fd_ = -1;
  int port_ = 0;
  std::thread thread_;
};

// Our client, run in the child: reads the stream to its end, splitting audio from titles.
int RunOurClient(const std::string& url) {
  HttpConnection connection;
  ZSoundError error = ZSoundError::Ok;
  if (!connection.Open({url, true, -1}, NetTimeouts{}, -1, &error)) {
    return 1;
  }
  IcyDemuxer demuxer(connection.Response().metaInterval);
  std::vector<uint8_t> buffer(16384);
  std::string audio;
  std::vector<std::string> titles;
  int64_t audioBytes = 0;
  size_t titleCount = 0;
  ssize_t got = 0;
  while ((got = connection.Receive(buffer.data(), buffer.size(), 10000)) > 0) {
    for (size_t at = 0; at < static_cast<size_t>(got);) {
      at += demuxer.Feed(buffer.data() + at, static_cast<size_t>(got) - at, &audio, &titles);
      audioBytes += static_cast<int64_t>(audio.size());
      titleCount += titles.size();
      audio.clear();
      titles.clear();
    }
  }
  return got == 0 && audioBytes > 0 && titleCount > 0 ? 0 : 1;
}

// The least CPU time of a few runs: the work itself, with the least interference.
double BestOf(const std::vector<std::string>& args) {
  double best = -1;
  for (int run = 0; run < kRuns; ++run) {
    const double cpu = ChildCpuSeconds(args);
    if (cpu < 0) {
      return -1;
    }
    best = best < 0 ? cpu : std::min(best, cpu);
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--client") {
    return RunOurClient(argv[2]);
  }
  const int64_t megabytes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 256;
  const int64_t audioBytes = megabytes << 20;
  StreamServer server(audioBytes);
  const double streamSeconds = static_cast<double>(audioBytes) / kStreamBytesPerSecond;
  const double ours = BestOf({"/proc/self/exe", "--client", server.Url()});
  const double curl = BestOf({"curl", "-s", "-o", "/dev/null", server.Url()});
  if (ours < 0 || curl < 0) {
    std::printf("a client failed (ours %.3f s, curl %.3f s)\n", ours, curl);
    return 1;
  }
  std::printf("stream: %lld MiB = %.0f s of a 320 kbit/s stream, best of %d runs each\n",
              static_cast<long long>(megabytes), streamSeconds, kRuns);
  std::printf("ours (libcurl + ICY demuxing): %.3f s CPU = %.2f us per stream second\n", ours,
              ours / streamSeconds * 1e6);
  std::printf("curl -s -o /dev/null:          %.3f s CPU = %.2f us per stream second\n", curl,
              curl / streamSeconds * 1e6);
  std::printf("ratio ours / curl: %.2f\n", ours / curl);
  return 0;
}
