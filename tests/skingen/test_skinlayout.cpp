// The layout table the generator draws from: every element where the skin's defaults put
// it, inside the picture, and no two shown elements fighting over the same pixels.

#include <gtest/gtest.h>

#include <QRect>

#include "skinlayout.h"

namespace {

std::string Describe(const SkinPiece& piece, const QRect& r) {
  return std::string(piece.name) + " at " + std::to_string(r.x()) + "," + std::to_string(r.y()) +
         " size " + std::to_string(r.width()) + "x" + std::to_string(r.height());
}

TEST(SkinLayout, EveryPictureLiesInsideTheSkinPicture) {
  const QRect sheet(QPoint(0, 0), kSheetSize);
  int pictures = 0;
  for (const SkinPiece& piece : SkinPieces()) {
    for (const QRect& r : PictureRects(piece)) {
      EXPECT_TRUE(sheet.contains(r)) << Describe(piece, r);
      ++pictures;
    }
  }
  // 49 elements cut into 137 pictures (the fullscreen control reuses the main window's).
  EXPECT_EQ(SkinPieces().size(), 49u);
  EXPECT_EQ(pictures, 137);
}

TEST(SkinLayout, ShownElementsDoNotOverlap) {
  std::vector<std::pair<const SkinPiece*, QRect>> shown;
  for (const SkinPiece& piece : SkinPieces()) {
    if (piece.shown) {
      for (const QRect& r : PictureRects(piece)) {
        shown.emplace_back(&piece, r);
      }
    }
  }
  for (size_t i = 0; i < shown.size(); ++i) {
    for (size_t j = i + 1; j < shown.size(); ++j) {
      EXPECT_FALSE(shown[i].second.intersects(shown[j].second))
          << Describe(*shown[i].first, shown[i].second) << " overlaps "
          << Describe(*shown[j].first, shown[j].second);
    }
  }
}

TEST(SkinLayout, StacksFollowTheGapRule) {
  const std::vector<QRect> close = PictureRects(FindPiece("main.close"));
  ASSERT_EQ(close.size(), 4u);
  EXPECT_EQ(close[3], QRect(302, 39, 11, 11));

  const std::vector<QRect> glyphs = PictureRects(FindPiece("main.time"));
  ASSERT_EQ(glyphs.size(), 13u);
  EXPECT_EQ(glyphs[12], QRect(302 + 12 * 11, 128, 9, 13));

  const std::vector<QRect> frame = PictureRects(FindPiece("playlist.frame"));
  ASSERT_EQ(frame.size(), 9u);
  EXPECT_EQ(frame[5], QRect(24, 161, 10, 10));  // row 1, right piece
  EXPECT_EQ(frame[8], QRect(24, 173, 10, 10));  // bottom-right

  const std::vector<QRect> icons = PictureRects(FindPiece("playlist.fileIcons"));
  ASSERT_EQ(icons.size(), 7u);
  EXPECT_EQ(icons[6].bottom(), 143 + 6 * 34 + 31);
}

TEST(SkinLayout, EqualizerBandsAlternateInHeight) {
  EXPECT_EQ(form::EqualizerBand(0), QPoint(95, 18));
  EXPECT_EQ(form::EqualizerBand(1), QPoint(115, 30));
  EXPECT_EQ(form::EqualizerBand(9), QPoint(275, 30));
}

}  // namespace
