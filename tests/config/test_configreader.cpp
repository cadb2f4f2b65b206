// Reading hand-edited "config.zcfg" files: prefix matches, bracket slicing, stars and the
// fallbacks of values that cannot be read.
#include <gtest/gtest.h>

#include <algorithm>

#include "base/text/textfile.h"
#include "config/config.h"
#include "config/configkeys.h"
#include "config/configline.h"
#include "testsupport.h"

namespace {

TZConfig Read(const QStringList& lines, TZConfig config = TZConfig()) {
  ApplyConfigLines(lines, config);
  return config;
}

}  // namespace

TEST(ConfigReader, BracketValueSkipsOneCharacterInsideEachBracket) {
  EXPECT_EQ(BracketValue("Volume [ 5000 ]"), "5000");
  EXPECT_EQ(BracketValue("Volume [100]"), "0");
  EXPECT_EQ(BracketValue("Skin [ base[default] ]"), "base[default]");
  EXPECT_EQ(BracketValue("Volume [  ]"), "");
  EXPECT_EQ(BracketValue("Volume [ ]"), "");
  EXPECT_EQ(BracketValue("Volume []"), "");
  EXPECT_EQ(BracketValue("Volume ] 5 ["), "");  // reversed
  EXPECT_EQ(BracketValue("Volume [ 5"), "");
  EXPECT_EQ(BracketValue("Volume 5 ]"), "");
}

TEST(ConfigReader, KeysMatchTheFirstLongerLineStartingWithThemExactly) {
  const QStringList lines{"volume [ 1 ]", "  Volume [ 2 ]", "Volume", "Volume [ 3 ]",
                          "Volume [ 4 ]"};
  EXPECT_EQ(FindKeyLine(lines, "Volume"), "Volume [ 3 ]");
  EXPECT_EQ(Read(lines).Volume, 3);
  EXPECT_FALSE(FindKeyLine({"Volume"}, "Volume").has_value());
}

TEST(ConfigReader, AFileWithOneLineChangesOnlyThatKey) {
  TZConfig expected;
  expected.Volume = 100;
  EXPECT_EQ(Read({"Volume [ 100 ]"}), expected);
  EXPECT_EQ(Read({"Volume [100]"}).Volume, 0);
  EXPECT_EQ(Read({}), TZConfig());
}

TEST(ConfigReader, AShorterKeyTakesTheLineOfALongerKeyWhenItsOwnIsMissing) {
  // Skin takes the tint line's numbers; the tint still reads its own line.
  const TZConfig skin = Read({"SkinColorBlend [ 7 1 2 3 ]"});
  EXPECT_EQ(skin.Skin, "7 1 2 3");
  EXPECT_EQ(skin.SkinColorBlend, (TZColorBlend{7, QColor(1, 2, 3)}));

  EXPECT_FALSE(Read({"PlayModeIndex [ 2 ]"}).PlayMode);
  EXPECT_EQ(Read({"PlayModeIndex [ 2 ]"}).PlayModeIndex, 2);

  TZConfig volume = Read({"VolumeFader [ FALSE 200 ]"});
  EXPECT_EQ(volume.Volume, 5000);  // "FALSE 200" is no number
  EXPECT_EQ(volume.VolumeFader, (TZFadeSetting{false, 200}));

  EXPECT_EQ(Read({"VidDefaultSubtitleFailed [ TRUE ]"}).VidDefaultSubtitle, "TRUE");

  // In program order the shorter key's own line comes first and wins.
  const TZConfig ordered = Read({"Skin [ Dark ]", "SkinColorBlend [ 7 1 2 3 ]"});
  EXPECT_EQ(ordered.Skin, "Dark");
}

