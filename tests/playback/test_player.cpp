// Playing a playlist through: crossfades, end of item, play modes, stop, pause, mute, the log.

#include <QFile>
#include <QFileInfo>

#include "base/zdebug.h"
#include "lang/language.h"
#include "playbacktest.h"

namespace {

constexpr double kPresent = 0.0025;  // 0.5 % of the tones' amplitude of 0.5
constexpr int kBlockMs = 20;

bool Idle(const TZPlayer& player) {
  return !player.State().ItemLoaded && !player.State().FadingOut;
}

}  // namespace

class PlaythroughTest : public PlayerTest {
 protected:
  void SetUp() override {
    PlayerTest::SetUp();
    windows_.onTitle = [this](const QString& text) {
      if (text.endsWith(QStringLiteral("is playing ]"))) {
        slots_.push_back(player_->State().ActiveSlot);
        started_.push_back(playlist_.PlayingIndex());
      }
    };
  }
  std::vector<int> slots_;
  std::vector<int> started_;
};

TEST_F(PlaythroughTest, CrossfadesOverlapForTheFaderTimeInAlternatingSlots) {
  config_.Fader = {true, 1000};
  config_.PlayModeIndex = pmNextUntilEnd;
  AddTone(500, 2.5);
  AddTone(1000, 2.5);
  AddTone(1500, 2.5);
  player_->PlayEntry(0);
  Run(200);
  ASSERT_TRUE(RunUntil([&] { return Idle(*player_); }, 12000));
  EXPECT_EQ(slots_, (std::vector<int>{0, 1, 0}));
  const std::vector<double> a = Levels(500), b = Levels(1000), c = Levels(1500);
  for (const auto& [before, after] : {std::pair{&a, &b}, std::pair{&b, &c}}) {
    const int overlapMs =
        (LastBlock(*before, kPresent) - FirstBlock(*after, kPresent) + 1) * kBlockMs;
    EXPECT_NEAR(overlapMs, 1000, 50);
  }
  EXPECT_TRUE(player_->State().Slots[0].Empty());
  EXPECT_TRUE(player_->State().Slots[1].Empty());
}

TEST_F(PlaythroughTest, WithoutFaderEveryItemPlaysInSlotZeroAndFollowsAtTheEndWindow) {
  config_.PlayModeIndex = pmNextUntilEnd;
  AddTone(500, 1.0);
  AddTone(1000, 1.0);
  AddTone(1500, 1.0);
  player_->PlayEntry(0);
  ASSERT_TRUE(RunUntil([&] { return Idle(*player_); }, 6000));
  EXPECT_EQ(slots_, (std::vector<int>{0, 0, 0}));
  const std::vector<double> a = Levels(500), b = Levels(1000), c = Levels(1500);
  for (const auto& [before, after] : {std::pair{&a, &b}, std::pair{&b, &c}}) {
    const int gapMs = (FirstBlock(*after, kPresent) - FirstBlock(*before, kPresent)) * kBlockMs;
    EXPECT_GE(gapMs, 1000 - 250 - kBlockMs);
    EXPECT_LE(gapMs, 1000 - 250 + TZPlayer::kPlayTimerInterval + kBlockMs);
  }
}

TEST_F(PlaythroughTest, EveryPlayModeStepsAsTheNavigatorSays) {
  AddTone(500, 0.6);
  AddTone(1000, 0.6);
  AddTone(1500, 0.6);
  // Modes that end must leave the player idle with exactly the expected items started, and
  // start nothing more later; modes that go on are followed for their first steps.
  struct Case {
    TPlayMode mode;
    int start;
    std::vector<int> expected;
    bool ends;
  };
  for (const Case& c :
       {Case{pmRepeat, 1, {1, 1, 1}, false}, Case{pmNextUntilEndLoop, 1, {1, 2, 0, 1}, false},
        Case{pmRandom, 2, {2, 1, 1}, false}, Case{pmNone, 0, {0}, true},
        Case{pmNextUntilEnd, 1, {1, 2}, true}}) {
    SCOPED_TRACE(c.mode);
    config_.PlayModeIndex = c.mode;
    player_->Navigator().SetRandomSource([](int) { return 1; });
    started_.clear();
    player_->PlayEntry(c.start);
    const int limitMs = 700 * static_cast<int>(c.expected.size()) + 500;
    if (c.ends) {
      EXPECT_TRUE(RunUntil([&] { return Idle(*player_); }, limitMs));
      Run(1000);
    } else {
      EXPECT_TRUE(RunUntil([&] { return started_.size() >= c.expected.size(); }, limitMs));
      EXPECT_FALSE(Idle(*player_));
    }
    EXPECT_EQ(started_, c.expected);
    player_->Stop();
    Run(50);
  }
}

