// Seeking, jumps, volume, balance, speed, the equalizer and its presets on a playing item.

#include <QFile>

#include "base/text/textfile.h"
#include "playback/equalizer.h"
#include "playback/playercontrols.h"
#include "playbacktest.h"

namespace {

ZSoundAttributes Attributes(ZSoundHandle channel) {
  ZSoundAttributes attributes;
  ZSoundGetAttributes(channel, &attributes);
  return attributes;
}

}  // namespace

class ControlsTest : public PlayerTest {
 protected:
  void SetUp() override {
    PlayerTest::SetUp();
    AddTone(1000, 6.0);
    config_.JumpInterval = 1000;
    player_->PlayEntry(0);
    Run(200);
  }
  ZSoundHandle Channel() const { return player_->State().ActiveGroup().Reference(); }
};

TEST_F(ControlsTest, SeekingAndJumpsLandWhereTheBytesSay) {
  windows_.bar.Position = 3 * 176400;
  player_->SeekToBar();
  EXPECT_EQ(ZSoundGetPosition(Channel()), 3 * 176400);
  EXPECT_EQ(windows_.title, QStringLiteral("Timejump 00:00:03"));
  player_->JumpForward();
  EXPECT_EQ(ZSoundGetPosition(Channel()), 4 * 176400);
  windows_.bar.Position = 176400 / 2;
  player_->JumpBackward();
  EXPECT_EQ(ZSoundGetPosition(Channel()), 0);
  windows_.bar.Position = windows_.bar.Maximum - 1000;
  player_->JumpForward();
  EXPECT_EQ(windows_.bar.Position, windows_.bar.Maximum);
  Run(TZPlayer::kPlayTimerInterval + 20);
  EXPECT_FALSE(player_->State().ItemLoaded);  // the end test took it at the next tick
}

TEST_F(ControlsTest, VolumeSlidesWithTheVolumeFaderAndStaysOnHundreds) {
  EXPECT_EQ(Attributes(Channel()).volume, 100);
  config_.VolumeFader = {true, 500};
  windows_.volume.Position = 2050;
  player_->ApplyVolume(false);
  EXPECT_EQ(windows_.volume.Position, 2000);
  EXPECT_EQ(config_.Volume, 2000);
  Run(250);
  const int halfway = Attributes(Channel()).volume;
  EXPECT_GT(halfway, 40);
  EXPECT_LT(halfway, 80);
  Run(300);
  EXPECT_EQ(Attributes(Channel()).volume, 20);
  player_->ToggleMute();
  Run(250);
  EXPECT_GT(Attributes(Channel()).volume, 0);
  Run(300);
  EXPECT_EQ(Attributes(Channel()).volume, 0);
}

TEST_F(ControlsTest, VolumeHotkeysStepOnePercentAndSayIt) {
  windows_.volume.Position = 5000;
  player_->VolumeUp();
  Run(50);
  EXPECT_EQ(windows_.volume.Position, 5100);
  EXPECT_EQ(windows_.title, QStringLiteral("[ Volume 51.0 % ]"));
  EXPECT_EQ(Attributes(Channel()).volume, 51);
}

TEST_F(ControlsTest, BalanceAndSpeedStepsChangeTheChannel) {
  windows_.balance = 0;
  player_->ApplyBalance();
  Run(50);
  EXPECT_EQ(Attributes(Channel()).pan, -100);
  player_->SetSpeed(1);
  Run(50);
  EXPECT_EQ(Attributes(Channel()).rate, 11025);
  EXPECT_EQ(windows_.title, QStringLiteral("[ Speed 25 % ]"));
  player_->SetSpeed(10);
  Run(50);
  EXPECT_EQ(Attributes(Channel()).rate, 44100 + 6 * ((110250 - 44100) / 8));
  player_->SetSpeed(4);
  Run(50);
  EXPECT_EQ(Attributes(Channel()).rate, 44100);
  EXPECT_EQ(config_.Speed, 4);
  const int64_t before = ZSoundGetPosition(Channel());
  player_->SetSpeed(8);
  Run(550);
  // At 8 the rate is 44100 + 4 x 8268 = 77172 Hz: 0.5 s of output moves 1.75 s of source.
  EXPECT_NEAR(ZSoundGetPosition(Channel()) - before, 0.55 * 77172 * 4, 4 * 441 * 2);
}

