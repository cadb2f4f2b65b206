#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include "desktop/shellintegration.h"
#include "lang/language.h"
#include "testsupport.h"

namespace {

// Another player's defaults and lines of every kind the registration must leave alone.
const QByteArray kForeignMimeApps =
    "# written by hand\n"
    "[Added Associations]\n"
    "audio/mpeg=otherplayer.desktop;\n"
    "\n"
    "[Default Applications]\n"
    "audio/mpeg = otherplayer.desktop;backup.desktop;\n"
    "text/plain=editor.desktop;\n"
    "   video/x-matroska=otherplayer.desktop;\n"
    "# a comment inside the section\n"
    "\n"
    "[Removed Associations]\n"
    "audio/x-wav=oldplayer.desktop;";
// The two defaults that registering takes over.
const QList<QByteArray> kReplaced{"audio/mpeg = otherplayer.desktop;backup.desktop;",
                                  "   video/x-matroska=otherplayer.desktop;"};

// The lines of a file without those that mention the program.
QList<QByteArray> ForeignLines(const QByteArray& bytes) {
  QList<QByteArray> lines = bytes.split('\n');
  lines.removeIf([](const QByteArray& line) { return line.contains("zephonic"); });
  return lines;
}

const QByteArray kForeignEntry =
    "[Desktop Entry]\nType=Application\nName=Other Player\nExec=true %F\n"
    "MimeType=audio/mpeg;video/x-matroska;\n";

const QByteArray kEditorEntry =
    "[Desktop Entry]\nType=Application\nName=Editor\nExec=true %F\nMimeType=text/plain;\n";

class ShellTest : public ::testing::Test {
 protected:
  // The desktop's tool only answers with entries whose program exists.
  ShellTest() : places_{home_.path() + "data", home_.path() + "config", home_.file("zephonic")} {
    WriteBytes(places_.Program, "#!/bin/sh\n");
    QFile::setPermissions(places_.Program, QFile::ReadOwner | QFile::ExeOwner);
  }

  void WriteForeignFiles() {
    WriteBytes(places_.MimeAppsList(), kForeignMimeApps);
    WriteBytes(places_.ApplicationsFolder() + "/otherplayer.desktop", kForeignEntry);
    WriteBytes(places_.ApplicationsFolder() + "/editor.desktop", kEditorEntry);
  }

  // The default application of a MIME type as the desktop's own tool sees it.
  QString QueryDefault(const QString& type) const {
    QProcess process;
    QProcessEnvironment environment = Environment();
    // The system's own applications and defaults stay out of the answers.
    environment.insert("XDG_DATA_DIRS", home_.path() + "system");
    environment.insert("XDG_CONFIG_DIRS", home_.path() + "system");
    process.setProcessEnvironment(environment);
    process.start("xdg-mime", {"query", "default", type});
    EXPECT_TRUE(process.waitForFinished(30000));
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
  }

  QProcessEnvironment Environment() const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_DATA_HOME", places_.DataHome);
    environment.insert("XDG_CONFIG_HOME", places_.ConfigHome);
    environment.insert("XDG_CURRENT_DESKTOP", "");
    environment.insert("ZEPHONIC_HOME", home_.path());
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    return environment;
  }

  static void ExpectValid(const QString& entry) {
    QString output;
    EXPECT_EQ(RunProgram("desktop-file-validate", {entry}, &output), 0) << output.toStdString();
    EXPECT_TRUE(output.isEmpty()) << output.toStdString();
  }

  void ExpectForeignFilesUnchanged() const {
    EXPECT_EQ(ReadBytes(places_.MimeAppsList()), kForeignMimeApps);
    EXPECT_EQ(ReadBytes(places_.ApplicationsFolder() + "/otherplayer.desktop"), kForeignEntry);
    EXPECT_EQ(ReadBytes(places_.ApplicationsFolder() + "/editor.desktop"), kEditorEntry);
    EXPECT_FALSE(QFileInfo::exists(places_.DesktopEntry()));
    EXPECT_FALSE(QFileInfo::exists(places_.DvdDesktopEntry()));
    EXPECT_FALSE(QFileInfo::exists(places_.FolderActions()));
    EXPECT_FALSE(QFileInfo::exists(places_.MimePackage()));
    EXPECT_FALSE(QFileInfo::exists(places_.DefaultsBackup()));
  }

