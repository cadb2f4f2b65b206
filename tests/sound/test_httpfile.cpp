// Files served over HTTP by a server on 127.0.0.1 that the tests start: an M4A whose index
// follows its audio, fetched with range requests, played, sought and handed to the download
// callback; servers that ignore ranges, cut the file short or stall.

#include <sys/socket.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>

#include "components/sound/httpfile.h"
#include "httpstreamtest.h"

namespace {

using namespace std::chrono_literals;

constexpr int64_t kBytesPerSecond = 176400;
// What the plain answer sends before it stalls: the file's head and its first seconds of audio,
// more than the decoder reads ahead before it plays; not the index.
constexpr size_t kFirstBytes = 65536;
constexpr int kSeconds = 20;

std::string FileHead(size_t size) {
  return "HTTP/1.0 200 OK\r\nContent-Type: audio/mp4\r\nContent-Length: " + std::to_string(size) +
         "\r\nAccept-Ranges: bytes\r\n\r\n";
}

std::string PartHead(size_t from, size_t size) {
  return "HTTP/1.0 206 Partial Content\r\nContent-Type: audio/mp4\r\nContent-Range: bytes " +
         std::to_string(from) + "-" + std::to_string(size - 1) + "/" + std::to_string(size) +
         "\r\nContent-Length: " + std::to_string(size - from) + "\r\n\r\n";
}

// Holds the connection, answering nothing, until the client leaves it.
void WaitForClientToLeave(int client) {
  char byte = 0;
  while (recv(client, &byte, 1, 0) > 0) {
  }
}

// Sends the file's head and first bytes, then holds the connection.
void StallAfterFirstBytes(int client, const std::string& file) {
  SendAll(client, FileHead(file.size()) + file.substr(0, kFirstBytes));
  WaitForClientToLeave(client);
}

// Answers range requests with the rest of the file and remembers where each began.
class RangeAnswers {
 public:
  void Send(int client, const std::string& file, int64_t from) {
    {
      std::lock_guard lock(mutex_);
      starts_.push_back(from);
    }
    const auto start = static_cast<size_t>(std::min<int64_t>(from, file.size()));
    SendAll(client, PartHead(start, file.size()) + file.substr(start));
  }
  // Whether a request began at `first` or after, before `end`.
  bool AnyFrom(int64_t first, int64_t end) {
    std::lock_guard lock(mutex_);
    return std::any_of(starts_.begin(), starts_.end(),
                       [&](int64_t from) { return from >= first && from < end; });
  }

 private:
  std::mutex mutex_;
  std::vector<int64_t> starts_;
};

// A server that ignores ranges: its first answer stalls after the first bytes, every later one
// sends the file's first `bytes` bytes, whatever was asked.
void IgnoreRanges(LocalServer* server, const std::string& file, size_t bytes) {
  auto connections = std::make_shared<std::atomic<int>>(0);
  server->Serve([connections, &file, bytes](int client, const std::string&) {
    if ((*connections)++ == 0) {
      StallAfterFirstBytes(client, file);
    } else {
      SendAll(client, FileHead(file.size()) + file.substr(0, bytes));
    }
  });
}

class HttpFileTest : public StreamTest {
 protected:
  // A 1 kHz sine as AAC in MP4, written as ffmpeg does by default: index last, and far enough
  // from the first bytes that reading on to it is no choice.
  std::string MakeM4a() {
    const QString path =
        MakeSine(scratch_, "tone.m4a", 1000, kSeconds, {"-c:a", "aac", "-b:a", "128k"});
    const std::string file = ReadBytes(path).toStdString();
    EXPECT_GT(file.size(), 4 * kFirstBytes);
    EXPECT_GT(file.find("moov"), file.find("mdat")) << "the index does not follow the audio";
    return file;
  }

  // After a seek to `seconds`, the channel reports that position and plays the rest of the file
  // as the 1 kHz sine.
  void ExpectSeekLands(ZSoundHandle handle, int64_t length, int seconds) {
    const int64_t target = seconds * kBytesPerSecond;
    ASSERT_TRUE(ZSoundSetPosition(handle, target)) << ZSoundErrorText(ZSoundErrorCode());
    ASSERT_TRUE(ZSoundPlay(handle, false));
    EXPECT_EQ(ZSoundGetPosition(handle), target);
    EXPECT_DOUBLE_EQ(ZSoundBytesToSeconds(handle, target), seconds);
    const std::vector<float> rest = PlayOut(handle, 400);
    EXPECT_EQ(ZSoundIsActive(handle), ZSoundActivity::Stopped);
    EXPECT_NEAR(static_cast<double>(rest.size()) * kBytesPerFrame, length - target,
                kBytesPerSecond / 4);
    ASSERT_GT(rest.size(), size_t{kRate});
    EXPECT_NEAR(ZeroCrossingFrequency({rest.begin(), rest.begin() + kRate / 2}, kRate), 1000.0,
                3.0);
  }

