#include <gtest/gtest.h>

#include "skin/skinpieces.h"
#include "skintestsupport.h"

namespace {

// True when the piece shows the coordinate picture's rectangle at (x, y); pixels outside the
// picture must be black.
::testing::AssertionResult ShowsRectangle(const QImage& piece, int x, int y, QSize size,
                                          QSize pictureSize = QSize(591, 567)) {
  if (piece.size() != size) {
    return ::testing::AssertionFailure() << "size " << piece.width() << "x" << piece.height();
  }
  if (piece.format() != QImage::Format_RGB888) {
    return ::testing::AssertionFailure() << "not 24 bits per pixel";
  }
  for (int py = 0; py < size.height(); ++py) {
    for (int px = 0; px < size.width(); ++px) {
      const int sx = x + px;
      const int sy = y + py;
      const bool inside = QRect(QPoint(0, 0), pictureSize).contains(sx, sy);
      const QRgb expected = inside ? PixelAt(sx, sy) : qRgb(0, 0, 0);
      if (piece.pixel(px, py) != expected) {
        return ::testing::AssertionFailure() << "pixel " << px << "," << py << " differs";
      }
    }
  }
  return ::testing::AssertionSuccess();
}

class SkinPieceCutting : public ::testing::Test {
 protected:
  void SetUp() override { InitSkinDefaults(skin); }
  void cut() { CutSkinPieces(skin, picture); }
  TZGUI skin;
  QImage picture = MakeCoordinatePicture();
};

TEST_F(SkinPieceCutting, InitSkinDefaultsEmptiesEveryPiece) {
  cut();
  InitSkinDefaults(skin);
  const std::vector<SkinPiece> pieces = SkinPieces(skin);
  EXPECT_GT(pieces.size(), 200u);
  for (const SkinPiece& piece : pieces) {
    EXPECT_TRUE(piece.picture->size().isEmpty());
  }
}

TEST_F(SkinPieceCutting, SinglePiecesComeFromTheirSkinPosition) {
  cut();
  EXPECT_TRUE(ShowsRectangle(skin.Main.Surface.Picture, 0, 0, QSize(300, 100)));
  EXPECT_TRUE(ShowsRectangle(skin.Main.Analyzer.Background, 328, 0, QSize(84, 25)));
  EXPECT_TRUE(ShowsRectangle(skin.Main.TitleBackground.Picture, 328, 31, QSize(184, 13)));
  EXPECT_TRUE(ShowsRectangle(skin.Main.StatusPictures[3].Picture, 527, 36, QSize(10, 10)));
  EXPECT_TRUE(ShowsRectangle(skin.Playlist.StatusBar.Picture, 72, 411, QSize(10, 14)));
  EXPECT_TRUE(ShowsRectangle(skin.Video.DvdPopupBar.Picture, 400, 169, QSize(29, 366)));
  EXPECT_TRUE(
      ShowsRectangle(skin.MediaControls.EqualizerBands[7].Background, 36, 308, QSize(10, 63)));
}

TEST_F(SkinPieceCutting, StackedPiecesFollowTheirGap) {
  skin.Main.PlayButton.Border = 5;
  cut();
  for (int i = 0; i < 4; ++i) {
    EXPECT_TRUE(ShowsRectangle(skin.Main.PlayButton.Pictures[i], 325, 52 + i * 22, QSize(21, 17)))
        << "state " << i;
  }
  EXPECT_TRUE(ShowsRectangle(skin.Main.Caption.Pictures[1], 302, 143 + 13, QSize(212, 11)));
  EXPECT_TRUE(ShowsRectangle(skin.Main.BalanceSeekbar.Knob[1], 440, 104 + 12, QSize(12, 10)));
  EXPECT_TRUE(ShowsRectangle(skin.Main.PositionBar.Pictures[1], 0, 115 + 17, QSize(288, 15)));
  EXPECT_TRUE(ShowsRectangle(skin.Playlist.FileIcons.Icons[6], 516, 143 + 6 * 34, QSize(32, 32)));
  for (int i = 0; i < 13; ++i) {
    EXPECT_TRUE(ShowsRectangle(skin.Main.TimeDisplay.Glyphs[i], 302 + i * 11, 128, QSize(9, 13)))
        << "glyph " << i;
  }
}

TEST_F(SkinPieceCutting, FrameEdgesFormAThreeByThreeGrid) {
  skin.Video.Frame.EdgeSize = QSize(7, 5);
  skin.Video.Frame.EdgeBorder = 3;
  cut();
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) {
      EXPECT_TRUE(ShowsRectangle(skin.Video.Frame.Edges[row * 3 + column], 36 + column * 10,
                                 399 + row * 8, QSize(7, 5)))
          << "edge " << row << "," << column;
    }
  }
}

TEST_F(SkinPieceCutting, CopyingIsClippedToThePicture) {
  skin.Main.Surface.SkinPos = QPoint(580, 560);
  skin.Main.CloseButton.SkinPos = QPoint(-5, -3);
  skin.Main.PopupBar.Size = QSize(-4, 10);
  skin.Main.Caption.SkinPos = QPoint(2000000000, 2000000000);
  skin.Main.Caption.Size = QSize(2000000000, 2000000000);
  cut();
  EXPECT_TRUE(ShowsRectangle(skin.Main.Surface.Picture, 580, 560, QSize(300, 100)));
  EXPECT_TRUE(ShowsRectangle(skin.Main.CloseButton.Pictures[0], -5, -3, QSize(11, 11)));
  EXPECT_TRUE(skin.Main.PopupBar.Picture.size().isEmpty());
  // A piece is never larger than the picture it comes from.
  EXPECT_EQ(skin.Main.Caption.Pictures[1].size(), picture.size());
  EXPECT_TRUE(ShowsRectangle(skin.Main.Caption.Pictures[1], 100000, 100000, picture.size()));
}

TEST_F(SkinPieceCutting, FreeSkinPicturesLeavesNoPicture) {
  cut();
  FreeSkinPictures(skin);
  for (const SkinPiece& piece : SkinPieces(skin)) {
    EXPECT_TRUE(piece.picture->isNull());
  }
  EXPECT_TRUE(skin.Main.Title.Picture.isNull());
  EXPECT_TRUE(skin.VideoFullscreenControl.Title.Picture.isNull());
}

}  // namespace
