#include "skin/controls/maskregion.h"

#include <vector>

namespace {

// Both images compared in one format, 0xffRRGGBB per pixel.
QImage AsRgb32(const QImage& picture) {
  return picture.format() == QImage::Format_RGB32 ? picture
                                                  : picture.convertToFormat(QImage::Format_RGB32);
}

QRgb Key(QColor colour) {
  return colour.rgb() | 0xff000000u;
}

}  // namespace

// Opaque runs of each row become one rectangle each; rows are visited top to bottom and runs
// left to right, which is the banded order QRegion::setRects expects.
QRegion BuildMaskRegion(const QImage& picture, QColor transparent) {
  const QImage pixels = AsRgb32(picture);
  const QRgb key = Key(transparent);
  std::vector<QRect> runs;
  for (int y = 0; y < pixels.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
    int x = 0;
    while (x < pixels.width()) {
      while (x < pixels.width() && (row[x] | 0xff000000u) == key) {
        ++x;
      }
      const int start = x;
      while (x < pixels.width() && (row[x] | 0xff000000u) != key) {
        ++x;
      }
      if (x > start) {
        runs.emplace_back(start, y, x - start, 1);
      }
    }
  }
  QRegion region;
  if (!runs.empty()) {
    region.setRects(runs.data(), int(runs.size()));
  }
  return region;
}

bool HasTransparentPixels(std::span<const QImage> pictures, QColor transparent) {
  const QRgb key = Key(transparent);
  for (const QImage& picture : pictures) {
    const QImage pixels = AsRgb32(picture);
    for (int y = 0; y < pixels.height(); ++y) {
      const auto* row = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
      for (int x = 0; x < pixels.width(); ++x) {
        if ((row[x] | 0xff000000u) == key) {
          return true;
        }
      }
    }
  }
  return false;
}

QImage PrepareForDisplay(const QImage& picture, QColor transparent, bool seeThrough) {
  if (!seeThrough) {
    return picture.convertToFormat(QImage::Format_RGB32);
  }
  QImage shown = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  const QRgb key = Key(transparent);
  for (int y = 0; y < shown.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(shown.scanLine(y));
    for (int x = 0; x < shown.width(); ++x) {
      if (row[x] == key) {
        row[x] = 0;
      }
    }
  }
  return shown;
}