  static constexpr int kBytesPerFrame = 4;
};

TEST_F(HttpFileTest, M4aWithItsIndexLastPlaysSeeksAndReachesTheCallbackWhole) {
  const std::string file = MakeM4a();
  RangeAnswers answers;
  LocalServer server;
  server.Serve([&](int client, const std::string& request) {
    if (request.rfind("GET /moved ", 0) == 0) {
      SendAll(client, "HTTP/1.0 302 Found\r\nLocation: /tone.m4a\r\n\r\n");
      return;
    }
    const int64_t from = RangeStart(request);
    if (from < 0) {
      StallAfterFirstBytes(client, file);  // the index can only come by a range request
    } else if (request.rfind("GET /tone.m4a ", 0) == 0) {
      // Parts are served elsewhere, as mirrors do; the range must survive the redirect.
      SendAll(client, "HTTP/1.0 302 Found\r\nLocation: /mirror/tone.m4a\r\n\r\n");
    } else {
      answers.Send(client, file, from);
    }
  });

  Received received;
  const ZSoundHandle handle = ZSoundOpenUrl(server.Url("/moved"), 0, received.Callback());
  ASSERT_NE(handle, 0u) << ZSoundErrorText(ZSoundErrorCode());
  EXPECT_TRUE(answers.AnyFrom(kFirstBytes, static_cast<int64_t>(file.size())));
  const int64_t length = ZSoundGetLength(handle);
  EXPECT_NEAR(length, kSeconds * kBytesPerSecond, kBytesPerSecond / 50);
  EXPECT_EQ(ZSoundGetTags(handle, ZSoundTags::IcyHeaders).rfind("HTTP/1.0 200 OK", 0), 0u);

  ASSERT_TRUE(ZSoundPlay(handle, false));
  Render(kRate / 10);
  EXPECT_NEAR(ZeroCrossingFrequency(Take(Render(kRate / 2), 2, 0), kRate), 1000.0, 3.0);
  ExpectSeekLands(handle, length, 15);
  ExpectSeekLands(handle, length, 8);

  ASSERT_TRUE(received.WaitForEnd());
  ZSoundFreeChannel(handle);
  EXPECT_TRUE(received.SawExactly(file));
}

TEST_F(HttpFileTest, SeekBeyondWhatArrivedAsksForItByRange) {
  const std::string file = MakeM4a();
  const auto half = static_cast<int64_t>(file.size() / 2);
  RangeAnswers answers;
  LocalServer server;
  server.Serve([&](int client, const std::string& request) {
    const int64_t from = RangeStart(request);
    if (from < 0) {
      StallAfterFirstBytes(client, file);
    } else if (from < int64_t{kFirstBytes}) {
      const auto start = static_cast<size_t>(from);
      SendAll(client, PartHead(start, file.size()) + file.substr(start, kFirstBytes - start));
      WaitForClientToLeave(client);
    } else if (from < half) {
      WaitForClientToLeave(client);  // the rest of the first half never comes
    } else {
      answers.Send(client, file, from);
    }
  });

  Received received;
  const ZSoundHandle handle = ZSoundOpenUrl(server.Url("/tone.m4a"), 0, received.Callback());
  ASSERT_NE(handle, 0u) << ZSoundErrorText(ZSoundErrorCode());
  const int64_t length = ZSoundGetLength(handle);
  ExpectSeekLands(handle, length, 15);
  // Besides the index, the bytes at the new position were asked for.
  EXPECT_TRUE(answers.AnyFrom(half, static_cast<int64_t>(file.find("moov")) - 4));
  ZSoundFreeChannel(handle);
  ASSERT_TRUE(received.WaitForEnd());
  std::lock_guard lock(received.mutex);
  // The file's first bytes, and none beyond the part that never came.
  EXPECT_LE(received.bytes.size(), kFirstBytes);
  EXPECT_TRUE(received.bytes == file.substr(0, received.bytes.size()));
  EXPECT_EQ(received.endCalls, 1);
}

TEST_F(HttpFileTest, ServerThatIgnoresRangesStillPlaysAndSeeks) {
  const std::string file = MakeM4a();
  LocalServer server;
  IgnoreRanges(&server, file, file.size());

  Received received;
  const ZSoundHandle handle = ZSoundOpenUrl(server.Url("/tone.m4a"), 0, received.Callback());
  ASSERT_NE(handle, 0u) << ZSoundErrorText(ZSoundErrorCode());
  const int64_t length = ZSoundGetLength(handle);
  EXPECT_NEAR(length, kSeconds * kBytesPerSecond, kBytesPerSecond / 50);
  ASSERT_TRUE(ZSoundPlay(handle, false));
  Render(kRate / 10);
  EXPECT_NEAR(ZeroCrossingFrequency(Take(Render(kRate / 2), 2, 0), kRate), 1000.0, 3.0);
  ExpectSeekLands(handle, length, 16);

  ASSERT_TRUE(received.WaitForEnd());
  ZSoundFreeChannel(handle);
  EXPECT_TRUE(received.SawExactly(file)) << "bytes fetched twice must reach the callback once";
}

TEST_F(HttpFileTest, IndexThatCannotBeFetchedFailsTheOpenCleanly) {
  const std::string file = MakeM4a();
  ZSoundSetNetTimeouts(500, 500);
  {
    // Every answer after the first ends in the middle of the audio.
    LocalServer server;
    IgnoreRanges(&server, file, file.size() / 2);
    Received received;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(ZSoundOpenUrl(server.Url("/cut.m4a"), 0, received.Callback()), 0u);
    EXPECT_EQ(ZSoundErrorCode(), ZSoundError::Network);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 20s);
    std::lock_guard lock(received.mutex);
    EXPECT_TRUE(received.bytes == file.substr(0, file.size() / 2));
    EXPECT_EQ(received.endCalls, 1);
  }
  {
    // Range requests are accepted but never answered.
    LocalServer server;
    server.Serve([&](int client, const std::string& request) {
      if (RangeStart(request) < 0) {
        StallAfterFirstBytes(client, file);
      } else {
        WaitForClientToLeave(client);
      }
    });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(ZSoundOpenUrl(server.Url("/silent.m4a"), 0), 0u);
    EXPECT_EQ(ZSoundErrorCode(), ZSoundError::Timeout);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 20s);
  }
}

