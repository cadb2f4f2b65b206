// The analyser's data path: 512 values per tick of what plays, drawn where the skin says.

#include "playback/analyzerfeed.h"
#include "playbacktest.h"
#include "vis/spectrum_vis.h"

namespace {

class WatchingAnalyzerView : public TZAnalyzerView {
 public:
  bool AnalyzerVisible() const override { return true; }
  TZAnalyzerSkin AnalyzerSkin() const override {
    TZAnalyzerSkin skin;
    skin.Picture = QImage(84, 30, QImage::Format_RGB888);
    skin.Picture.fill(Qt::black);
    skin.SpectrumHeight = 25;
    return skin;
  }
  void ShowAnalyzer(const QImage& area) override {
    last = area;
    ++shown;
  }
  QImage last;
  int shown = 0;
};

}  // namespace

class AnalyzerTest : public PlayerTest {
 protected:
  void SetUp() override {
    PlayerTest::SetUp();
    config_.SpectrumType = stLines;
    config_.SpectrumBlur = false;
    config_.ShowPeaks = false;
    analyzer_ =
        std::make_unique<TZSpectrumAnalyzer>(spectrum_, player_->State(), config_, view_, clock_);
    player_->SetAnalyzer(analyzer_.get());
  }
  void TearDown() override {
    player_->SetAnalyzer(nullptr);
    analyzer_.reset();
    PlayerTest::TearDown();
  }
  TSpectrum spectrum_{84, 30};
  WatchingAnalyzerView view_;
  std::unique_ptr<TZSpectrumAnalyzer> analyzer_;
};

TEST_F(AnalyzerTest, AOneKilohertzTonePeaksInItsBin) {
  AddTone(1000, 3.0);
  player_->PlayEntry(0);
  Run(500);
  const TZSpectrumValues values = CollectSpectrum(player_->State(), nullptr);
  ASSERT_EQ(values.size(), 512u);
  // 1000 Hz of 44100 Hz in a 1024-point FFT: bin 1000 / 43.07 = 23.2.
  const auto peak = std::max_element(values.begin(), values.end()) - values.begin();
  EXPECT_EQ(peak, 23);
  EXPECT_LT(values[60], values[23] / 20);
}

TEST_F(AnalyzerTest, EveryTickDrawsWhilePlayingAndTheSkinPictureWhenStopped) {
  AddTone(1000, 3.0);
  Run(100);
  EXPECT_EQ(view_.shown, 0);  // nothing loaded: no frames
  player_->PlayEntry(0);
  Run(450);
  EXPECT_EQ(view_.shown, 10);
  // Lines mode: band b is column b; the tone's column reaches the top of the 25-pixel range.
  const int h = view_.last.height();
  EXPECT_EQ(view_.last.pixelColor(23, h - 20), QColor(Qt::white));
  EXPECT_EQ(view_.last.pixelColor(60, h - 20), QColor(Qt::black));
  player_->FreeLastItem(false);
  EXPECT_EQ(view_.last.pixelColor(23, h - 20), QColor(Qt::black));
  const int afterStop = view_.shown;
  Run(450);
  EXPECT_EQ(view_.shown, afterStop);
  const TZSpectrumValues stopped = CollectSpectrum(player_->State(), nullptr);
  EXPECT_TRUE(std::all_of(stopped.begin(), stopped.end(), [](float v) { return v == 0; }));
}
