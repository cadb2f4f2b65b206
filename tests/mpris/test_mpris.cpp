// Desktop media control: playerctl, a separate program on the session bus, drives the real player
// core (dummy audio output, media made by ffmpeg) and reads back what it plays.
#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QUrl>
#include <memory>

#include "base/text/textfile.h"
#include "base/zdebug.h"
#include "desktop/mpris/mprisservice.h"
#include "desktop/mpris/playermpris.h"
#include "playbacktest.h"

namespace {

constexpr int kWaitMs = 10000;
constexpr qint64 kSecondUs = 1'000'000;

// A tagged MP3 tone of `seconds`.
QString TaggedTone(const ScratchFolder& scratch, const QString& name, int frequency, int seconds,
                   const QString& title) {
  const QString path = scratch.file(name);
  EXPECT_EQ(
      RunProgram("ffmpeg",
                 {"-v", "error", "-f", "lavfi", "-i",
                  QStringLiteral("sine=frequency=%1:duration=%2").arg(frequency).arg(seconds),
                  "-ac", "1", "-b:a", "32k", "-id3v2_version", "3", "-metadata", "title=" + title,
                  "-metadata", "artist=Quiet Signals", "-metadata", "album=Test Tones", path}),
      0);
  return path;
}

class MprisTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(ZSoundInit(1, kRate, 0)) << ZSoundErrorText(ZSoundErrorCode());
    SetZDebug(std::make_unique<TZDebug>(scratch_.file("zephonic.log")));
    config_.Fader = {false, 1000};
    config_.VolumeFader = {false, 500};
    config_.OFPReadID3Tag = false;
    config_.SwapMemoryMngt = false;
    first_ = TaggedTone(scratch_, "first.mp3", 440, 30, "First Light");
    second_ = TaggedTone(scratch_, "second.mp3", 660, 30, "Second Wind");
    playlist_.Add("first", first_, false, "00", "00:00:30");
    playlist_.Add("second", second_, false, "00", "00:00:30");
    player_ = std::make_unique<TZPlayer>(playlist_, windows_, config_, timers_);
    player_->SetDeviceSpeakers(ZSoundSpeakerCount());
    adapter_ = std::make_unique<TZPlayerMpris>(*player_, playlist_, config_, windows_);
    service_ = std::make_unique<TZMprisService>(*adapter_);
    ASSERT_TRUE(service_->Register());
  }
  void TearDown() override {
    service_.reset();
    adapter_.reset();
    player_.reset();
    ZSoundFree();
    SetZDebug(nullptr);
  }

  // Runs a bus client while the event loop serves its calls; its output, trimmed.
  QString Client(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    EXPECT_TRUE(process.waitForStarted(kWaitMs));
    EXPECT_TRUE(QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, kWaitMs));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
  }
  QString Playerctl(const QStringList& args) {
    return Client("playerctl", QStringList{"-p", "zephonic"} + args);
  }
  // A call or property read of the root interface, with dbus-send.
  QString Root(const QStringList& args) {
    return Client("dbus-send",
                  QStringList{"--session", "--print-reply",
                              "--dest=org.mpris.MediaPlayer2.zephonic", "/org/mpris/MediaPlayer2"} +
                      args);
  }

  bool WaitFor(const std::function<bool()>& done) { return QTest::qWaitFor(done, kWaitMs); }
  bool PlayingEntry(int index) const {
    return player_->Playing() && playlist_.PlayingIndex() == index;
  }

  ScratchFolder scratch_;
  QString first_, second_;
  TZConfig config_;
  TZPlaylist playlist_;
  WatchingWindows windows_;
  TZQtTimerSource timers_;
  std::unique_ptr<TZPlayer> player_;
  std::unique_ptr<TZPlayerMpris> adapter_;
  std::unique_ptr<TZMprisService> service_;
};