TEST(HttpHead, FilesRangesAndLiveStreamsAreTold) {
  IcyResponse response;
  ASSERT_TRUE(ParseIcyResponse(
      "HTTP/1.1 200 OK\r\nContent-Length: 1234\r\nAccept-Ranges: bytes\r\n\r\n", &response));
  EXPECT_EQ(response.contentLength, 1234);
  EXPECT_EQ(response.ranges, RangeSupport::Bytes);
  EXPECT_TRUE(IsHttpFile(response));

  const char* live[] = {
      "ICY 200 OK\r\nContent-Length: 5\r\n\r\n",
      "HTTP/1.0 200 OK\r\nContent-Length: 5\r\nicy-metaint: 8192\r\n\r\n",
      "HTTP/1.0 200 OK\r\nContent-Length: 5\r\nicy-name: Radio\r\n\r\n",
      "HTTP/1.0 200 OK\r\nContent-Length: -5\r\n\r\n",
      "HTTP/1.0 200 OK\r\nContent-Length: 99999999999999999999\r\n\r\n",
      "HTTP/1.0 206 Partial Content\r\nContent-Length: 5\r\n\r\n",
  };
  for (const char* head : live) {
    ASSERT_TRUE(ParseIcyResponse(head, &response)) << head;
    EXPECT_FALSE(IsHttpFile(response)) << head;
  }
  ASSERT_TRUE(ParseIcyResponse("HTTP/1.0 200 OK\nAccept-Ranges: none\n\n", &response));
  EXPECT_EQ(response.ranges, RangeSupport::None);

  ByteRange range;
  EXPECT_TRUE(ParseContentRange("bytes 100-199/1000", &range));
  EXPECT_EQ(range.first, 100);
  EXPECT_EQ(range.last, 199);
  EXPECT_EQ(range.total, 1000);
  EXPECT_TRUE(ParseContentRange("bytes 0-9/*", &range));
  EXPECT_EQ(range.total, -1);
  EXPECT_TRUE(ParseContentRange("bytes */1000", &range));
  EXPECT_EQ(range.first, -1);
  EXPECT_EQ(range.total, 1000);
  for (const char* bad : {"bytes 200-100/1000", "bytes 0-1000/1000", "items 0-1/2", "bytes 1-2",
                          "bytes -1-2/5", "bytes */*", "bytes 1-2/0", ""}) {
    EXPECT_FALSE(ParseContentRange(bad, &range)) << bad;
    EXPECT_EQ(range.first, -1) << bad;
  }
}

}  // namespace
