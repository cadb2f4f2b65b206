#pragma once
// Playlist files: the program's own fixed-record ".zpl" (read and written) and the foreign text
// formats ".pls" and ".m3u" (read only).
//
// ".zpl": a signed 32-bit little-endian count N, then N records of 524 bytes holding four
// length-prefixed 8-bit fields: Caption (256), Time (9), FileName (256), Track (3). Texts are
// written as UTF-8, cut at a whole character when the UTF-8 form is longer than the field, and
// read as UTF-8 when valid, else Windows-1252 (files made on the other system).

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include "playlist/playlist.h"

enum TPlaylistFormat { pfNone = 0, pfZpl, pfPls, pfM3u };

// The format chosen by the extension, ignoring case; pfNone for anything else.
TPlaylistFormat PlaylistFormatOf(const QString& fileName);
inline bool IsPlaylistFile(const QString& fileName) {
  return PlaylistFormatOf(fileName) != pfNone;
}

enum TPlaylistReadResult {
  prLoaded,     // read; the caller redraws and, with AutoPlay, starts PlayCursorEntry when idle
  prUnchanged,  // nothing to do (".pls" with no entries, or an invalid ".pls" already reported)
  prFailed,     // the file could not be opened or is not a playlist: the playlist is unchanged
                // (a read error midway keeps the entries read before it)
};

// Reads a playlist file of any of the three formats into the playlist (after "Clear playlist"
// when clearFirst). Never starts playback. errorText, when given, receives why it failed.
TPlaylistReadResult ReadPlaylistFile(const QString& fileName, TZPlaylist& playlist, bool clearFirst,
                                     QString* errorText = nullptr);

TPlaylistReadResult ReadZplFile(const QString& fileName, TZPlaylist& playlist, bool clearFirst,
                                QString* errorText = nullptr);
TPlaylistReadResult ReadPlsFile(const QString& fileName, TZPlaylist& playlist, bool clearFirst,
                                QString* errorText = nullptr);
TPlaylistReadResult ReadM3uFile(const QString& fileName, TZPlaylist& playlist, bool clearFirst,
                                QString* errorText = nullptr);

// Reads the ".zpl" playlist the program keeps between runs, after clearing the playlist. A
// file that is not whole (too short for its count, a negative count, unreadable) fails the read,
// and a copy of it is first kept beside it as "<name>.damaged", so that the next save cannot
// lose what it holds.
TPlaylistReadResult ReadDefaultPlaylist(const QString& fileName, TZPlaylist& playlist,
                                        QString* errorText = nullptr);

// Writes the playlist as ".zpl" (whatever the extension) through a temporary file renamed over
// the old one. False on any failure; the previous file is then left whole.
bool WriteZplFile(const QString& fileName, const TZPlaylist& playlist);

// The same formats on bytes and lines already in memory (the file functions use these).
QByteArray EncodeZpl(const TZPlaylist& playlist);
// False when the data is too short to hold the count. A truncated file yields its whole records.
bool DecodeZpl(QByteArrayView data, TZPlaylist& playlist, bool clearFirst);
// False when the lines are not a ".pls" playlist (reported as warning 1050 by the file reader).
bool ParsePls(const QStringList& lines, TZPlaylist& playlist, bool clearFirst, bool* changed);
void ParseM3u(const QStringList& lines, TZPlaylist& playlist, bool clearFirst);

inline constexpr int kZplRecordSize = 524;
