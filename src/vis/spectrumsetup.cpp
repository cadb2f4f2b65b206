#include "vis/spectrumsetup.h"

void ConfigureSpectrum(TSpectrum& spectrum, const TZSAnalyzer& analyser, const TZConfig& config) {
  spectrum.SetBackground(true, analyser.Background);
  spectrum.MaxValue = analyser.SpectrumHeight;
  spectrum.BarWidth = analyser.BarWidth;
  spectrum.ShowPeaks = config.ShowPeaks;
  spectrum.LineColor = QColor::fromRgb(analyser.LineColor);
  spectrum.PeakColor = QColor::fromRgb(analyser.PeakColor);
  spectrum.PeakFall = config.FallsOff.Peaks;
  spectrum.BarFall = config.FallsOff.Bars;
  spectrum.Mode = config.SpectrumType == stBars ? TSpectrum::dmBars : TSpectrum::dmLines;
  spectrum.Blur = config.SpectrumBlur;
  spectrum.Reset();
}

QImage AnalyzerFrame(TSpectrum& spectrum, const TZSAnalyzer& analyser, std::span<const float> data,
                     bool showData) {
  if (!showData) {
    return analyser.Background;
  }
  const int align =
      analyser.Align == sdRightToLeft ? TSpectrum::alRightToLeft : TSpectrum::alDownToUp;
  const int count = SpectrumBandCount(analyser.Size.width(), analyser.Size.height(), align,
                                      spectrum.Mode, spectrum.BarWidth);
  QImage area;
  spectrum.Draw(area, data, align, count);
  return area;
}
