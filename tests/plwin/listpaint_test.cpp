// What the list draws: number padding, the "..." cut, row styles, icons, and a screenshot of
// the window with thirty entries.

#include <QImage>
#include <QPainter>

#include "playlist/window/listpainter.h"
#include "plwinfixture.h"
#include "skin/controls/playlistlayout.h"
#include "testsupport.h"

namespace {

bool HasInk(const QImage& image, const QRect& area, QRgb background) {
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (image.pixel(x, y) != background) {
        return true;
      }
    }
  }
  return false;
}

}  // namespace

TEST(ListText, NumbersArePaddedToTheDigitsOfTheCount) {
  int padding = -1;
  EXPECT_EQ(EntryNumber(6, 100, &padding), QStringLiteral("  7"));
  EXPECT_EQ(padding, 2);
  EXPECT_EQ(EntryNumber(99, 100, &padding), QStringLiteral("100"));
  EXPECT_EQ(padding, 0);
  EXPECT_EQ(EntryNumber(0, 9, &padding), QStringLiteral("1"));
  EXPECT_EQ(EntryNumber(9, 10, &padding), QStringLiteral("10"));
}

TEST(ListText, CaptionThatFitsIsWholeAndOnePixelLessCutsIt) {
  const QFontMetrics metrics{QFont(QStringLiteral("Tahoma"), 8)};
  const QString caption = QStringLiteral("Artist - A rather long title of a song");
  const int width = metrics.horizontalAdvance(caption);
  EXPECT_EQ(FitText(metrics, caption, width), caption);
  const QString cut = FitText(metrics, caption, width - 1);
  EXPECT_TRUE(cut.endsWith(QStringLiteral("...")));
  EXPECT_LE(metrics.horizontalAdvance(cut), width - 1);
  const QString oneMore = cut.chopped(3) + caption[cut.size() - 3] + QStringLiteral("...");
  EXPECT_GT(metrics.horizontalAdvance(oneMore), width - 1);
  EXPECT_EQ(FitText(metrics, caption, 0), QStringLiteral("..."));
}

TEST(ListText, IconsFollowTheMediaKind) {
  EXPECT_EQ(FileIconIndex(mkBassStream), 0);
  EXPECT_EQ(FileIconIndex(mkAudio), 0);
  EXPECT_EQ(FileIconIndex(mkMusicCd), 1);
  EXPECT_EQ(FileIconIndex(mkBassUrlStream), 2);
  EXPECT_EQ(FileIconIndex(mkVideo), 3);
  EXPECT_EQ(FileIconIndex(mkVideoStream), 4);
  EXPECT_EQ(FileIconIndex(mkDvd), 5);
  EXPECT_EQ(FileIconIndex(mkUnknown), -1);
}

TEST(ListText, RowStyleCodesOutsideTheTablesKeepTheStyle) {
  EXPECT_EQ(RowFillStyle(0), Qt::NoBrush);
  EXPECT_EQ(RowFillStyle(2), Qt::BDiagPattern);
  EXPECT_EQ(RowFillStyle(7), Qt::VerPattern);
  EXPECT_FALSE(RowFillStyle(8).has_value());
  EXPECT_EQ(RowFrameStyle(5), Qt::DashDotDotLine);
  EXPECT_FALSE(RowFrameStyle(6).has_value());
  EXPECT_FALSE(RowFrameStyle(-1).has_value());
}

TEST(ListPaint, PaddingPlacesStayBlankAtAHundredEntries) {
  TZGUI skin;
  InitSkinDefaults(skin);
  TZListPainter painter;
  painter.SetSkin(skin.Playlist, skin.TransparentColor);
  TZPlaylist playlist;
  for (int i = 0; i < 100; ++i) {
    playlist.Add(QString(), QString(), false, QString(), QString());
  }
  const int rows = 10;
  QImage image(200, rows * painter.RowHeight(), QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  const TZListPaintResult result =
      painter.Paint(p, image.size(), playlist, 0, {true, false, false}, QString());
  p.end();
  EXPECT_EQ(result.FirstDrawn, 0);
  EXPECT_EQ(result.AfterLastDrawn, rows);
  EXPECT_TRUE(result.ScrollBarShown);
  const int digit = QFontMetrics(painter.font()).horizontalAdvance(QLatin1Char('9'));
  const int h = painter.RowHeight();
  const QRect row7(0, 6 * h, 3 * digit, h);
  EXPECT_FALSE(HasInk(image, row7.adjusted(0, 0, -digit - 1, 0), qRgb(255, 255, 255)));
  EXPECT_TRUE(HasInk(image, row7.adjusted(2 * digit, 0, 0, 0), qRgb(255, 255, 255)));
}

TEST_F(PlaylistWindowTest, ThirtyEntriesScreenshot) {
  for (int i = 0; i < 30; ++i) {
    const QString file = i % 5 == 3   ? QStringLiteral("/video/clip%1.avi").arg(i)
                         : i % 5 == 4 ? QStringLiteral("http://127.0.0.1/%1").arg(i)
                                      : QStringLiteral("/music/song%1.mp3").arg(i);
    playlist.Add(QStringLiteral("Artist %1 - Some title number %1 of the list").arg(i + 1), file,
                 false, QStringLiteral("00"), QStringLiteral("00:0%1:%2").arg(i % 10).arg(10 + i));
  }
  playlist.Get(4)->Played = true;
  playlist.Get(2)->Selected = true;
  form().resize(360, 480);
  window->Redraw();
  const QImage shot = form().grab().toImage();
  ASSERT_TRUE(shot.save(TestOutputFolder() + QStringLiteral("plwin-playlist30.png")));

  // The selected row is filled with the skin's selected fill colour.
  const QRect list = form().listRect();
  const int h = window->RowHeight();
  const QRgb fill = skinned.skin.Playlist.SelectedBorderBgStyle.Color;
  const QImage face = form().face();
  int filled = 0;
  for (int x = list.left() + 2; x < list.right() - 2; ++x) {
    filled += face.pixel(x, list.top() + 2 * h + 1) == fill ? 1 : 0;
  }
  EXPECT_GT(filled, list.width() / 3);
  EXPECT_EQ(face.pixel(list.left() + list.width() / 2, list.top() + 3 * h + 1) == fill, false);
}
