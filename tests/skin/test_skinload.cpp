#include <gtest/gtest.h>

#include <QDir>

#include "skin/skindescription.h"
#include "skin/skininfo.h"
#include "skin/skinresource.h"
#include "skintestsupport.h"

namespace {

class LoadSkinTest : public ::testing::Test {
 protected:
  void SetUp() override { InitSkinDefaults(skin); }

  void writeFolderSkin(const QString& name, const QByteArray& description, const QImage& picture) {
    WriteBytes(home.skins() + name + "/" + name + ".zskn", description);
    WriteBytes(home.skins() + name + "/" + name + ".bmp", BitmapBytes(picture));
  }

  // The default description with one value line replaced (numbered from 1).
  static QByteArray descriptionWith(int lineNumber, const QString& line) {
    QStringList lines = QString::fromUtf8(DefaultDescriptionBytes()).split("\r\n");
    lines[kHeaderLines + lineNumber - 1] = line;
    return lines.join("\r\n").toUtf8();
  }

  QStringList values() const { return WriteSkinDescription(skin, {}); }

  static constexpr int kHeaderLines = 12;
  SkinHome home;
  TZGUI skin;
  QImage picture = MakeCoordinatePicture();
};

TEST_F(LoadSkinTest, AFolderSkinLoadsAndItsPiecesComeFromItsPicture) {
  writeFolderSkin("blue", descriptionWith(2, "SkinPos [ 10 20 ]"), picture);
  ASSERT_EQ(LoadSkin(skin, "blue", false), slrLoaded);
  EXPECT_TRUE(skin.Loaded);
  const QImage& surface = skin.Main.Surface.Picture;
  ASSERT_EQ(surface.size(), QSize(300, 100));
  EXPECT_EQ(surface.pixel(0, 0), PixelAt(10, 20));
  EXPECT_EQ(surface.pixel(299, 99), PixelAt(309, 119));
  EXPECT_EQ(skin.Main.StopButton.Pictures[3].pixel(0, 0), PixelAt(371, 52 + 3 * 19));
}

TEST_F(LoadSkinTest, APackageLoadsFromItsSubFoldersAndBeforeAFolderOfTheSameName) {
  writeFolderSkin("blue", descriptionWith(2, "SkinPos [ 1 1 ]"), picture);
  WriteZip(home.skins() + "blue.zskz",
           {{"blue/", {}},
            {"blue/old.bmp", BitmapBytes(QImage(4, 4, QImage::Format_RGB888))},
            {"blue/blue.bmp", BitmapBytes(picture)},
            {"blue/blue.zskn", descriptionWith(2, "SkinPos [ 30 40 ]")}});
  ASSERT_EQ(LoadSkin(skin, "blue", false), slrLoaded);
  EXPECT_EQ(skin.Main.Surface.Picture.pixel(0, 0), PixelAt(30, 40));
  EXPECT_TRUE(QFile::exists(home.temp() + "blue.bmp"));
  EXPECT_TRUE(QFile::exists(home.temp() + "old.bmp"));
}

TEST_F(LoadSkinTest, TheBlendTintsEverythingButTheTransparentColour) {
  picture.setPixel(0, 0, qRgb(0, 255, 0));
  writeFolderSkin("blue", DefaultDescriptionBytes(), picture);
  ASSERT_EQ(LoadSkin(skin, "blue", false, {255, qRgb(255, 255, 0)}), slrLoaded);
  EXPECT_EQ(skin.Main.Surface.Picture.pixel(0, 0), qRgb(0, 255, 0));
  EXPECT_NE(skin.Main.Surface.Picture.pixel(1, 0), PixelAt(1, 0));
}

TEST_F(LoadSkinTest, PicturesOfOtherDepthsAreConverted) {
  QImage quarters(591, 567, QImage::Format_RGB888);
  quarters.fill(qRgb(200, 10, 10));
  QImage indexed = quarters.convertToFormat(QImage::Format_Indexed8);
  writeFolderSkin("flat", DefaultDescriptionBytes(), indexed);
  ASSERT_EQ(LoadSkin(skin, "flat", false), slrLoaded);
  EXPECT_EQ(skin.Main.PlayButton.Pictures[1].format(), QImage::Format_RGB888);
  EXPECT_EQ(skin.Main.PlayButton.Pictures[1].pixel(3, 3), qRgb(200, 10, 10));
}

TEST_F(LoadSkinTest, MissingFilesChangeNothingButTheLoadedFlag) {
  WriteBytes(home.skins() + "nopicture/skin.zskn", descriptionWith(2, "SkinPos [ 9 9 ]"));
  WriteZip(home.skins() + "nodescription.zskz", {{"skin.bmp", BitmapBytes(picture)}});
  WriteZip(home.skins() + "packednopicture.zskz", {{"skin.zskn", DefaultDescriptionBytes()}});
  skin.Loaded = true;
  const QStringList before = values();
  for (const QString name :
       {"nopicture", "nodescription", "unknown", "", "../skins/nopicture", ".."}) {
    EXPECT_EQ(LoadSkin(skin, name, false), slrFilesMissing) << name.toStdString();
    EXPECT_FALSE(skin.Loaded);
    EXPECT_EQ(values(), before);
  }
}

TEST_F(LoadSkinTest, AnUnreadablePictureOrArchiveFails) {
  WriteBytes(home.skins() + "broken/skin.zskn", DefaultDescriptionBytes());
  WriteBytes(home.skins() + "broken/skin.bmp", "BM not a bitmap at all");
  EXPECT_EQ(LoadSkin(skin, "broken", false), slrFailed);
  EXPECT_FALSE(skin.Loaded);
  WriteBytes(home.skins() + "corrupt.zskz", "PK\x05\x06 garbage");
  skin.Loaded = true;
  EXPECT_EQ(LoadSkin(skin, "corrupt", false), slrFailed);
  EXPECT_FALSE(skin.Loaded);
}

TEST_F(LoadSkinTest, TheBuiltInSkinReadsNoFileAndKeepsTheRecordsValues) {
  const QImage builtIn = BuiltInSkinPicture();
  ASSERT_EQ(builtIn.size(), QSize(591, 567)) << "the built-in picture is missing";
  WriteBytes(home.skins() + "base[default].zskz", "broken package");
  writeFolderSkin("base[default]", descriptionWith(2, "SkinPos [ 9 9 ]"), picture);
  skin.Main.Surface.SkinPos = QPoint(5, 6);
  ASSERT_EQ(LoadSkin(skin, "base[default]", true), slrLoaded);
  EXPECT_TRUE(skin.Loaded);
  EXPECT_EQ(skin.Main.Surface.SkinPos, QPoint(5, 6));
  EXPECT_EQ(skin.Main.Surface.Picture, builtIn.copy(5, 6, 300, 100));
  EXPECT_TRUE(QDir(home.temp()).isEmpty());
}

TEST_F(LoadSkinTest, SkinInformationComesFromTheDescriptionsHeader) {
  EXPECT_EQ(SkinInformationText("base[default]").value(0), "Base Zephonic Skin (default)");
  EXPECT_EQ(SkinInformationText("base[default]").size(), 4);

  TZGUI defaults;
  InitSkinDefaults(defaults);
  const QByteArray described =
      JoinLines(WriteSkinDescription(defaults, {"Blue", "Ann", "example.org", "ann@example.org"}));
  WriteZip(home.skins() + "packed.zskz", {{"sub/packed.zskn", described}});
  EXPECT_EQ(SkinInformationText("packed"),
            QStringList({"Blue", "by Ann", "example.org", "ann@example.org"}));
  EXPECT_TRUE(QDir(home.temp()).isEmpty());

  WriteBytes(home.skins() + "folder/a.zskn", described.left(described.indexOf("ann@")));
  EXPECT_EQ(SkinInformationText("folder"), QStringList({"No skin information found."}));
  WriteBytes(home.skins() + "corrupt.zskz", "not a zip");
  EXPECT_EQ(SkinInformationText("corrupt"),
            QStringList({"No skin information found.", "Skin corrupted."}));
  EXPECT_EQ(SkinInformationText("absent"), QStringList({"No skin information found."}));
}

}  // namespace
