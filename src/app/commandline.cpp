#include "app/commandline.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <exception>

#include "base/programpath.h"
#include "base/zdebug.h"
#include "playlist/addmedia/addmedia.h"
#include "playlist/playlist.h"
#include "playlist/playlistfiles.h"
#include "ui/mainwindow.h"

namespace {

bool IsBlank(QChar c) {
  return c == u' ';
}

QString DvdPath(const QString& root) {
  const QString separator = root.endsWith(u'/') || root.endsWith(u'\\') ? QString() : "/";
  return root + separator + QStringLiteral("VIDEO_TS/VIDEO_TS.IFO");
}

// A file named on the command line: the playlist formats and packed skins are read, anything
// else is played.
TZParameterCommand FileCommand(const QString& path) {
  const QString extension = QFileInfo(path).suffix().toLower();
  if (IsPlaylistFile(path)) {
    return {paReadPlaylist, path};
  }
  if (extension == QLatin1String("zskz")) {
    return {paInstallSkin, path};
  }
  return {paPlayFile, path};
}

// "/play" and "/add": a folder or a file that exists, else nothing.
void AddPathForm(const QString& text, const QString& word, TZParameterAction folderAction,
                 TZParameterAction fileAction, std::vector<TZParameterCommand>* commands) {
  const std::optional<QString> argument = FormArgument(text, word);
  if (!argument || argument->isEmpty()) {
    return;
  }
  const QFileInfo info(*argument);
  if (info.isDir()) {
    commands->push_back({folderAction, *argument});
  } else if (info.isFile()) {
    commands->push_back({fileAction, *argument});
  }
}

void InstallSkin(const QString& path, TZMainWindow& main) {
  ZLog(QStringLiteral("Load Skin from Parameter."));
  const QFileInfo info(path);
  const QString target = ProgramPath() + QStringLiteral("data/skins/") + info.fileName();
  // An installed package of the same name is never overwritten.
  if (!QFile::exists(target)) {
    QFile::copy(path, target);
  }
  if (QFile::exists(target)) {
    emit main.skinSelected(info.completeBaseName());
  }
}

void ReadPlaylist(const QString& path, TZMainWindow& main) {
  switch (PlaylistFormatOf(path)) {
    case pfPls:
      ZLog(QStringLiteral("Load ShoutCast Playlist from Parameter."));
      break;
    case pfM3u:
      ZLog(QStringLiteral("Load M3U Playlist from Parameter."));
      break;
    default:
      ZLog(QStringLiteral("Load Playlist from Parameter."));
      break;
  }
  main.LoadPlaylistFile(path);
}

// Replaces the playlist by one entry and plays it.
void ReplaceAndPlay(const QString& path, TZMainWindow& main) {
  TZPlaylist& playlist = main.Playlist();
  playlist.ClearPlaylist();
  main.Adder().AddPath(path);
  main.RedrawPlaylist();
  main.Player().FreeLastItem(false);
  main.Player().PlayEntry(0);
}

void Perform(const TZParameterCommand& command, TZMainWindow& main) {
  TZPlayer& player = main.Player();
  TZPlaylist& playlist = main.Playlist();
  switch (command.Action) {
    case paReadPlaylist:
      ReadPlaylist(command.Path, main);
      break;
    case paInstallSkin:
      InstallSkin(command.Path, main);
      break;
    case paPlayFile:
      ZLog(QStringLiteral("Add Filename '%1' from Parameter and Play.").arg(command.Path));
      playlist.ClearPlaylist();
      main.Adder().AddPath(command.Path);
      player.PlayEntry(playlist.Count() - 1);
      main.RedrawPlaylist();
      break;
    case paExit:
      main.Windows().Main->close();
      break;
    case paPlayFolder:
      playlist.ClearPlaylist();
      main.AddFolder(command.Path, true);
      break;
    case paPlayPath:
    case paDvd:
      ReplaceAndPlay(command.Path, main);
      break;
    case paAddFolder:
      main.AddFolder(command.Path, false);
      break;
    case paAddPath:
      main.Adder().AddPath(command.Path);
      main.RedrawPlaylist();
      break;
    case paClearPlaylist:
      playlist.ClearPlaylist();
      break;
    case paAppendPlaylist:
      ReadPlaylistFile(command.Path, playlist, false);
      main.RedrawPlaylist();
      break;
    case paPlayFirst:
      player.FreeLastItem(false);
      player.PlayEntry(0);
      break;
  }
}

// One path an argument: each that exists is appended, playlist files read as dropped ones are.
std::vector<TZParameterCommand> PathListCommands(QStringList paths) {
  const QString form = paths.value(0);
  const bool add = form == QLatin1String("/add");
  if (add || form == QLatin1String("/play")) {
    paths.removeFirst();
  }
  std::vector<TZParameterCommand> commands;
  for (const QString& path : paths) {
    const QFileInfo info(path);
    if (info.isDir()) {
      commands.push_back({paAddFolder, path});
    } else if (info.isFile()) {
      commands.push_back({IsPlaylistFile(path) ? paAppendPlaylist : paAddPath, path});
    }
  }
  if (commands.empty() || add) {
    return commands;
  }
  commands.insert(commands.begin(), {paClearPlaylist, QString()});
  commands.push_back({paPlayFirst, QString()});
  return commands;
}

}  // namespace