TEST_F(PlaythroughTest, AnItemWhoseChannelStoppedEarlyStillAdvances) {
  config_.PlayModeIndex = pmNextUntilEnd;
  AddTone(500, 3.0);
  AddTone(1000, 3.0);
  player_->PlayEntry(0);
  Run(200);
  ZSoundStop(player_->State().ActiveGroup().Reference());
  Run(TZPlayer::kPlayTimerInterval + kStepMs);
  EXPECT_EQ(playlist_.PlayingIndex(), 1);
  EXPECT_TRUE(player_->Playing());
}

TEST_F(PlayerTest, StopDuringAFadeOutFreesAtOnce) {
  config_.Fader = {true, 1000};
  AddTone(500, 3.0);
  player_->PlayEntry(0);
  Run(300);
  player_->FreeLastItem(true);
  EXPECT_TRUE(player_->State().FadingOut);
  EXPECT_FALSE(player_->State().Slots[0].Empty());
  player_->FreeLastItem(true);
  EXPECT_TRUE(player_->State().Slots[0].Empty());
  EXPECT_TRUE(LogLines().contains(QStringLiteral("Free lastitem (Bass stream) [0]")));
  const size_t before = capture_.size();
  Run(100);
  for (size_t i = before; i < capture_.size(); ++i) {
    ASSERT_EQ(capture_[i], 0.0f);
  }
}

TEST_F(PlayerTest, StopWithNothingLoadedSaysReady) {
  windows_.timeBlank = false;
  player_->FreeLastItem(true);
  EXPECT_EQ(LogLines(), QStringList{QStringLiteral("Stopped.")});
  EXPECT_EQ(windows_.status, spStopped);
  EXPECT_EQ(windows_.title, QStringLiteral("Ready"));
  EXPECT_TRUE(windows_.timeBlank);
}

TEST_F(PlayerTest, ThePlayingBlockAndTheFreeLinesAreLogged) {
  AddTone(500, 2.0);
  const QString path = playlist_.Get(0)->FileName;
  player_->PlayEntry(0);
  Run(100);
  player_->FreeLastItem(false);
  ZDebug()->Write(QStringLiteral("after"));
  EXPECT_EQ(LogLines(),
            (QStringList{"", "Playing...", "  FileName: " + path, "  Type: Audio (Bass stream) [0]",
                         "  Khz: 44100", "  PlaylistIndex: [0]", "  Stopped.",
                         "  Free lastitem (Bass stream) [0]", "  ", "after"}));
}

TEST_F(PlayerTest, PauseAndResumeKeepThePosition) {
  AddTone(500, 3.0);
  player_->PlayEntry(0);
  Run(500);
  player_->TogglePause();
  const ZSoundHandle channel = player_->State().ActiveGroup().Reference();
  const int64_t paused = ZSoundGetPosition(channel);
  EXPECT_EQ(windows_.title, QStringLiteral("Paused"));
  EXPECT_EQ(windows_.status, spPaused);
  Run(500);
  EXPECT_EQ(ZSoundGetPosition(channel), paused);
  player_->TogglePause();
  EXPECT_EQ(windows_.title, QStringLiteral("[ tone500.wav is playing ]"));
  Run(100);
  EXPECT_NEAR(ZSoundGetPosition(channel) - paused, 17640, 1764);
}

