#include <gtest/gtest.h>

#include <QPainter>
#include <QSignalSpy>

#include "controltest.h"
#include "skin/controls/skinbutton.h"

namespace {

TEST(SkinHost, FaceStacksControlsAndShowsThroughTheKey) {
  TZSkinHost window;
  window.resize(40, 20);
  TZSkinImage background(&window);
  background.setGeometry(QRect(0, 0, 40, 20));
  background.setOpaquePicture(Solid({40, 20}, Qt::darkBlue));
  TZSkinImage holed(&window);
  QImage picture = Solid({10, 10}, Qt::red);
  picture.setPixelColor(5, 5, kKey);
  holed.setGeometry(QRect(5, 5, 10, 10));
  holed.setPictures({picture}, kKey);
  holed.showPicture(0);
  TZSkinImage top(&window);
  top.setGeometry(QRect(12, 5, 10, 10));
  top.setPictures({Solid({10, 10}, Qt::yellow)}, kKey);
  top.showPicture(0);

  const QImage& face = window.face();
  EXPECT_EQ(face.pixelColor(1, 1), QColor(Qt::darkBlue));
  EXPECT_EQ(face.pixelColor(6, 6), QColor(Qt::red));
  EXPECT_EQ(face.pixelColor(10, 10), QColor(Qt::darkBlue));  // the key pixel shows through
  EXPECT_EQ(face.pixelColor(13, 6), QColor(Qt::yellow));     // later controls lie on top
  holed.raise();
  EXPECT_EQ(window.face().pixelColor(13, 6), QColor(Qt::red));
  top.hide();
  holed.move(20, 5);
  EXPECT_EQ(window.face().pixelColor(13, 6), QColor(Qt::darkBlue));
  EXPECT_EQ(window.face().pixelColor(21, 6), QColor(Qt::red));
  EXPECT_EQ(window.controlAt({21, 6}), &holed);
  EXPECT_EQ(window.controlAt({13, 6}), &background);  // hidden controls take no mouse
}

TEST(SkinHost, MouseGoesToTheControlUnderThePointerUntilRelease) {
  TZSkinHost window;
  window.resize(100, 40);
  TZSkinButton left(&window);
  left.setGeometry(QRect(0, 0, 20, 20));
  TZSkinButton right(&window);
  right.setGeometry(QRect(50, 0, 20, 20));
  QSignalSpy leftClicks(&left, &TZSkinButton::clicked);
  QSignalSpy rightClicks(&right, &TZSkinButton::clicked);

  SendMouse(&left, QEvent::MouseMove, {5, 5}, Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(left.state(), 2);
  SendMouse(&right, QEvent::MouseMove, {5, 5}, Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(left.state(), 1);
  EXPECT_EQ(right.state(), 2);

  // Pressed on the right button, dragged over the left one and released there: the right
  // button keeps the mouse, sees the release outside itself and does nothing.
  Press(&right, {5, 5});
  SendMouse(&left, QEvent::MouseMove, {5, 5}, Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(left.state(), 1);
  Release(&left, {5, 5});
  EXPECT_EQ(rightClicks.count(), 0);
  EXPECT_EQ(leftClicks.count(), 0);
  EXPECT_EQ(left.state(), 2);  // after the release the pointer is over the left button
  EXPECT_EQ(right.state(), 1);

  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&window, &leave);
  EXPECT_EQ(left.state(), 1);
}

TEST(SkinHost, PaintCopiesTheFace) {
  TZSkinHost window;
  window.resize(30, 30);
  TZSkinImage image(&window);
  image.setGeometry(QRect(0, 0, 30, 30));
  image.setOpaquePicture(Solid({30, 30}, Qt::magenta));
  QImage target(30, 30, QImage::Format_ARGB32_Premultiplied);
  target.fill(Qt::white);
  QPainter painter(&target);
  window.paintFace(painter, QRegion(10, 10, 5, 5));
  painter.end();
  EXPECT_EQ(target.pixelColor(12, 12), QColor(Qt::magenta));
  EXPECT_EQ(target.pixelColor(2, 2), QColor(Qt::white));
}

}  // namespace