QString JoinParameters(const QStringList& arguments) {
  return arguments.join(u' ');
}

QStringList AbsoluteArguments(const QStringList& arguments, const QString& workingFolder) {
  const QDir folder(workingFolder);
  QStringList result;
  for (const QString& argument : arguments) {
    const bool relative = !argument.isEmpty() && QDir::isRelativePath(argument);
    if (relative && QFileInfo::exists(folder.filePath(argument))) {
      result << QDir::cleanPath(folder.absoluteFilePath(argument));
    } else {
      result << argument;
    }
  }
  return result;
}

std::optional<QString> FormArgument(const QString& text, const QString& word) {
  qsizetype from = text.size();
  while (from >= 0) {
    const qsizetype at = text.lastIndexOf(word, from);
    if (at < 0) {
      return std::nullopt;
    }
    const qsizetype end = at + word.size();
    const bool startsWord = at == 0 || IsBlank(text[at - 1]);
    const bool endsWord = end == text.size() || IsBlank(text[end]);
    if (startsWord && endsWord) {
      return text.mid(end + 1);
    }
    from = at - 1;
  }
  return std::nullopt;
}

std::vector<TZParameterCommand> ParseParameter(const QString& text) {
  const QFileInfo named(text);
  if (!text.isEmpty() && named.isFile()) {
    return {FileCommand(text)};
  }
  if (text == QLatin1String("Exit")) {
    return {{paExit, QString()}};
  }
  std::vector<TZParameterCommand> commands;
  AddPathForm(text, QStringLiteral("/play"), paPlayFolder, paPlayPath, &commands);
  AddPathForm(text, QStringLiteral("/add"), paAddFolder, paAddPath, &commands);
  if (const auto argument = FormArgument(text, QStringLiteral("/dvd"))) {
    commands.push_back({paDvd, DvdPath(*argument)});
  }
  return commands;
}

std::vector<TZParameterCommand> ParseArguments(const QStringList& arguments) {
  std::vector<TZParameterCommand> commands = ParseParameter(JoinParameters(arguments));
  if (commands.empty() && arguments.size() > 1) {
    return PathListCommands(arguments);
  }
  return commands;
}

void HandleParameter(const QStringList& arguments, TZMainWindow& main) {
  for (const TZParameterCommand& command : ParseArguments(arguments)) {
    Perform(command, main);
  }
}

void LoadFromParameters(const QStringList& arguments, TZMainWindow& main) {
  if (arguments.isEmpty()) {
    ZLog(QStringLiteral("No parameters found."));
    return;
  }
  try {
    HandleParameter(arguments, main);
  } catch (const std::exception&) {
    ZLog(QStringLiteral("Load from Parameters failed."));
  }
}
