// The Skins and Languages pages: what they list, what choosing an entry makes pending, and what
// Apply then loads, including the fallbacks when a skin or a language cannot be read.
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSlider>

#include "base/zdebug.h"
#include "config/dialog/skinspage.h"
#include "dialogtest.h"
#include "lang/language.h"
#include "testsupport.h"

namespace {

void WriteFolderSkin(const SkinHome& home, const QString& name, const QImage& picture) {
  WriteBytes(home.skins() + name + "/" + name + ".zskn", DefaultDescriptionBytes());
  WriteBytes(home.skins() + name + "/" + name + ".bmp", BitmapBytes(picture));
}

// A language file whose text n reads "L<n>".
void WriteLanguage(const SkinHome& home, const QString& name) {
  QStringList lines{"// test language"};
  for (int n = 1; n <= TZLanguage::kTextCount; ++n) {
    lines << QStringLiteral("%1 L%2").arg(n, 5, 10, QChar(u'0')).arg(n);
  }
  WriteBytes(home.root() + "data/languages/" + name + ".zlng", JoinLines(lines));
}

}  // namespace

TEST_F(ConfigDialogTest, SkinsAreListedAndTheirInformationShown) {
  WriteFolderSkin(home_, "blue", MakeCoordinatePicture());
  WriteBytes(home_.skins() + "plain/plain.zskn", "SkinPos [ 1 1 ]\r\n");
  WriteBytes(home_.skins() + "broken.zskz", "this is no archive");
  Open();
  ShowPage(cpSkins);
  QStringList listed;
  for (int row = 0; row < Control<QListWidget>("lbSkins")->count(); ++row) {
    listed << Control<QListWidget>("lbSkins")->item(row)->text();
  }
  EXPECT_EQ(listed, (QStringList{"base[default]", "blue", "broken", "plain"}));
  auto* memo = Control<QPlainTextEdit>("memoSkinInfo");
  ClickItem("lbSkins", "base[default]");
  EXPECT_TRUE(memo->toPlainText().startsWith("Base Zephonic Skin (default)\n"));
  ClickItem("lbSkins", "blue");
  EXPECT_EQ(memo->toPlainText(), "Test\nby Tester\nexample.org\ntester@example.org");
  ClickItem("lbSkins", "plain");
  EXPECT_EQ(memo->toPlainText(), "No skin information found.");
  ClickItem("lbSkins", "broken");
  EXPECT_EQ(memo->toPlainText(), "No skin information found.\nSkin corrupted.");
  EXPECT_EQ(dialog_->PendingSkin(), "broken");
  EXPECT_TRUE(ApplyEnabled());
}

TEST_F(ConfigDialogTest, ApplyLoadsTheChosenSkinWithTheBlend) {
  WriteFolderSkin(home_, "blue", MakeCoordinatePicture());
  Open();
  ShowPage(cpSkins);
  ClickItem("lbSkins", "blue");
  Apply();
  EXPECT_EQ(config_.Skin, "blue");
  EXPECT_TRUE(skin_.Loaded);
  EXPECT_EQ(skin_.Main.Surface.Picture.pixel(0, 0), PixelAt(0, 0));
  EXPECT_EQ(actions_.calls, (QStringList{"BeginSkinChange", "ApplySkinSurfaces", "EndSkinChange"}));
  EXPECT_EQ(Control<QLabel>("lblLastSkin")->text(), "Skin: blue");

  // Moving the blend bar makes the current skin pending again, so Apply reloads it tinted.
  Control<QSlider>("tbSkinCBAlpha")->setValue(255);
  dialog_->findChild<TZSkinsPage*>()->SetBlendColour(QColor(0, 0, 255));
  EXPECT_EQ(dialog_->PendingSkin(), "blue");
  Apply();
  EXPECT_EQ(config_.SkinColorBlend, (TZColorBlend{255, QColor(0, 0, 255)}));
  QImage tinted = MakeCoordinatePicture();
  SkinColorBlend(tinted, qRgb(0, 0, 255), 255, skin_.TransparentColor);
  EXPECT_EQ(skin_.Main.Surface.Picture.pixel(0, 0), tinted.pixel(0, 0));
  EXPECT_NE(tinted.pixel(0, 0), PixelAt(0, 0));
}

