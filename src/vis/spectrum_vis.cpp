#include "vis/spectrum_vis.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

QImage BlackPicture(int width, int height) {
  QImage picture(std::max(width, 0), std::max(height, 0), QImage::Format_RGB888);
  picture.fill(Qt::black);
  return picture;
}

// Sets the pixels of a vertical or horizontal run, clipped to the picture.
void FillClipped(QImage& picture, const QRect& rect, const QColor& colour) {
  const QRect clipped = rect.intersected(picture.rect());
  if (clipped.isEmpty()) {
    return;
  }
  const uchar rgb[3] = {uchar(colour.red()), uchar(colour.green()), uchar(colour.blue())};
  for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
    uchar* pixel = picture.scanLine(y) + clipped.left() * 3;
    for (int x = clipped.left(); x <= clipped.right(); ++x, pixel += 3) {
      std::copy(rgb, rgb + 3, pixel);
    }
  }
}

}  // namespace

int SpectrumBandCount(int width, int height, int align, int mode, int barWidth) {
  int count = align == TSpectrum::alRightToLeft ? height : width;
  if (mode == TSpectrum::dmBars) {
    count = barWidth > 0 ? count / barWidth : 0;
  }
  return count;
}

TSpectrum::TSpectrum(int width, int height) {
  Resize(width, height);
  Reset();
}

void TSpectrum::Resize(int width, int height) {
  Frame = BlackPicture(width, height);
  Previous = BlackPicture(width, height);
  Blended = BlackPicture(width, height);
  Background = BlackPicture(width, height);
}

void TSpectrum::SetBackground(bool on, const QImage& picture) {
  HasBackground = on;
  Background = picture.convertToFormat(QImage::Format_RGB888);
}

void TSpectrum::ClearPicture(QImage& picture) const {
  picture.fill(Qt::black);
  if (HasBackground && !Background.isNull()) {
    QPainter painter(&picture);
    painter.drawImage(0, 0, Background);
  }
}

void TSpectrum::Reset() {
  ClearPicture(Frame);
  ClearPicture(Blended);
  ClearPicture(Previous);
}

void TSpectrum::UpdateBand(int band, std::span<const float> data) {
  const size_t index = size_t(band) * size_t(std::max(Step, 0));
  const double magnitude = index < data.size() ? std::fabs(double(data[index])) : 0.0;
  const int value = int(std::min(std::trunc(magnitude * 500.0), double(MaxValue)));
  auto follow = [value](int& held, int fall) {
    held = value >= held ? value : std::max(held - fall, 0);
  };
  follow(Peaks[band], PeakFall);
  follow(Bars[band], BarFall);
}

// Lines leave out their end point and rectangles their right and bottom edges, so a value of 0
// draws nothing inside the picture.
void TSpectrum::DrawBand(int band, int align) {
  const int w = Frame.width();
  const int h = Frame.height();
  const int bar = Bars[band];
  const int peak = Peaks[band];
  if (align == alDownToUp) {
    if (Mode == dmBars) {
      const int x = band * (BarWidth + 1);
      FillClipped(Frame, QRect(QPoint(x, h - bar), QPoint(x + BarWidth - 1, h - 1)), LineColor);
      if (ShowPeaks) {
        FillClipped(Frame, QRect(x, h - peak, BarWidth, 1), PeakColor);
      }
    } else {
      FillClipped(Frame, QRect(QPoint(band, h - bar + 1), QPoint(band, h - 1)), LineColor);
      if (ShowPeaks) {
        FillClipped(Frame, QRect(band, h - peak, 1, 1), PeakColor);
      }
    }
  } else {
    if (Mode == dmBars) {
      const int y = band * (BarWidth + 1);
      FillClipped(Frame, QRect(QPoint(w - bar, y), QPoint(w - 1, y + BarWidth - 1)), LineColor);
      if (ShowPeaks) {
        FillClipped(Frame, QRect(w - peak, y, 1, BarWidth), PeakColor);
      }
    } else {
      FillClipped(Frame, QRect(QPoint(w - bar + 1, band), QPoint(w - 1, band)), LineColor);
      if (ShowPeaks) {
        FillClipped(Frame, QRect(w - peak, band, 1, 1), PeakColor);
      }
    }
  }
}

// Blended = (Previous * 26 + Frame * 6) / 32 per colour byte; the result then drifts one row
// down into Previous so that the trail sinks.
void TSpectrum::Smear() {
  const qsizetype bytes = Frame.sizeInBytes();
  const uchar* previous = Previous.constBits();
  const uchar* frame = Frame.constBits();
  uchar* blended = Blended.bits();
  for (qsizetype i = 0; i < bytes; ++i) {
    blended[i] = uchar((unsigned(previous[i]) * 26u + unsigned(frame[i]) * 6u) >> 5);
  }
  const qsizetype line = Blended.bytesPerLine();
  if (Previous.height() > 1) {
    std::copy(Blended.constBits(), Blended.constBits() + line * (Blended.height() - 1),
              Previous.bits() + line);
  }
}

void TSpectrum::Draw(QImage& area, std::span<const float> data, int align, int count) {
  if (ClearFirst) {
    ClearPicture(Frame);
  }
  const int bands = std::min(std::min(count, kDataSize) + 1, kBands);
  for (int band = 0; band < bands; ++band) {
    UpdateBand(band, data);
    DrawBand(band, align);
  }
  if (Blur) {
    Smear();
    area = Blended.copy();
  } else {
    area = Frame.copy();
  }
}
