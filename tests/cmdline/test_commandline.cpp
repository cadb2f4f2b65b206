// What a joined command line asks for.
#include <gtest/gtest.h>

#include <QDir>

#include "app/commandline.h"
#include "testsupport.h"

// Found by the test framework next to the type it prints.
void PrintTo(const TZParameterCommand& command, std::ostream* out);
void PrintTo(const TZParameterCommand& command, std::ostream* out) {
  *out << "{" << int(command.Action) << ", " << command.Path.toStdString() << "}";
}

namespace {

using Commands = std::vector<TZParameterCommand>;

}  // namespace

TEST(FormArgument, WordsStandAloneOnly) {
  // A path full of "/" is not a form.
  EXPECT_EQ(FormArgument("/home/u/playlists/a.mp3", "/play"), std::nullopt);
  EXPECT_EQ(FormArgument("/srv/addons/x.mp3", "/add"), std::nullopt);
  EXPECT_EQ(FormArgument("/media/dvdrw/", "/dvd"), std::nullopt);
  EXPECT_EQ(FormArgument("/play /home/u/playlists/a.mp3", "/play"), "/home/u/playlists/a.mp3");
  EXPECT_EQ(FormArgument("x /add /data/my music", "/add"), "/data/my music");
  // The last stand-alone word counts; one inside a path after it does not.
  EXPECT_EQ(FormArgument("/add /a /add /b/add", "/add"), "/b/add");
  EXPECT_EQ(FormArgument("/play", "/play"), "");
  EXPECT_EQ(FormArgument("", "/play"), std::nullopt);
}

TEST(ParseParameter, FilesFoldersAndForms) {
  ScratchFolder scratch;
  WriteBytes(scratch.file("music/song.mp3"), "x");
  WriteBytes(scratch.file("music/LIST.M3U"), "x");
  WriteBytes(scratch.file("music/list.zpl"), "x");
  WriteBytes(scratch.file("skins/Blue.zskz"), "x");
  const QString folder = scratch.file("music");
  const QString song = scratch.file("music/song.mp3");

  EXPECT_EQ(ParseParameter(song), (Commands{{paPlayFile, song}}));
  EXPECT_EQ(ParseParameter(scratch.file("music/LIST.M3U")),
            (Commands{{paReadPlaylist, scratch.file("music/LIST.M3U")}}));
  EXPECT_EQ(ParseParameter(scratch.file("music/list.zpl")),
            (Commands{{paReadPlaylist, scratch.file("music/list.zpl")}}));
  EXPECT_EQ(ParseParameter(scratch.file("skins/Blue.zskz")),
            (Commands{{paInstallSkin, scratch.file("skins/Blue.zskz")}}));
  EXPECT_EQ(ParseParameter("Exit"), (Commands{{paExit, ""}}));
  EXPECT_EQ(ParseParameter("exit"), Commands{});
  EXPECT_EQ(ParseParameter("/play " + folder), (Commands{{paPlayFolder, folder}}));
  EXPECT_EQ(ParseParameter("/play " + song), (Commands{{paPlayPath, song}}));
  EXPECT_EQ(ParseParameter("/add " + folder), (Commands{{paAddFolder, folder}}));
  EXPECT_EQ(ParseParameter("/add " + song), (Commands{{paAddPath, song}}));
  // Names that do not exist do nothing.
  EXPECT_EQ(ParseParameter("/add " + scratch.file("missing")), Commands{});
  EXPECT_EQ(ParseParameter(scratch.file("missing.mp3")), Commands{});
  // A folder named like a form is still a folder.
  WriteBytes(scratch.file("play lists/play/a.mp3"), "x");
  EXPECT_EQ(ParseParameter("/add " + scratch.file("play lists/play")),
            (Commands{{paAddFolder, scratch.file("play lists/play")}}));
}

TEST(ParseParameter, DvdRootGetsItsVideoFolder) {
  EXPECT_EQ(ParseParameter("/dvd /media/cdrom"),
            (Commands{{paDvd, "/media/cdrom/VIDEO_TS/VIDEO_TS.IFO"}}));
  EXPECT_EQ(ParseParameter("/dvd /media/cdrom/"),
            (Commands{{paDvd, "/media/cdrom/VIDEO_TS/VIDEO_TS.IFO"}}));
  EXPECT_EQ(ParseParameter("/dvd D:\\"), (Commands{{paDvd, "D:\\VIDEO_TS/VIDEO_TS.IFO"}}));
}

TEST(CommandLine, SecondStartMakesRelativePathsAbsolute) {
  ScratchFolder scratch;
  WriteBytes(scratch.file("here/a.mp3"), "x");
  QDir().mkpath(scratch.file("here/sub"));
  const QStringList arguments = {"/add", "sub", "a.mp3", "Exit", "nothing.mp3", "/abs/b.mp3"};
  EXPECT_EQ(AbsoluteArguments(arguments, scratch.file("here")),
            (QStringList{"/add", scratch.file("here/sub"), scratch.file("here/a.mp3"), "Exit",
                         "nothing.mp3", "/abs/b.mp3"}));
  EXPECT_EQ(JoinParameters({"/play", "/x/my song.mp3"}), "/play /x/my song.mp3");
  EXPECT_EQ(JoinParameters({}), "");
}

TEST(ParseArguments, SeveralPathsAsTheDesktopPassesThem) {
  ScratchFolder scratch;
  WriteBytes(scratch.file("a.mp3"), "x");
  WriteBytes(scratch.file("my song.mp3"), "x");
  WriteBytes(scratch.file("LIST.M3U"), "x");
  QDir().mkpath(scratch.file("album"));
  const QString a = scratch.file("a.mp3");
  const QString song = scratch.file("my song.mp3");
  const QString list = scratch.file("LIST.M3U");
  const QString album = scratch.file("album");
  const QString missing = scratch.file("missing.mp3");

  const Commands replaced = {{paClearPlaylist, ""},    {paAddPath, a},       {paAddPath, song},
                             {paAppendPlaylist, list}, {paAddFolder, album}, {paPlayFirst, ""}};
  EXPECT_EQ(ParseArguments({a, song, missing, list, album}), replaced);
  EXPECT_EQ(ParseArguments({"/play", a, song, missing, list, album}), replaced);
  EXPECT_EQ(ParseArguments({"/add", song, a}), (Commands{{paAddPath, song}, {paAddPath, a}}));
  // The joined text comes first: a path split at its blank is still the one file.
  EXPECT_EQ(ParseArguments({"/play", scratch.file("my"), "song.mp3"}),
            (Commands{{paPlayPath, song}}));
  EXPECT_EQ(ParseArguments({a}), (Commands{{paPlayFile, a}}));
  EXPECT_EQ(ParseArguments({missing, scratch.file("gone.mp3")}), Commands{});
  EXPECT_EQ(ParseArguments({"/add", missing}), Commands{});
}
