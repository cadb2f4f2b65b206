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
};

struct TZParameterCommand {
  TZParameterAction Action;
  QString Path;
  bool operator==(const TZParameterCommand&) const = default;
};

// What a joined text asks for, in the order it is carried out; empty when it names nothing.
std::vector<TZParameterCommand> ParseParameter(const QString& text);

// Carries out a joined text on the main window (its playlist, player and windows).
void HandleParameter(const QString& text, TZMainWindow& main);

// The program's own arguments at the end of start-up.
void LoadFromParameters(const QStringList& arguments, TZMainWindow& main);