TEST(ConfigReader, EveryKeyGetsTheLineFindKeyLineGivesIt) {
  // Every key's line from the bottom up, so that longer keys come before the shorter keys they
  // start with, among lines that must match nothing and a later duplicate that must lose.
  TZConfig written;
  written.Skin = "Dark";
  written.Balance = 77;
  written.PlayModeIndex = 1;
  written.VidDefaultSubtitleFailed = true;
  written.EQBand = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  QStringList lines = ConfigFileLines(written);
  std::reverse(lines.begin(), lines.end());
  lines.insert(3, "Balance");
  lines.insert(5, " Balance [ 1 ]");
  lines.insert(7, QStringLiteral("\u00C4Balance [ 2 ]"));
  lines.insert(9, "balance [ 3 ]");
  lines << "Balance [ 4 ]"
        << "";

  TZConfig expected;
  for (const TZConfigKey& key : ConfigKeys()) {
    if (const auto line = FindKeyLine(lines, key.Name)) {
      key.Read(BracketValue(*line), expected);
    }
  }
  // The fixture does hold the cases: the tint's line is above the skin's, the play mode's index
  // above the play mode's.
  EXPECT_EQ(expected.Balance, 77);
  EXPECT_EQ(expected.Skin, "0 255 255 0");
  EXPECT_FALSE(expected.PlayMode);
  EXPECT_EQ(Read(lines), expected);
}

TEST(ConfigReader, BooleansAreTrueOnlyForUpperCaseTRUE) {
  EXPECT_FALSE(Read({"PlayMode [ true ]"}).PlayMode);
  EXPECT_FALSE(Read({"PlayMode [ TRUE  ]"}).PlayMode);  // "TRUE " with its blank
  EXPECT_TRUE(Read({"Mute [ TRUE ]"}).Mute);
  // A line without brackets is found with an empty value: false.
  EXPECT_FALSE(Read({"PlaylistVis TRUE"}).PlaylistVis);
}

TEST(ConfigReader, NumbersThatCannotBeReadKeepThePreviousValue) {
  TZConfig before;
  before.Balance = 42;
  EXPECT_EQ(Read({"Balance [ abc ]"}, before).Balance, 42);
  EXPECT_EQ(Read({"Balance [  ]"}, before).Balance, 42);
  EXPECT_EQ(Read({"Balance 150"}, before).Balance, 42);  // no brackets
  EXPECT_EQ(Read({"Balance [ 99999999999 ]"}, before).Balance, 42);
  // Leading blanks are skipped and reading stops at the first non-digit.
  EXPECT_EQ(Read({"Balance [   77 ]"}).Balance, 77);
  EXPECT_EQ(Read({"Balance [ 12abc ]"}).Balance, 12);
  EXPECT_EQ(Read({"VidHue [ -180 ]"}).VidHue, -180);
  EXPECT_EQ(Read({"LastPlayedIndex [ 25 ]"}).LastPlayedIndex, 25);

  // A narrow field keeps its value when the number does not fit it.
  EXPECT_EQ(Read({"Speakers [ 300 ]"}).Speakers, 2);
  EXPECT_EQ(Read({"Speakers [ 6 ]"}).Speakers, 6);
  EXPECT_EQ(Read({"BassDevice [ 40000 ]"}).BassDevice, 1);
  EXPECT_EQ(Read({"FallsOff [ 2 200 ]"}).FallsOff, (TZFallOff{1, 3}));

  // Both numbers of a pair are needed.
  EXPECT_EQ(Read({"MainPos [ 10 ]"}).MainPos, QPoint(0, 0));
  EXPECT_EQ(Read({"MainPos [ 10 -20 ]"}).MainPos, QPoint(10, -20));
  EXPECT_EQ(Read({"PlaylistSize [ 400 300 ]"}).PlaylistSize, QSize(400, 300));
}

