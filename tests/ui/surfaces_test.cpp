#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QWindow>

#include "skin/controls/maskregion.h"
#include "skinfixture.h"
#include "ui/skinchange.h"

namespace {

// The window's shape holds exactly the pixels of the picture that are not the key colour.
void ExpectShapeIsOpaquePixels(const QWidget& window, const QImage& picture, QRgb key) {
  ASSERT_EQ(window.size(), picture.size());
  const QRegion shape = window.mask();
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      const bool opaque = (picture.pixel(x, y) | 0xff000000u) != (key | 0xff000000u);
      ASSERT_EQ(shape.contains(QPoint(x, y)), opaque) << x << "," << y;
    }
  }
}

// The committed pictures of the windows are see-through exactly outside their shapes.
void ExpectShapeIsCommittedOpaquePart(const QWidget& window, const QString& name) {
  const QImage picture = CommittedPicture(name);
  ASSERT_EQ(window.size(), picture.size()) << name.toStdString();
  const QRegion shape = window.mask();
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      ASSERT_EQ(shape.contains(QPoint(x, y)), qAlpha(picture.pixel(x, y)) != 0)
          << name.toStdString() << " " << x << "," << y;
    }
  }
}

TEST(ApplySurfaces, WindowShapesFollowTheTransparentColour) {
  SkinnedWindows fixture;
  ASSERT_TRUE(fixture.LoadBuiltIn());
  ExpectShapeIsCommittedOpaquePart(*fixture.windows.Main, "skin-main.png");
  ExpectShapeIsCommittedOpaquePart(*fixture.windows.MediaControls, "skin-mediacontrols.png");
  ExpectShapeIsCommittedOpaquePart(*fixture.windows.FullscreenControl,
                                   "skin-fullscreencontrol.png");
  ExpectShapeIsCommittedOpaquePart(*fixture.windows.Playlist, "skin-playlist.png");
  ExpectShapeIsCommittedOpaquePart(*fixture.windows.Video, "skin-video.png");
  EXPECT_TRUE(fixture.windows.Main->windowFlags().testFlag(Qt::FramelessWindowHint));
}

TEST(ApplySurfaces, KnownPictureAndUnmaskedSurface) {
  SkinnedWindows fixture;
  ASSERT_TRUE(fixture.LoadBuiltIn());
  TZGUI& skin = fixture.skin;
  QImage picture(300, 100, QImage::Format_RGB888);
  picture.fill(QColor(30, 30, 30));
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 300; ++x) {
      // Rounded corners, a slot in the middle and a ragged right edge.
      const bool corner = (x < 6 && y < 6 && x + y < 6) || (x > 293 && y > 93);
      const bool slot = y == 50 && x >= 100 && x < 200;
      const bool ragged = x >= 300 - (y % 7);
      if (corner || slot || ragged) {
        picture.setPixelColor(x, y, QColor(0, 255, 0));
      }
    }
  }
  skin.Main.Surface.Picture = picture;
  ApplySurfaces(skin, fixture.windows);
  ExpectShapeIsOpaquePixels(*fixture.windows.Main, picture, skin.TransparentColor);

  skin.Main.Surface.Masked = false;
  ApplySurfaces(skin, fixture.windows);
  EXPECT_TRUE(fixture.windows.Main->mask().isEmpty());  // a plain rectangle
}

TEST(ApplySurfaces, ControlsTakeTheirSkinPlaces) {
  SkinnedWindows fixture;
  ASSERT_TRUE(fixture.LoadBuiltIn());
  TfrmMain& main = *fixture.windows.Main;
  EXPECT_EQ(main.size(), QSize(300, 100));
  EXPECT_EQ(main.imgCloseButton->geometry(), QRect(280, 2, 11, 11));
  EXPECT_EQ(main.imgCloseButton->shownIndex(), 1);
  EXPECT_EQ(main.imgPlayButton->geometry(), QRect(35, 79, 21, 17));
  EXPECT_EQ(main.imgProgressBar->geometry(), QRect(6, 56, 288, 15));
  EXPECT_EQ(main.imgScrolllabel->geometry(), QRect(106, 18, 180, 13));
  EXPECT_EQ(main.imgTime->geometry(), QRect(96, 33, 90, 13));
  EXPECT_EQ(main.imgAnalyzer->geometry(), QRect(10, 20, 84, 25));
  EXPECT_EQ(main.BalanceSeekbar->knob()->geometry(), QRect(176, 81, 12, 10));
  EXPECT_FALSE(main.imgPlaylistCheckbox->isVisible());
  EXPECT_TRUE(main.imgMuteCheckbox->isVisible());
  EXPECT_FALSE(main.ProgressSeekbar->knob()->isVisible());
  EXPECT_EQ(main.popmMain->sideBandWidth(), 31);
  TfrmMediaControls& controls = *fixture.windows.MediaControls;
  EXPECT_EQ(controls.EqualizerBands[3]->background()->geometry(), QRect(155, 30, 10, 63));
  EXPECT_EQ(controls.EqualizerBands[3]->background()->objectName(), "imgEQ3Background");
  EXPECT_EQ(fixture.windows.Playlist->size(), QSize(300, 200));
  EXPECT_EQ(fixture.windows.Playlist->minimumSize(), QSize(230, 60));
  EXPECT_FALSE(fixture.windows.FullscreenControl->isVisible());
}

