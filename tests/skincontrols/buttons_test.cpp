#include <gtest/gtest.h>

#include <QApplication>
#include <QEnterEvent>
#include <QSignalSpy>
#include <QTest>

#include "pictures.h"
#include "skin/controls/skinbutton.h"

namespace {

std::vector<QImage> StatePictures() {
  return {Solid({21, 17}, Qt::black), Solid({21, 17}, Qt::red), Solid({21, 17}, Qt::yellow),
          Solid({21, 17}, Qt::blue)};
}

void Enter(QWidget& widget) {
  QEnterEvent event(QPointF(2, 2), QPointF(2, 2), widget.mapToGlobal(QPointF(2, 2)));
  QApplication::sendEvent(&widget, &event);
}

void Leave(QWidget& widget) {
  QEvent event(QEvent::Leave);
  QApplication::sendEvent(&widget, &event);
}

QColor Shown(const TZSkinImage& image) {
  return image.displayed().pixelColor(0, 0);
}

TEST(SkinButton, StatesThroughEnterPressReleaseLeave) {
  TZSkinButton button;
  button.resize(21, 17);
  button.setPictures(StatePictures(), kKey);
  button.ShowButtonState();
  QSignalSpy clicked(&button, &TZSkinButton::clicked);
  EXPECT_EQ(button.state(), 1);
  EXPECT_EQ(Shown(button), QColor(Qt::red));

  Enter(button);
  EXPECT_EQ(button.state(), 2);
  EXPECT_EQ(Shown(button), QColor(Qt::yellow));
  QTest::mousePress(&button, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  EXPECT_EQ(button.state(), 3);
  EXPECT_EQ(Shown(button), QColor(Qt::blue));
  EXPECT_EQ(clicked.count(), 0);
  QTest::mouseRelease(&button, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  EXPECT_EQ(button.state(), 2);
  EXPECT_EQ(clicked.count(), 1);
  Leave(button);
  EXPECT_EQ(button.state(), 1);
  EXPECT_EQ(Shown(button), QColor(Qt::red));
}

TEST(SkinButton, ReleaseOutsideDoesNotRunTheAction) {
  TZSkinButton button;
  button.resize(21, 17);
  button.setPictures(StatePictures(), kKey);
  QSignalSpy clicked(&button, &TZSkinButton::clicked);
  QTest::mousePress(&button, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  QTest::mouseRelease(&button, Qt::LeftButton, Qt::NoModifier, QPoint(40, 5));
  EXPECT_EQ(button.state(), 1);
  EXPECT_EQ(clicked.count(), 0);
  // Other buttons are ignored.
  QTest::mousePress(&button, Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
  EXPECT_EQ(button.state(), 1);
  QTest::mouseRelease(&button, Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
  EXPECT_EQ(clicked.count(), 0);
}

TEST(SkinButton, ShowButtonStateIgnoresUnknownStates) {
  TZSkinButton button;
  button.setPictures(StatePictures(), kKey);
  button.setState(3);
  button.setState(7);
  EXPECT_EQ(button.shownIndex(), 3);
}

TEST(SkinCheckBox, PressAndReleaseTogglesOnce) {
  TZSkinCheckBox box;
  box.resize(21, 17);
  box.setPictures(StatePictures(), kKey);
  box.setChecked(false);
  QSignalSpy toggled(&box, &TZSkinCheckBox::toggled);
  QTest::mousePress(&box, Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
  EXPECT_EQ(box.state(), 2);
  EXPECT_EQ(toggled.count(), 0);
  QTest::mouseRelease(&box, Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
  ASSERT_EQ(toggled.count(), 1);
  EXPECT_TRUE(toggled.at(0).at(0).toBool());
  EXPECT_TRUE(box.isChecked());
  EXPECT_EQ(box.state(), 3);
  EXPECT_EQ(Shown(box), QColor(Qt::blue));

  QTest::mouseClick(&box, Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
  ASSERT_EQ(toggled.count(), 2);
  EXPECT_FALSE(toggled.at(1).at(0).toBool());
  EXPECT_EQ(box.state(), 1);

  // Released away from the box: no change, the old look comes back.
  QTest::mousePress(&box, Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
  QTest::mouseRelease(&box, Qt::LeftButton, Qt::NoModifier, QPoint(60, 3));
  EXPECT_EQ(toggled.count(), 2);
  EXPECT_FALSE(box.isChecked());
  EXPECT_EQ(box.state(), 1);
}

TEST(SkinImage, SeeThroughOnlyWhenAPictureHoldsTheKey) {
  TZSkinImage image;
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