TEST_F(MprisTest, PlayerctlDrivesThePlayerAndReadsItBack) {
  EXPECT_EQ(Playerctl({"status"}), "Stopped");
  Playerctl({"play"});
  ASSERT_TRUE(WaitFor([&] { return PlayingEntry(0); }));
  EXPECT_EQ(Playerctl({"status"}), "Playing");

  const QString fields =
      Playerctl({"metadata", "--format",
                 "{{mpris:trackid}}|{{xesam:title}}|{{xesam:artist}}|{{xesam:album}}|"
                 "{{xesam:url}}|{{mpris:length}}"});
  const QStringList parts = fields.split('|');
  ASSERT_EQ(parts.size(), 6) << fields.toStdString();
  // playerctl quotes object paths.
  EXPECT_EQ(parts.mid(0, 5).join('|'),
            QStringList({"'/org/zephonic/track/0'", "First Light", "Quiet Signals", "Test Tones",
                         QUrl::fromLocalFile(first_).toString()})
                .join('|'));
  EXPECT_NEAR(parts[5].toLongLong(), 30 * kSecondUs, kSecondUs / 5);
  // The plain listing names the player and every key.
  const QString listing = Playerctl({"metadata"});
  EXPECT_TRUE(listing.contains(QRegularExpression("zephonic\\s+xesam:artist\\s+Quiet Signals")))
      << listing.toStdString();

  Playerctl({"position", "10"});
  EXPECT_GE(adapter_->PositionUs(), 10 * kSecondUs);
  EXPECT_LT(adapter_->PositionUs(), 11 * kSecondUs);
  EXPECT_NEAR(Playerctl({"position"}).toDouble(), 10.0, 1.0);
  Playerctl({"position", "4-"});
  EXPECT_NEAR(adapter_->PositionUs(), 6 * kSecondUs, kSecondUs);

  Playerctl({"volume", "0.5"});
  EXPECT_EQ(config_.Volume, 5000);
  EXPECT_EQ(windows_.volume.Position, 5000);
  EXPECT_DOUBLE_EQ(Playerctl({"volume"}).toDouble(), 0.5);

  Playerctl({"pause"});
  EXPECT_TRUE(player_->Paused());
  EXPECT_EQ(Playerctl({"status"}), "Paused");
  Playerctl({"play"});
  EXPECT_TRUE(PlayingEntry(0));

  Playerctl({"next"});
  ASSERT_TRUE(WaitFor([&] { return PlayingEntry(1); }));
  EXPECT_EQ(Playerctl({"metadata", "title"}), "Second Wind");
  Playerctl({"previous"});
  ASSERT_TRUE(WaitFor([&] { return PlayingEntry(0); }));

  Playerctl({"stop"});
  EXPECT_FALSE(player_->Playing());
  EXPECT_EQ(Playerctl({"status"}), "Stopped");
}

