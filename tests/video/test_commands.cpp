// The window's commands on a playing file: the default tracks from the settings, switching
// tracks, external subtitles, screenshots and the brightness keys.

#include <QImage>

#include "base/programpath.h"
#include "videotest.h"

TEST_F(VideoTest, DefaultLanguageChoosesTheTrackAndTracksSwitch) {
  config_.VidDefaultLanguage = "ger";
  config_.VidDefaultSubtitle = "engl";
  Add(MakeMatroska("lang.mkv", 4));
  player_->PlayEntry(0);
  ASSERT_TRUE(Playing(0));
  EXPECT_EQ(view_.audioChecked, 1);
  EXPECT_EQ(view_.subtitleChecked, 0);
  EXPECT_EQ(engine_->ItemInfo().AudioTrack, 1);

  EXPECT_TRUE(engine_->SelectAudioTrack(0));
  EXPECT_TRUE(engine_->SelectSubtitleTrack(-1));
  EXPECT_FALSE(engine_->SelectAudioTrack(2));
  EXPECT_FALSE(engine_->SelectSubtitleTrack(1));
  EXPECT_EQ(engine_->ItemInfo().AudioTrack, 0);
  EXPECT_EQ(engine_->ItemInfo().SubtitleTrack, -1);
  // The switch keeps the item playing.
  const qint64 before = engine_->Position();
  EXPECT_TRUE(PlayUntil([&] { return engine_->Position() > before + 5000000; }, 3000));
}

TEST_F(VideoTest, SubtitleFileNextToAVideoWithoutSubtitlesIsShown) {
  const QString video = MakeOgg("talk.ogm", 2);
  WriteBytes(scratch_.file("talk.srt"), "1\n00:00:00,000 --> 00:00:05,000\nLate\n\n");
  WriteBytes(scratch_.file("talk.sub"), "{0}{100}Early\n");
  config_.VidDefaultSubtitleFailed = true;
  Add(video);
  player_->PlayEntry(0);
  ASSERT_TRUE(Playing(0));
  EXPECT_EQ(engine_->ItemInfo().SubtitleFile, scratch_.file("talk.sub"));
  EXPECT_EQ(view_.subtitles, QStringList({"Subtitle Track 1"}));
  EXPECT_EQ(view_.subtitleChecked, 0);
  EXPECT_TRUE(PlayUntil([&] { return view_.frames.count > 10; }, 3000));
}

TEST_F(VideoTest, ScreenshotsCountUpAndAFolderThatCannotBeWrittenIsReported) {
  Add(MakeMatroska("shot.mkv", 3));
  player_->PlayEntry(0);
  ASSERT_TRUE(Playing(0));
  ASSERT_TRUE(PlayUntil([&] { return view_.frames.count > 3; }, 3000));
  const auto first = engine_->TakeScreenshot(false, {});
  const auto second = engine_->TakeScreenshot(true, {320, 200});
  ASSERT_TRUE(first && second);
  EXPECT_EQ(*first, DataPath() + "images/shot.mkv.001.png");
  EXPECT_EQ(*second, DataPath() + "images/shot.mkv.002.png");
  EXPECT_EQ(QImage(*first).size(), QSize(160, 120));
  EXPECT_EQ(QImage(*second).size(), QSize(320, 200));

  ReportCapture reports;
  SetProgramPath(PathBelowAFile(scratch_, "home") + "/");
  EXPECT_FALSE(engine_->TakeScreenshot(false, {}));
  ASSERT_EQ(reports.reports().size(), 1u);
  EXPECT_TRUE(reports.reports()[0].text.contains("3003"));
  EXPECT_TRUE(reports.reports()[0].text.contains("TZVideo"));
  SetProgramPath(scratch_.path());
}
