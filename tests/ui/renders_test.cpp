#include <gtest/gtest.h>

#include "skin/skinresource.h"
#include "skinfixture.h"
#include "ui/samplestate.h"
#include "ui/windowrender.h"

namespace {

void ShowPlayingState(SkinnedWindows& fixture) {
  ShowSampleState(fixture.skin, fixture.windows);
  fixture.windows.Main->imgPlayButton->setState(3);
}

TEST(WindowRenders, BuiltInSkin) {
  SkinnedWindows fixture;
  ASSERT_TRUE(fixture.LoadBuiltIn());
  ShowPlayingState(fixture);
  TZWindows& windows = fixture.windows;
  ExpectRenderAsCommitted(*windows.Main, QStringLiteral("skin-main.png"));
  ExpectRenderAsCommitted(*windows.Playlist, QStringLiteral("skin-playlist.png"));
  ExpectRenderAsCommitted(*windows.MediaControls, QStringLiteral("skin-mediacontrols.png"));
  ExpectRenderAsCommitted(*windows.Video, QStringLiteral("skin-video.png"));
  ExpectRenderAsCommitted(*windows.FullscreenControl, QStringLiteral("skin-fullscreencontrol.png"));

  // Outside the shape the render is see-through; inside it shows the skin.
  const QImage main = RenderWindow(*windows.Main);
  const QImage& surface = fixture.skin.Main.Surface.Picture;
  for (int y = 0; y < main.height(); ++y) {
    for (int x = 0; x < main.width(); ++x) {
      const bool hole = (surface.pixel(x, y) | 0xff000000u) == fixture.skin.TransparentColor;
      ASSERT_EQ(qAlpha(main.pixel(x, y)) == 0, hole) << x << "," << y;
    }
  }
}

// The built-in picture with every colour but the key inverted, in a package with a short
// description: later values keep the built-in defaults.
TEST(WindowRenders, SkinPackageMadeAtTestTime) {
  if (!HaveProgram(QStringLiteral("zip"))) {
    GTEST_FAIL() << "the zip program is needed to pack the test skin";
  }
  SkinnedWindows fixture;
  QImage picture = BuiltInSkinPicture().convertToFormat(QImage::Format_RGB888);
  ASSERT_FALSE(picture.isNull());
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      const QColor colour = picture.pixelColor(x, y);
      if (colour != QColor(0, 255, 0)) {
        picture.setPixelColor(
            x, y, QColor(255 - colour.red(), 255 - colour.green(), 255 - colour.blue()));
      }
    }
  }
  ScratchFolder work;
  ASSERT_TRUE(picture.save(work.file("inverted.bmp"), "BMP"));
  WriteBytes(work.file("inverted.zskn"),
             "//   \r\n//\r\n//\r\n//\r\n//   Inverted\r\n//\r\n//   Zephonic tests\r\n"
             "TransparentColor [ 0 255 0 ]\r\n"
             "SkinPos [ 0 0 ]\r\nSize [ 300 100 ]\r\nMasked [ TRUE ]\r\n");
  QString output;
  ASSERT_EQ(RunProgram(QStringLiteral("zip"),
                       {QStringLiteral("-j"), fixture.skinsFolder() + "inverted.zskz",
                        work.file("inverted.bmp"), work.file("inverted.zskn")},
                       &output),
            0)
      << output.toStdString();
  ASSERT_TRUE(fixture.LoadPackage(QStringLiteral("inverted")));
  ShowPlayingState(fixture);
  ExpectRenderAsCommitted(*fixture.windows.Main, QStringLiteral("skin-main-package.png"));

  const QImage render = RenderWindow(*fixture.windows.Main);
  const QColor built = BuiltInSkinPicture().pixelColor(150, 5);
  EXPECT_EQ(render.pixelColor(150, 5),
            QColor(255 - built.red(), 255 - built.green(), 255 - built.blue()));
}

}  // namespace
