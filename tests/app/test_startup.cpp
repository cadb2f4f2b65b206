#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSettings>

#include "app/global.h"
#include "app/program.h"
#include "base/errorcatalogue.h"
#include "base/programpath.h"
#include "base/zdebug.h"
#include "config/config.h"
#include "hotkeys/hotkeys.h"
#include "lang/applylanguage.h"
#include "lang/language.h"
#include "logcheck.h"
#include "playlist/playlist.h"
#include "printers.h"
#include "testsupport.h"

namespace {

// Start-up and shutdown in a scratch program folder.
class Startup : public ::testing::Test {
 protected:
  void SetUp() override {
    previousPath_ = ProgramPath();
    SetProgramPath(dir_.path());
  }
  void TearDown() override {
    SetProgramPath(previousPath_);
    SetConfigDefaults(Config());
    LoadDefaults(Language());
  }
  QString Data(const QString& name) const { return dir_.file("data/" + name); }
  QStringList Log() const { return ReadLog(dir_.file("zephonic.log")); }
  bool LogHas(const QString& line) const { return Log().contains(line); }

  ScratchFolder dir_;
  QString previousPath_;
};

// Records the texts a window would show.
class FakeWindow : public TZLanguageTarget {
 public:
  void ApplyTexts(const TZLanguage& language) override { caption = language.Text(4); }
  QString caption;
};

}  // namespace

TEST_F(Startup, FirstRunCreatesTheFoldersAndSavesEveryFileAtShutdown) {
  WriteBytes(dir_.file("zephonic.log"), "the previous run\r\n");
  ZInitialize();
  EXPECT_TRUE(IsInitialised());
  EXPECT_FALSE(IsTerminated());
  for (const char* folder : {"skins", "languages", "presets", "images", "output", "dvdgraphs",
                             "dsgraphs", "icons", "codecs"}) {
    EXPECT_TRUE(QDir(Data(folder)).exists()) << folder;
  }
  // Skin loading makes the unpack folder; shutdown removes it again while it is empty.
  EXPECT_TRUE(QDir(Data("temp")).exists());
  ASSERT_NE(Playlist(), nullptr);
  ASSERT_NE(HotKeys(), nullptr);
  EXPECT_EQ(HotKeys()->Entries(), TZHotKeys().Entries());
  EXPECT_EQ(ZDebug()->Level(), 1);

  ZKill();
  EXPECT_TRUE(IsTerminated());
  EXPECT_EQ(Playlist(), nullptr);
  EXPECT_EQ(HotKeys(), nullptr);
  EXPECT_EQ(ZDebug(), nullptr);
  EXPECT_FALSE(QDir(Data("temp")).exists());
  ExpectLogLines(Log(), FirstRunLog(dir_.path()));
  for (const char* file : {"config.zcfg", "dsgraphs.lst", "hotkeys.zkeys", "default.zpl"}) {
    EXPECT_TRUE(QFile::exists(Data(file))) << file;
  }
}

TEST_F(Startup, NextRunReadsWhatThisRunSaved) {
  ZInitialize();
  Config().Volume = 1234;
  Config().Graphs.append(TZGraphEntry{"ogm", "myogm"});
  Config().RememberLastPlayed = true;
  Playlist()->Add("one", "/music/one.mp3", false, "01", "00:03:00");
  Playlist()->Add("two", "/music/two.mp3", true, "02", "00:04:00");
  Playlist()->Add("three", "/music/three.mp3", true, "03", "00:05:00");
  Playlist()->LastPlayedIndex = 1;  // as the player's stop records it
  HotKeys()->Clear();
  HotKeys()->Add(0x20, hmCtrl, true, 3);
  ZKill();

  SetConfigDefaults(Config());
  ZInitialize();
  EXPECT_TRUE(LogHas("  Configurationfile loaded OK."));
  EXPECT_TRUE(LogHas("  DS Graphs file loaded OK."));
  EXPECT_TRUE(LogHas("  Hotkeys loaded file OK."));
  EXPECT_TRUE(LogHas("  Playlist loaded OK."));
  EXPECT_EQ(Config().Volume, 1234);
  EXPECT_NE(FindGraphPair(Config(), "ogm", "myogm"), -1);
  ASSERT_EQ(Playlist()->Count(), 3);
  // The entry that played last is the only one selected; nothing plays.
  EXPECT_FALSE(Playlist()->Get(0)->Selected);
  EXPECT_TRUE(Playlist()->Get(1)->Selected);
  EXPECT_FALSE(Playlist()->Get(2)->Selected);
  EXPECT_EQ(Playlist()->PlayingIndex(), -1);
  EXPECT_EQ(Playlist()->PlaylistCursor, -1);
  ASSERT_EQ(HotKeys()->Count(), 1);
  EXPECT_EQ(HotKeys()->Entry(0).Key, 0x20);
  ZKill();
}