TEST(GraphControls, VolumeAndBalanceInHundredthsOfADecibel) {
  EXPECT_EQ(GraphVolume(0), -10000);
  EXPECT_EQ(GraphVolume(10000), 0);
  EXPECT_EQ(GraphBalance(0, 200), -10000);
  EXPECT_EQ(GraphBalance(100, 200), 0);
  EXPECT_EQ(GraphBalance(200, 200), 10000);
  EXPECT_EQ(SpeedRate(4, 48000), 48000);
  EXPECT_EQ(SpeedRate(1, 48000), 12000);
}

TEST_F(ControlsTest, BandGainsReachThePlayingChannelAtOnce) {
  const ZSoundHandle effect = player_->State().ActiveGroup().Effects[4][0];
  ASSERT_NE(effect, 0u);
  ZSoundEqParameters parameters;
  ASSERT_TRUE(ZSoundGetEq(effect, &parameters));
  EXPECT_EQ(parameters.center, 1000.0f);
  EXPECT_EQ(parameters.bandwidth, 18.0f);
  Run(400);
  const double flat = Levels(1000).back();
  player_->Equalizer().SetBandGain(4, 18);
  ASSERT_TRUE(ZSoundGetEq(effect, &parameters));
  EXPECT_EQ(parameters.gain, 6.0f);
  EXPECT_EQ(config_.EQBand[4], 18);
  Run(400);
  EXPECT_NEAR(Levels(1000).back() / flat, 2.0, 0.2);  // +6 dB doubles the amplitude
}

TEST_F(PlayerTest, PresetsSaveAndLoad) {
  TZEqualizer& eq = player_->Equalizer();
  eq.DefaultPreset();
  const QString file = scratch_.file("flat.zeqp");
  eq.SavePreset(file);
  QStringList lines;
  ASSERT_TRUE(ReadTextLines(file, &lines));
  ASSERT_EQ(lines.size(), 13);
  EXPECT_EQ(lines[0], QString(35, u'/'));
  EXPECT_EQ(lines[1], QStringLiteral("// Zephonic Equalizer Preset File"));
  EXPECT_EQ(lines[3], QStringLiteral("EQBand0 [ 0 ]"));
  EXPECT_EQ(lines[12], QStringLiteral("EQBand9 [ 0 ]"));
  EXPECT_TRUE(ReadBytes(file).contains("\r\n"));

  for (int band = 0; band < 10; ++band) {
    eq.SetBandGain(band, band * 2);
  }
  EXPECT_EQ(eq.GainLabel(4), QStringLiteral("-4 db"));
  const QString shaped = scratch_.file("shaped.zeqp");
  eq.SavePreset(shaped);
  eq.DefaultPreset();
  EXPECT_EQ(eq.GainLabel(4), QStringLiteral("+0 db"));
  eq.LoadPreset(shaped);
  for (int band = 0; band < 10; ++band) {
    EXPECT_EQ(eq.Positions()[band], band * 2);
    EXPECT_EQ(config_.EQBand[band], band * 2);
  }
  eq.SetBandGain(4, 18);
  EXPECT_EQ(eq.GainLabel(4), QStringLiteral("+6 db"));
  EXPECT_EQ(TZEqualizer::BandLabel(4), QStringLiteral("1 KHz"));
  EXPECT_THROW(eq.LoadPreset(scratch_.file("missing.zeqp")), TZPresetError);
}

TEST(PresetLines, MismatchedLinesAreZeroAndGainsStayInRange) {
  const TZBandPositions positions = ParsePresetLines(
      {"// comment", "", "EQBand0 [ 5 ]", "EQBand9 [ 3 ]", "EQBand2 [ -40 ]", "EQBand3 [ 99 ]"});
  EXPECT_EQ(positions[0], 17);
  EXPECT_EQ(positions[1], 12);  // the line names another band
  EXPECT_EQ(positions[2], 0);
  EXPECT_EQ(positions[3], 24);
  EXPECT_EQ(positions[9], 12);  // missing lines
}

TEST_F(ControlsTest, TheTimeDisplayCountsUpOrDown) {
  Run(TZPlayer::kPlayTimerInterval);
  EXPECT_FALSE(windows_.timeRemaining);
  const qint64 elapsed = windows_.timeMs;
  EXPECT_NEAR(elapsed, 1000 * ZSoundGetPosition(Channel()) / 176400, TZPlayer::kPlayTimerInterval);
  config_.TimeMode = tmRemaining;
  Run(TZPlayer::kPlayTimerInterval);
  EXPECT_TRUE(windows_.timeRemaining);
  EXPECT_NEAR(windows_.timeMs, 6000 - elapsed - TZPlayer::kPlayTimerInterval, 20);
  EXPECT_EQ(windows_.bar.Maximum, 6 * 176400);
}
