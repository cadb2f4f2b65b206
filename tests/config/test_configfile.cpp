// Writing "config.zcfg": the exact default file, and that everything written reads back.
#include <gtest/gtest.h>

#include <QDir>

#include "base/text/textfile.h"
#include "config/config.h"
#include "testsupport.h"

namespace {

QStringList DefaultFileLines() {
  QString lastDir = QDir::homePath() + u'/';
  lastDir.replace(u' ', u'*');
  QStringList lines{
      "// ****************************",
      "// Zephonic Configuration File",
      "// ******************************",
      "// Attention:",
      "//   This file is automatic created by Zephonic",
      QStringLiteral("//   Don\u00B4t modified this file"),
      "/////////////////////////////////////////////////",
      "Skin [ base[default] ]",
      "Language [ english[default] ]",
      "Volume [ 5000 ]",
      "Balance [ 100 ]",
      "OFAReadID3Tag [ FALSE ]",
      "OFAReadTime [ FALSE ]",
      "PlaylistSize [ 300 250 ]",
      "PlaylistVis [ TRUE ]",
      "LastDir [ " + lastDir + " ]",
      "ShowSpectrum [ TRUE ]",
      "ShowPeaks [ TRUE ]",
      "SpectrumBlur [ TRUE ]",
      "SpectrumType [ BARS ]",
      "FallsOff [ 1 3 ]",
      "TimeMode [ ELAPSED ]",
      "Fader [ TRUE 1000 ]",
      "OFACheckIsValidFile [ TRUE ]",
      "OFAReadPlaylistFiles [ FALSE ]",
      "MainPos [ 0 0 ]",
      "PlaylistPos [ 300 0 ]",
      "MediaControlsPos [ 0 100 ]",
      "PlayMode [ TRUE ]",
      "PlayModeIndex [ 3 ]",
      "MainVis [ TRUE ]",
      "// MediaControls",
      "MediaConVis [ TRUE ]",
      "Speed [ 4 ]",
      "VolumeFader [ TRUE 500 ]",
      "DolbySurround [ FALSE ]",
      "AutoFullscreen [ FALSE ]",
      "AutoVideoResize [ TRUE ]",
      "NoScreensaver [ TRUE ]",
      "HideCursor [ TRUE ]",
      "NumTrysURLStream [ 3 ]",
      "TryURLTime [ 1000 ]",
      "OFPReadID3Tag [ TRUE ]",
      "OFPReadTime [ TRUE ]",
      "MainAlwaysOnTop [ FALSE ]",
      "DebugEnabled [ FALSE ]",
      "CenterVideo [ TRUE ]",
      "ShowZephonicIn [ 0 ]",
      "JumpInterval [ 5000 ]",
      "OSDPosition [ TopLeft ]",
      "OSDFont [ Tahoma 12 0 255 0 ]",
      "OSDEnabled [ TRUE ]",
      "SLMoveProg [ 2 ]",
      "PLDrawNumbers [ TRUE ]",
      "PLDrawTime [ TRUE ]",
      "PLDrawFileTypeIcons [ FALSE ]",
      "SearchHideOnPlay [ TRUE ]",
      "Mute [ FALSE ]",
      "AutoLiveUpdate [ FALSE ]",
      "BassDevice [ 1 ]",
      "LastPlayedIndex [ -1 ]",
      "RememberLastPlayed [ TRUE ]",
      "SBTextAlign [ Left ]",
  };
  for (int band = 0; band < 10; ++band) {
    lines << QStringLiteral("EQBand%1 [ 12 ]").arg(band);
  }
  lines << QStringList{
      "Ratio [ Letterbox ]",
      "UserRatio [ 1 1 ]",
      "DCDSPFilterActive [ TRUE ]",
      "VidBrightness [ 0 ]",
      "VidContrast [ 10000 ]",
      "VidHue [ 0 ]",
      "VidSaturation [ 10000 ]",
      "VidSharpness [ 5 ]",
      "VidGamma [ 1 ]",
      "SkinColorBlend [ 0 255 255 0 ]",
      "LSASConvertTo [ 1 ]",
      "LSASAutoChangeTitle [ TRUE ]",
      "LSASFormatMask [ %TITLE% ]",
      "LSASOutputPath [  ]",
      "VidDefaultLanguage [ - ]",
      "VidDefaultSubtitle [ - ]",
      "VidDefaultSubtitleFailed [ FALSE ]",
      "Speakers [ 2 ]",
      "SwapMemoryMngt [ TRUE ]",
      "VideoFSControlActive [ TRUE ]",
      "DVDGraph [ GPL*MPEG*1-2*&*AC3Filter ]",
      "PLOnDragDropMode [ 1 ]",
      "NewsWindowOnStartUp [ TRUE ]",
  };
  return lines;
}

// A record in which every stored field differs from its default.
TZConfig ChangedConfig() {
  TZConfig c;
  c.Skin = "My Skin";
  c.Language = "deutsch";
  c.Volume = 1234;
  c.Balance = 0;
  c.OFAReadID3Tag = true;
  c.OFAReadTime = true;
  c.PlaylistSize = {640, 480};
  c.PlaylistVis = false;
  c.LastDir = "/home/me/Music Folder/";
  c.ShowSpectrum = false;
  c.ShowPeaks = false;
  c.SpectrumBlur = false;
  c.SpectrumType = stLines;
  c.FallsOff = {-2, 10};
  c.TimeMode = tmRemaining;
  c.Fader = {false, 2500};
  c.OFACheckIsValidFile = false;
  c.OFAReadPlaylistFiles = true;
  c.MainPos = {-10, 20};
  c.PlaylistPos = {30, 40};
  c.MediaControlsPos = {50, -60};
  c.PlayMode = false;
  c.PlayModeIndex = 2;
  c.MainVis = false;
  c.MediaConVis = false;
  c.Speed = 10;
  c.VolumeFader = {false, -300};
  c.DolbySurround = true;
  c.AutoFullscreen = true;
  c.AutoVideoResize = false;
  c.NoScreensaver = false;
  c.HideCursor = false;
  c.NumTrysURLStream = 7;
  c.TryURLTime = 250;
  c.OFPReadID3Tag = false;
  c.OFPReadTime = false;
  c.MainAlwaysOnTop = true;
  c.DebugEnabled = true;
  c.CenterVideo = false;
  c.ShowZephonicIn = 2;
  c.JumpInterval = 15000;
  c.OSDPosition = opRight;
  c.OSDFont = {"DejaVu Sans", 18, QColor(1, 2, 3)};
  c.OSDEnabled = false;
  c.SLMoveProg = 0;
  c.PLDrawNumbers = false;
  c.PLDrawTime = false;
  c.PLDrawFileTypeIcons = true;
  c.SearchHideOnPlay = false;
  c.Mute = true;
  c.AutoLiveUpdate = true;
  c.BassDevice = 3;
  c.LastPlayedIndex = 17;
  c.RememberLastPlayed = false;
  c.SBTextAlign = taCenter;
  for (int band = 0; band < 10; ++band) {
    c.EQBand[band] = band * 2;
  }
  c.Ratio = vr235To1;
  c.UserRatio = {1.85f, 0.1f};
  c.DCDSPFilterActive = false;
  c.VidBrightness = 9000;
  c.VidContrast = 20000;
  c.VidHue = -180;
  c.VidSaturation = 0;
  c.VidSharpness = 10;
  c.VidGamma = 500;
  c.SkinColorBlend = {128, QColor(10, 20, 30)};
  c.LSASConvertTo = 0;
  c.LSASAutoChangeTitle = false;
  c.LSASFormatMask = "%TITLE% - live";
  c.LSASOutputPath = "/srv/rec";
  c.VidDefaultLanguage = "German";
  c.VidDefaultSubtitle = "English";
  c.VidDefaultSubtitleFailed = true;
  c.Speakers = 8;
  c.SwapMemoryMngt = false;
  c.VideoFSControlActive = false;
  c.DVDGraph = "My DVD graph";
  c.PLOnDragDropMode = 2;
  c.NewsWindowOnStartUp = false;
  return c;
}

}  // namespace

