#include <gtest/gtest.h>

#include <vector>

#include "vis/spectrumsetup.h"

namespace {

TZSAnalyzer Analyser() {
  TZSAnalyzer analyser;
  analyser.Size = QSize(84, 25);
  analyser.SpectrumHeight = 25;
  analyser.BarWidth = 3;
  analyser.LineColor = qRgb(200, 200, 200);
  analyser.PeakColor = qRgb(255, 255, 255);
  analyser.Align = sdDownToUp;
  analyser.Background = QImage(84, 25, QImage::Format_RGB888);
  analyser.Background.fill(QColor(10, 20, 30));
  return analyser;
}

TEST(SpectrumSetup, TakesTheSkinAndTheSettings) {
  TZConfig config;
  config.FallsOff = {2, 5};
  config.SpectrumType = stLines;
  config.SpectrumBlur = false;
  config.ShowPeaks = false;
  TSpectrum spectrum(84, 25);
  ConfigureSpectrum(spectrum, Analyser(), config);
  EXPECT_EQ(spectrum.MaxValue, 25);
  EXPECT_EQ(spectrum.BarWidth, 3);
  EXPECT_EQ(spectrum.PeakFall, 2);
  EXPECT_EQ(spectrum.BarFall, 5);
  EXPECT_EQ(spectrum.Mode, TSpectrum::dmLines);
  EXPECT_FALSE(spectrum.Blur);
  EXPECT_FALSE(spectrum.ShowPeaks);
  EXPECT_EQ(spectrum.LineColor, QColor(200, 200, 200));
  EXPECT_TRUE(spectrum.HasBackground);
}

TEST(SpectrumSetup, FrameShowsTheSkinPictureWithoutDataAndBarsWithIt) {
  TZConfig config;
  config.SpectrumBlur = false;
  TSpectrum spectrum(84, 25);
  const TZSAnalyzer analyser = Analyser();
  ConfigureSpectrum(spectrum, analyser, config);
  const std::vector<float> loud(TSpectrum::kDataSize, 1.0f);
  const QImage off = AnalyzerFrame(spectrum, analyser, loud, false);
  EXPECT_EQ(off.pixelColor(1, 24), QColor(10, 20, 30));
  const QImage on = AnalyzerFrame(spectrum, analyser, loud, true);
  // Bars mode, bar width 3: band 0 fills columns 0 to 2, column 3 keeps the background.
  EXPECT_EQ(on.pixelColor(1, 24), QColor(200, 200, 200));
  EXPECT_EQ(on.pixelColor(3, 24), QColor(10, 20, 30));
  EXPECT_EQ(spectrum.Bars[27], 25);
}

}  // namespace