TEST(ConfigReader, KeywordsOutsideTheirListGiveTheFallback) {
  TZConfig before;
  before.Ratio = vr16To9;
  EXPECT_EQ(Read({"Ratio [ 2.35:1 ]"}, before).Ratio, vr235To1);
  EXPECT_EQ(Read({"Ratio [ 21:9 ]"}, before).Ratio, vrLetterbox);
  EXPECT_EQ(Read({"Ratio [ Userdef ]"}).Ratio, vrUserdef);
  EXPECT_EQ(Read({"SpectrumType [ LINES ]"}).SpectrumType, stLines);
  EXPECT_EQ(Read({"SpectrumType [ lines ]"}).SpectrumType, stBars);
  EXPECT_EQ(Read({"TimeMode [ REMAINING ]"}).TimeMode, tmRemaining);
  EXPECT_EQ(Read({"TimeMode [ remaining ]"}).TimeMode, tmElapsed);
  EXPECT_EQ(Read({"OSDPosition [ Bottom ]"}).OSDPosition, opBottom);
  EXPECT_EQ(Read({"OSDPosition [ Middle ]"}).OSDPosition, opTopLeft);
  EXPECT_EQ(Read({"SBTextAlign [ None ]"}).SBTextAlign, taNone);
  EXPECT_EQ(Read({"SBTextAlign [ Centre ]"}).SBTextAlign, taLeft);
}

TEST(ConfigReader, StarsBecomeBlanksAndTextsAreCut) {
  ScratchFolder dir;
  const QString path = dir.file("config.zcfg");
  WriteBytes(path, "Skin [ My*Skin ]\r\nLastDir [ /home/a*b/ ]\r\n");
  TZConfig config;
  ASSERT_TRUE(LoadConfigFile(path, config));
  EXPECT_EQ(config.Skin, "My Skin");
  EXPECT_EQ(config.LastDir, "/home/a b/");
  ASSERT_TRUE(SaveConfigFile(path, config));
  QStringList lines;
  ASSERT_TRUE(ReadTextLines(path, &lines));
  EXPECT_TRUE(lines.contains("Skin [ My*Skin ]"));
  EXPECT_TRUE(lines.contains("LastDir [ /home/a*b/ ]"));

  // Plain text keys read stars as blanks too, but write blanks as they are.
  EXPECT_EQ(Read({"LSASFormatMask [ %ARTIST%*-*%TITLE% ]"}).LSASFormatMask, "%ARTIST% - %TITLE%");

  EXPECT_EQ(Read({"Language [ " + QString(80, u'l') + " ]"}).Language, QString(60, u'l'));
  EXPECT_EQ(Read({"LastDir [ " + QString(300, u'd') + " ]"}).LastDir, QString(255, u'd'));
  EXPECT_EQ(Read({"DVDGraph [ " + QString(300, u'g') + " ]"}).DVDGraph, QString(300, u'g'));
  // A missing bracket empties a text.
  EXPECT_EQ(Read({"Skin base"}).Skin, "");
}

TEST(ConfigReader, EmptyFormatMaskReadsAsTitleAndEmptyOutputPathStaysEmpty) {
  TZConfig before;
  before.LSASOutputPath = "/old";
  const TZConfig config = Read({"LSASFormatMask [ ]", "LSASOutputPath [  ]"}, before);
  EXPECT_EQ(config.LSASFormatMask, "%TITLE%");
  EXPECT_EQ(config.LSASOutputPath, "");
}

