// Internet radio over TLS: ICY streams from a local server behind a TLS relay with a test CA
// play, show their titles and record byte-exact; redirects between http and https, IPv6 and a
// proxy from the environment work; a certificate that does not verify fails the stream.

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QDir>
#include <atomic>
#include <chrono>
#include <future>
#include <map>
#include <optional>

#include "httpstreamtest.h"
#include "tlsrelay.h"

namespace {

using namespace std::chrono_literals;

constexpr size_t kMetaInterval = 8192;

std::string MetaBlock(const std::string& text) {
  std::string padded = text;
  padded.resize((text.size() + 15) / 16 * 16, '\0');
  return std::string(1, static_cast<char>(padded.size() / 16)) + padded;
}

// A live stream: the audio cut every kMetaInterval bytes by a metadata block, which carries
// the title given for that block, if any.
struct IcyStream {
  std::string audio;
  std::map<size_t, std::string> titles;  // block index -> StreamTitle

  std::string Head() const {
    return "ICY 200 OK\r\nicy-name:Secure Radio\r\ncontent-type:audio/mpeg\r\nicy-metaint:" +
           std::to_string(kMetaInterval) + "\r\n\r\n";
  }
  // Sends the stream; before block `gateBlock` it waits for `gate`.
  void Send(int client, const std::shared_future<void>& gate, size_t gateBlock) const {
    SendAll(client, Head());
    for (size_t at = 0, block = 0; at < audio.size(); at += kMetaInterval, ++block) {
      if (block == gateBlock) {
        gate.wait_for(20s);
      }
      SendAll(client, audio.substr(at, kMetaInterval));
      if (at + kMetaInterval <= audio.size()) {
        const auto title = titles.find(block);
        SendAll(client, title == titles.end() ? std::string(1, '\0')
                                              : MetaBlock("StreamTitle='" + title->second + "';"));
      }
    }
  }
};

// Copies bytes both ways between two connections until either side ends.
void Tunnel(int a, int b) {
  char buffer[16384];
  while (true) {
    pollfd ends[2] = {{a, POLLIN, 0}, {b, POLLIN, 0}};
    if (poll(ends, 2, 30000) <= 0) {
      return;
    }
    for (int i = 0; i < 2; ++i) {
      if (ends[i].revents == 0) {
        continue;
      }
      const ssize_t got = recv(ends[i].fd, buffer, sizeof(buffer), 0);
      if (got <= 0) {
        return;
      }
      SendAll(ends[1 - i].fd, std::string(buffer, static_cast<size_t>(got)));
    }
  }
}

class TlsStreamTest : public StreamTest {
 protected:
  void SetUp() override {
    StreamTest::SetUp();
    QString log;
    ASSERT_TRUE(MakeTestCertificates(QDir(scratch_.path()).absolutePath(), &certificates_, &log))
        << log.toStdString();
    audio_ = ReadBytes(MakeSine(scratch_, "radio.mp3", 1000, 6.0,
                                {"-c:a", "libmp3lame", "-b:a", "128k", "-write_xing", "0"}))
                 .toStdString();
    ASSERT_GT(audio_.size(), 5 * kMetaInterval);
    stream_ = {audio_, {{0, "First"}, {3, "Second"}}};
  }

  // Opens `url` with metadata, plays it out and checks the tone, the titles in order and the
  // recording, which must hold exactly the audio.
  void PlaysAndRecords(const std::string& url) {
    Received received;
    const ZSoundHandle handle = ZSoundOpenUrl(url, kZSoundStreamMetadata, received.Callback());
    ASSERT_NE(handle, 0u) << ZSoundErrorText(ZSoundErrorCode());
    received.handle = handle;
    opened_.set_value();
    EXPECT_NE(ZSoundGetTags(handle, ZSoundTags::IcyHeaders).find("icy-name:Secure Radio"),
              std::string::npos);
    ASSERT_TRUE(ZSoundPlay(handle, false));
    const std::vector<float> left = PlayOut(handle, 200);
    ASSERT_GT(left.size(), size_t{kRate * 5});
    EXPECT_NEAR(ZeroCrossingFrequency({left.begin() + kRate, left.begin() + 3 * kRate}, kRate),
                1000.0, 3.0);
    ZSoundFreeChannel(handle);
    EXPECT_TRUE(received.SawExactly(audio_));
    std::lock_guard lock(received.mutex);
    std::vector<std::string> shown;
    for (const auto& [bytes, title] : received.titles) {
      const std::string text = title.substr(0, title.find('\0'));
      if (shown.empty() || shown.back() != text) {
        shown.push_back(text);
      }
      // The second title shows only with audio sent after its metadata block.
      if (text.find("Second") != std::string::npos) {
        EXPECT_GT(bytes, 4 * kMetaInterval);
      }
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"StreamTitle='First';", "StreamTitle='Second';"}));
  }

  // Sends the stream with its two titles; the part after the second waits for the open.
  void SendStream(int client) const { stream_.Send(client, gate_, 3); }
  // Trusts the test CA, as a user names one for curl.
  void TrustTestCa() { trust_.emplace("CURL_CA_BUNDLE", certificates_.caFile); }

  TestCertificates certificates_;
  std::string audio_;
  IcyStream stream_;
  std::promise<void> opened_;
  const std::shared_future<void> gate_ = opened_.get_future().share();
  std::optional<ScopedEnvironment> trust_;
};