TEST_F(ConfigDialogTest, ASkinWhosePackageVanishedFallsBackToTheBuiltInSkinWithWarning102) {
  const QString log = home_.root() + "zephonic.log";
  SetZDebug(std::make_unique<TZDebug>(log));
  WriteFolderSkin(home_, "blue", MakeCoordinatePicture());
  Open();
  ShowPage(cpSkins);
  ClickItem("lbSkins", "blue");
  ASSERT_TRUE(QDir(home_.skins() + "blue").removeRecursively());
  ReportCapture reports;
  Apply();
  SetZDebug(nullptr);
  ASSERT_EQ(reports.reports().size(), 1u);
  EXPECT_TRUE(reports.reports()[0].text.contains("SkinEngine exception."));
  EXPECT_FALSE(reports.reports()[0].fatal);
  TZGUI builtIn;
  InitSkinDefaults(builtIn);
  ASSERT_EQ(LoadSkin(builtIn, QLatin1String(kBuiltInSkinName), true), slrLoaded);
  EXPECT_EQ(skin_.Main.Surface.Picture, builtIn.Main.Surface.Picture);
  EXPECT_EQ(config_.Skin, "blue") << "the next start tries the chosen skin again";
  EXPECT_EQ(Control<QLabel>("lblLastSkin")->text(), "Skin: blue");
  const QString text = QString::fromUtf8(ReadBytes(log));
  EXPECT_TRUE(text.contains("  GUI loadskin \"blue\" failed. Setting to Default."));
  EXPECT_TRUE(text.contains("  Changing skin \"blue\" OK"));
}

TEST_F(ConfigDialogTest, OnlyLanguagesWithAFileBecomePending) {
  WriteLanguage(home_, "deutsch");
  WriteLanguage(home_, "gone");
  Open();
  ShowPage(cpLanguages);
  ASSERT_TRUE(QFile::remove(home_.root() + "data/languages/gone.zlng"));
  ClickItem("lbLanguages", "deutsch");
  EXPECT_EQ(dialog_->PendingLanguage(), "deutsch");
  ClickItem("lbLanguages", "gone");
  EXPECT_EQ(dialog_->PendingLanguage(), "");
  EXPECT_FALSE(ApplyEnabled());
  ClickItem("lbLanguages", "english[default]");
  EXPECT_EQ(dialog_->PendingLanguage(), "english[default]");
}

TEST_F(ConfigDialogTest, ALanguageChangeRelabelsTheDialogAndStoresTheName) {
  WriteLanguage(home_, "deutsch");
  Open();
  ShowPage(cpLanguages);
  ClickItem("lbLanguages", "deutsch");
  Apply();
  EXPECT_EQ(config_.Language, "deutsch");
  EXPECT_EQ(Control<QPushButton>("Button1")->text(), "L123");
  EXPECT_EQ(Control<QLabel>("lblBookTitle")->text(), "L133");
  EXPECT_EQ(Control<QCheckBox>("cbFader")->text(), "L195");
  EXPECT_EQ(RadioIndex("rgPlaymode"), 3) << "the play mode is shown again after the refill";
  EXPECT_TRUE(actions_.calls.contains("LanguageChanged"));

  ClickItem("lbLanguages", "english[default]");
  Apply();
  EXPECT_EQ(config_.Language, "english") << "the next start looks for a file of that name";
  EXPECT_EQ(Control<QPushButton>("Button1")->text(), "Apply");
  EXPECT_EQ(Control<QLabel>("lblLastLanguage")->text(), "Language: english");
}

TEST_F(ConfigDialogTest, AnUnreadableLanguageFileKeepsTheConfiguredLanguage) {
  WriteLanguage(home_, "deutsch");
  WriteLanguage(home_, "locked");
  config_.Language = "deutsch";
  LoadFromFile(Language(), home_.root() + "data/languages/deutsch.zlng");
  Open();
  ShowPage(cpLanguages);
  ClickItem("lbLanguages", "locked");
  // A folder in the file's place: it exists but cannot be read as a file.
  ASSERT_TRUE(QFile::remove(home_.root() + "data/languages/locked.zlng"));
  ASSERT_TRUE(QDir().mkpath(home_.root() + "data/languages/locked.zlng"));
  Apply();
  EXPECT_EQ(config_.Language, "deutsch");
  EXPECT_EQ(Language().Text(4), "L4");
  EXPECT_FALSE(actions_.calls.contains("LanguageChanged"));
}
