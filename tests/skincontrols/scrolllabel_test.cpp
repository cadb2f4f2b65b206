#include <gtest/gtest.h>

#include "controltest.h"
#include "skin/controls/scrolllabel.h"

namespace {

TEST(ScrollState, ShortTitlesNeverMove) {
  TZScrollState state;
  state.Mode = 2;
  state.Restart(50);
  for (int tick = 0; tick < 500; ++tick) {
    ASSERT_FALSE(state.Advance(50, 180));
  }
  EXPECT_EQ(state.Position1, 0);
  EXPECT_EQ(state.Position2, 51);
}

TEST(ScrollState, MovingLeftRunsContinuously) {
  const int width = 300;
  TZScrollState state;
  state.Mode = 2;
  state.Restart(width);
  for (int tick = 1; tick <= 2000; ++tick) {
    const int before1 = state.Position1;
    ASSERT_TRUE(state.Advance(width, 180));
    // One pixel left per tick unless a copy wraps round behind the other one.
    ASSERT_TRUE(state.Position1 == before1 - 1 || state.Position1 == width) << tick;
    // The copies follow each other one pixel apart: their distance is the text width + 1.
    ASSERT_EQ(std::abs(state.Position1 - state.Position2), width + 1) << tick;
    ASSERT_GE(std::min(state.Position1, state.Position2), -width - 1) << tick;
  }
}

TEST(ScrollState, MovingRightRunsContinuously) {
  const int width = 250;
  TZScrollState state;
  state.Mode = 1;
  state.Restart(width);
  ASSERT_TRUE(state.Advance(width, 180));
  EXPECT_EQ(state.Position1, 1);
  EXPECT_EQ(state.Position2, -width);  // the second copy starts again on the left
  for (int tick = 2; tick <= 2000; ++tick) {
    const int before2 = state.Position2;
    ASSERT_TRUE(state.Advance(width, 180));
    ASSERT_TRUE(state.Position2 == before2 + 1 || state.Position2 == -width) << tick;
    ASSERT_EQ(std::abs(state.Position1 - state.Position2), width + 1) << tick;
  }
}

TEST(ScrollState, ModeFromTheSetting) {
  EXPECT_EQ(ScrollModeFromSetting(0, 1), 0);
  EXPECT_EQ(ScrollModeFromSetting(1, 0), 2);
  EXPECT_EQ(ScrollModeFromSetting(2, 0), 1);
  EXPECT_EQ(ScrollModeFromSetting(7, 1), 1);
}

TEST(SkinScrollLabel, DrawsOverTheBackgroundStrip) {
  TZSkinHost window;
  TZSkinScrollLabel label(&window);
  label.setGeometry(QRect(106, 18, 180, 13));
  label.setSkinFont("DejaVu Sans", 8, Qt::white);
  // The title background image sits at x = 104; its piece is blue left of x = 2, red after.
  QImage piece = Solid({184, 13}, Qt::red);
  for (int y = 0; y < 13; ++y) {
    piece.setPixelColor(0, y, Qt::blue);
    piece.setPixelColor(1, y, Qt::blue);
  }
  label.InitScrollLabel(QString());
  label.PaintScrollLabel(piece, 104);
  ASSERT_EQ(label.picture().size(), QSize(180, 13));
  EXPECT_EQ(label.picture().pixelColor(0, 0), QColor(Qt::red));  // strip starts at x = 2
  EXPECT_EQ(label.picture().pixelColor(179, 12), QColor(Qt::red));

  label.InitScrollLabel(QString(200, QChar('W')));
  label.setMode(2);
  ASSERT_GT(label.textWidth(), 180);
  label.PaintScrollLabel(piece, 104);
  EXPECT_EQ(label.state().Position1, -1);
  label.applyMoveSetting(0);
  EXPECT_EQ(label.state().Mode, 0);
  EXPECT_EQ(label.state().Position1, 0);
  EXPECT_EQ(label.state().Position2, label.textWidth() + 1);
  label.PaintScrollLabel(piece, 104);
  EXPECT_EQ(label.state().Position1, 0);
  bool white = false;
  for (int x = 0; x < 20 && !white; ++x) {
    for (int y = 0; y < 13 && !white; ++y) {
      white = label.picture().pixelColor(x, y) == QColor(Qt::white);
    }
  }
  EXPECT_TRUE(white);
}

}  // namespace