TEST(ConfigReader, CompositeValues) {
  EXPECT_EQ(Read({"Fader [ FALSE 2500 ]"}).Fader, (TZFadeSetting{false, 2500}));
  EXPECT_EQ(Read({"Fader [ FALSE ]"}).Fader, (TZFadeSetting{true, 1000}));
  EXPECT_EQ(Read({"Fader [ TRUE 70000 ]"}).Fader, (TZFadeSetting{true, 1000}));

  EXPECT_EQ(Read({"OSDFont [ Deja*Vu 14 1 2 3 ]"}).OSDFont,
            (TZFontSetting{"Deja Vu", 14, QColor(1, 2, 3)}));
  EXPECT_EQ(Read({"OSDFont [ Arial 14 300 0 0 ]"}).OSDFont, TZConfig().OSDFont);
  EXPECT_EQ(Read({"OSDFont [ Arial 14 ]"}).OSDFont, TZConfig().OSDFont);
  EXPECT_EQ(Read({"OSDFont [ " + QString(70, u'f') + " 9 0 0 0 ]"}).OSDFont.Name,
            QString(60, u'f'));

  EXPECT_EQ(Read({"SkinColorBlend [ 256 0 0 0 ]"}).SkinColorBlend, TZConfig().SkinColorBlend);

  EXPECT_EQ(Read({"UserRatio [ 2.5 1 ]"}).UserRatio, (TZUserRatio{2.5f, 1}));
  EXPECT_EQ(Read({"UserRatio [ 2,5 1 ]"}).UserRatio, (TZUserRatio{2.5f, 1}));
  EXPECT_EQ(Read({"UserRatio [ 1e1 4 ]"}).UserRatio, (TZUserRatio{10, 4}));
  // Zero, negative and non-finite sides would be divided by: the field stays.
  EXPECT_EQ(Read({"UserRatio [ 0 1 ]"}).UserRatio, (TZUserRatio{1, 1}));
  EXPECT_EQ(Read({"UserRatio [ 4 -3 ]"}).UserRatio, (TZUserRatio{1, 1}));
  EXPECT_EQ(Read({"UserRatio [ inf 1 ]"}).UserRatio, (TZUserRatio{1, 1}));
  EXPECT_EQ(Read({"UserRatio [ 1e99 1 ]"}).UserRatio, (TZUserRatio{1, 1}));

  EXPECT_EQ(Read({"EQBand3 [ 24 ]"}).EQBand[3], 24);
  EXPECT_EQ(Read({"EQBand3 [ 24 ]"}).EQBand[2], 12);
}

TEST(ConfigReader, AHandEditedFileReadsAndWritesBackInProgramForm) {
  ScratchFolder dir;
  const QString path = dir.file("config.zcfg");
  // Windows-1252 text, LF line ends, keys out of order, comments and junk lines.
  WriteBytes(path,
             "// edited by hand\n"
             "Volume [ 4200 ]\n"
             "LastDir [ C:\\Musik\\Gr\xFC\xDF"
             "e\\ ]\n"
             "junk line\n"
             "Ratio [ 16:9 ]\n"
             "Skin [ Blue*Night ]\n"
             "Fader [ FALSE 2500 ]\n"
             "VidDefaultLanguage [  ]\n"
             "SBTextAlign [ Right ]\n");
  TZConfig config;
  ASSERT_TRUE(LoadConfigFile(path, config));
  EXPECT_EQ(config.Volume, 4200);
  EXPECT_EQ(config.LastDir, QStringLiteral("C:\\Musik\\Grüße\\"));
  EXPECT_EQ(config.Ratio, vr16To9);
  EXPECT_EQ(config.Skin, "Blue Night");
  EXPECT_EQ(config.VidDefaultLanguage, "");
  EXPECT_EQ(config.SBTextAlign, taRight);

  ASSERT_TRUE(SaveConfigFile(path, config));
  QStringList lines;
  ASSERT_TRUE(ReadTextLines(path, &lines));
  EXPECT_EQ(lines.indexOf("Skin [ Blue*Night ]"), 7);
  EXPECT_TRUE(lines.contains("Volume [ 4200 ]"));
  EXPECT_TRUE(lines.contains(QStringLiteral("LastDir [ C:\\Musik\\Grüße\\ ]")));
  EXPECT_TRUE(lines.contains("Fader [ FALSE 2500 ]"));
  EXPECT_TRUE(lines.contains("VidDefaultLanguage [ - ]"));
  EXPECT_FALSE(lines.contains("junk line"));

  TZConfig again;
  ASSERT_TRUE(LoadConfigFile(path, again));
  config.VidDefaultLanguage = "-";
  EXPECT_EQ(again, config);
}
