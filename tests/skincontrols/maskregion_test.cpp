#include <gtest/gtest.h>

#include "skin/controls/maskregion.h"

namespace {

const QColor kKey(0, 255, 0);

// Each character is one pixel: '.' the transparent colour, anything else opaque.
QImage PictureFrom(const std::vector<std::string>& rows) {
  QImage picture(int(rows[0].size()), int(rows.size()), QImage::Format_RGB888);
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      const char c = rows[size_t(y)][size_t(x)];
      picture.setPixelColor(x, y, c == '.' ? kKey : c == 'n' ? QColor(0, 254, 0) : Qt::red);
    }
  }
  return picture;
}

void ExpectShapeMatchesPixels(const QImage& picture, const QRegion& region) {
  for (int y = -1; y <= picture.height(); ++y) {
    for (int x = -1; x <= picture.width(); ++x) {
      const bool inside = picture.rect().contains(x, y);
      const bool opaque = inside && picture.pixelColor(x, y) != kKey;
      ASSERT_EQ(region.contains(QPoint(x, y)), opaque) << x << "," << y;
    }
  }
}

TEST(MaskRegion, ShapeIsExactlyTheOpaquePixels) {
  const QImage picture = PictureFrom({
      "..xxxx..",  // transparent at both ends, up to the right edge
      "x..x...x",  // runs between opaque pixels go exactly
      "xxxxxxxx",
      "........",  // a fully transparent row
      "x.x.x.x.",
      "nnnnnnnn",  // one step off the key colour stays opaque
  });
  const QRegion region = BuildMaskRegion(picture, kKey);
  ExpectShapeMatchesPixels(picture, region);
}

TEST(MaskRegion, PatternedPictureOfTheSkinSize) {
  QImage picture(300, 100, QImage::Format_RGB888);
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      const bool hole = (x * 7 + y * 13) % 11 < 3 || x < y / 4 || x > 300 - y / 3;
      picture.setPixelColor(x, y, hole ? kKey : QColor(x % 256, y, 40));
    }
  }
  ExpectShapeMatchesPixels(picture, BuildMaskRegion(picture, kKey));
}

TEST(MaskRegion, TransparencyTestAndDisplayForm) {
  const QImage opaque = PictureFrom({"xx", "xx"});
  const QImage holed = PictureFrom({"x.", "xx"});
  EXPECT_FALSE(HasTransparentPixels(std::vector<QImage>{opaque, opaque}, kKey));
  EXPECT_TRUE(HasTransparentPixels(std::vector<QImage>{opaque, holed}, kKey));

  const QImage shown = PrepareForDisplay(holed, kKey, true);
  EXPECT_EQ(qAlpha(shown.pixel(1, 0)), 0);
  EXPECT_EQ(shown.pixel(0, 0), qRgb(255, 0, 0));
  const QImage flat = PrepareForDisplay(holed, kKey, false);
  EXPECT_EQ(flat.pixelColor(1, 0), kKey);
}

}  // namespace
