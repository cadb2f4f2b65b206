#pragma once
// The main window's spectrum analyser: turns 512 spectrum values into bars or lines with falling
// peaks, optionally smeared into the frames before, on off-screen 24-bit pictures.

#include <QColor>
#include <QImage>
#include <array>
#include <span>

class TSpectrum {
 public:
  static constexpr int kBands = 129;
  static constexpr int kDataSize = 512;
  enum Align { alDownToUp = 0, alRightToLeft = 1 };
  enum DrawMode { dmLines = 0, dmBars = 1 };

  TSpectrum(int width, int height);

  void Resize(int width, int height);
  void SetBackground(bool on, const QImage& picture);
  // Clears the pictures to black (with the background over them when one is set).
  void Reset();
  // Draws one frame from data (missing values count as 0) and copies it into area, which is
  // made the analyser's size. count is the number of bands the area has room for.
  void Draw(QImage& area, std::span<const float> data, int align, int count);

  int MaxValue = 100;
  QColor LineColor = Qt::white;
  QColor PeakColor = Qt::yellow;
  int Mode = dmLines;
  int Step = 1;
  bool ClearFirst = true;
  bool HasBackground = false;
  int PeakFall = 1;
  int BarFall = 3;
  int BarWidth = 5;
  bool ShowPeaks = true;
  bool Blur = true;
  std::array<int, kBands> Peaks{};
  std::array<int, kBands> Bars{};

  const QImage& frame() const { return Frame; }

 private:
  void ClearPicture(QImage& picture) const;
  void UpdateBand(int band, std::span<const float> data);
  void DrawBand(int band, int align);
  void Smear();

  QImage Frame;
  QImage Previous;
  QImage Background;
  QImage Blended;
};

// Band count for an analyser of the given size, as the frame tick computes it.
int SpectrumBandCount(int width, int height, int align, int mode, int barWidth);
