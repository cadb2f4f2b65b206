#pragma once
// Putting media into the playlist: every source (files, folders, drops, the command line, CDs
// and DVDs) ends in AddPath, which tells playlists from media and gives each new entry its
// caption, track and time.

#include <QString>
#include <QStringList>
#include <functional>

class TZPlaylist;
struct TZConfig;

// Caption ("Artist - Title") and track of a file's tags: ID3 for ".mp3", APE for ".mpc" and
// ".ape"; empty and "00" when there are none.
QString TagCaption(const QString& path);
QString TagTrack(const QString& path);

// The caption of a path without tags: the file name without its extension, or for DVD files
// "[ DVD ]", "[ DVD: label ]", "[ DVD Directory: folder ]" or "[ DVD File: name ]".
QString DefaultCaption(const QString& path);

// Appends to *list the files of `folder` that match `mask` ("*.*" = every file), in the order
// the file system gives them, then with `recursive` those of each sub-folder that is not hidden,
// depth first. Folders that cannot be listed contribute nothing.
void ScanFolder(const QString& folder, const QString& mask, bool recursive, QStringList* list);

class TZMediaAdder {
 public:
  // `showTitle` receives the texts shown in the title line while long work runs.
  TZMediaAdder(TZPlaylist& playlist, const TZConfig& config,
               std::function<void(const QString&)> showTitle = {});

  // Adds one path: a playlist file (with "OFAReadPlaylistFiles") is read and appended, giving
  // false; a medium of a known kind is appended, giving true; anything else is not added.
  bool AddPath(const QString& path);
  // Every file of the folder's recursive scan; returns the number of entries added.
  int AddFolder(const QString& folder);
  // The tracks of an audio CD (a drive or a CD image); data tracks are skipped.
  int AddCdTracks(const QString& drive);
  // A disc's entry: its DVD, VCD or SVCD, else its audio tracks. Returns the entries added.
  int AddDisc(const QString& drive, const QString& label);
  // Re-reads caption and track of every entry from its tags (".mp3" and ".mpc").
  void RefreshTags();

 private:
  void ShowTitle(const QString& text) const;

  TZPlaylist& playlist_;
  const TZConfig& config_;
  std::function<void(const QString&)> showTitle_;
};

// The filter of the "Add files..." dialog, built from the media tables, in the form Qt's file
// dialogs take: "All media files (*.WAV *.MP1 ...);;Audio streams (...);;...".
QString AddFilesFilter();
