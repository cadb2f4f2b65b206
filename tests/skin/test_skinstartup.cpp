#include <gtest/gtest.h>

#include <QDir>

#include "base/text/textfile.h"
#include "base/zdebug.h"
#include "skin/skinstartup.h"
#include "skintestsupport.h"

// Take the built-in picture away and give it back (the engine registers it only once).
static void DropBuiltInPicture() {
  Q_CLEANUP_RESOURCE(skin);
}
static void RestoreBuiltInPicture() {
  Q_INIT_RESOURCE(skin);
}

namespace {

class SkinStartup : public ::testing::Test {
 protected:
  void SetUp() override { SetZDebug(std::make_unique<TZDebug>(home.root() + "zephonic.log")); }
  void TearDown() override {
    SetZDebug(nullptr);
    FreeSkinPictures(GUI());
  }

  QStringList log() const {
    QStringList lines;
    EXPECT_TRUE(ReadTextLines(home.root() + "zephonic.log", &lines));
    return lines;
  }

  void writeGoodSkin(const QString& name) {
    WriteZip(home.skins() + name + ".zskz", {{"skin.zskn", DefaultDescriptionBytes()},
                                             {"skin.bmp", BitmapBytes(MakeCoordinatePicture())}});
  }

  // The reports' texts, so a failure shows them.
  QStringList reportTexts() const {
    QStringList texts;
    for (const auto& report : reports.reports()) {
      texts << report.text;
    }
    return texts;
  }

  SkinHome home;
  ReportCapture reports;
};

TEST_F(SkinStartup, TheConfiguredSkinLoads) {
  writeGoodSkin("blue");
  ASSERT_TRUE(StartSkinEngine("blue"));
  EXPECT_EQ(log(), QStringList({"GUI initialize OK", "GUI loadskin \"blue\" OK."}));
  EXPECT_TRUE(reports.reports().empty()) << reportTexts().join("\n").toStdString();
  EXPECT_TRUE(GUI().Loaded);
  EXPECT_EQ(GUI().Main.Surface.Picture.pixel(0, 0), PixelAt(0, 0));
}

TEST_F(SkinStartup, TheBuiltInSkinLoadsByName) {
  ASSERT_TRUE(StartSkinEngine("base[default]"));
  EXPECT_EQ(log(), QStringList({"GUI initialize OK", "GUI load default skin OK."}));
  EXPECT_TRUE(reports.reports().empty()) << reportTexts().join("\n").toStdString();
  EXPECT_TRUE(GUI().Loaded);
}

TEST_F(SkinStartup, AMissingSkinFallsBackWithAWarning) {
  ASSERT_TRUE(StartSkinEngine("gone"));
  EXPECT_EQ(log(), QStringList({"GUI initialize OK",
                                "GUI skin \"gone\" files not found. Setting to Default."}));
  ASSERT_EQ(reports.reports().size(), 1u);
  EXPECT_FALSE(reports.reports()[0].fatal);
  EXPECT_TRUE(reports.reports()[0].text.contains("Skinfiles 'gone' not found."))
      << reports.reports()[0].text.toStdString();
  EXPECT_TRUE(GUI().Loaded);
}

TEST_F(SkinStartup, ABrokenSkinFallsBackToTheDefaultValues) {
  // The description is read before the picture fails: the built-in skin must not keep its values.
  WriteBytes(home.skins() + "broken/skin.zskn", "TransparentColor [ 1 2 3 ]\r\nSkinPos [ 50 50 ]");
  WriteBytes(home.skins() + "broken/skin.bmp", "not a picture");
  ASSERT_TRUE(StartSkinEngine("broken"));
  EXPECT_EQ(log(), QStringList({"GUI initialize OK",
                                "GUI loadskin \"broken\" failed. Setting to Default."}));
  ASSERT_EQ(reports.reports().size(), 1u);
  EXPECT_FALSE(reports.reports()[0].fatal);
  EXPECT_TRUE(reports.reports()[0].text.contains("SkinEngine exception."));
  EXPECT_TRUE(GUI().Loaded);
  EXPECT_EQ(GUI().TransparentColor, qRgb(0, 255, 0));
  EXPECT_EQ(GUI().Main.Surface.SkinPos, QPoint(0, 0));
}

TEST_F(SkinStartup, WithoutTheBuiltInSkinStartUpMustStop) {
  TZGUI scratch;
  InitSkinDefaults(scratch);  // the engine's own registration has happened
  DropBuiltInPicture();
  const bool started = StartSkinEngine("gone");
  RestoreBuiltInPicture();
  EXPECT_FALSE(started);
  EXPECT_EQ(log(), QStringList({"GUI initialize OK",
                                "GUI skin \"gone\" files not found. Setting to Default.",
                                "GUI load default skin failed. Program terminated."}));
  ASSERT_EQ(reports.reports().size(), 2u);
  EXPECT_FALSE(reports.reports()[0].fatal);
  EXPECT_TRUE(reports.reports()[1].fatal);
  EXPECT_TRUE(reports.reports()[1].text.contains("SkinEngine exception."));
  EXPECT_FALSE(GUI().Loaded);
}

TEST_F(SkinStartup, ReleasingFreesThePictures) {
  writeGoodSkin("blue");
  ASSERT_TRUE(StartSkinEngine("blue"));
  ReleaseSkinEngine();
  EXPECT_EQ(log().last(), "GUI deinitialize OK");
  EXPECT_TRUE(GUI().Main.Surface.Picture.isNull());
  EXPECT_TRUE(GUI().VideoFullscreenControl.TimeDisplay.Glyphs[12].isNull());
}

TEST(SkinTempFolder, EmptyingDeletesFilesAndRemovesTheFolderOnlyWhenEmpty) {
  SkinHome home;
  WriteBytes(home.temp() + "skin.bmp", "x");
  WriteBytes(home.temp() + ".hidden", "x");
  WriteBytes(home.temp() + "sub/inner.txt", "x");
  EmptySkinTempFolder();
  EXPECT_EQ(QDir(home.temp()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList({"sub"}));
  EXPECT_TRUE(QFile::exists(home.temp() + "sub/inner.txt"));

  QDir(home.temp() + "sub").removeRecursively();
  WriteBytes(home.temp() + "skin.zskn", "x");
  EmptySkinTempFolder();
  EXPECT_FALSE(QDir(home.temp()).exists());
  EXPECT_TRUE(QDir(home.skins()).exists());
}

}  // namespace
