#include <gtest/gtest.h>

#include "playback/video/aspect.h"

namespace {

const QRect Area(0, 0, 800, 400);

TEST(Aspect, FixedRatiosFitTheAreaAndCentreTheSpareSide) {
  // 4:3 is narrower than 2:1: full height, centred across.
  EXPECT_EQ(ApplyAspectRatio(vr4To3, {}, {720, 576}, Area).Picture, QRect(133, 0, 533, 400));
  // 16:9 is wider than 4:3: full width, centred down.
  EXPECT_EQ(ApplyAspectRatio(vr16To9, {}, {720, 576}, QRect(0, 0, 800, 600)).Picture,
            QRect(0, 75, 800, 450));
  // 800 × 100 / 235 = 340.4, truncated.
  EXPECT_EQ(ApplyAspectRatio(vr235To1, {}, {720, 576}, Area).Picture, QRect(0, 30, 800, 340));
  // An area that does not start at the origin moves the picture with it.
  EXPECT_EQ(ApplyAspectRatio(vr4To3, {}, {720, 576}, QRect(10, 20, 800, 400)).Picture,
            QRect(143, 20, 533, 400));
  // A ratio equal to the area's fills it.
  EXPECT_EQ(ApplyAspectRatio(vr16To9, {}, {}, QRect(0, 0, 1600, 900)).Picture,
            QRect(0, 0, 1600, 900));
}

TEST(Aspect, ModesTakeTheirRatioFromTheVideoTheAreaOrTheUser) {
  const TZAspectLayout letterBox = ApplyAspectRatio(vrLetterbox, {}, {720, 576}, Area);
  EXPECT_EQ(letterBox.Mode, amLetterBox);
  EXPECT_EQ(letterBox.Ratio, QSize(720, 576));
  EXPECT_EQ(letterBox.Picture, QRect(150, 0, 500, 400));

  const TZAspectLayout crop = ApplyAspectRatio(vrCrop, {}, {720, 576}, Area);
  EXPECT_EQ(crop.Mode, amCrop);
  EXPECT_EQ(crop.Picture, letterBox.Picture);

  const TZAspectLayout stretched =
      ApplyAspectRatio(vrStretched, {}, {720, 576}, QRect(5, 5, 801, 399));
  EXPECT_EQ(stretched.Mode, amStretched);
  EXPECT_EQ(stretched.Picture, QRect(5, 5, 801, 399));

  // The user's numbers are truncated first: 2.9 : 1.9 acts as 2 : 1.
  const TZAspectLayout user =
      ApplyAspectRatio(vrUserdef, {2.9f, 1.9f}, {720, 576}, QRect(0, 0, 800, 600));
  EXPECT_EQ(user.Mode, amStretched);
  EXPECT_EQ(user.Ratio, QSize(2, 1));
  EXPECT_EQ(user.Picture, QRect(0, 100, 800, 400));
}

TEST(Aspect, DegenerateInputsFallBackInsteadOfDividingByZero) {
  // A user ratio that truncates to 0 : 1, an unknown mode and a video without a size all give
  // a square picture.
  EXPECT_EQ(ApplyAspectRatio(vrUserdef, {0.5f, 1}, {720, 576}, Area).Picture,
            QRect(200, 0, 400, 400));
  EXPECT_EQ(ApplyAspectRatio(static_cast<TVideoRatio>(9), {}, {720, 576}, Area).Picture,
            QRect(200, 0, 400, 400));
  EXPECT_EQ(ApplyAspectRatio(vrLetterbox, {}, {0, 0}, Area).Picture, QRect(200, 0, 400, 400));
  EXPECT_EQ(ApplyAspectRatio(vrUserdef, {1e30f, 1}, {720, 576}, Area).Picture,
            QRect(200, 0, 400, 400));
  // A hidden area has no room for a picture.
  EXPECT_TRUE(ApplyAspectRatio(vr4To3, {}, {720, 576}, QRect(0, 0, 0, 400)).Picture.isEmpty());
}

TEST(Aspect, ZoomSizesAreWholeHundredsOfTheVideoSide) {
  EXPECT_EQ(ZoomVideoClientSize(100, {720, 576}), QSize(700, 500));
  EXPECT_EQ(ZoomVideoClientSize(25, {1920, 1080}), QSize(475, 250));
  EXPECT_EQ(ZoomVideoClientSize(200, {640, 480}), QSize(1200, 800));
  EXPECT_EQ(ZoomVideoClientSize(30, {640, 480}), std::nullopt);
  EXPECT_EQ(ZoomVideoClientSize(0, {640, 480}), std::nullopt);
}

TEST(Aspect, DigitalZoomShowsTheMiddleOfTheSource) {
  EXPECT_EQ(DigitalZoomSource({720, 576}, 0), QRect(0, 0, 720, 576));
  EXPECT_EQ(DigitalZoomSource({1000, 500}, 50), QRect(250, 125, 500, 250));
  // 20 % of 576 is 115.2, truncated.
  EXPECT_EQ(DigitalZoomSource({720, 576}, 80), QRect(288, 230, 144, 115));
  EXPECT_EQ(DigitalZoomSource({720, 576}, 100), std::nullopt);
  EXPECT_EQ(DigitalZoomSource({720, 576}, -1), std::nullopt);
}

}  // namespace
