// Tinting of the skin picture towards the configured colour.

#include <algorithm>
#include <cfenv>
#include <cmath>

#include "skin/zgui.h"

namespace {

// Nearest integer, ties to even (the default floating-point rounding mode).
int RoundEven(double value) {
  Q_ASSERT(std::fegetround() == FE_TONEAREST);
  return int(std::nearbyint(value));
}

}  // namespace

void SkinColorBlend(QImage& picture, QRgb blendColor, int strength, QRgb transparentColor) {
  strength = std::clamp(strength, 0, 255);
  if (strength == 0 || picture.isNull()) {
    return;  // nothing changes at strength 0
  }
  if (picture.format() != QImage::Format_RGB888) {
    picture = picture.convertToFormat(QImage::Format_RGB888);
  }
  const int blend[3] = {qRed(blendColor), qGreen(blendColor), qBlue(blendColor)};
  const int transparent[3] = {qRed(transparentColor), qGreen(transparentColor),
                              qBlue(transparentColor)};
  const double blendAverage = (blend[0] + blend[1] + blend[2]) / 3.0;
  const double share = strength / 255.0;
  const double keep = (255 - strength) / 255.0;
  for (int y = 0; y < picture.height(); ++y) {
    uchar* pixel = picture.scanLine(y);
    for (int x = 0; x < picture.width(); ++x, pixel += 3) {
      if (pixel[0] == transparent[0] && pixel[1] == transparent[1] && pixel[2] == transparent[2]) {
        continue;
      }
      const int d = RoundEven((pixel[0] + pixel[1] + pixel[2]) / 3.0 - blendAverage);
      for (int c = 0; c < 3; ++c) {
        pixel[c] = uchar(std::clamp(RoundEven(share * (blend[c] + d) + keep * pixel[c]), 0, 255));
      }
    }
  }
}
