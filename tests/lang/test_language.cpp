#include <gtest/gtest.h>

#include <QDir>

#include "base/programpath.h"
#include "lang/language.h"
#include "printers.h"
#include "testsupport.h"

namespace {

// A language file made of the given lines, CR LF ended.
QByteArray FileOf(const QList<QByteArray>& lines) {
  QByteArray bytes;
  for (const QByteArray& line : lines) {
    bytes += line + "\r\n";
  }
  return bytes;
}

// One numbered text line for each text from 1 to count, "NNNNN text N".
QList<QByteArray> NumberedLines(int count) {
  QList<QByteArray> lines;
  for (int n = 1; n <= count; ++n) {
    lines.append(QByteArray::number(n).rightJustified(5, '0') + " text " + QByteArray::number(n));
  }
  return lines;
}

}  // namespace

TEST(Language, BuiltInEnglishTextsAreNumberedFromOne) {
  const TZLanguage english;
  EXPECT_EQ(english.Text(1), "Choose directory");
  EXPECT_EQ(english.Text(4), "Ready");
  EXPECT_EQ(english.Text(7), "[ Volume %3.1f %s ]");
  EXPECT_EQ(english.Text(61), "Livestream");
  EXPECT_EQ(english.Text(62), "Zephonic Mediaplayer recommend");
  EXPECT_EQ(english.Text(71), "");
  EXPECT_EQ(english.Text(72), "Record");
  EXPECT_EQ(english.Text(187), "OnDrag && Drop");
  EXPECT_EQ(english.Text(410), "Set digitalzoom to  125%");
  EXPECT_EQ(english.Text(419), "Zephonic to front");
  EXPECT_EQ(english.Text(422), "Dont show this window on next startup");
  EXPECT_FALSE(english.Text(63).isEmpty());
  EXPECT_FALSE(english.Text(69).isEmpty());
  // Outside the table there is nothing.
  EXPECT_EQ(english.Text(0), "");
  EXPECT_EQ(english.Text(423), "");
}

TEST(Language, FirstSixCharactersOfALineAreItsLabel) {
  TZLanguage language;
  ReadLanguageTexts(language, FileOf({"00001 Choose folder", "0002: Choose folder",
                                      "3 Choose folder", "123456", "12345 ", "00006  both  "}));
  EXPECT_EQ(language.Text(1), "Choose folder");
  EXPECT_EQ(language.Text(2), "Choose folder");
  EXPECT_EQ(language.Text(3), "se folder");  // six characters, whatever they are
  EXPECT_EQ(language.Text(4), "");           // exactly six characters
  EXPECT_EQ(language.Text(5), "");
  EXPECT_EQ(language.Text(6), " both  ");  // blanks around the text are kept
  EXPECT_EQ(language.Text(7), "");
}

TEST(Language, CommentsAndEmptyLinesAreSkippedWherEverTheyStand) {
  QList<QByteArray> plain = NumberedLines(422);
  QList<QByteArray> commented = plain;
  commented.insert(0, "// Deutsch, made by hand");
  commented.insert(5, "");
  commented.insert(6, "/----");
  commented.insert(300, "/ another comment");
  commented.append("// the end");
  commented.append("");
  TZLanguage a;
  TZLanguage b;
  ReadLanguageTexts(a, FileOf(plain));
  ReadLanguageTexts(b, FileOf(commented));
  EXPECT_EQ(a, b);
  EXPECT_EQ(b.Text(5), "text 5");
  EXPECT_EQ(b.Text(299), "text 299");
  // A blank before the slash makes it a text.
  ReadLanguageTexts(a, FileOf({" /    not a comment"}));
  EXPECT_EQ(a.Text(1), "not a comment");
}

TEST(Language, ShortFileLeavesTheRestEmptyAndExtraLinesAreIgnored) {
  TZLanguage language;
  ReadLanguageTexts(language, FileOf(NumberedLines(100)));
  EXPECT_EQ(language.Text(100), "text 100");
  for (int n = 101; n <= TZLanguage::kTextCount; ++n) {
    ASSERT_EQ(language.Text(n), "") << n;
  }
  QList<QByteArray> longFile = NumberedLines(430);
  ReadLanguageTexts(language, FileOf(longFile));
  EXPECT_EQ(language.Text(422), "text 422");
  // An empty file empties every text.
  ReadLanguageTexts(language, QByteArray());
  EXPECT_EQ(language.Text(1), "");
}

