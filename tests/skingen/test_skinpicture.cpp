// The committed built-in skin picture: reproducible from the generator, 24-bit, and using the
// transparent colour only where windows need holes or controls need to be see-through.

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <tuple>

#include "skinlayout.h"
#include "testsupport.h"

namespace {

const QRgb kKey = qRgb(0, 255, 0);

bool IsKey(const QImage& image, int x, int y) {
  return image.pixel(x, y) == kKey;
}

// A drawn pixel that looks like a blend of some colour with the transparent green: what
// anti-aliasing against the key would leave behind at the edges of holes.
bool IsGreenish(QRgb pixel) {
  return pixel != kKey && qGreen(pixel) > qRed(pixel) + 40 && qGreen(pixel) > qBlue(pixel) + 40;
}

class SkinPicture : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { picture_ = new QImage(QString(SKIN_PICTURE)); }
  static void TearDownTestSuite() {
    delete picture_;
    picture_ = nullptr;
  }
  const QImage& picture() const { return *picture_; }
  QImage Cut(const char* element, int index = 0) const {
    return picture_->copy(PictureRects(FindPiece(element)).at(index));
  }
  static int CountKey(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        count += IsKey(image, x, y) ? 1 : 0;
      }
    }
    return count;
  }

 private:
  static QImage* picture_;
};

QImage* SkinPicture::picture_ = nullptr;

TEST_F(SkinPicture, IsA24BitPictureOfTheSkinSize) {
  ASSERT_FALSE(picture().isNull()) << SKIN_PICTURE;
  EXPECT_EQ(picture().size(), kSheetSize);
  EXPECT_FALSE(picture().hasAlphaChannel());
  // PNG header: bit depth 8, colour type 2 (RGB without alpha).
  const QByteArray bytes = ReadBytes(SKIN_PICTURE);
  ASSERT_GT(bytes.size(), 26);
  EXPECT_EQ(bytes.at(24), 8);
  EXPECT_EQ(bytes.at(25), 2);
}

TEST_F(SkinPicture, GeneratorReproducesTheCommittedPicture) {
  ScratchFolder scratch;
  const QString out = scratch.file("base_default.png");
  const QString previews = TestOutputFolder() + "skingen";
  QString log;
  ASSERT_EQ(RunProgram(SKINGEN_PROGRAM, {out, "--preview", previews}, &log), 0)
      << log.toStdString();
  const QImage fresh(out);
  ASSERT_EQ(fresh.size(), picture().size());
  int differing = 0;
  QPoint first(-1, -1);
  for (int y = 0; y < fresh.height(); ++y) {
    for (int x = 0; x < fresh.width(); ++x) {
      if (fresh.pixel(x, y) != picture().pixel(x, y)) {
        if (differing++ == 0) {
          first = QPoint(x, y);
        }
      }
    }
  }
  EXPECT_EQ(differing, 0) << "first difference at " << first.x() << "," << first.y()
                          << "; run skingen " << SKIN_PICTURE << " to update the picture";
  EXPECT_TRUE(QFile::exists(previews + "/skin-preview.png"));
}

TEST_F(SkinPicture, GeneratorRejectsBadArguments) {
  EXPECT_NE(RunProgram(SKINGEN_PROGRAM, {}), 0);
  EXPECT_NE(RunProgram(SKINGEN_PROGRAM, {"a.png", "--preview"}), 0);
  ScratchFolder scratch;
  EXPECT_NE(RunProgram(SKINGEN_PROGRAM, {PathBelowAFile(scratch, "x/base.png")}), 0);
  EXPECT_EQ(FolderEntries(scratch.path()), QStringList({"a-file"}));
}

TEST_F(SkinPicture, OpaqueElementsHoldNoTransparentColour) {
  for (const SkinPiece& piece : SkinPieces()) {
    if (piece.keyUse != KeyUse::None) {
      continue;
    }
    for (const QRect& r : PictureRects(piece)) {
      EXPECT_EQ(CountKey(picture().copy(r)), 0) << piece.name << " at " << r.x() << "," << r.y();
    }
  }
}

// Window shapes: holes only at the rounded corners, each row's holes reaching the edge.
TEST_F(SkinPicture, WindowSurfacesAreRoundedAndSolidInside) {
  for (const char* name : {"main.surface", "media.surface", "fullscreen.surface"}) {
    const QImage surface = Cut(name);
    const int w = surface.width();
    const int h = surface.height();
    EXPECT_TRUE(IsKey(surface, 0, 0) && IsKey(surface, w - 1, 0) && IsKey(surface, 0, h - 1) &&
                IsKey(surface, w - 1, h - 1))
        << name << " has square corners";
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        if (!IsKey(surface, x, y)) {
          continue;
        }
        const bool inCorner = (x < 8 || x >= w - 8) && (y < 8 || y >= h - 8);
        EXPECT_TRUE(inCorner) << name << " has a hole at " << x << "," << y;
      }
    }
    EXPECT_FALSE(IsKey(surface, w / 2, 0)) << name;
    EXPECT_FALSE(IsKey(surface, 0, h / 2)) << name;
  }
}

