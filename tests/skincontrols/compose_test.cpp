#include <gtest/gtest.h>

#include "controltest.h"
#include "skin/controls/framecompose.h"
#include "skin/controls/playlistlayout.h"
#include "skin/controls/popupbar.h"

namespace {

TEST(ComposeFrame, NinePiecesLandInTheirPlaces) {
  TZFramePieces pieces;
  const QColor colours[9] = {Qt::red,    Qt::green, Qt::blue,    Qt::cyan,    Qt::magenta,
                             Qt::yellow, Qt::gray,  Qt::darkRed, Qt::darkBlue};
  for (int i = 0; i < 9; ++i) {
    pieces[size_t(i)] = Solid({10, 10}, colours[i]);
  }
  // A stripe in the top piece shows that it is tiled, not stretched.
  pieces[1].setPixelColor(0, 5, Qt::black);
  const QImage frame = ComposeFrame(pieces, {10, 10}, {47, 33});
  ASSERT_EQ(frame.size(), QSize(47, 33));
  EXPECT_EQ(frame.pixelColor(0, 0), QColor(Qt::red));
  EXPECT_EQ(frame.pixelColor(9, 9), QColor(Qt::red));
  EXPECT_EQ(frame.pixelColor(10, 0), QColor(Qt::green));
  EXPECT_EQ(frame.pixelColor(10, 5), QColor(Qt::black));
  EXPECT_EQ(frame.pixelColor(20, 5), QColor(Qt::black));
  EXPECT_EQ(frame.pixelColor(30, 5), QColor(Qt::black));
  EXPECT_EQ(frame.pixelColor(36, 0), QColor(Qt::green));
  EXPECT_EQ(frame.pixelColor(37, 0), QColor(Qt::blue));
  EXPECT_EQ(frame.pixelColor(46, 9), QColor(Qt::blue));
  EXPECT_EQ(frame.pixelColor(0, 10), QColor(Qt::cyan));
  EXPECT_EQ(frame.pixelColor(0, 22), QColor(Qt::cyan));
  EXPECT_EQ(frame.pixelColor(20, 16), QColor(Qt::magenta));
  EXPECT_EQ(frame.pixelColor(46, 22), QColor(Qt::yellow));
  EXPECT_EQ(frame.pixelColor(0, 23), QColor(Qt::gray));
  EXPECT_EQ(frame.pixelColor(25, 32), QColor(Qt::darkRed));
  EXPECT_EQ(frame.pixelColor(46, 32), QColor(Qt::darkBlue));
}

TEST(ComposeFrame, MissingPiecesLeaveWhite) {
  const QImage frame = ComposeFrame(TZFramePieces{}, {10, 10}, {30, 30});
  EXPECT_EQ(frame.pixelColor(15, 15), QColor(Qt::white));
  EXPECT_TRUE(ComposeFrame(TZFramePieces{}, {10, 10}, {0, 0}).isNull());
}

TEST(DrawTime, CellsShowGlyphsBlanksAndMinus) {
  std::vector<QImage> glyphs;
  for (int i = 0; i < 13; ++i) {
    glyphs.push_back(Solid({9, 13}, QColor(i * 10, 0, 100)));
  }
  const QSize glyph(9, 13);
  EXPECT_EQ(TimeDisplaySize(glyph, 1), QSize(90, 13));
  const QImage time = DrawTime(glyphs, glyph, 1, kKey, true, {-1, -1, 0, 7, 5, 42});
  auto cell = [&](int k) { return time.pixelColor(k * 10 + 4, 6); };
  EXPECT_EQ(cell(0), QColor(120, 0, 100));  // minus
  EXPECT_EQ(cell(1), QColor(100, 0, 100));  // blank
  EXPECT_EQ(cell(2), QColor(100, 0, 100));
  EXPECT_EQ(cell(3), QColor(110, 0, 100));  // separator
  EXPECT_EQ(cell(4), QColor(0, 0, 100));
  EXPECT_EQ(cell(5), QColor(70, 0, 100));
  EXPECT_EQ(cell(6), QColor(110, 0, 100));
  EXPECT_EQ(cell(7), QColor(50, 0, 100));
  EXPECT_EQ(cell(8), kKey);                // an out-of-range digit leaves the cell as filled
  EXPECT_EQ(time.pixelColor(9, 6), kKey);  // the gap between cells
  const QImage positive = DrawTime(glyphs, glyph, 1, kKey, false, {1, 2, 3, 4, 5, 6});
  EXPECT_EQ(positive.pixelColor(4, 6), QColor(100, 0, 100));
}

TEST(LayoutPlaylist, StatusBarAtEitherSideOrHidden) {
  // 300 x 200 window, 10 x 10 edges, caption 11, insets 2 3 4 5, status bar 14 high.
  const QMargins insets(2, 3, 4, 5);
  const auto bottom = LayoutPlaylist({300, 200}, {10, 10}, 11, insets, 14, bsBottom, true, false);
  EXPECT_EQ(bottom.List, QRect(12, 14, 274, 157));
  EXPECT_EQ(bottom.StatusBar, QRect(12, 171, 274, 14));
  const auto top = LayoutPlaylist({300, 200}, {10, 10}, 11, insets, 14, bsTop, true, false);
  EXPECT_EQ(top.StatusBar, QRect(12, 14, 274, 14));
  EXPECT_EQ(top.List, QRect(12, 28, 274, 157));
  const auto hidden = LayoutPlaylist({300, 200}, {10, 10}, 11, insets, 14, bsBottom, true, true);
  EXPECT_FALSE(hidden.StatusBarShown);
  EXPECT_EQ(hidden.List, QRect(12, 14, 274, 171));
  const auto none = LayoutPlaylist({300, 200}, {10, 10}, 11, insets, 14, bsTop, false, false);
  EXPECT_EQ(none.List.height(), 171);
  EXPECT_EQ(PlaceVideoPicture({100, 100}, {10, 10}, 11, QMargins(1, 2, 3, 4)),
            QRect(11, 13, 76, 73));
}

TEST(ComposeStatusBar, TilesThePieceOverWhite) {
  QImage piece = Solid({10, 14}, Qt::blue);
  piece.setPixelColor(0, 0, Qt::red);
  const QImage bar = ComposeStatusBar(piece, {25, 14});
  EXPECT_EQ(bar.pixelColor(20, 0), QColor(Qt::red));
  EXPECT_EQ(bar.pixelColor(24, 13), QColor(Qt::blue));
}

TEST(SidePictureMenu, ReservesTheBand) {
  TZSidePictureMenu menu;
  menu.setSidePicture(Solid({29, 241}, Qt::darkGreen));
  EXPECT_EQ(menu.sideBandWidth(), 31);
  EXPECT_EQ(menu.contentsMargins().left(), 31);
  menu.setSidePicture(QImage());
  EXPECT_EQ(menu.contentsMargins().left(), 0);
}

}  // namespace
