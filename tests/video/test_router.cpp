// The router hands DVD items to the DVD engine and everything else to the file engine.

#include <gtest/gtest.h>

#include "playback/video/enginerouter.h"
#include "playlist/playlist.h"

namespace {

class CountingEngine : public TZVideoEngine, public TZVideoCommands {
 public:
  std::optional<TZOpenError> Open(TMediaKind kind, const TZPlaylistEntry&) override {
    opened = kind;
    return std::nullopt;
  }
  void Free(TMediaKind, bool) override { ++freed; }
  void Pause() override { ++paused; }
  void Run() override {}
  bool Active() const override { return true; }
  qint64 Position() const override { return position; }
  qint64 Duration() const override { return 0; }
  void SetVolume(int v) override { volume = v; }
  void SetBalance(int) override {}
  bool SetRate(double) override { return true; }
  bool SeekFraction(qint64, qint64) override { return true; }
  bool SeekDvdTime(qint64) override { return true; }
  void SetEqualizerBand(int, int value) override { band = value; }
  bool SpectrumData(std::array<int, 512>*) const override { return false; }
  void ClearSpectrumData() override {}
  bool SelectAudioTrack(int index) override {
    audio = index;
    return true;
  }
  bool SelectSubtitleTrack(int) override { return true; }
  void SetColourControls(const TZColourControls& c) override { colours = c; }
  std::optional<QString> TakeScreenshot(bool, QSize) override { return name; }
  bool DvdPlayForwards(double) override { return true; }
  bool DvdPlayBackwards(double) override { return true; }
  bool DvdShowMenu(TZDvdMenu m) override {
    menu = m;
    return true;
  }
  bool DvdSetSubpictureShown(bool) override { return true; }
  bool DvdSelectAudioStream(int) override { return true; }
  bool DvdSelectSubpictureStream(int) override { return true; }
  bool DvdPlayChapter(int, int) override { return true; }
  bool DvdPreviousChapter() override { return true; }
  bool DvdNextChapter() override { return true; }
  void DvdPointerMoved(QPointF) override {}
  void DvdPointerReleased(QPointF) override {}

  TMediaKind opened = mkUnknown;
  int freed = 0, paused = 0, volume = 1, band = 0, audio = -5, menu = 0;
  qint64 position = 0;
  TZColourControls colours;
  QString name;
};

TEST(EngineRouter, KindsGoToTheirEngineAndCommandsFollowTheItem) {
  CountingEngine files, dvd;
  files.position = 11;
  dvd.position = 66;
  files.name = "files";
  dvd.name = "dvd";
  TZVideoEngineRouter router({&files, &files}, {&dvd, &dvd});
  const TZPlaylistEntry entry;

  // Nothing open: calls on the item do nothing.
  EXPECT_FALSE(router.Active());
  EXPECT_FALSE(router.DvdShowMenu(dmRoot));
  router.Pause();
  EXPECT_EQ(files.paused + dvd.paused, 0);

  EXPECT_FALSE(router.Open(mkDvd, entry));
  EXPECT_EQ(dvd.opened, mkDvd);
  EXPECT_EQ(files.opened, mkUnknown);
  EXPECT_EQ(router.Position(), 66);
  EXPECT_TRUE(router.DvdShowMenu(dmRoot));
  EXPECT_EQ(dvd.menu, dmRoot);
  EXPECT_EQ(router.TakeScreenshot(false, {}), QString("dvd"));
  router.Free(mkDvd, true);
  EXPECT_EQ(dvd.freed, 1);
  EXPECT_FALSE(router.Active());

  EXPECT_FALSE(router.Open(mkVideo, entry));
  EXPECT_EQ(files.opened, mkVideo);
  router.SetVolume(-300);
  EXPECT_EQ(files.volume, -300);
  EXPECT_EQ(dvd.volume, 1);
  EXPECT_TRUE(router.SelectAudioTrack(1));
  EXPECT_EQ(files.audio, 1);
  EXPECT_EQ(router.TakeScreenshot(false, {}), QString("files"));

  // Settings reach both engines whichever plays.
  router.SetEqualizerBand(3, 40);
  TZColourControls colours;
  colours.Brightness = 500;
  router.SetColourControls(colours);
  EXPECT_EQ(files.band, 40);
  EXPECT_EQ(dvd.band, 40);
  EXPECT_EQ(dvd.colours.Brightness, 500);
}

TEST(EngineRouter, AMissingDvdEngineFailsItsKindOnly) {
  CountingEngine files;
  TZVideoEngineRouter router({&files, &files}, {});
  const TZPlaylistEntry entry;
  const auto error = router.Open(mkDvd, entry);
  ASSERT_TRUE(error);
  EXPECT_EQ(error->Id, 1002);
  EXPECT_FALSE(router.Active());
  EXPECT_FALSE(router.Open(mkAudio, entry));
  EXPECT_EQ(files.opened, mkAudio);
}

}  // namespace
