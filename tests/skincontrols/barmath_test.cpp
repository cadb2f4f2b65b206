#include <gtest/gtest.h>

#include "skin/controls/barmath.h"

namespace {

TEST(BarMath, FillShareAtBothEndsAndTheMiddle) {
  const QSize size(288, 15);
  EXPECT_EQ(BarFullArea(size, {0, 100, 50}, sdLeftToRight), QRect(0, 0, 144, 15));
  EXPECT_EQ(BarFullArea(size, {0, 100, 0}, sdLeftToRight).width(), 0);
  EXPECT_EQ(BarFullArea(size, {0, 100, 100}, sdLeftToRight), QRect(0, 0, 288, 15));
  EXPECT_TRUE(BarFullArea(size, {0, 0, 0}, sdLeftToRight).isEmpty());
  EXPECT_TRUE(BarFullArea(size, {5, 5, 5}, sdLeftToRight).isEmpty());  // no division by zero
  // Empty width truncates: 288 * 67 / 100 = 192.96 -> 192 empty columns on the left.
  EXPECT_EQ(BarFullArea(size, {0, 100, 33}, sdRightToLeft), QRect(192, 0, 96, 15));
  const QSize tall(10, 63);
  EXPECT_EQ(BarFullArea(tall, {1, 10, 10}, sdDownToUp), QRect(0, 0, 10, 63));
  EXPECT_EQ(BarFullArea(tall, {1, 10, 4}, sdDownToUp), QRect(0, 42, 10, 21));
  EXPECT_EQ(BarFullArea(tall, {0, 200, 100}, sdUpToDown), QRect(0, 0, 10, 31));
}

TEST(BarMath, PointerSetsTheValue) {
  const QSize size(288, 15);
  TZRange range{0, 10000, 0};
  EXPECT_TRUE(SetBarPositionAt(size, range, sdLeftToRight, {144, 3}));
  EXPECT_EQ(range.Position, 5000);
  SetBarPositionAt(size, range, sdLeftToRight, {-20, 3});
  EXPECT_EQ(range.Position, 0);
  SetBarPositionAt(size, range, sdLeftToRight, {400, 3});
  EXPECT_EQ(range.Position, 10000);
  SetBarPositionAt(size, range, sdRightToLeft, {0, 3});
  EXPECT_EQ(range.Position, 10000);
  TZRange vertical{0, 24, 0};
  SetBarPositionAt({10, 48}, vertical, sdDownToUp, {5, 12});
  EXPECT_EQ(vertical.Position, 18);
  SetBarPositionAt({10, 48}, vertical, sdUpToDown, {5, 12});
  EXPECT_EQ(vertical.Position, 6);
  TZRange untouched{0, 100, 42};
  EXPECT_FALSE(SetBarPositionAt({0, 15}, untouched, sdLeftToRight, {3, 3}));
  EXPECT_EQ(untouched.Position, 42);
  EXPECT_DOUBLE_EQ(BarPercent({0, 200, 50}), 25.0);
  EXPECT_DOUBLE_EQ(BarPercent({0, 0, 50}), 0.0);
}

TEST(BarMath, KnobPlacementFollowsTheValue) {
  // The speed seek bar of the built-in skin: 10 x 63 background, 10 x 12 knob, DownToUp.
  TZSeekbarGeometry speed{QRect(15, 18, 10, 63), QSize(10, 12), sdDownToUp};
  EXPECT_EQ(speed.Travel(), 51);
  EXPECT_EQ(speed.KnobAt({1, 10, 1}), QPoint(15, 18 + 51));  // the start end is the bottom
  EXPECT_EQ(speed.KnobAt({1, 10, 10}), QPoint(15, 18));
  EXPECT_EQ(speed.KnobAt({1, 10, 4}), QPoint(15, 18 + 34));  // round(6/9 * 51)
  TZSeekbarGeometry balance{QRect(176, 81, 46, 10), QSize(12, 10), sdLeftToRight};
  EXPECT_EQ(balance.KnobAt({0, 200, 100}), QPoint(176 + 17, 81));
  EXPECT_EQ(balance.KnobAt({0, 0, 100}), QPoint(176, 81));
  TZSeekbarGeometry reversed{QRect(0, 0, 46, 10), QSize(12, 10), sdRightToLeft};
  EXPECT_EQ(reversed.KnobAt({0, 200, 0}), QPoint(34, 0));
}

TEST(BarMath, DraggingToTheEndsSnapsAndClamps) {
  TZSeekbarGeometry speed{QRect(15, 18, 10, 63), QSize(10, 12), sdDownToUp};
  TZRange range{1, 10, 4};
  const int grab = speed.GrabOffset();
  EXPECT_EQ(grab, 6);
  EXPECT_EQ(DragKnob(speed, range, {20, -50}, grab), QPoint(15, 18));
  EXPECT_EQ(range.Position, 10);
  EXPECT_EQ(DragKnob(speed, range, {20, 500}, grab), QPoint(15, 69));
  EXPECT_EQ(range.Position, 1);
  // Knob top at 18 + 20: 31 pixels from the bottom end, value 1 + round(31 * 9 / 51) = 6.
  EXPECT_EQ(DragKnob(speed, range, {20, 18 + 20 + grab}, grab), QPoint(15, 38));
  EXPECT_EQ(range.Position, 6);
  EXPECT_DOUBLE_EQ(SeekbarPercent({0, 200, 50}), 25.0);
}

TEST(BarMath, ZeroTravelIgnoresDragging) {
  TZSeekbarGeometry flat{QRect(0, 0, 12, 10), QSize(12, 10), sdLeftToRight};
  TZRange range{0, 100, 30};
  EXPECT_EQ(DragKnob(flat, range, {50, 5}, 6), QPoint(0, 0));
  EXPECT_EQ(range.Position, 30);
}

TEST(BarMath, PlaylistThumb) {
  TZThumbGeometry thumb{QRect(290, 11, 8, 120), QSize(8, 20)};
  qint64 position = 50;
  EXPECT_EQ(thumb.ThumbAt(position, 100), QPoint(290, 61));
  EXPECT_EQ(thumb.ThumbAt(position, 0), QPoint(290, 11));
  EXPECT_EQ(position, 0);
  EXPECT_EQ(thumb.DragTop(0, 10), 11);
  EXPECT_EQ(thumb.DragTop(500, 10), 111);
  EXPECT_EQ(thumb.PositionForTop(111, 37), 37);
  EXPECT_EQ(thumb.PositionForTop(61, 37), 18);  // round(18.5) to even
}

}  // namespace
