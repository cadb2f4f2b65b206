#include <gtest/gtest.h>

#include "skin/zgui.h"

namespace {

QImage Pixels(std::initializer_list<QRgb> colors) {
  QImage picture(int(colors.size()), 1, QImage::Format_RGB888);
  int x = 0;
  for (QRgb color : colors) {
    picture.setPixel(x++, 0, color);
  }
  return picture;
}

const QRgb kGreen = qRgb(0, 255, 0);

TEST(SkinColorBlend, StrengthZeroChangesNothing) {
  QImage picture = Pixels({qRgb(10, 20, 30), qRgb(200, 100, 0)});
  const QImage before = picture;
  SkinColorBlend(picture, qRgb(255, 0, 0), 0, kGreen);
  EXPECT_EQ(picture, before);
  SkinColorBlend(picture, qRgb(255, 0, 0), -20, kGreen);
  EXPECT_EQ(picture, before);
}

TEST(SkinColorBlend, FullStrengthShiftsTheColourByTheBrightnessDifference) {
  QImage picture = Pixels({qRgb(10, 20, 30), qRgb(250, 250, 250)});
  SkinColorBlend(picture, qRgb(255, 255, 0), 255, kGreen);
  // avgC = 170; first pixel d = -150, second d = 80 (clamped per channel).
  EXPECT_EQ(picture.pixel(0, 0), qRgb(105, 105, 0));
  EXPECT_EQ(picture.pixel(1, 0), qRgb(255, 255, 80));
  QImage over = Pixels({qRgb(10, 20, 30)});
  SkinColorBlend(over, qRgb(255, 255, 0), 1000, kGreen);  // clamped to 255
  EXPECT_EQ(over.pixel(0, 0), qRgb(105, 105, 0));
}

TEST(SkinColorBlend, PartialStrengthMixesAndRounds) {
  QImage picture = Pixels({qRgb(40, 80, 120)});
  SkinColorBlend(picture, qRgb(200, 100, 50), 100, kGreen);
  // d = round(80 - 116.67) = -37; R = round(100/255*163 + 155/255*40) = 88, ...
  EXPECT_EQ(picture.pixel(0, 0), qRgb(88, 73, 78));
}

TEST(SkinColorBlend, TransparentPixelsStayAsTheyAre) {
  const QRgb magenta = qRgb(255, 0, 255);
  QImage picture = Pixels({magenta, qRgb(255, 0, 254), kGreen});
  SkinColorBlend(picture, qRgb(0, 0, 255), 255, magenta);
  EXPECT_EQ(picture.pixel(0, 0), magenta);
  EXPECT_NE(picture.pixel(1, 0), qRgb(255, 0, 254));
  EXPECT_NE(picture.pixel(2, 0), kGreen);  // green is only special when it is the skin's colour
}

TEST(SkinColorBlend, OtherDepthsAreConvertedTo24Bits) {
  QImage picture(2, 2, QImage::Format_ARGB32);
  picture.fill(qRgb(10, 20, 30));
  SkinColorBlend(picture, qRgb(255, 255, 0), 255, kGreen);
  EXPECT_EQ(picture.format(), QImage::Format_RGB888);
  EXPECT_EQ(picture.pixel(1, 1), qRgb(105, 105, 0));
}

}  // namespace
