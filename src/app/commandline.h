#pragma once
// The command line: what a joined argument text asks for, and carrying it out on the main
// window. The same text arrives from the program's own arguments and from a second start.

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class TZMainWindow;

// The arguments joined by single blanks ("" when there are none).
QString JoinParameters(const QStringList& arguments);

// A second start runs in its own working folder: every argument that names an existing file or
// folder relative to it becomes absolute, so the first instance finds the same thing.
QStringList AbsoluteArguments(const QStringList& arguments, const QString& workingFolder);

// The argument of a "/play", "/add" or "/dvd" form: the text after the last occurrence of the
// word that stands alone (at the start or after a blank, and followed by a blank or the end),
// without the blank after it. Paths full of "/" never hold such a word.
std::optional<QString> FormArgument(const QString& text, const QString& word);

enum TZParameterAction {
  paReadPlaylist,  // a ".zpl", ".pls" or ".m3u" file
  paInstallSkin,   // a ".zskz" package
  paPlayFile,      // any other existing file: replaces the playlist and plays
  paExit,
  paPlayFolder,
  paPlayPath,  // "/play" with a file
  paAddFolder,
  paAddPath,  // "/add" with a file
  paDvd,
  // The steps of several paths given one an argument, as file managers pass the files chosen.
  paClearPlaylist,
  paAppendPlaylist,  // a playlist file among them: its entries are appended
  paPlayFirst,
};

struct TZParameterCommand {
  TZParameterAction Action;
  QString Path;
  bool operator==(const TZParameterCommand&) const = default;
};

// What a joined text asks for, in the order it is carried out; empty when it names nothing.
std::vector<TZParameterCommand> ParseParameter(const QString& text);

// What the arguments of a start ask for: their joined text, or when that names nothing, each
// argument as a path of its own (after an optional "/play" or "/add"), so that "a.mp3 b.mp3"
// and "/play a.mp3 b.mp3" put both files into the playlist. Without "/add" the playlist is
// replaced and its first entry plays. Paths that do not exist are left out.
std::vector<TZParameterCommand> ParseArguments(const QStringList& arguments);

// Carries out the arguments of a start on the main window (its playlist, player and windows).
void HandleParameter(const QStringList& arguments, TZMainWindow& main);

// The program's own arguments at the end of start-up.
void LoadFromParameters(const QStringList& arguments, TZMainWindow& main);