TEST(ApplySurfaces, KeepsVisibilityAndValues) {
  SkinnedWindows fixture;
  ASSERT_TRUE(fixture.LoadBuiltIn());
  TfrmMain& main = *fixture.windows.Main;
  main.show();
  main.imgVolume->setRange(0, 10000, 5000);
  main.BalanceSeekbar->setRange(0, 200, 200);
  main.imgMuteCheckbox->setChecked(true);
  ASSERT_TRUE(fixture.LoadBuiltIn());
  EXPECT_TRUE(main.isVisible());
  EXPECT_FALSE(fixture.windows.Playlist->isVisible());
  EXPECT_EQ(main.imgVolume->range().Position, 5000);
  EXPECT_EQ(main.imgVolume->displayed().pixelColor(27, 6),
            fixture.skin.Main.VolumeBar.Pictures[1].pixelColor(27, 6));
  EXPECT_EQ(main.BalanceSeekbar->knob()->pos(), QPoint(176 + 34, 81));
  EXPECT_TRUE(main.imgMuteCheckbox->isChecked());
  EXPECT_EQ(main.imgMuteCheckbox->shownIndex(), 3);
}

TEST(ApplySurfaces, PlaylistFollowsItsSize) {
  SkinnedWindows fixture;
  ASSERT_TRUE(fixture.LoadBuiltIn());
  TfrmPlaylist& playlist = *fixture.windows.Playlist;
  playlist.resize(400, 300);
  playlist.ComposeFrame();
  EXPECT_EQ(playlist.composedFrame().size(), QSize(400, 300));
  EXPECT_EQ(playlist.imgResizer->pos(), QPoint(390, 290));
  // Edges 10, caption 11, no insets, status bar 14 at the bottom.
  EXPECT_EQ(playlist.listRect(), QRect(10, 11, 380, 265));
  EXPECT_EQ(playlist.imgStatusBar->geometry(), QRect(10, 276, 380, 14));
  EXPECT_EQ(playlist.ScrollThumb->image()->pos(), QPoint(390, 11));
  fixture.skin.Playlist.StatusBar.Hidden = true;
  playlist.LayoutPlaylist();
  EXPECT_EQ(playlist.listRect(), QRect(10, 11, 380, 279));
  EXPECT_FALSE(playlist.imgStatusBar->isVisible());
}

TEST(ApplySurfaces, CaptionsStatusTimeAndSkinChange) {
  SkinnedWindows fixture;
  ASSERT_TRUE(fixture.LoadBuiltIn());
  TZWindows& windows = fixture.windows;
  SetCaptionsActive(windows, windows.Playlist);
  EXPECT_EQ(windows.Playlist->imgCaptionbar->shownIndex(), 1);
  EXPECT_EQ(windows.Main->imgCaptionbar->shownIndex(), 0);
  SetCaptionsActive(windows, nullptr);
  EXPECT_EQ(windows.Playlist->imgCaptionbar->shownIndex(), 0);

  TrackActiveWindow(windows);
  windows.Main->show();
  windows.Video->show();
  QWidget dialog;
  dialog.show();
  emit qApp->focusWindowChanged(windows.Video->windowHandle());
  EXPECT_EQ(windows.Video->imgCaptionBar->shownIndex(), 1);
  EXPECT_EQ(windows.Main->imgCaptionbar->shownIndex(), 0);
  emit qApp->focusWindowChanged(dialog.windowHandle());  // another window of the program
  EXPECT_EQ(windows.Video->imgCaptionBar->shownIndex(), 1);
  emit qApp->focusWindowChanged(nullptr);
  EXPECT_EQ(windows.Video->imgCaptionBar->shownIndex(), 0);

  const TZSTimeDisplay& time = fixture.skin.Main.TimeDisplay;
  DrawTime(time, *windows.Main->imgTime, QColor::fromRgb(fixture.skin.TransparentColor), false,
           {-1, -1, 0, 3, 5, 9});
  EXPECT_EQ(windows.Main->imgTime->displayed().pixel(40 + 4, 6),
            time.Glyphs[0].pixel(4, 6) | 0xff000000u);

  TZConfig config;
  config.SpectrumType = stLines;
  RedrawAfterSkinChange(fixture.skin, windows, config, true);
  const TZSStatusPicture& paused = fixture.skin.Main.StatusPictures[3];
  EXPECT_EQ(windows.Main->imgStatus->geometry(), QRect(paused.FormPos, paused.Size));
  EXPECT_EQ(windows.Spectrum->MaxValue, 25);
  EXPECT_EQ(windows.Spectrum->Mode, TSpectrum::dmLines);
  EXPECT_EQ(windows.Main->imgScrolllabel->state().Mode, 1);  // SLMoveProg 2: moving right
}

}  // namespace