TEST_F(TlsStreamTest, HttpsIcyStreamPlaysShowsTitlesAndRecordsExactly) {
  TrustTestCa();
  LocalServer plain;
  std::atomic<bool> askedForMetadata{false};
  plain.Serve([&](int client, const std::string& request) {
    askedForMetadata = request.find("Icy-MetaData: 1") != std::string::npos;
    SendStream(client);
  });
  TlsRelay relay(certificates_, plain.Port());
  ASSERT_TRUE(relay.Ready());
  PlaysAndRecords(relay.Url());
  EXPECT_TRUE(askedForMetadata);
}

TEST_F(TlsStreamTest, RedirectsBetweenHttpAndHttpsAreFollowed) {
  TrustTestCa();
  // http -> https -> http -> the stream over https: each hop crosses to the other scheme.
  LocalServer radio;
  radio.Serve([&](int client, const std::string&) { SendStream(client); });
  TlsRelay secureRadio(certificates_, radio.Port());
  LocalServer back;
  back.Serve([&](int client, const std::string&) {
    SendAll(client, "HTTP/1.0 302 Found\r\nLocation: " + secureRadio.Url("/live") + "\r\n\r\n");
  });
  LocalServer mover;
  mover.Serve([&](int client, const std::string&) {
    SendAll(client, "HTTP/1.0 301 Moved\r\nLocation: " + back.Url("/back") + "\r\n\r\n");
  });
  TlsRelay secureMover(certificates_, mover.Port());
  LocalServer entry;
  entry.Serve([&](int client, const std::string&) {
    SendAll(client, "HTTP/1.1 302 Found\r\nContent-Length: 0\r\nLocation: " +
                        secureMover.Url("/radio") + "\r\n\r\n");
  });
  ASSERT_TRUE(secureRadio.Ready() && secureMover.Ready());
  PlaysAndRecords(entry.Url("/start"));
}

TEST_F(TlsStreamTest, HttpsFileWithItsIndexLastIsFetchedByRangesAndSeeks) {
  TrustTestCa();
  const std::string file =
      ReadBytes(MakeSine(scratch_, "tone.m4a", 1000, 12.0, {"-c:a", "aac", "-b:a", "128k"}))
          .toStdString();
  ASSERT_GT(file.find("moov"), file.find("mdat"));
  const size_t firstBytes = 32768;
  std::atomic<int> ranges{0};
  LocalServer plain;
  plain.Serve([&](int client, const std::string& request) {
    const int64_t from = RangeStart(request);
    const std::string size = std::to_string(file.size());
    if (from < 0) {
      // The plain answer stops after the first bytes: the index comes only by a range.
      SendAll(client,
              "HTTP/1.1 200 OK\r\nContent-Type: audio/mp4\r\nAccept-Ranges: bytes\r\n"
              "Content-Length: " +
                  size + "\r\n\r\n" + file.substr(0, firstBytes));
      char byte = 0;
      while (recv(client, &byte, 1, 0) > 0) {
      }
      return;
    }
    ++ranges;
    const auto start = static_cast<size_t>(from);
    SendAll(client, "HTTP/1.1 206 Partial Content\r\nContent-Range: bytes " +
                        std::to_string(start) + "-" + std::to_string(file.size() - 1) + "/" + size +
                        "\r\nContent-Length: " + std::to_string(file.size() - start) + "\r\n\r\n" +
                        file.substr(start));
  });
  TlsRelay relay(certificates_, plain.Port());
  ASSERT_TRUE(relay.Ready());
  Received received;
  const ZSoundHandle handle = ZSoundOpenUrl(relay.Url("/tone.m4a"), 0, received.Callback());
  ASSERT_NE(handle, 0u) << ZSoundErrorText(ZSoundErrorCode());
  const int64_t bytesPerSecond = int64_t{kRate} * 4;
  EXPECT_NEAR(static_cast<double>(ZSoundGetLength(handle)), 12.0 * bytesPerSecond,
              bytesPerSecond / 10);
  EXPECT_GE(ranges, 1);
  ASSERT_TRUE(ZSoundSetPosition(handle, 9 * bytesPerSecond));
  ASSERT_TRUE(ZSoundPlay(handle, false));
  const std::vector<float> rest = PlayOut(handle, 400);
  EXPECT_NEAR(static_cast<double>(rest.size()), 3.0 * kRate, kRate / 4);
  ASSERT_GT(rest.size(), size_t{kRate});
  EXPECT_NEAR(ZeroCrossingFrequency({rest.begin(), rest.begin() + kRate / 2}, kRate), 1000.0, 3.0);
  ASSERT_TRUE(received.WaitForEnd());
  ZSoundFreeChannel(handle);
  EXPECT_TRUE(received.SawExactly(file));
}

