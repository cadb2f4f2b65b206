#include <gtest/gtest.h>

#include <QSignalSpy>

#include "controltest.h"
#include "skin/controls/skinbar.h"

namespace {

int FullColumns(const QImage& shown, QColor full) {
  int columns = 0;
  for (int x = 0; x < shown.width(); ++x) {
    columns += shown.pixelColor(x, 7) == full;
  }
  return columns;
}

TEST(SkinBar, DrawsTheFilledShare) {
  TZSkinHost window;
  TZSkinBar bar(&window);
  bar.apply(QRect(6, 56, 288, 15), Solid({288, 15}, Qt::darkGray), Solid({288, 15}, Qt::cyan),
            sdLeftToRight, kKey);
  EXPECT_EQ(bar.geometry(), QRect(6, 56, 288, 15));
  bar.setRange(0, 100, 50);
  EXPECT_EQ(FullColumns(bar.displayed(), Qt::cyan), 144);
  EXPECT_EQ(bar.displayed().pixelColor(143, 7), QColor(Qt::cyan));
  EXPECT_EQ(bar.displayed().pixelColor(144, 7), QColor(Qt::darkGray));
  bar.setRange(0, 0, 50);
  EXPECT_EQ(FullColumns(bar.displayed(), Qt::cyan), 0);
  bar.setRange(0, 100, 100);
  EXPECT_EQ(FullColumns(bar.displayed(), Qt::cyan), 288);
}

TEST(SkinBar, KeepsTheKeyColourSeeThroughInTheComposedPicture) {
  TZSkinHost window;
  TZSkinBar bar(&window);
  QImage empty = Solid({10, 4}, Qt::darkGray);
  empty.setPixelColor(9, 0, kKey);
  bar.apply(QRect(0, 0, 10, 4), empty, Solid({10, 4}, Qt::cyan), sdLeftToRight, kKey);
  bar.setRange(0, 10, 5);
  EXPECT_EQ(qAlpha(bar.displayed().pixel(9, 0)), 0);
  EXPECT_EQ(bar.displayed().pixelColor(2, 0), QColor(Qt::cyan));
}

TEST(SkinBar, MouseSetsTheValue) {
  TZSkinHost window;
  TZSkinBar bar(&window);
  bar.apply(QRect(238, 80, 56, 12), Solid({56, 12}, Qt::darkGray), Solid({56, 12}, Qt::cyan),
            sdLeftToRight, kKey);
  bar.setRange(0, 10000, 0);
  QSignalSpy changed(&bar, &TZSkinBar::positionChanged);
  SendMouse(&bar, QEvent::MouseButtonPress, {14, 5}, Qt::LeftButton, Qt::LeftButton);
  EXPECT_EQ(bar.range().Position, 2500);
  SendMouse(&bar, QEvent::MouseMove, {56, 5}, Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(bar.range().Position, 10000);
  // A move with a modifier or another button held changes nothing.
  SendMouse(&bar, QEvent::MouseMove, {28, 5}, Qt::NoButton, Qt::LeftButton, Qt::ShiftModifier);
  SendMouse(&bar, QEvent::MouseMove, {28, 5}, Qt::NoButton, Qt::LeftButton | Qt::RightButton);
  SendMouse(&bar, QEvent::MouseButtonPress, {28, 5}, Qt::RightButton, Qt::RightButton);
  EXPECT_EQ(bar.range().Position, 10000);
  EXPECT_EQ(changed.count(), 2);
  EXPECT_DOUBLE_EQ(bar.BarPercent(), 100.0);
  // A disabled bar (nothing seekable plays) ignores the mouse.
  bar.setEnabled(false);
  Press(&bar, {0, 5});
  EXPECT_EQ(bar.range().Position, 10000);
}

TEST(SkinSeekbar, KnobDragToTheTopGivesMaxAndSnaps) {
  TZSkinHost window;
  TZSkinSeekbar speed(&window, "imgSpeedBackground", "imgSpeedBar");
  speed.apply(QRect(15, 18, 10, 63), Solid({10, 63}, Qt::gray), {10, 12}, Solid({10, 12}, Qt::red),
              Solid({10, 12}, Qt::blue), sdDownToUp, true, kKey);
  speed.setRange(1, 10, 1);
  TZSkinImage* knob = speed.knob();
  EXPECT_EQ(knob->pos(), QPoint(15, 69));  // the start end of DownToUp is the bottom
  QSignalSpy moved(&speed, &TZSkinSeekbar::knobMoved);
  QSignalSpy released(&speed, &TZSkinSeekbar::knobReleased);

  SendMouse(knob, QEvent::MouseButtonPress, {5, 6}, Qt::LeftButton, Qt::LeftButton);
  EXPECT_TRUE(speed.isDragging());
  EXPECT_EQ(knob->shownIndex(), 1);
  EXPECT_EQ(speed.range().Position, 1);  // grabbed at its centre: it stays
  SendMouse(knob, QEvent::MouseMove, {5, -30}, Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(knob->pos(), QPoint(15, 69 - 36));
  SendMouse(knob, QEvent::MouseMove, {5, -200}, Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(speed.range().Position, 10);
  EXPECT_EQ(knob->pos(), QPoint(15, 18));
  SendMouse(knob, QEvent::MouseButtonRelease, {5, 0}, Qt::LeftButton, Qt::NoButton);
  EXPECT_FALSE(speed.isDragging());
  EXPECT_EQ(knob->shownIndex(), 0);
  ASSERT_EQ(released.count(), 1);
  EXPECT_EQ(released.at(0).at(0).toLongLong(), 10);
  EXPECT_EQ(moved.count(), 3);
  EXPECT_DOUBLE_EQ(speed.SeekbarPercent(), 100.0);
}

TEST(SkinSeekbar, HiddenOrEmptySeekbarsStayPut) {
  TZSkinHost window;
  TZSkinSeekbar hidden(&window, "bg", "knob");
  hidden.apply(QRect(0, 0, 0, 0), QImage(), {0, 0}, QImage(), QImage(), sdLeftToRight, false, kKey);
  hidden.setRange(0, 100, 50);
  EXPECT_FALSE(hidden.knob()->isVisible());

  TZSkinSeekbar balance(&window, "imgBalanceBackground", "imgBalanceBar");
  balance.apply(QRect(176, 81, 46, 10), Solid({46, 10}, Qt::gray), {12, 10},
                Solid({12, 10}, Qt::red), Solid({12, 10}, Qt::blue), sdLeftToRight, true, kKey);
  balance.setRange(0, 0, 0);
  SendMouse(balance.knob(), QEvent::MouseButtonPress, {6, 5}, Qt::LeftButton, Qt::LeftButton);
  EXPECT_FALSE(balance.isDragging());  // Max 0: only the look changes
  EXPECT_EQ(balance.knob()->shownIndex(), 1);
  SendMouse(balance.knob(), QEvent::MouseButtonRelease, {6, 5}, Qt::LeftButton, Qt::NoButton);
  balance.setRange(0, 200, 100);
  EXPECT_EQ(balance.knob()->pos(), QPoint(193, 81));
}

TEST(SkinThumb, DragsAlongTheListAndSetsTheTopRow) {
  TZSkinHost window;
  TZSkinThumb thumb(&window, "imgScrollThumb");
  thumb.setPictures(Solid({8, 20}, Qt::red), Solid({8, 20}, Qt::blue), kKey);
  thumb.LayoutPlaylistThumb(QRect(10, 11, 280, 120), {8, 20});
  thumb.setRange(40, 0);
  EXPECT_EQ(thumb.image()->pos(), QPoint(290, 11));
  QSignalSpy changed(&thumb, &TZSkinThumb::positionChanged);
  SendMouse(thumb.image(), QEvent::MouseButtonPress, {4, 10}, Qt::LeftButton, Qt::LeftButton);
  SendMouse(thumb.image(), QEvent::MouseMove, {4, 60}, Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(thumb.image()->pos(), QPoint(290, 61));
  EXPECT_EQ(thumb.position(), 20);
  SendMouse(thumb.image(), QEvent::MouseMove, {4, 900}, Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(thumb.position(), 40);
  SendMouse(thumb.image(), QEvent::MouseButtonRelease, {4, 0}, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(thumb.image()->shownIndex(), 0);
  EXPECT_EQ(changed.count(), 3);

  thumb.setDragChangesPosition(false);
  SendMouse(thumb.image(), QEvent::MouseButtonPress, {4, 10}, Qt::LeftButton, Qt::LeftButton);
  SendMouse(thumb.image(), QEvent::MouseMove, {4, -900}, Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(thumb.position(), 40);
  EXPECT_EQ(thumb.image()->pos(), QPoint(290, 11));
}

}  // namespace
