// Internet radio from a server on 127.0.0.1: retries, station name, running titles, recording.

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "icyserver.h"
#include "playback/streamtags.h"
#include "playbacktest.h"

namespace {

constexpr int kMetaInterval = 8192;

}  // namespace

TEST(StreamTags, HeadersAndMetadataGiveTheirKeys) {
  TKeys keys;
  ParseTags(ConvertTags(std::string("ICY 200 OK\0icy-name:Radio One\0icy-genre:Pop\0\0", 45)), u':',
            true, &keys);
  ASSERT_EQ(keys.size(), 2u);
  EXPECT_EQ(keys[0].Name, QStringLiteral("icy-name"));
  EXPECT_EQ(keys[0].Value, QStringLiteral("Radio One"));
  EXPECT_EQ(keys[1].Name, QStringLiteral("icy-genre"));
  ParseTags(QStringLiteral("StreamTitle='Artist - Song';StreamUrl='';;"), u'=', false, &keys);
  ASSERT_EQ(keys.size(), 3u);
  EXPECT_EQ(FindKey(keys, QStringLiteral("streamtitle")), QStringLiteral("Artist - Song"));
  EXPECT_EQ(FindKey(keys, QStringLiteral("StreamUrl")), QString());
  ParseTags(QStringLiteral("a=b;"), u'=', true, &keys);
  EXPECT_EQ(keys.size(), 1u);
  EXPECT_TRUE(ConvertTags(std::string()).isEmpty());
}

TEST(StreamTags, RecordNamesLoseTheNineUnsafeCharacters) {
  EXPECT_EQ(RecordBaseName(QStringLiteral("%Title% (live)"), QStringLiteral("AC/DC: Back")),
            QStringLiteral("AC_DC_ Back (live)"));
  EXPECT_EQ(RecordBaseName(QStringLiteral("%TITLE%-%title%"), QStringLiteral("a\"*/:<>?\\|b")),
            QStringLiteral("a_________b-a_________b"));
}

class StreamTest : public PlayerTest {
 protected:
  void SetUp() override {
    PlayerTest::SetUp();
    const QString mp3 = scratch_.file("radio.mp3");
    ASSERT_EQ(RunProgram("ffmpeg", {"-v", "error", "-f", "lavfi", "-i", "sine=f=1000:d=8", "-ac",
                                    "2", "-ar", "44100", "-b:a", "64k", mp3}),
              0);
    audio_ = ReadBytes(mp3);
    output_ = scratch_.file("rec/");
    QDir().mkpath(output_);
    config_.LSASOutputPath = output_;
    config_.LSASFormatMask = QStringLiteral("%Title% (live)");
    config_.LSASAutoRecord = true;
    ZSoundSetNetTimeouts(2000, 30000);  // the parts wait for the test, not for a clock
  }
  void Start(IcyServer& server) {
    playlist_.Add("radio", QStringLiteral("http://127.0.0.1:%1/stream").arg(server.Port()), false,
                  "00", "00:00:00");
    player_->SetRetryWait([&](int ms) {
      waits_.push_back(ms);
      if (waits_.size() == 2) {
        server.Listen();
      }
    });
    player_->PlayEntry(0);
  }
  // The title reaches the library on the download thread, then the player's timer shows it.
  bool WaitForTitle(const QString& title) {
    const ZSoundHandle channel = player_->State().ActiveGroup().Reference();
    const std::string text = title.toStdString();
    return WaitFor(
               [&] {
                 return ZSoundGetTags(channel, ZSoundTags::Metadata).find(text) !=
                        std::string::npos;
               },
               5000) &&
           RunUntil([&] { return windows_.title == "[ " + title + " is playing ]"; }, 3000);
  }
  QByteArray Recorded(const QString& name) { return ReadBytes(output_ + name); }

  QByteArray audio_;
  QString output_;
  std::vector<int> waits_;
};

