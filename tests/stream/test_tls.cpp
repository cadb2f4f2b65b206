// Internet radio over TLS: ICY streams from a local server behind a TLS relay with a test CA
// play, show their titles and record byte-exact; redirects between http and https, IPv6 and a
// proxy from the environment work; a certificate that does not verify fails the stream.

#include <QDir>
#include <atomic>
#include <chrono>
#include <future>
#include <map>

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
  }

  // Opens `url` with metadata, plays it out and checks the tone, the titles in order and the
  // recording, which must hold exactly the audio.
  void PlaysAndRecords(const std::string& url, std::promise<void>* opened) {
    Received received;
    const ZSoundHandle handle = ZSoundOpenUrl(url, kZSoundStreamMetadata, received.Callback());
    ASSERT_NE(handle, 0u) << ZSoundErrorText(ZSoundErrorCode());
    received.handle = handle;
    opened->set_value();
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

  IcyStream Stream() const { return {audio_, {{0, "First"}, {3, "Second"}}}; }

  TestCertificates certificates_;
  std::string audio_;
};

TEST_F(TlsStreamTest, HttpsIcyStreamPlaysShowsTitlesAndRecordsExactly) {
  ScopedEnvironment trust("CURL_CA_BUNDLE", certificates_.caFile);
  std::promise<void> opened;
  const std::shared_future<void> gate = opened.get_future().share();
  const IcyStream stream = Stream();
  LocalServer plain;
  std::atomic<bool> askedForMetadata{false};
  plain.Serve([&](int client, const std::string& request) {
    askedForMetadata = request.find("Icy-MetaData: 1") != std::string::npos;
    stream.Send(client, gate, 3);
  });
  TlsRelay relay(certificates_, plain.Port());
  ASSERT_TRUE(relay.Ready());
  PlaysAndRecords(relay.Url(), &opened);
  EXPECT_TRUE(askedForMetadata);
}

TEST_F(TlsStreamTest, RedirectsBetweenHttpAndHttpsAreFollowed) {
  ScopedEnvironment trust("CURL_CA_BUNDLE", certificates_.caFile);
  std::promise<void> opened;
  const std::shared_future<void> gate = opened.get_future().share();
  const IcyStream stream = Stream();
  // http -> https -> http -> the stream over https: each hop crosses to the other scheme.
  LocalServer radio;
  radio.Serve([&](int client, const std::string&) { stream.Send(client, gate, 3); });
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
  PlaysAndRecords(entry.Url("/start"), &opened);
}

TEST_F(TlsStreamTest, HttpsOverIpv6Plays) {
  ScopedEnvironment trust("CURL_CA_BUNDLE", certificates_.caFile);
  std::promise<void> opened;
  const std::shared_future<void> gate = opened.get_future().share();
  const IcyStream stream = Stream();
  LocalServer plain;
  plain.Serve([&](int client, const std::string&) { stream.Send(client, gate, 3); });
  TlsRelay relay(certificates_, plain.Port(), true);
  ASSERT_TRUE(relay.Ready());
  EXPECT_EQ(relay.Url().rfind("https://[::1]:", 0), 0u);
  PlaysAndRecords(relay.Url(), &opened);
}

TEST_F(TlsStreamTest, ProxyFromTheEnvironmentCarriesTheStream) {
  std::promise<void> opened;
  const std::shared_future<void> gate = opened.get_future().share();
  const IcyStream stream = Stream();
  // The name does not resolve: only a proxy can answer for it.
  const std::string url = "http://radio.invalid:8000/live";
  LocalServer proxy;
  std::atomic<bool> askedForUrl{false};
  proxy.Serve([&](int client, const std::string& request) {
    askedForUrl = request.rfind("GET " + url + " ", 0) == 0;
    stream.Send(client, gate, 3);
  });
  ScopedEnvironment viaProxy("http_proxy", QString::fromStdString(proxy.Url("")));
  ScopedEnvironment noExceptions("no_proxy", "");
  PlaysAndRecords(url, &opened);
  EXPECT_TRUE(askedForUrl);
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
