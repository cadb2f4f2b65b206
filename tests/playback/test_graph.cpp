// The filter-graph kinds through the engine interface: start tail, end, pause, stop, controls.

#include "playback/videoengine.h"
#include "playbacktest.h"

namespace {

class FakeEngine : public TZVideoEngine {
 public:
  std::optional<TZOpenError> Open(TMediaKind kind, const TZPlaylistEntry&) override {
    opened = kind;
    active = !fail;
    if (fail) {
      return TZOpenError{1001, QStringLiteral("TZVideo"), QStringLiteral("clip.avi"), reported};
    }
    return std::nullopt;
  }
  void Free(TMediaKind, bool hide) override {
    freed = true;
    hidden = hide;
    active = false;
  }
  void Pause() override { paused = true; }
  void Run() override { paused = false; }
  bool Active() const override { return active; }
  qint64 Position() const override { return position; }
  qint64 Duration() const override { return duration; }
  void SetVolume(int v) override { volume = v; }
  void SetBalance(int b) override { balance = b; }
  bool SetRate(double r) override {
    rate = r;
    return true;
  }
  bool SeekFraction(qint64 p, qint64 m) override {
    position = duration * p / m;
    return true;
  }
  bool SeekDvdTime(qint64) override { return true; }
  void SetEqualizerBand(int band, int value) override { eq[band] = value; }
  bool SpectrumData(std::array<int, 512>*) const override { return false; }
  void ClearSpectrumData() override {}

  TMediaKind opened = mkUnknown;
  bool fail = false, reported = false, active = false, freed = false, hidden = false,
       paused = false;
  qint64 position = 0, duration = 0;
  int volume = 1, balance = 1;
  double rate = 0;
  std::array<int, 10> eq{};
};

}  // namespace

class GraphTest : public PlayerTest {
 protected:
  void SetUp() override {
    PlayerTest::SetUp();
    player_->SetVideoEngine(&engine_);
    playlist_.Add("clip", scratch_.file("clip.avi"), false, "00", "00:00:00");
  }
  FakeEngine engine_;
};

TEST_F(GraphTest, AVideoRunsToItsEndAndStops) {
  engine_.duration = 3 * 10000000LL;
  config_.PlayModeIndex = pmNextUntilEnd;
  player_->PlayEntry(0);
  EXPECT_EQ(engine_.opened, mkVideo);
  EXPECT_EQ(windows_.bar.Maximum, 3);
  EXPECT_EQ(playlist_.Get(0)->Time, QStringLiteral("00:00:03"));
  EXPECT_EQ(engine_.volume, 0);  // volume control at its maximum: full
  EXPECT_EQ(engine_.balance, 0);
  EXPECT_EQ(engine_.rate, 1.0);
  player_->TogglePause();
  EXPECT_TRUE(engine_.paused);
  EXPECT_EQ(windows_.osd, QStringLiteral("Paused"));
  player_->TogglePause();
  engine_.position = 3 * 10000000LL;
  Run(TZPlayer::kPlayTimerInterval);
  EXPECT_TRUE(engine_.freed);
  EXPECT_FALSE(player_->State().ItemLoaded);
  EXPECT_TRUE(LogLines().contains(QStringLiteral("Free lastitem (Video)")));
}

TEST_F(GraphTest, ZeroDurationWarnsAndDisablesSeeking) {
  player_->PlayEntry(0);
  EXPECT_EQ(
      windows_.warnings,
      QStringList{QStringLiteral("Duration is not valid for this file, seeking is disabled.")});
  EXPECT_FALSE(windows_.barEnabled);
}

TEST_F(GraphTest, FailuresAndAMissingEngineRestoreTheTitle) {
  engine_.fail = true;
  windows_.title = QStringLiteral("before");
  ReportCapture reports;
  player_->PlayEntry(0);
  player_->SetVideoEngine(nullptr);
  player_->PlayEntry(0);
  ASSERT_EQ(reports.reports().size(), 2u);
  EXPECT_TRUE(reports.reports()[0].text.contains(QStringLiteral("clip.avi")));
  EXPECT_EQ(windows_.title, QStringLiteral("before"));
  EXPECT_FALSE(player_->State().ItemLoaded);

  // A failure the engine has told the user about already ends the path without a second message.
  player_->SetVideoEngine(&engine_);
  engine_.reported = true;
  windows_.status = spPlaying;
  player_->PlayEntry(0);
  EXPECT_EQ(reports.reports().size(), 2u);
  EXPECT_EQ(windows_.status, spStopped);
  EXPECT_EQ(windows_.title, QStringLiteral("before"));
  EXPECT_FALSE(player_->State().ItemLoaded);
}

TEST_F(GraphTest, TheEqualizerGoesToTheGraphAsPercent) {
  engine_.duration = 30 * 10000000LL;
  player_->PlayEntry(0);
  player_->Equalizer().SetBandGain(3, 24);
  player_->Equalizer().ApplyEqualizer();
  EXPECT_EQ(engine_.eq[3], 100);
  EXPECT_EQ(engine_.eq[0], 0);
  windows_.bar.Position = 15;
  player_->SeekToBar();
  EXPECT_EQ(engine_.position, 15 * 10000000LL);
  EXPECT_EQ(windows_.osd, QStringLiteral("Timejump 00:00:15"));
}