TEST_F(StreamTest, ConnectsOnTheThirdTryAndRecordsEachTitleIntoItsOwnFile) {
  IcyServer server(audio_, kMetaInterval,
                   {{2, QStringLiteral("First")}, {1, QStringLiteral("AC/DC: Back")}, {0, {}}});
  Start(server);
  ASSERT_TRUE(player_->Playing());
  EXPECT_EQ(waits_, (std::vector<int>{1000, 1000}));
  EXPECT_EQ(playlist_.Get(0)->Caption, QStringLiteral("Radio One"));
  EXPECT_EQ(windows_.title, QStringLiteral("[ Radio One is playing ]"));
  EXPECT_FALSE(player_->State().Seekable);

  ASSERT_TRUE(WaitForTitle(QStringLiteral("First")));
  server.Release();
  // The second title arrives while a status message shows: it waits for the title line.
  const ZSoundHandle channel = player_->State().ActiveGroup().Reference();
  ASSERT_TRUE(WaitFor(
      [&] {
        return ZSoundGetTags(channel, ZSoundTags::Metadata).find("AC/DC") != std::string::npos;
      },
      5000));
  player_->ShowStatusMessage(QStringLiteral("[ Balance Center ]"));
  Run(TZPlayer::kPlayTimerInterval * 2);
  EXPECT_EQ(windows_.title, QStringLiteral("[ Balance Center ]"));
  ASSERT_TRUE(WaitForTitle(QStringLiteral("AC/DC: Back")));
  server.Release();
  // The end of the download closes the last file.
  const qint64 lastFileSize = audio_.size() - 3 * kMetaInterval;
  ASSERT_TRUE(WaitFor(
      [&] { return QFileInfo(output_ + "AC_DC_ Back (live).mp3").size() == lastFileSize; }, 5000));
  player_->FreeLastItem(false);

  const QStringList files = QDir(output_).entryList(QDir::Files, QDir::Name);
  EXPECT_EQ(files,
            (QStringList{"AC_DC_ Back (live).mp3", "First (live).mp3", "Radio One (live).mp3"}));
  const QByteArray recorded = Recorded("Radio One (live).mp3") + Recorded("First (live).mp3") +
                              Recorded("AC_DC_ Back (live).mp3");
  EXPECT_EQ(recorded.size(), audio_.size());
  EXPECT_TRUE(recorded == audio_);
  EXPECT_EQ(Recorded("First (live).mp3").size(), kMetaInterval);
}

TEST_F(StreamTest, NothingIsRecordedWithoutAnOutputFormat) {
  config_.LSASConvertTo = 0;
  IcyServer server(audio_, kMetaInterval, {{2, QStringLiteral("Only")}, {0, {}}});
  Start(server);
  ASSERT_TRUE(player_->Playing());
  ASSERT_TRUE(WaitForTitle(QStringLiteral("Only")));
  server.Release();
  ASSERT_TRUE(WaitFor([&] { return server.SentAudio().size() == audio_.size(); }, 5000));
  Run(300);
  player_->FreeLastItem(false);
  EXPECT_TRUE(QDir(output_).entryList(QDir::Files).isEmpty());
}

TEST_F(StreamTest, NoServerFailsAfterThreeRetries) {
  IcyServer server(audio_, kMetaInterval, {{0, {}}});
  playlist_.Add("radio", QStringLiteral("http://127.0.0.1:%1/").arg(server.Port()), false, "00",
                "00:00:00");
  player_->SetRetryWait([&](int ms) { waits_.push_back(ms); });
  ReportCapture reports;
  player_->PlayEntry(0);
  EXPECT_EQ(waits_.size(), 3u);
  EXPECT_EQ(LogLines().count(QStringLiteral("LiveStream failed: ") +
                             QString::fromUtf8(ZSoundErrorText(ZSoundError::Network))),
            1);
  ASSERT_EQ(reports.reports().size(), 1u);
  EXPECT_TRUE(reports.reports()[0].text.contains(QStringLiteral("127.0.0.1")));
  EXPECT_FALSE(player_->State().ItemLoaded);
}

TEST(StreamTags, AValueBlankInsideItsQuotesIsDropped) {
  TKeys keys;
  ParseTags(QStringLiteral("StreamTitle=' ';StreamUrl='x';"), u'=', true, &keys);
  ASSERT_EQ(keys.size(), 1u);
  EXPECT_EQ(keys[0].Name, QStringLiteral("StreamUrl"));
}