TEST_F(PlayerTest, MuteHoldsAcrossANewItemWithAndWithoutFader) {
  AddTone(500, 3.0);
  AddTone(1000, 3.0);
  config_.Mute = true;
  for (bool fader : {false, true}) {
    SCOPED_TRACE(fader);
    config_.Fader = {fader, 300};
    capture_.clear();
    player_->PlayEntry(0);
    Run(200);
    windows_.balance = 20;
    player_->ApplyBalance();
    windows_.speed = 5;
    player_->ApplySpeed();
    player_->PlayEntry(1);
    Run(600);
    for (float sample : capture_) {
      ASSERT_EQ(sample, 0.0f);
    }
  }
  windows_.speed = 4;
  player_->ApplySpeed();
  player_->ToggleMute();
  Run(300);
  EXPECT_GT(Levels(1000).back(), 0.1);
}

TEST_F(PlayerTest, AMissingFileFailsAndRestoresTheTitle) {
  playlist_.Add("gone", scratch_.file("gone.mp3"), false, "00", "00:00:00");
  windows_.title = QStringLiteral("before");
  ReportCapture reports;
  player_->PlayEntry(0);
  ASSERT_EQ(reports.reports().size(), 1u);
  EXPECT_TRUE(reports.reports()[0].text.contains("gone.mp3"));
  EXPECT_EQ(windows_.title, QStringLiteral("before"));
  EXPECT_EQ(windows_.status, spStopped);
  EXPECT_FALSE(player_->State().ItemLoaded);
}

TEST_F(PlayerTest, StatusMessagesGiveWayToThePlayingTitleAfterASecond) {
  AddTone(500, 3.0);
  player_->PlayEntry(0);
  player_->ShowStatusMessage(QStringLiteral("[ Balance Center ]"));
  Run(990);
  EXPECT_EQ(windows_.title, QStringLiteral("[ Balance Center ]"));
  Run(20);
  EXPECT_EQ(windows_.title, QStringLiteral("[ tone500.wav is playing ]"));
  EXPECT_FALSE(player_->State().StatusMessageShown);
}

TEST(SpeakerSplit, OpensOneHandlePerSpeakerPair) {
  const auto count = [](int n) {
    std::vector<uint32_t> flags;
    const TChannelGroup group = OpenChannelGroup(n, [&](uint32_t f) {
      flags.push_back(f);
      return static_cast<ZSoundHandle>(0);
    });
    EXPECT_TRUE(group.Empty());
    return flags;
  };
  EXPECT_EQ(count(0), std::vector<uint32_t>{0});
  EXPECT_EQ(count(3), std::vector<uint32_t>{});
  EXPECT_EQ(SpeakerSplit(8, 4), 4);
  EXPECT_EQ(SpeakerSplit(8, 0), 0);
  std::vector<uint32_t> opened;
  ZSoundHandle next = 1;
  const TChannelGroup group = OpenChannelGroup(7, [&](uint32_t f) {
    opened.push_back(f);
    return next++;
  });
  EXPECT_EQ(opened, (std::vector<uint32_t>{kZSoundSpeakerFront, kZSoundSpeakerRear,
                                           kZSoundSpeakerCenterLfe, kZSoundSpeakerRear2}));
  EXPECT_EQ(group.Handles[3], 4u);
}

TEST_F(PlayerTest, ThreeSpeakersOpenNothingAndTheFileFails) {
  AddTone(500, 1.0);
  config_.Speakers = 4;
  player_->SetDeviceSpeakers(3);
  ReportCapture reports;
  player_->PlayEntry(0);
  ASSERT_EQ(reports.reports().size(), 1u);
  EXPECT_TRUE(reports.reports()[0].text.contains(QStringLiteral("Can't create 'tone500.wav'")));
}

class CdTest : public PlaythroughTest {
 protected:
  // A raw image of two audio tracks of 1 and 2 seconds, described by a cue sheet.
  QString MakeDisc() {
    QByteArray audio(3 * 176400, '\0');
    for (qsizetype i = 0; i < audio.size(); i += 4) {
      audio[i + 1] = audio[i + 3] = static_cast<char>((i / 4) % 100 < 50 ? 0x20 : 0xe0);
    }
    WriteBytes(scratch_.file("disc.bin"), audio);
    const QString cue = scratch_.file("disc.cue");
    WriteBytes(cue,
               "FILE \"disc.bin\" BINARY\r\n  TRACK 01 AUDIO\r\n    INDEX 01 00:00:00\r\n"
               "  TRACK 02 AUDIO\r\n    INDEX 01 00:01:00\r\n");
    playlist_.Add("Track 01", cue + "/Track01.cda", false, "01", "00:00:00");
    playlist_.Add("Track 02", cue + "/Track02.cda", false, "02", "00:00:00");
    return cue;
  }
};