TEST(ConfigFile, DefaultsAreWrittenExactlyWithHeaderKeyOrderAndMarker) {
  ScratchFolder dir;
  const QString path = dir.file("config.zcfg");
  ASSERT_TRUE(SaveConfigFile(path, TZConfig()));
  QStringList lines;
  ASSERT_TRUE(ReadTextLines(path, &lines));
  const QStringList expected = DefaultFileLines();
  ASSERT_EQ(lines.size(), expected.size());
  for (qsizetype i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i], expected[i]) << "line " << i + 1;
  }

  // CR LF line ends, and the accent of the header as UTF-8.
  const QByteArray bytes = ReadBytes(path);
  EXPECT_TRUE(bytes.startsWith("// ****************************\r\n// Zephonic"));
  EXPECT_TRUE(bytes.contains("//   Don\xC2\xB4t modified this file\r\n"));
  EXPECT_TRUE(bytes.endsWith("NewsWindowOnStartUp [ TRUE ]\r\n"));
}

TEST(ConfigFile, EveryStoredFieldReadsBackAsWritten) {
  ScratchFolder dir;
  const QString path = dir.file("config.zcfg");
  const TZConfig changed = ChangedConfig();
  ASSERT_TRUE(SaveConfigFile(path, changed));

  TZConfig loaded;
  ASSERT_TRUE(LoadConfigFile(path, loaded));
  EXPECT_EQ(loaded, changed);
  // Spot checks on the composite and star forms.
  const QStringList lines = ConfigFileLines(changed);
  EXPECT_TRUE(lines.contains("Skin [ My*Skin ]"));
  EXPECT_TRUE(lines.contains("OSDFont [ DejaVu*Sans 18 1 2 3 ]"));
  EXPECT_TRUE(lines.contains("SkinColorBlend [ 128 10 20 30 ]"));
  EXPECT_TRUE(lines.contains("UserRatio [ 1.85 0.1 ]"));
  EXPECT_TRUE(lines.contains("FallsOff [ -2 10 ]"));
  EXPECT_TRUE(lines.contains("LSASFormatMask [ %TITLE% - live ]"));
  EXPECT_TRUE(lines.contains("Ratio [ 2.35:1 ]"));
}

