#include <gtest/gtest.h>

#include <QSignalSpy>

#include "controltest.h"
#include "skin/controls/skinbutton.h"

namespace {

std::vector<QImage> StatePictures() {
  return {Solid({21, 17}, Qt::black), Solid({21, 17}, Qt::red), Solid({21, 17}, Qt::yellow),
          Solid({21, 17}, Qt::blue)};
}

// The pointer moves onto the control, or off it onto the bare window.
void Enter(TZSkinControl& control) {
  SendMouse(&control, QEvent::MouseMove, {2, 2}, Qt::NoButton, Qt::NoButton);
}

void Leave(TZSkinControl& control) {
  SendMouse(&control, QEvent::MouseMove, {-30, -30}, Qt::NoButton, Qt::NoButton);
}

QColor Shown(const TZSkinImage& image) {
  return image.displayed().pixelColor(0, 0);
}

TEST(SkinButton, StatesThroughEnterPressReleaseLeave) {
  TZSkinHost window;
  window.resize(200, 100);
  TZSkinButton button(&window);
  button.setGeometry(QRect(20, 20, 21, 17));
  button.setPictures(StatePictures(), kKey);
  button.ShowButtonState();
  QSignalSpy clicked(&button, &TZSkinButton::clicked);
  EXPECT_EQ(button.state(), 1);
  EXPECT_EQ(Shown(button), QColor(Qt::red));

  Enter(button);
  EXPECT_EQ(button.state(), 2);
  EXPECT_EQ(Shown(button), QColor(Qt::yellow));
  Press(&button, {5, 5}, Qt::LeftButton);
  EXPECT_EQ(button.state(), 3);
  EXPECT_EQ(Shown(button), QColor(Qt::blue));
  EXPECT_EQ(clicked.count(), 0);
  Release(&button, {5, 5}, Qt::LeftButton);
  EXPECT_EQ(button.state(), 2);
  EXPECT_EQ(clicked.count(), 1);
  Leave(button);
  EXPECT_EQ(button.state(), 1);
  EXPECT_EQ(Shown(button), QColor(Qt::red));
}

TEST(SkinButton, ReleaseOutsideDoesNotRunTheAction) {
  TZSkinHost window;
  window.resize(200, 100);
  TZSkinButton button(&window);
  button.setGeometry(QRect(20, 20, 21, 17));
  button.setPictures(StatePictures(), kKey);
  QSignalSpy clicked(&button, &TZSkinButton::clicked);
  Press(&button, {5, 5}, Qt::LeftButton);
  Release(&button, {40, 5}, Qt::LeftButton);
  EXPECT_EQ(button.state(), 1);
  EXPECT_EQ(clicked.count(), 0);
  // Other buttons are ignored.
  Press(&button, {5, 5}, Qt::RightButton);
  EXPECT_EQ(button.state(), 1);
  Release(&button, {5, 5}, Qt::RightButton);
  EXPECT_EQ(clicked.count(), 0);
}

TEST(SkinButton, ShowButtonStateIgnoresUnknownStates) {
  TZSkinHost window;
  TZSkinButton button(&window);
  button.setPictures(StatePictures(), kKey);
  button.setState(3);
  button.setState(7);
  EXPECT_EQ(button.shownIndex(), 3);
}

TEST(SkinCheckBox, PressAndReleaseTogglesOnce) {
  TZSkinHost window;
  window.resize(200, 100);
  TZSkinCheckBox box(&window);
  box.setGeometry(QRect(20, 20, 21, 17));
  box.setPictures(StatePictures(), kKey);
  box.setChecked(false);
  QSignalSpy toggled(&box, &TZSkinCheckBox::toggled);
  Press(&box, {3, 3}, Qt::LeftButton);
  EXPECT_EQ(box.state(), 2);
  EXPECT_EQ(toggled.count(), 0);
  Release(&box, {3, 3}, Qt::LeftButton);
  ASSERT_EQ(toggled.count(), 1);
  EXPECT_TRUE(toggled.at(0).at(0).toBool());
  EXPECT_TRUE(box.isChecked());
  EXPECT_EQ(box.state(), 3);
  EXPECT_EQ(Shown(box), QColor(Qt::blue));

  Press(&box, {3, 3}, Qt::LeftButton);
  Release(&box, {3, 3}, Qt::LeftButton);
  ASSERT_EQ(toggled.count(), 2);
  EXPECT_FALSE(toggled.at(1).at(0).toBool());
  EXPECT_EQ(box.state(), 1);

  // Released away from the box: no change, the old look comes back.
  Press(&box, {3, 3}, Qt::LeftButton);
  Release(&box, {60, 3}, Qt::LeftButton);
  EXPECT_EQ(toggled.count(), 2);
  EXPECT_FALSE(box.isChecked());
  EXPECT_EQ(box.state(), 1);
}

TEST(SkinImage, SeeThroughOnlyWhenAPictureHoldsTheKey) {
  TZSkinHost window;
  TZSkinImage image(&window);
  QImage holed = Solid({4, 4}, Qt::red);
  holed.setPixelColor(1, 1, kKey);
  image.setPictures({Solid({4, 4}, Qt::red), holed}, kKey);
  EXPECT_TRUE(image.seeThrough());
  image.showPicture(1);
  EXPECT_EQ(qAlpha(image.displayed().pixel(1, 1)), 0);
  image.setPictures({Solid({4, 4}, Qt::red)}, kKey);
  EXPECT_FALSE(image.seeThrough());
  image.showPicture(5);
  EXPECT_EQ(image.shownIndex(), -1);
}

}  // namespace