TEST(Language, ShortTextsAreCutAt255CharactersLongTextsAreNot) {
  QList<QByteArray> lines = NumberedLines(422);
  const QByteArray longText(400, 'x');
  lines[0] = "00001 " + longText;
  lines[61] = "00062 " + longText;
  lines[70] = "00071 " + longText;
  lines[71] = "00072 " + longText;
  // A character outside the basic plane at the cut is kept whole or not at all.
  lines[72] = "00073 " + QByteArray(254, 'y') + "\xF0\x9F\x8E\xB5" + "zz";
  TZLanguage language;
  ReadLanguageTexts(language, FileOf(lines));
  EXPECT_EQ(language.Text(1), QString(255, 'x'));
  EXPECT_EQ(language.Text(62), QString(400, 'x'));
  EXPECT_EQ(language.Text(71), QString(400, 'x'));
  EXPECT_EQ(language.Text(72), QString(255, 'x'));
  EXPECT_EQ(language.Text(73), QString(254, 'y') + QString::fromUtf8("\xF0\x9F\x8E\xB5"));
  language.SetText(5, QString(300, 'a'));
  EXPECT_EQ(language.Text(5).size(), 255);
}

TEST(Language, ReadsWindows1252UnlessTheFileIsUtf8) {
  TZLanguage language;
  ReadLanguageTexts(language, FileOf({"00001 Lautst\xE4rke \x80 5", "00002 \x93Play\x94"}));
  EXPECT_EQ(language.Text(1), QString::fromUtf8("Lautstärke € 5"));
  EXPECT_EQ(language.Text(2), QString::fromUtf8("“Play”"));
  ReadLanguageTexts(language, FileOf({"\xEF\xBB\xBF"
                                      "00001 Lautst\xC3\xA4rke",
                                      "00002 Stop"}));
  EXPECT_EQ(language.Text(1), QString::fromUtf8("Lautstärke"));  // the mark is no character
  EXPECT_EQ(language.Text(2), "Stop");
}

TEST(Language, LinesEndInAnyOfCrLfOrBoth) {
  TZLanguage language;
  ReadLanguageTexts(language, "00001 one\n00002 two\r00003 three\r\n00004 four");
  EXPECT_EQ(language.Text(1), "one");
  EXPECT_EQ(language.Text(2), "two");
  EXPECT_EQ(language.Text(3), "three");
  EXPECT_EQ(language.Text(4), "four");
}

TEST(Language, UnreadableFileRaisesAndLeavesTheTextsAlone) {
  ScratchFolder dir;
  TZLanguage language;
  EXPECT_THROW(LoadFromFile(language, dir.file("missing.zlng")), TZLanguageError);
  EXPECT_THROW(LoadFromFile(language, dir.path()), TZLanguageError);  // a folder
  EXPECT_EQ(language, TZLanguage());

  WriteBytes(dir.file("deutsch.zlng"), FileOf({"00001 Verzeichnis wählen"}));
  LoadFromFile(language, dir.file("deutsch.zlng"));
  EXPECT_EQ(language.Text(1), QString::fromUtf8("Verzeichnis wählen"));
  EXPECT_EQ(language.Text(4), "");
  LoadDefaults(language);
  EXPECT_EQ(language, TZLanguage());
}

TEST(Language, ListsEnglishThenTheLanguageFilesOfTheDataFolder) {
  ScratchFolder dir;
  const QString previous = ProgramPath();
  SetProgramPath(dir.path());
  WriteBytes(dir.file("data/languages/spanish.zlng"), "x");
  WriteBytes(dir.file("data/languages/deutsch.zlng"), "x");
  WriteBytes(dir.file("data/languages/readme.txt"), "x");
  WriteBytes(dir.file("data/languages/LOUD.ZLNG"), "x");  // not found under the name it would get
  QDir().mkpath(dir.file("data/languages/folder.zlng"));
  EXPECT_EQ(AvailableLanguages(), QStringList({"english[default]", "deutsch", "spanish"}));
  EXPECT_EQ(LanguageFilePath("deutsch"), dir.file("data/languages/deutsch.zlng"));
  SetProgramPath(previous);
}