  ScratchFolder home_;
  TZShellPlaces places_;
  TZLanguage language_;
};

TEST_F(ShellTest, RegistrableTypesComeFromTheMediaTables) {
  const QStringList extensions = RegistrableExtensions();
  EXPECT_EQ(extensions.first(), ".WAV");
  EXPECT_EQ(extensions.last(), ".ZSKZ");
  EXPECT_EQ(extensions.count(".IMF"), 1);  // listed by two tables
  EXPECT_TRUE(extensions.contains(".PLS"));
  EXPECT_FALSE(extensions.contains(".ZEPHONIC_DVD"));
  EXPECT_EQ(MimeTypesForExtension(".MP3"), QStringList{"audio/mpeg"});
  // ".WMF" is a picture format on this desktop: the player does not take pictures over.
  EXPECT_TRUE(MimeTypesForExtension(".WMF").isEmpty());
}

TEST_F(ShellTest, RegisterAndUnregisterEverythingLeavesForeignLinesAlone) {
  WriteForeignFiles();
  TZShellRegistration shell(places_, language_);
  ASSERT_TRUE(shell.RegisterAllFileTypes());
  ASSERT_TRUE(shell.RegisterVerbs());
  ASSERT_TRUE(shell.RegisterDvd());

  ExpectValid(places_.DesktopEntry());
  ExpectValid(places_.DvdDesktopEntry());
  EXPECT_EQ(QueryDefault("audio/mpeg").toStdString(), "zephonic.desktop");
  EXPECT_EQ(QueryDefault("video/x-matroska").toStdString(), "zephonic.desktop");
  EXPECT_EQ(QueryDefault("audio/x-wav").toStdString(), "zephonic.desktop");
  EXPECT_EQ(QueryDefault("x-content/video-dvd").toStdString(), "zephonic-dvd.desktop");
  EXPECT_EQ(QueryDefault("text/plain").toStdString(), "editor.desktop");
  // Folders get the actions but never open with the program.
  EXPECT_TRUE(QueryDefault("inode/directory").isEmpty());
  EXPECT_FALSE(ReadBytes(places_.DesktopEntry()).contains("inode/directory"));
  const QByteArray folderActions = ReadBytes(places_.FolderActions());
  EXPECT_TRUE(folderActions.contains("\nMimeType=inode/directory;\n"));
  EXPECT_TRUE(folderActions.contains("\nExec=" + places_.Program.toUtf8() + " /play %f\n"));
  EXPECT_TRUE(folderActions.contains("\nExec=" + places_.Program.toUtf8() + " /add %f\n"));
  EXPECT_TRUE(shell.FileTypeRegistered(".MP3"));
  EXPECT_TRUE(shell.VerbsRegistered());
  EXPECT_TRUE(shell.DvdRegistered());

  // Every other line is still there, in its place and with its bytes.
  QList<QByteArray> expected = kForeignMimeApps.split('\n');
  for (const QByteArray& line : kReplaced) {
    expected.removeOne(line);
  }
  const QByteArray registered = ReadBytes(places_.MimeAppsList());
  EXPECT_EQ(ForeignLines(registered), expected);
  EXPECT_TRUE(registered.contains("\naudio/mpeg=zephonic.desktop;\n"));

  ASSERT_TRUE(shell.UnregisterAllFileTypes());
  ASSERT_TRUE(shell.UnregisterVerbs());
  ASSERT_TRUE(shell.UnregisterDvd());
  EXPECT_FALSE(shell.FileTypeRegistered(".MP3"));
  EXPECT_FALSE(shell.VerbsRegistered());
  EXPECT_FALSE(shell.DvdRegistered());
  ExpectForeignFilesUnchanged();
  EXPECT_EQ(QueryDefault("audio/mpeg").toStdString(), "otherplayer.desktop");
}