TEST_F(SkinPicture, OutlinedPiecesOnlyCutHolesFromTheirEdges) {
  for (const SkinPiece& piece : SkinPieces()) {
    if (piece.keyUse != KeyUse::Outline) {
      continue;
    }
    for (const QRect& r : PictureRects(piece)) {
      const QImage image = picture().copy(r);
      for (int y = 0; y < image.height(); ++y) {
        int left = 0;
        while (left < image.width() && IsKey(image, left, y)) {
          ++left;
        }
        int right = image.width();
        while (right > left && IsKey(image, right - 1, y)) {
          --right;
        }
        for (int x = left; x < right; ++x) {
          EXPECT_FALSE(IsKey(image, x, y)) << piece.name << " has an inner hole at " << x << ","
                                           << y << " of the picture at " << r.x() << "," << r.y();
        }
      }
    }
  }
}

// A frame composed at any size must be whole except at its four rounded corners.
TEST_F(SkinPicture, FramesTileWithoutHoles) {
  for (const char* name : {"playlist.frame", "video.frame"}) {
    const std::vector<QRect> rects = PictureRects(FindPiece(name));
    for (int i = 0; i < 9; ++i) {
      const QImage piece = picture().copy(rects[i]);
      const bool corner = i == 0 || i == 2 || i == 6 || i == 8;
      EXPECT_EQ(CountKey(piece) > 0, corner) << name << " piece " << i;
    }
    EXPECT_TRUE(IsKey(picture(), rects[0].x(), rects[0].y())) << name;
    EXPECT_TRUE(IsKey(picture(), rects[8].right(), rects[8].bottom())) << name;
  }
}

// Captions and grips of resizable windows sit on a frame corner: their holes must match the
// frame's so the window shape stays the same under them.
TEST_F(SkinPicture, FrameCaptionsAndGripsMatchTheFrameCorners) {
  const std::pair<const char*, const char*> captions[] = {{"playlist.caption", "playlist.frame"},
                                                          {"video.caption", "video.frame"}};
  for (const auto& [caption, frame] : captions) {
    const QImage corner = Cut(frame, 0);
    for (int state = 0; state < 2; ++state) {
      const QImage image = Cut(caption, state);
      for (int y = 0; y < corner.height(); ++y) {
        for (int x = 0; x < corner.width(); ++x) {
          EXPECT_EQ(IsKey(image, x, y), IsKey(corner, x, y)) << caption << " " << x << "," << y;
        }
      }
    }
  }
  const std::pair<const char*, const char*> grips[] = {{"playlist.grip", "playlist.frame"},
                                                       {"video.grip", "video.frame"}};
  for (const auto& [grip, frame] : grips) {
    const QImage image = Cut(grip);
    const QImage corner = Cut(frame, 8);
    for (int y = 0; y < corner.height(); ++y) {
      for (int x = 0; x < corner.width(); ++x) {
        EXPECT_EQ(IsKey(image, x, y), IsKey(corner, x, y)) << grip << " " << x << "," << y;
      }
    }
  }
}

// Controls whose one picture is shown at several places must find the same background at
// each, or their anti-aliased edges would show a seam there.
TEST_F(SkinPicture, SharedControlsFindTheSameBackgroundEverywhere) {
  const QImage main = Cut("main.surface");
  const QImage fullscreen = Cut("fullscreen.surface");
  auto area = [](const QImage& surface, const QPoint& at, const QSize& size) {
    return surface.copy(QRect(at, size));
  };
  const std::tuple<const char*, QPoint, QSize> shared[] = {
      {"close", form::kClose, QSize(11, 11)},
      {"position bar", form::kPositionBar, QSize(288, 15)},
      {"transport buttons", QPoint(9, 74), QSize(125, 21)},
      {"volume bar", form::kVolumeBar, QSize(56, 12)},
      {"time", form::kTime, QSize(9 * form::kTimeCellStep, 13)},
  };
  for (const auto& [what, at, size] : shared) {
    EXPECT_EQ(area(main, at, size), area(fullscreen, at, size)) << what;
  }
  EXPECT_EQ(area(main, form::kMainMute, QSize(20, 10)),
            area(fullscreen, form::kFullscreenMute, QSize(20, 10)))
      << "mute check box";

  // The speed bar and the ten equalizer bands share one seek-bar background and knob.
  const QImage media = Cut("media.surface");
  const QImage speed = area(media, form::kSpeed, QSize(10, 63));
  for (int band = 0; band < 10; ++band) {
    EXPECT_EQ(area(media, form::EqualizerBand(band), QSize(10, 63)), speed) << "band " << band;
  }
  // Time cells repeat one background across the read-out.
  for (int cell = 1; cell < 9; ++cell) {
    EXPECT_EQ(area(main, form::kTime + QPoint(cell * form::kTimeCellStep, 0), QSize(9, 13)),
              area(main, form::kTime, QSize(9, 13)))
        << "time cell " << cell;
  }
}