TEST_F(CdTest, TracksOfADiscImagePlayOneAfterTheOther) {
  MakeDisc();
  config_.PlayModeIndex = pmNextUntilEnd;
  player_->PlayEntry(0);
  ASSERT_TRUE(player_->Playing());
  EXPECT_EQ(player_->State().StreamLength, 176400u);
  EXPECT_TRUE(LogLines().contains(QStringLiteral("  Type: Audio (MusicCD)")));
  ASSERT_TRUE(RunUntil([&] { return !player_->State().ItemLoaded; }, 5000));
  EXPECT_EQ(started_, (std::vector<int>{0, 1}));
  EXPECT_EQ(playlist_.Get(1)->Time, QStringLiteral("00:00:02"));
  EXPECT_TRUE(LogLines().contains(QStringLiteral("  Free lastitem (Bass MusicCD)")));
}

TEST_F(CdTest, ADiscTakenOutStopsWithinOneTick) {
  const QString cue = MakeDisc();
  player_->PlayEntry(1);
  Run(100);
  ASSERT_TRUE(player_->Playing());
  QFile::remove(cue);
  Run(TZPlayer::kPlayTimerInterval);
  EXPECT_FALSE(player_->State().ItemLoaded);
  EXPECT_EQ(player_->State().CdChannel, 0u);
}

TEST_F(CdTest, AnEntryWithoutTrackNumberFails) {
  MakeDisc();
  playlist_.Get(0)->Track = "00";
  ReportCapture reports;
  player_->PlayEntry(0);
  ASSERT_EQ(reports.reports().size(), 1u);
  EXPECT_FALSE(player_->State().ItemLoaded);
}

TEST_F(PlayerTest, FourSpeakersCarryTheItemOnTwoHandlesWithTwentyEffects) {
  player_.reset();
  ZSoundFree();
  ASSERT_TRUE(ZSoundInit(kZSoundMemoryDevice, kRate, kZSoundInitSpeakers));
  player_ = std::make_unique<TZPlayer>(playlist_, windows_, config_, clock_);
  player_->SetDeviceSpeakers(4);
  config_.Speakers = 8;
  AddTone(1000, 2.0);
  player_->PlayEntry(0);
  const TChannelGroup& group = player_->State().ActiveGroup();
  EXPECT_NE(group.Handles[1], 0u);
  EXPECT_EQ(group.Handles[2], 0u);
  int effects = 0;
  for (const auto& band : group.Effects) {
    effects += static_cast<int>(std::count_if(band.begin(), band.end(), [](auto e) { return e; }));
  }
  EXPECT_EQ(effects, 20);
  player_->Equalizer().SetBandGain(4, 18);
  for (int h = 0; h < 2; ++h) {
    ZSoundEqParameters parameters;
    ASSERT_TRUE(ZSoundGetEq(group.Effects[4][h], &parameters));
    EXPECT_EQ(parameters.gain, 6.0f);
  }
  std::vector<float> out;
  ASSERT_TRUE(ZSoundRenderMemory(4410, &out));
  const int channels = ZSoundOutputChannels();
  ASSERT_EQ(channels, 8);
  std::vector<double> energy(channels);
  for (size_t i = 0; i < out.size(); ++i) {
    energy[i % channels] += out[i] * out[i];
  }
  EXPECT_GT(energy[0], 10.0);  // front left
  // Eight channels in the order front, centre/LFE, rear, side: the rear pair carries the same
  // signal, the centre has no handle with n = 4.
  EXPECT_GT(energy[4], 10.0);
  EXPECT_EQ(energy[2], 0.0);
}
