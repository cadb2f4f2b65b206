#include <gtest/gtest.h>

#include <vector>

#include "vis/spectrum_vis.h"

namespace {

constexpr QRgb kBlack = 0xff000000;
const QColor kLine(200, 200, 200);
const QColor kPeak(255, 255, 0);

TSpectrum MakeAnalyser(int width, int height, int mode, int barWidth) {
  TSpectrum spectrum(width, height);
  spectrum.MaxValue = height;
  spectrum.LineColor = kLine;
  spectrum.PeakColor = kPeak;
  spectrum.Mode = mode;
  spectrum.BarWidth = barWidth;
  spectrum.Blur = false;
  return spectrum;
}

std::vector<float> Flat(float value) {
  return std::vector<float>(TSpectrum::kDataSize, value);
}

// The data value that the analyser turns into n (values are scaled by 500 and truncated).
float Level(int n) {
  return (float(n) + 0.5f) / 500.0f;
}

int LitRows(const QImage& picture, int x) {
  int lit = 0;
  for (int y = 0; y < picture.height(); ++y) {
    lit += picture.pixel(x, y) != kBlack;
  }
  return lit;
}

TEST(Spectrum, ValueIsScaledAndCutToTheSkinHeight) {
  TSpectrum spectrum = MakeAnalyser(84, 25, TSpectrum::dmLines, 3);
  QImage area;
  spectrum.Draw(area, Flat(0.1f), TSpectrum::alDownToUp, 84);
  EXPECT_EQ(spectrum.Bars[0], 25);
  EXPECT_EQ(spectrum.Peaks[0], 25);
  spectrum.MaxValue = 100;
  spectrum.Draw(area, Flat(0.1f), TSpectrum::alDownToUp, 84);
  EXPECT_EQ(spectrum.Bars[5], 50);
  spectrum.Draw(area, Flat(-Level(47)), TSpectrum::alDownToUp, 84);
  // Negative values count by magnitude; a lower value lets bars fall by 3 and peaks by 1.
  EXPECT_EQ(spectrum.Bars[5], 47);
  EXPECT_EQ(spectrum.Peaks[5], 49);
  spectrum.Draw(area, Flat(-Level(48)), TSpectrum::alDownToUp, 84);
  EXPECT_EQ(spectrum.Bars[5], 48);
  EXPECT_EQ(spectrum.Peaks[5], 48);
}

TEST(Spectrum, BarsModeDrawsBarsWithGapsAndPeakLines) {
  TSpectrum spectrum = MakeAnalyser(84, 25, TSpectrum::dmBars, 3);
  std::vector<float> data(TSpectrum::kDataSize, 0.0f);
  data[0] = Level(10);
  data[1] = Level(5);
  data[28] = Level(20);
  data[29] = Level(20);
  const int count = SpectrumBandCount(84, 25, TSpectrum::alDownToUp, TSpectrum::dmBars, 3);
  ASSERT_EQ(count, 28);
  QImage area;
  spectrum.Draw(area, data, TSpectrum::alDownToUp, count);
  ASSERT_EQ(area.size(), QSize(84, 25));
  for (int x = 0; x < 3; ++x) {
    EXPECT_EQ(LitRows(area, x), 10) << x;
    EXPECT_EQ(area.pixelColor(x, 15), kPeak) << x;  // the peak line sits on the bar's top row
    EXPECT_EQ(area.pixelColor(x, 24), kLine) << x;
  }
  EXPECT_EQ(LitRows(area, 3), 0);  // the gap
  EXPECT_EQ(LitRows(area, 4), 5);
  // Band 28 starts at x = 112, outside the area; band 29 is never drawn.
  EXPECT_EQ(spectrum.Bars[28], 20);
  EXPECT_EQ(spectrum.Bars[29], 0);
  EXPECT_EQ(LitRows(area, 83), 0);

  // The next silent frame lowers the bar by 3 and the peak by 1, leaving the peak above the bar.
  spectrum.Draw(area, Flat(0.0f), TSpectrum::alDownToUp, count);
  EXPECT_EQ(area.pixelColor(0, 16), kPeak);
  EXPECT_EQ(area.pixelColor(0, 17), kBlack);
  EXPECT_EQ(area.pixelColor(0, 18), kLine);
}

TEST(Spectrum, SilenceDrawsNothingOnceEverythingHasFallen) {
  TSpectrum spectrum = MakeAnalyser(84, 25, TSpectrum::dmBars, 3);
  QImage area;
  spectrum.Draw(area, Flat(1.0f), TSpectrum::alDownToUp, 28);
  for (int frame = 0; frame < 24; ++frame) {
    spectrum.Draw(area, Flat(0.0f), TSpectrum::alDownToUp, 28);
  }
  EXPECT_EQ(spectrum.Peaks[0], 1);
  spectrum.Draw(area, Flat(0.0f), TSpectrum::alDownToUp, 28);
  EXPECT_EQ(spectrum.Peaks[0], 0);
  EXPECT_EQ(spectrum.Bars[0], 0);
  for (int x = 0; x < area.width(); ++x) {
    ASSERT_EQ(LitRows(area, x), 0) << x;
  }
}

TEST(Spectrum, LinesModeDrawsAtMost129Bands) {
  TSpectrum spectrum = MakeAnalyser(200, 30, TSpectrum::dmLines, 3);
  QImage area;
  spectrum.Draw(area, Flat(Level(10)), TSpectrum::alDownToUp, 200);
  // A line leaves out its end point: a value of 10 lights 9 line pixels and the peak pixel.
  EXPECT_EQ(LitRows(area, 0), 10);
  EXPECT_EQ(area.pixelColor(0, 20), kPeak);
  EXPECT_EQ(area.pixelColor(0, 21), kLine);
  EXPECT_EQ(LitRows(area, 128), 10);
  EXPECT_EQ(LitRows(area, 129), 0);
}

TEST(Spectrum, RightToLeftGrowsFromTheRightEdge) {
  TSpectrum spectrum = MakeAnalyser(40, 20, TSpectrum::dmBars, 2);
  spectrum.MaxValue = 40;
  std::vector<float> data(TSpectrum::kDataSize, 0.0f);
  data[1] = Level(6);
  QImage area;
  spectrum.Draw(area, data, TSpectrum::alRightToLeft, 10);
  // Band 1 covers rows 3 and 4; its bar fills columns 34..39, the peak column is 34.
  for (int y : {3, 4}) {
    EXPECT_EQ(area.pixelColor(33, y), QColor(Qt::black)) << y;
    EXPECT_EQ(area.pixelColor(34, y), kPeak) << y;
    EXPECT_EQ(area.pixelColor(39, y), kLine) << y;
  }
  EXPECT_EQ(area.pixelColor(39, 2), QColor(Qt::black));
  EXPECT_EQ(area.pixelColor(39, 5), QColor(Qt::black));
}

TEST(Spectrum, BlurBlendsIntoThePreviousFramesAndSinks) {
  TSpectrum spectrum = MakeAnalyser(10, 10, TSpectrum::dmBars, 10);
  spectrum.Blur = true;
  spectrum.ShowPeaks = false;
  spectrum.LineColor = Qt::white;
  QImage area;
  spectrum.Draw(area, Flat(Level(10)), TSpectrum::alDownToUp, 1);
  // (0 * 26 + 255 * 6) / 32 = 47 on the lit rows 0..9.
  EXPECT_EQ(area.pixelColor(0, 0), QColor(47, 47, 47));
  spectrum.Draw(area, Flat(0.0f), TSpectrum::alDownToUp, 1);
  // The bar fell to 7 (rows 3..9); row 0 blends the unshifted previous row 0 only, row 1
  // takes the trail that sank from row 0: 47 * 26 / 32 = 38.
  EXPECT_EQ(area.pixelColor(0, 0), QColor(0, 0, 0));
  EXPECT_EQ(area.pixelColor(0, 1), QColor(38, 38, 38));
  EXPECT_EQ(area.pixelColor(0, 3), QColor(86, 86, 86));  // (47 * 26 + 255 * 6) / 32
}

TEST(Spectrum, BackgroundShowsUnderTheBars) {
  TSpectrum spectrum = MakeAnalyser(8, 8, TSpectrum::dmLines, 1);
  QImage background(8, 8, QImage::Format_RGB888);
  background.fill(QColor(0, 0, 90));
  spectrum.SetBackground(true, background);
  spectrum.Reset();
  QImage area;
  spectrum.Draw(area, Flat(0.0f), TSpectrum::alDownToUp, 8);
  EXPECT_EQ(area.pixelColor(4, 4), QColor(0, 0, 90));
}

}  // namespace