// A fill bar shows its share by taking columns from the full picture: every column the fill
// can reach must look different from the empty bar, or part of the range would not show.
TEST_F(SkinPicture, BarsShowTheirFillInEveryColumn) {
  auto differs = [](const QImage& a, const QImage& b, int x) {
    for (int y = 0; y < a.height(); ++y) {
      if (a.pixel(x, y) != b.pixel(x, y)) {
        return true;
      }
    }
    return false;
  };
  const QImage emptyPosition = Cut("main.positionBar", 0);
  const QImage fullPosition = Cut("main.positionBar", 1);
  for (int x = 2; x < emptyPosition.width() - 2; ++x) {
    EXPECT_TRUE(differs(emptyPosition, fullPosition, x)) << "position bar column " << x;
  }
  // The volume bar is a row of steps three pixels wide with a pixel between them.
  const QImage emptyVolume = Cut("main.volumeBar", 0);
  const QImage fullVolume = Cut("main.volumeBar", 1);
  for (int x = 0; x < emptyVolume.width(); ++x) {
    EXPECT_EQ(differs(emptyVolume, fullVolume, x), x % 4 != 3) << "volume bar column " << x;
  }
}

// The blank glyph is see-through (it also makes the read-out's key-filled gaps see-through);
// the other twelve glyphs are solid.
TEST_F(SkinPicture, OnlyTheBlankTimeGlyphIsSeeThrough) {
  for (int glyph = 0; glyph < 13; ++glyph) {
    const QImage image = Cut("main.time", glyph);
    const int pixels = image.width() * image.height();
    EXPECT_EQ(CountKey(image), glyph == 10 ? pixels : 0) << "glyph " << glyph;
  }
  // Digits differ from each other.
  for (int a = 0; a < 10; ++a) {
    for (int b = a + 1; b < 10; ++b) {
      EXPECT_NE(Cut("main.time", a), Cut("main.time", b)) << a << " and " << b;
    }
  }
}

TEST_F(SkinPicture, FileIconsStandOnTheTransparentColour) {
  for (int icon = 0; icon < 7; ++icon) {
    const QImage image = Cut("playlist.fileIcons", icon);
    EXPECT_TRUE(IsKey(image, 0, 0)) << "icon " << icon;
    const int key = CountKey(image);
    EXPECT_GT(key, 0) << "icon " << icon;
    EXPECT_LT(key, image.width() * image.height() / 4) << "icon " << icon << " is mostly empty";
  }
}

TEST_F(SkinPicture, ButtonStatesLookDifferent) {
  for (const SkinPiece& piece : SkinPieces()) {
    if (piece.count != 4 || piece.stacking != Stacking::Vertical || !piece.shown) {
      continue;
    }
    for (int a = 1; a < 4; ++a) {
      for (int b = a + 1; b < 4; ++b) {
        EXPECT_NE(Cut(piece.name, a), Cut(piece.name, b)) << piece.name << " " << a << "/" << b;
      }
    }
  }
}

// Edges against holes are hard: nothing anywhere is a blend with the transparent green,
// and space no element uses is not mistaken for a hole.
TEST_F(SkinPicture, NoGreenBlendsAndNoStrayTransparentColour) {
  std::vector<bool> used(kSheetSize.width() * kSheetSize.height(), false);
  for (const SkinPiece& piece : SkinPieces()) {
    for (const QRect& r : PictureRects(piece)) {
      for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
          used[y * kSheetSize.width() + x] = true;
        }
      }
    }
  }
  int greenish = 0;
  int stray = 0;
  for (int y = 0; y < picture().height(); ++y) {
    for (int x = 0; x < picture().width(); ++x) {
      greenish += IsGreenish(picture().pixel(x, y)) ? 1 : 0;
      stray += !used[y * kSheetSize.width() + x] && IsKey(picture(), x, y) ? 1 : 0;
    }
  }
  EXPECT_EQ(greenish, 0);
  EXPECT_EQ(stray, 0);
}

}  // namespace
