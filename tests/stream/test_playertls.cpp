// The player core and a TLS stream whose certificate does not verify: the failure is told once,
// in the log and through the error catalogue, without the retries a network failure gets.

#include <QDir>

#include "icyserver.h"
#include "playbacktest.h"
#include "tlsrelay.h"

namespace {

TEST_F(PlayerTest, StreamWithUnverifiedCertificateFailsAtOnceAndSaysWhy) {
  // The relay shows a certificate of the test CA; the player trusts only a second CA.
  TestCertificates served;
  TestCertificates trusted;
  QString log;
  for (auto [name, made] : {std::pair{"served", &served}, std::pair{"trusted", &trusted}}) {
    const QString folder = QDir(scratch_.path()).absoluteFilePath(name);
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(MakeTestCertificates(folder, made, &log)) << log.toStdString();
  }
  IcyServer server(QByteArray(64 * 1024, '\x55'), 8192, {{0, {}}});
  server.Listen();
  TlsRelay relay(served, server.Port());
  ASSERT_TRUE(relay.Ready());
  ScopedEnvironment trust("CURL_CA_BUNDLE", trusted.caFile);

  const QString url = QString::fromStdString(relay.Url());
  playlist_.Add("radio", url, false, "00", "00:00:00");
  windows_.SetTitleText(QStringLiteral("[ Before is playing ]"));
  std::vector<int> waits;
  player_->SetRetryWait([&waits](int ms) { waits.push_back(ms); });
  ReportCapture reports;
  player_->PlayEntry(0);

  EXPECT_TRUE(waits.empty()) << "a certificate failure was retried " << waits.size() << " times";
  const QString failed = QStringLiteral("LiveStream failed: ") +
                         QString::fromUtf8(ZSoundErrorText(ZSoundError::Certificate));
  EXPECT_EQ(LogLines().count(failed), 1) << LogLines().join('\n').toStdString();
  ASSERT_EQ(reports.reports().size(), 1u);
  EXPECT_TRUE(
      reports.reports()[0].text.contains(QStringLiteral("Can't create '%1' stream").arg(url)))
      << reports.reports()[0].text.toStdString();
  EXPECT_FALSE(reports.reports()[0].fatal);
  EXPECT_EQ(windows_.title, QStringLiteral("[ Before is playing ]"));
  EXPECT_EQ(windows_.status, spStopped);
  EXPECT_FALSE(player_->State().ItemLoaded);
  EXPECT_FALSE(player_->Playing());
  EXPECT_TRUE(server.SentAudio().isEmpty());  // nothing went over the unverified connection
}

}  // namespace
