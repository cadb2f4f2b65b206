#include <gtest/gtest.h>

#include <QRegularExpression>
#include <memory>

#include "base/text/textfile.h"
#include "skin/skindescription.h"
#include "skin/skininfo.h"
#include "skintestsupport.h"

namespace {

class SkinDescription : public ::testing::Test {
 protected:
  void SetUp() override { InitSkinDefaults(skin); }

  void read(const QStringList& lines) { ReadSkinDescription(lines, skin); }

  // The record's values, one line each, to compare whole records.
  QStringList values(const TZGUI& record) const {
    return WriteSkinDescription(record, {}).mid(kHeaderLines);
  }

  // The value lines of the default skin with every number changed, so that reading them over
  // the defaults shows which values were taken.
  QStringList changedValueLines() const {
    QStringList lines = values(skin);
    static const QRegularExpression number(QStringLiteral("-?\\d+"));
    for (QString& line : lines) {
      QString changed;
      qsizetype last = 0;
      for (const QRegularExpressionMatch& m : number.globalMatch(line)) {
        const int n = m.captured().toInt();
        changed +=
            line.mid(last, m.capturedStart() - last) + QString::number(n == 255 ? 254 : n + 1);
        last = m.capturedEnd();
      }
      line = changed + line.mid(last);
      if (line.contains(QLatin1String("TRUE"))) {
        line.replace(QLatin1String("TRUE"), QLatin1String("FALSE"));
      } else {
        line.replace(QLatin1String("FALSE"), QLatin1String("TRUE"));
      }
    }
    return lines;
  }