TEST_F(MprisTest, StatusChangesReachFollowers) {
  QProcess follow;
  follow.start("playerctl", {"-p", "zephonic", "--follow", "status"});
  ASSERT_TRUE(follow.waitForStarted(kWaitMs));
  QStringList seen;
  const auto saw = [&](const QStringList& lines) {
    return WaitFor([&] {
      seen += QString::fromUtf8(follow.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
      return seen == lines;
    });
  };
  ASSERT_TRUE(saw({"Stopped"})) << seen.join(',').toStdString();
  Playerctl({"play"});
  ASSERT_TRUE(saw({"Stopped", "Playing"})) << seen.join(',').toStdString();
  // A change made in the program (a hotkey, a button) goes out as well.
  player_->TogglePause();
  ASSERT_TRUE(saw({"Stopped", "Playing", "Paused"})) << seen.join(',').toStdString();
  player_->FreeLastItem(true);
  ASSERT_TRUE(saw({"Stopped", "Playing", "Paused", "Stopped"})) << seen.join(',').toStdString();
  follow.terminate();
  follow.waitForFinished(kWaitMs);
}

TEST_F(MprisTest, LoopAndShuffleAreThePlayModes) {
  Playerctl({"loop", "Track"});
  EXPECT_TRUE(config_.PlayMode);
  EXPECT_EQ(config_.PlayModeIndex, pmRepeat);
  Playerctl({"shuffle", "On"});
  EXPECT_EQ(config_.PlayModeIndex, pmRandom);
  EXPECT_EQ(Playerctl({"loop"}), "Playlist");
  EXPECT_EQ(Playerctl({"shuffle"}), "On");
  Playerctl({"shuffle", "Off"});
  EXPECT_EQ(config_.PlayModeIndex, pmNextUntilEndLoop);
  Playerctl({"loop", "None"});
  EXPECT_EQ(config_.PlayModeIndex, pmNextUntilEnd);
  // Switched off in the program: the player stops at the end of an item.
  config_.PlayMode = false;
  config_.PlayModeIndex = pmRepeat;
  EXPECT_EQ(Playerctl({"loop"}), "None");
}

TEST_F(MprisTest, SeeksOutsideTheItemOrForAnotherTrackAreIgnored) {
  Playerctl({"play"});
  ASSERT_TRUE(WaitFor([&] { return PlayingEntry(0); }));
  Playerctl({"position", "10"});
  const qint64 before = adapter_->PositionUs();
  // Past the end: nothing moves (MPRIS has SetPosition do nothing there).
  Playerctl({"position", "45"});
  EXPECT_LT(adapter_->PositionUs(), before + kSecondUs);
  EXPECT_TRUE(PlayingEntry(0));
  // A relative seek past the end goes on to the next item.
  Playerctl({"position", "40+"});
  ASSERT_TRUE(WaitFor([&] { return PlayingEntry(1); }));
}

TEST_F(MprisTest, JumpsGoOutAsSeeked) {
  Playerctl({"play"});
  ASSERT_TRUE(WaitFor([&] { return PlayingEntry(0); }));
  QProcess monitor;
  monitor.start("dbus-monitor", {"--session", "type='signal',member='Seeked'"});
  ASSERT_TRUE(monitor.waitForStarted(kWaitMs));
  QString output;
  // The positions of the Seeked signals seen so far, in seconds.
  const auto seekedTo = [&](int count) {
    QList<double> seconds;
    WaitFor([&] {
      output += QString::fromUtf8(monitor.readAllStandardOutput());
      seconds.clear();
      const QRegularExpression value(R"(member=Seeked\s+int64 (\d+))");
      for (auto it = value.globalMatch(output); it.hasNext();) {
        seconds << it.next().captured(1).toDouble() / kSecondUs;
      }
      return seconds.size() >= count;
    });
    return seconds;
  };
  // dbus-monitor is listening once it reports its own name.
  ASSERT_TRUE(WaitFor([&] {
    output += QString::fromUtf8(monitor.readAllStandardOutput());
    return output.contains("NameAcquired");
  }));

  Playerctl({"position", "10"});
  QList<double> seen = seekedTo(1);
  ASSERT_EQ(seen.size(), 1) << output.toStdString();
  EXPECT_NEAR(seen[0], 10.0, 0.5);
  // A jump made in the program (a hotkey) is noticed too.
  config_.JumpInterval = 5000;
  player_->JumpForward();
  seen = seekedTo(2);
  ASSERT_EQ(seen.size(), 2) << output.toStdString();
  EXPECT_NEAR(seen[1], 15.0, 1.0);
  monitor.terminate();
  monitor.waitForFinished(kWaitMs);
}

TEST_F(MprisTest, OpenUriAddsAndPlays) {
  const QString third = TaggedTone(scratch_, "third.mp3", 880, 5, "Third Time");
  Playerctl({"open", QUrl::fromLocalFile(third).toString()});
  ASSERT_TRUE(WaitFor([&] { return PlayingEntry(2); }));
  EXPECT_EQ(playlist_.Get(2)->FileName, third);
  // Schemes the player does not take are refused.
  Playerctl({"open", "ftp://127.0.0.1/x.mp3"});
  EXPECT_EQ(playlist_.Count(), 3);
}

TEST_F(MprisTest, RootInterfaceNamesTheProgramRaisesAndQuits) {
  int raised = 0;
  int quit = 0;
  adapter_->SetRaise([&] { ++raised; });
  adapter_->SetQuit([&] { ++quit; });
  const QString get = "org.freedesktop.DBus.Properties.Get";
  EXPECT_TRUE(Root({get, "string:org.mpris.MediaPlayer2", "string:Identity"})
                  .contains(QRegularExpression(R"(variant\s+string "Zephonic"$)")));
  EXPECT_TRUE(Root({get, "string:org.mpris.MediaPlayer2", "string:DesktopEntry"})
                  .contains(QRegularExpression(R"(variant\s+string "zephonic"$)")));
  Root({"org.mpris.MediaPlayer2.Raise"});
  EXPECT_EQ(raised, 1);
  Root({"org.mpris.MediaPlayer2.Quit"});
  EXPECT_EQ(quit, 1);
}

// Run without a session bus (its own ctest entry).
TEST(MprisNoBus, LogsOnceAndCarriesOn) {
  ScratchFolder scratch;
  SetZDebug(std::make_unique<TZDebug>(scratch.file("zephonic.log")));
  TZConfig config;
  TZPlaylist playlist;
  WatchingWindows windows;
  TZManualClock clock;
  TZPlayer player(playlist, windows, config, clock);
  TZPlayerMpris adapter(player, playlist, config, windows);
  TZMprisService service(adapter);
  EXPECT_FALSE(service.Register());
  service.Refresh();
  QStringList lines;
  ASSERT_TRUE(ReadTextLines(scratch.file("zephonic.log"), &lines));
  EXPECT_EQ(lines.filter("session bus").size(), 1) << lines.join('\n').toStdString();
  SetZDebug(nullptr);
}

}  // namespace