TEST_F(ShellTest, RegisteringTwiceKeepsTheFirstBackup) {
  WriteForeignFiles();
  TZShellRegistration shell(places_, language_);
  ASSERT_TRUE(shell.RegisterFileType(".MP3"));
  ASSERT_TRUE(shell.RegisterFileType(".MP3"));
  ASSERT_TRUE(shell.UnregisterFileType(".MP3"));
  ExpectForeignFilesUnchanged();
}

TEST_F(ShellTest, ChosenTypesComeAndGoOneByOne) {
  TZShellRegistration shell(places_, language_);
  ASSERT_TRUE(shell.RegisterFileTypes({".MP3", ".OGG"}));
  ExpectValid(places_.DesktopEntry());
  EXPECT_TRUE(
      ReadBytes(places_.DesktopEntry()).contains("\nExec=" + places_.Program.toUtf8() + " %F\n"));
  EXPECT_TRUE(shell.FileTypeRegistered(".MP3"));
  EXPECT_TRUE(shell.FileTypeRegistered(".OGG"));
  EXPECT_FALSE(shell.FileTypeRegistered(".WAV"));
  EXPECT_FALSE(shell.VerbsRegistered());
  ASSERT_TRUE(shell.UnregisterFileType(".MP3"));
  EXPECT_FALSE(shell.FileTypeRegistered(".MP3"));
  EXPECT_TRUE(shell.FileTypeRegistered(".OGG"));
  EXPECT_EQ(QueryDefault("audio/ogg").toStdString(), "zephonic.desktop");
  EXPECT_TRUE(QueryDefault("audio/mpeg").isEmpty());
  ASSERT_TRUE(shell.UnregisterFileType(".OGG"));
  // The program wrote the whole file and its section: nothing of it stays.
  EXPECT_FALSE(QFileInfo::exists(places_.MimeAppsList()));
  EXPECT_FALSE(QFileInfo::exists(places_.DesktopEntry()));
}

TEST_F(ShellTest, PlaylistsAndSkinsGetTypesOfTheirOwn) {
  TZShellRegistration shell(places_, language_);
  ASSERT_TRUE(shell.RegisterFileType(".ZPL"));
  EXPECT_TRUE(shell.FileTypeRegistered(".zpl"));
  EXPECT_FALSE(shell.FileTypeRegistered(".ZSKZ"));
  const QByteArray package = ReadBytes(places_.MimePackage());
  EXPECT_TRUE(package.contains("<mime-type type=\"application/x-zephonic-playlist\">"));
  EXPECT_TRUE(package.contains("<glob pattern=\"*.zskz\"/>"));
  // The desktop's tool took the package in.
  EXPECT_TRUE(QFileInfo::exists(places_.DataHome + "/mime/application/x-zephonic-playlist.xml"));
  EXPECT_EQ(QueryDefault("application/x-zephonic-playlist").toStdString(), "zephonic.desktop");
  ASSERT_TRUE(shell.RegisterFileType(".ZSKZ"));
  ASSERT_TRUE(shell.UnregisterFileType(".ZPL"));
  EXPECT_TRUE(QFileInfo::exists(places_.MimePackage()));
  ASSERT_TRUE(shell.UnregisterFileType(".ZSKZ"));
  EXPECT_FALSE(QFileInfo::exists(places_.MimePackage()));
}

TEST_F(ShellTest, ADefaultTheUserChoseLaterIsNotTouched) {
  WriteForeignFiles();
  TZShellRegistration shell(places_, language_);
  ASSERT_TRUE(shell.RegisterFileType(".MP3"));
  QByteArray changed = ReadBytes(places_.MimeAppsList());
  changed.replace("audio/mpeg=zephonic.desktop;", "audio/mpeg=newplayer.desktop;");
  WriteBytes(places_.MimeAppsList(), changed);
  EXPECT_FALSE(shell.FileTypeRegistered(".MP3"));
  ASSERT_TRUE(shell.UnregisterFileType(".MP3"));
  EXPECT_EQ(ReadBytes(places_.MimeAppsList()), changed);
  EXPECT_FALSE(QFileInfo::exists(places_.DefaultsBackup()));
}