TEST_F(TlsStreamTest, HttpsOverIpv6Plays) {
  TrustTestCa();
  LocalServer plain;
  plain.Serve([&](int client, const std::string&) { SendStream(client); });
  TlsRelay relay(certificates_, plain.Port(), true);
  ASSERT_TRUE(relay.Ready());
  EXPECT_EQ(relay.Url().rfind("https://[::1]:", 0), 0u);
  PlaysAndRecords(relay.Url());
}

TEST_F(TlsStreamTest, ProxyFromTheEnvironmentCarriesTheStream) {
  // The name does not resolve: only a proxy can answer for it.
  const std::string url = "http://radio.invalid:8000/live";
  LocalServer proxy;
  std::atomic<bool> askedForUrl{false};
  proxy.Serve([&](int client, const std::string& request) {
    askedForUrl = request.rfind("GET " + url + " ", 0) == 0;
    SendStream(client);
  });
  ScopedEnvironment viaProxy("http_proxy", QString::fromStdString(proxy.Url("")));
  ScopedEnvironment noExceptions("no_proxy", "");
  PlaysAndRecords(url);
  EXPECT_TRUE(askedForUrl);
}

TEST_F(TlsStreamTest, HttpsGoesThroughAProxyTunnelFromTheEnvironment) {
  TrustTestCa();
  LocalServer plain;
  plain.Serve([&](int client, const std::string&) { SendStream(client); });
  TlsRelay relay(certificates_, plain.Port());
  ASSERT_TRUE(relay.Ready());
  LocalServer proxy;
  std::atomic<bool> tunnelled{false};
  proxy.Serve([&](int client, const std::string& request) {
    const std::string target = "127.0.0.1:" + std::to_string(relay.Port());
    if (request.rfind("CONNECT " + target + " ", 0) != 0) {
      SendAll(client, "HTTP/1.1 403 Forbidden\r\n\r\n");
      return;
    }
    const int upstream = ConnectToLoopback(relay.Port());
    tunnelled = upstream >= 0;
    SendAll(client, "HTTP/1.1 200 Connection established\r\nProxy-Agent: test\r\n\r\n");
    Tunnel(client, upstream);
    close(upstream);
  });
  ScopedEnvironment viaProxy("https_proxy", QString::fromStdString(proxy.Url("")));
  ScopedEnvironment noExceptions("no_proxy", "");
  PlaysAndRecords(relay.Url());
  EXPECT_TRUE(tunnelled);
}

TEST_F(TlsStreamTest, CertificateThatDoesNotVerifyFailsTheStream) {
  // A second CA that did not sign the server's certificate.
  TestCertificates other;
  QString log;
  const QString otherFolder = QDir(scratch_.path()).absoluteFilePath("other");
  ASSERT_TRUE(QDir().mkpath(otherFolder));
  ASSERT_TRUE(MakeTestCertificates(otherFolder, &other, &log)) << log.toStdString();
  std::atomic<int> requests{0};
  LocalServer plain;
  plain.Serve([&](int client, const std::string&) {
    ++requests;
    SendAll(client, "ICY 200 OK\r\ncontent-type:audio/mpeg\r\n\r\n" + audio_);
  });
  TlsRelay relay(certificates_, plain.Port());
  ASSERT_TRUE(relay.Ready());
  for (const QString& trusted : {other.caFile, QString("/nonexistent/ca.pem")}) {
    ScopedEnvironment trust("CURL_CA_BUNDLE", trusted);
    Received received;
    EXPECT_EQ(ZSoundOpenUrl(relay.Url(), kZSoundStreamMetadata, received.Callback()), 0u);
    EXPECT_EQ(ZSoundErrorCode(), ZSoundError::Certificate) << trusted.toStdString();
    EXPECT_NE(std::string(ZSoundErrorText(ZSoundErrorCode())).find("certificate"),
              std::string::npos);
    EXPECT_TRUE(received.bytes.empty());
  }
  EXPECT_EQ(requests, 0);  // no request ever went over the unverified connection
}

}  // namespace