  static constexpr int kHeaderLines = 12;
  TZGUI skin;
};

TEST_F(SkinDescription, HasTheValueLinesInFileOrder) {
  const std::vector<SkinValueLine>& lines = SkinValueLines();
  ASSERT_EQ(lines.size(), 385u);
  const auto pattern = [&lines](int number) { return lines[number - 1].pattern(); };
  EXPECT_EQ(pattern(1), "TransparentColor [ %d %d %d ]");
  EXPECT_EQ(pattern(4), "Masked [ %s ]");
  EXPECT_EQ(pattern(5), "FormPos [ %d %d ]");
  EXPECT_EQ(pattern(27), "Align [ %s ]");
  EXPECT_EQ(pattern(34), "FontName [ %s ]");
  EXPECT_EQ(pattern(35), "FontColor [ %d %d %d ]");
  EXPECT_EQ(pattern(48), "BarAlign [ %s ]");
  EXPECT_EQ(pattern(140), "FormBorder [ %d ]");
  EXPECT_EQ(pattern(157), "SkinPos [ %d %d ]");
  EXPECT_EQ(pattern(158), "Size [ %d %d ]");
  EXPECT_EQ(pattern(171), "Borders [ %d %d %d %d ]");
  EXPECT_EQ(pattern(172), "Font [ %s %d ]");
  EXPECT_EQ(pattern(176), "NormalBorderBgStyle [ %d %d %d %d ]");
  EXPECT_EQ(pattern(179), "SelectedBorderStyle [ %d %d %d %d ]");
  EXPECT_EQ(pattern(182), "SkinBorder [ %d ]");
  EXPECT_EQ(pattern(185), "Align [ %s ]");
  EXPECT_EQ(pattern(188), "Font [ %s %d %d %d %d ]");
  EXPECT_EQ(pattern(193), "SkinPos [ %d %d ]");
  EXPECT_EQ(pattern(287), "Visible [ %s ]");
  EXPECT_EQ(pattern(290), "Size [ %d %d ]");
  EXPECT_EQ(pattern(303), "Borders [ %d %d %d %d ]");
  EXPECT_EQ(pattern(308), "Align [ %s ]");
  EXPECT_EQ(pattern(309), "SkinPos [ %d %d ]");
  EXPECT_EQ(pattern(385), "FormBorder [ %d ]");
}

TEST_F(SkinDescription, DefaultsAreTheBuiltInSkin) {
  EXPECT_EQ(skin.TransparentColor, qRgb(0, 255, 0));
  const TZSMain& m = skin.Main;
  EXPECT_EQ(m.Surface.Size, QSize(300, 100));
  EXPECT_EQ(m.Analyzer.LineColor, qRgb(200, 200, 200));
  EXPECT_EQ(m.EjectButton.FormPos, QPoint(139, 79));
  EXPECT_EQ(m.EjectButton.SkinPos, QPoint(417, 52));
  EXPECT_EQ(m.EjectButton.Size, QSize(21, 17));
  EXPECT_EQ(m.BalanceSeekbar.BarSkinPos, QPoint(440, 104));
  EXPECT_FALSE(m.VolumeSeekbar.Visible);
  EXPECT_FALSE(m.SettingsButton.Visible);
  EXPECT_EQ(m.StatusPictures[4].SkinPos, QPoint(539, 0));
  EXPECT_EQ(m.Title.FontName, "Tahoma");
  const TZSPlaylist& p = skin.Playlist;
  EXPECT_EQ(p.Frame.DefaultSize, QSize(230, 60));
  EXPECT_EQ(p.SelectedBorderBgStyle.Style, 1);
  EXPECT_EQ(p.SelectedBorderBgStyle.Color, qRgb(106, 106, 106));
  EXPECT_EQ(p.StatusBar.SkinPos, QPoint(72, 411));
  EXPECT_EQ(p.StatusBar.Align, bsBottom);
  const TZSMediaControls& mc = skin.MediaControls;
  EXPECT_EQ(mc.EqualizerBands[0].BgFormPos, QPoint(95, 18));
  EXPECT_EQ(mc.EqualizerBands[3].BgFormPos, QPoint(155, 30));
  EXPECT_EQ(mc.EqualizerBands[9].BarAlign, sdDownToUp);
  EXPECT_EQ(skin.Video.DvdPopupBar.Size, QSize(29, 366));
  const TZSVideoFullscreenControl& f = skin.VideoFullscreenControl;
  EXPECT_EQ(f.Position, spBottom);
  EXPECT_EQ(f.JumpForwardButton.SkinPos, QPoint(394, 52));
  EXPECT_EQ(f.MuteCheckBox.FormPos, QPoint(271, 35));
  EXPECT_EQ(f.Title.Size, QSize(272, 13));
  EXPECT_EQ(f.Title.Picture.size(), QSize(272, 13));
  EXPECT_EQ(f.Title.Picture.format(), QImage::Format_RGB888);
}

TEST_F(SkinDescription, ReadingWhatWasWrittenGivesTheSameRecord) {
  const QStringList changed = changedValueLines();
  ASSERT_NE(changed, values(skin));
  read(changed);
  EXPECT_EQ(values(skin), changed);
  EXPECT_EQ(skin.Main.Surface.Size, QSize(301, 101));
  EXPECT_FALSE(skin.Main.Surface.Masked);
}

TEST_F(SkinDescription, CommentsAnywhereChangeNothing) {
  const QStringList plain = changedValueLines();
  QStringList commented = {QStringLiteral("// header"), QString()};
  for (const QString& line : plain) {
    commented << line << QStringLiteral("/ a comment") << QString() << QStringLiteral("//");
  }
  TZGUI other;
  InitSkinDefaults(other);
  ReadSkinDescription(commented, other);
  read(plain);
  EXPECT_EQ(values(other), values(skin));
}

TEST_F(SkinDescription, MissingLinesKeepThePreviousSkinsValues) {
  const QStringList defaults = values(skin);
  read(changedValueLines());
  const QStringList previous = values(skin);
  read(defaults.mid(0, 300));
  const QStringList now = values(skin);
  EXPECT_EQ(now.mid(0, 300), defaults.mid(0, 300));
  EXPECT_EQ(now.mid(300), previous.mid(300));
  EXPECT_NE(now.mid(300), defaults.mid(300));
}

TEST_F(SkinDescription, ALineThatDoesNotMatchStillCountsAsAValueLine) {
  QStringList lines = values(skin);
  lines[0] = QStringLiteral("garbage");                   // transparent colour: kept
  lines[1] = QStringLiteral("SkinPos [ 5 nonsense ]");    // x taken, y kept
  lines[2] = QStringLiteral("Size [ 1 2 ] ignored 3 4");  // text after the bracket ignored
  read(lines);
  EXPECT_EQ(skin.TransparentColor, qRgb(0, 255, 0));
  EXPECT_EQ(skin.Main.Surface.SkinPos, QPoint(5, 0));
  EXPECT_EQ(skin.Main.Surface.Size, QSize(1, 2));
  EXPECT_EQ(skin.Main.Caption.FormPos, QPoint(44, 0));  // the line after them is line 5
}

TEST_F(SkinDescription, FlagsAreTrueOnlyForUpperCaseTrue) {
  QStringList lines = values(skin).mid(0, 4);
  lines[3] = QStringLiteral("Masked [ true ]");
  read(lines);
  EXPECT_FALSE(skin.Main.Surface.Masked);
  lines[3] = QStringLiteral("Masked [ TRUE ]");
  read(lines);
  EXPECT_TRUE(skin.Main.Surface.Masked);
}

TEST_F(SkinDescription, ColoursAndBytesUseTheLow8Bits) {
  QStringList lines = values(skin);
  lines[0] = QStringLiteral("TransparentColor [ 256 511 -1 ]");
  lines[11] = QStringLiteral("Border [ 258 ]");  // close button
  read(lines);
  EXPECT_EQ(skin.TransparentColor, qRgb(0, 255, 255));
  EXPECT_EQ(skin.Main.CloseButton.Border, 2);
}

TEST_F(SkinDescription, AlignWordsOutsideTheListKeepOrDefault) {
  skin.VideoFullscreenControl.Position = spTopLeft;
  skin.Main.PositionBar.Align = sdUpToDown;
  skin.Main.Analyzer.Align = sdRightToLeft;
  QStringList lines = values(skin);
  lines[26] = QStringLiteral("Align [ UpToDown ]");   // not an analyser direction
  lines[40] = QStringLiteral("Align [ Sideways ]");   // position bar
  lines[307] = QStringLiteral("Align [ Sideways ]");  // fullscreen control
  read(lines);
  EXPECT_EQ(skin.Main.Analyzer.Align, sdRightToLeft);
  EXPECT_EQ(skin.Main.PositionBar.Align, sdUpToDown);
  EXPECT_EQ(skin.VideoFullscreenControl.Position, spBottom);
  lines[307] = QStringLiteral("Align [ TopRight ]");
  lines[184] = QStringLiteral("Align [ Top ]");
  read(lines);
  EXPECT_EQ(skin.VideoFullscreenControl.Position, spTopRight);
  EXPECT_EQ(skin.Playlist.StatusBar.Align, bsTop);
}

TEST_F(SkinDescription, RowStylesOutOfRangeKeepTheStyleButTakeTheColour) {
  QStringList lines = values(skin);
  lines[175] = QStringLiteral("NormalBorderBgStyle [ 8 1 2 3 ]");
  lines[177] = QStringLiteral("NormalBorderStyle [ 5 4 5 6 ]");
  lines[178] = QStringLiteral("SelectedBorderStyle [ 6 7 8 9 ]");
  read(lines);
  EXPECT_EQ(skin.Playlist.NormalBorderBgStyle.Style, 0);
  EXPECT_EQ(skin.Playlist.NormalBorderBgStyle.Color, qRgb(1, 2, 3));
  EXPECT_EQ(skin.Playlist.NormalBorderStyle.Style, 5);
  EXPECT_EQ(skin.Playlist.SelectedBorderStyle.Style, 1);
  EXPECT_EQ(skin.Playlist.SelectedBorderStyle.Color, qRgb(7, 8, 9));
}

TEST_F(SkinDescription, Windows1252TextIsDecoded) {
  ScratchFolder folder;
  QByteArray bytes = "// header\r\n" + JoinLines(values(skin).mid(0, 31));
  bytes += "FormPos [ 1 2 ]\r\nSize [ 3 4 ]\r\nFontName [ Caf\xe9 ]\r\n";
  WriteBytes(folder.file("skin.zskn"), bytes);
  QStringList lines;
  ASSERT_TRUE(ReadTextLines(folder.file("skin.zskn"), &lines));
  read(lines);
  EXPECT_EQ(skin.Main.Title.FontName, QString::fromUtf8("Caf\xc3\xa9"));
  EXPECT_EQ(skin.Main.Title.Size, QSize(3, 4));
}

TEST(SkinInformationHeader, TakesLines5To11WithoutTheirFirstFiveCharacters) {
  TZGUI skin;
  InitSkinDefaults(skin);
  const QStringList lines =
      WriteSkinDescription(skin, {"Blue Night", "Ann Example", "example.org", "ann@example.org"});
  SkinInformation info;
  ASSERT_TRUE(ParseSkinInformation(lines, &info));
  EXPECT_EQ(info.Name, "Blue Night");
  EXPECT_EQ(info.Author, "Ann Example");
  EXPECT_EQ(info.Web, "example.org");
  EXPECT_EQ(info.Contact, "ann@example.org");
  EXPECT_FALSE(ParseSkinInformation(lines.mid(0, 10), &info));
  QStringList blank = lines;
  blank[6] = QStringLiteral("//   ");
  EXPECT_FALSE(ParseSkinInformation(blank, &info));
}

}  // namespace

// The one table serves every record: reading into one record touches no other, also not one on
// the heap or a copy made before.
TEST_F(SkinDescription, ReadingOneRecordLeavesTheOthersAlone) {
  const QStringList defaults = values(skin);
  TZGUI copy = skin;
  auto heap = std::make_unique<TZGUI>();
  InitSkinDefaults(*heap);
  const QStringList changed = changedValueLines();
  ReadSkinDescription(changed, *heap);
  EXPECT_EQ(values(*heap), changed);
  EXPECT_EQ(values(skin), defaults);
  EXPECT_EQ(values(copy), defaults);
  read(changed);
  EXPECT_EQ(values(skin), changed);
  EXPECT_EQ(values(copy), defaults);
}