TEST_F(ShellTest, UnreadableDefaultsAreNeverWrittenOver) {
  // A folder in the list's place cannot be read, whoever runs the test.
  ASSERT_TRUE(QDir().mkpath(places_.MimeAppsList()));
  TZShellRegistration shell(places_, language_);
  EXPECT_FALSE(shell.RegisterFileType(".MP3"));
  EXPECT_TRUE(QFileInfo(places_.MimeAppsList()).isDir());
  EXPECT_FALSE(QFileInfo::exists(places_.DefaultsBackup()));
  EXPECT_FALSE(shell.FileTypeRegistered(".MP3"));
}

TEST_F(ShellTest, ActionsRunTheProgramWithTheCommandForms) {
  places_.Program = home_.path() + "my player/100% zephonic";
  language_.SetText(38, "Abspielen");
  TZShellRegistration shell(places_, language_);
  ASSERT_TRUE(shell.RegisterFileType(".MP3"));
  ASSERT_TRUE(shell.RegisterDvd());
  ExpectValid(places_.DesktopEntry());
  ExpectValid(places_.DvdDesktopEntry());
  const QString quoted = "\"" + home_.path() + "my player/100%% zephonic\"";
  const QByteArray entry = ReadBytes(places_.DesktopEntry());
  EXPECT_TRUE(entry.contains(("\nExec=" + quoted + " %F\n").toUtf8()));
  EXPECT_TRUE(entry.contains(("\nName=Abspielen\nExec=" + quoted + " /play %F\n").toUtf8()));
  EXPECT_TRUE(entry.contains(("\nName=Add to Zephonic\nExec=" + quoted + " /add %F\n").toUtf8()));
  EXPECT_TRUE(
      ReadBytes(places_.DvdDesktopEntry()).contains(("\nExec=" + quoted + " /dvd %f\n").toUtf8()));
}

// The exit code of the real program run with one argument; its error output in *errors.
int RunProgramWith(const QProcessEnvironment& environment, const QString& argument,
                   QByteArray* errors = nullptr) {
  QProcess process;
  process.setProcessEnvironment(environment);
  process.start(ZEPHONIC_PROGRAM, {argument});
  EXPECT_TRUE(process.waitForFinished(60000));
  EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
  if (errors) {
    *errors = process.readAllStandardError();
  }
  return process.exitCode();
}

TEST_F(ShellTest, TheProgramRegistersAndUnregistersThenEnds) {
  WriteForeignFiles();
  const auto run = [this](const QString& argument) {
    return RunProgramWith(Environment(), argument);
  };
  ASSERT_EQ(run("/register"), 0);
  ExpectValid(places_.DesktopEntry());
  EXPECT_EQ(QueryDefault("audio/mpeg").toStdString(), "zephonic.desktop");
  EXPECT_TRUE(QFileInfo::exists(places_.FolderActions()));
  EXPECT_TRUE(
      ReadBytes(places_.DesktopEntry()).contains(QFileInfo(ZEPHONIC_PROGRAM).fileName().toUtf8()));
  // Registering is all the program did: no log, no configuration in its folder.
  EXPECT_FALSE(QFileInfo::exists(home_.file("data/config.zcfg")));

  ASSERT_EQ(run("/unregister"), 0);
  ExpectForeignFilesUnchanged();
  EXPECT_EQ(QueryDefault("audio/mpeg").toStdString(), "otherplayer.desktop");
}

TEST_F(ShellTest, RegisterWritesTheFolderActionsEvenWhenTheFileTypesFail) {
  // A folder in the defaults' place: the file types cannot be made the user's defaults.
  ASSERT_TRUE(QDir().mkpath(places_.MimeAppsList()));
  QByteArray errors;
  EXPECT_EQ(RunProgramWith(Environment(), "/register", &errors), 1);
  EXPECT_TRUE(errors.contains("/register failed")) << errors.toStdString();
  EXPECT_TRUE(QFileInfo::exists(places_.FolderActions()));
  EXPECT_TRUE(QFileInfo::exists(places_.DesktopEntry()));
}

}  // namespace