TEST_F(Startup, FirstStartTakesTheInstallersLanguageOnce) {
  WriteBytes(Data("languages/deutsch.zlng"),
             "00001 Verzeichnis\r\n00002 Lese\r\n00003 Hinzu\r\n00004 Bereit\r\n");
  WriteBytes(dir_.file("installer.ini"),
             "[Zephonic]\nFirstStart=true\nInstallerLanguage=deutsch\n");
  FakeWindow window;
  ZInitialize();
  EXPECT_EQ(Config().Language, "deutsch");
  EXPECT_EQ(window.caption, "Bereit");
  const QStringList log = Log();
  const qsizetype first = log.indexOf("  Zephonic is starting the first time.");
  EXPECT_GT(first, log.indexOf("  DS Graphs file not found. Set to default."));
  EXPECT_LT(first, log.indexOf("  Languagefile loaded OK."));
  EXPECT_FALSE(QSettings(dir_.file("installer.ini"), QSettings::IniFormat)
                   .value("Zephonic/FirstStart")
                   .toBool());
  ZKill();

  // The next start keeps the language the configuration now holds and is no first start.
  ZInitialize();
  EXPECT_FALSE(LogHas("  Zephonic is starting the first time."));
  EXPECT_EQ(Config().Language, "deutsch");
  ZKill();

  WriteBytes(dir_.file("installer.ini"),
             "[Zephonic]\nFirstStart=true\nInstallerLanguage=english\n");
  ZInitialize();
  EXPECT_EQ(Config().Language, "english[default]");
  EXPECT_TRUE(LogHas("  Languagefile not found. Set language to default (english)."));
  EXPECT_EQ(window.caption, "Ready");
  ZKill();
}

TEST_F(Startup, UnreadableFilesAreReportedAndTheOtherStepsStillRun) {
  QDir().mkpath(Data("config.zcfg"));  // exists, cannot be read or written
  QDir().mkpath(Data("languages/english[default].zlng"));
  WriteBytes(Data("default.zpl"), "\x01");
  WriteBytes(Data("hotkeys.zkeys"), QByteArray("\x05\x00\x00\x00", 4));
  ReportCapture reports;
  ZInitialize();
  ASSERT_EQ(reports.reports().size(), 3u);
  EXPECT_TRUE(reports.reports()[0].fatal);
  EXPECT_TRUE(reports.reports()[0].text.contains("ID: 10\r\nClass: TZConfig"));
  EXPECT_FALSE(reports.reports()[1].fatal);
  EXPECT_TRUE(reports.reports()[1].text.contains("ID: 150\r\nClass: TZLanguage"));
  EXPECT_FALSE(reports.reports()[2].fatal);
  EXPECT_TRUE(reports.reports()[2].text.contains("ID: 300\r\nClass: TZPlaylist"));
  EXPECT_TRUE(TerminationRequested());
  EXPECT_EQ(Config(), TZConfig());
  EXPECT_EQ(Language(), TZLanguage());
  EXPECT_EQ(Playlist()->Count(), 0);
  ZKill();

  const QStringList log = Log();
  for (const char* line : {"  Configurationfile loaded failed.", "  Languagefile loaded failed.",
                           "  Hotkeys loaded file failed.", "  Playlist loaded failed.",
                           "  Configurationfile saved failed", "  DS Graphs saved file OK.",
                           "  Playlist saved OK", "  Hotkeys saved file OK."}) {
    EXPECT_TRUE(log.contains(line)) << line;
  }
  EXPECT_TRUE(log.last().startsWith("ZKill complete [ "));
}

TEST_F(Startup, ShutdownDeletesTheTemporaryFilesButNotSubFolders) {
  WriteBytes(Data("temp/skin.bmp"), "x");
  WriteBytes(Data("temp/.hidden"), "x");
  WriteBytes(Data("temp/unpacked/keep.txt"), "x");
  ZInitialize();
  ZKill();
  EXPECT_FALSE(QFile::exists(Data("temp/skin.bmp")));
  EXPECT_FALSE(QFile::exists(Data("temp/.hidden")));
  EXPECT_TRUE(QFile::exists(Data("temp/unpacked/keep.txt")));

  QDir(Data("temp/unpacked")).removeRecursively();
  WriteBytes(Data("temp/skin.bmp"), "x");
  ZInitialize();
  ZKill();
  EXPECT_FALSE(QDir(Data("temp")).exists());
}