TEST(ConfigFile, EmptyPreferredLanguagesAreWrittenAsDash) {
  TZConfig config;
  config.VidDefaultLanguage.clear();
  config.VidDefaultSubtitle.clear();
  const QStringList lines = ConfigFileLines(config);
  EXPECT_TRUE(lines.contains("VidDefaultLanguage [ - ]"));
  EXPECT_TRUE(lines.contains("VidDefaultSubtitle [ - ]"));
}

TEST(ConfigFile, LongTextsAreCutAndLineBreaksCannotSplitALine) {
  TZConfig config;
  config.Skin = QString(70, u'x');
  config.LSASOutputPath = "/tmp/a\r\nVolume [ 1 ]";
  ScratchFolder dir;
  const QString path = dir.file("config.zcfg");
  ASSERT_TRUE(SaveConfigFile(path, config));
  TZConfig loaded;
  ASSERT_TRUE(LoadConfigFile(path, loaded));
  EXPECT_EQ(loaded.Skin, QString(60, u'x'));
  EXPECT_EQ(loaded.Volume, 5000);
  EXPECT_EQ(loaded.LSASOutputPath, "/tmp/a  Volume [ 1 ]");
}

TEST(ConfigFile, DefaultsResetEverythingIncludingTheUnstoredParts) {
  TZConfig config = ChangedConfig();
  config.Graphs = {{"A", "B"}};
  config.LSASAutoRecord = true;
  SetConfigDefaults(config);
  EXPECT_EQ(config, TZConfig());
  EXPECT_EQ(config.LastPlayedIndex, -1);
  EXPECT_FALSE(config.LSASAutoRecord);
  EXPECT_EQ(config.Graphs.size(), 2);
}

TEST(ConfigFile, UnreadableAndUnwritableFilesFail) {
  ScratchFolder dir;
  TZConfig config = ChangedConfig();
  EXPECT_FALSE(LoadConfigFile(dir.file("missing.zcfg"), config));
  EXPECT_FALSE(LoadConfigFile(dir.path(), config));  // a folder
  EXPECT_EQ(config, ChangedConfig());
  EXPECT_FALSE(SaveConfigFile(dir.file("no/such/folder/config.zcfg"), config));

  // Failures that hold for root too: a full disk keeps the old file whole, and nothing can be
  // written below a regular file.
  const QString path = dir.file("config.zcfg");
  ASSERT_TRUE(SaveConfigFile(path, TZConfig()));
  const QByteArray before = ReadBytes(path);
  {
    FileSizeLimit limit(64);
    EXPECT_FALSE(SaveConfigFile(path, config));
  }
  EXPECT_EQ(ReadBytes(path), before);
  EXPECT_EQ(FolderEntries(dir.path()), QStringList({"config.zcfg"}));
  EXPECT_FALSE(SaveConfigFile(PathBelowAFile(dir, "config.zcfg"), config));
  EXPECT_EQ(config, ChangedConfig());
}
