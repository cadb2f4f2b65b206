// The playing file released while its tags are written, and taken up again where it stood.

#include "playbacktest.h"

namespace {

int64_t Position(const TZPlayer& player) {
  return ZSoundGetPosition(player.State().ActiveGroup().Reference());
}

TEST_F(PlayerTest, AReleasedFileGoesOnWhereItStood) {
  AddTone(500, 3.0);
  AddTone(1000, 3.0);
  player_->PlayEntry(0);
  Run(500);
  EXPECT_TRUE(player_->PlaysFileEntry(0));
  EXPECT_FALSE(player_->PlaysFileEntry(1));
  const int64_t before = Position(*player_);

  player_->SuspendFile();
  EXPECT_TRUE(player_->State().ActiveGroup().Empty());
  EXPECT_FALSE(player_->PlayTimer().IsActive());
  capture_.clear();
  Run(200);
  EXPECT_EQ(FirstBlock(Levels(500), 0.05), -1);  // nothing sounds while the file is released

  player_->ResumeFile();
  EXPECT_TRUE(player_->PlayTimer().IsActive());
  EXPECT_NEAR(Position(*player_), before, 1764);
  capture_.clear();
  Run(200);
  EXPECT_NEAR(Position(*player_) - before, 35280, 1764);
  EXPECT_EQ(FirstBlock(Levels(500), 0.05), 0);
  EXPECT_EQ(windows_.status, spPlaying);
}

TEST_F(PlayerTest, APausedFileStaysPausedAfterItsRelease) {
  AddTone(500, 3.0);
  player_->PlayEntry(0);
  Run(300);
  player_->TogglePause();
  const int64_t paused = Position(*player_);
  player_->SuspendFile();
  player_->ResumeFile();
  Run(300);
  EXPECT_NEAR(Position(*player_), paused, 1764);
  EXPECT_FALSE(player_->PlayTimer().IsActive());
  player_->TogglePause();
  Run(100);
  EXPECT_NEAR(Position(*player_) - paused, 17640, 1764);
}

TEST_F(PlayerTest, AFileGoneWhileReleasedStopsThePlayer) {
  const QString path = Tone("gone.wav", 500, 3.0);
  playlist_.Add("gone.wav", path, false, "00", "00:00:00");
  player_->PlayEntry(0);
  Run(300);
  player_->SuspendFile();
  ASSERT_TRUE(QFile::remove(path));
  player_->ResumeFile();
  EXPECT_FALSE(player_->Playing());
  EXPECT_FALSE(player_->PlayTimer().IsActive());
  EXPECT_EQ(windows_.status, spStopped);
}

}  // namespace

TEST_F(PlayerTest, ASpeakerChangeReopensOnlyAPlayingSoundFile) {
  AddTone(500, 3.0);
  player_->PlayEntry(0);
  Run(400);
  const ZSoundHandle first = player_->State().ActiveGroup().Reference();
  const int64_t before = Position(*player_);
  config_.Speakers = 8;
  player_->ApplySpeakerSetting();
  EXPECT_NE(player_->State().ActiveGroup().Reference(), first);
  EXPECT_NEAR(Position(*player_), before, 1764);
  capture_.clear();
  Run(200);
  EXPECT_EQ(FirstBlock(Levels(500), 0.05), 0);

  player_->TogglePause();
  const ZSoundHandle paused = player_->State().ActiveGroup().Reference();
  config_.Speakers = 2;
  player_->ApplySpeakerSetting();
  EXPECT_EQ(player_->State().ActiveGroup().Reference(), paused);
}
