#pragma once
// How an entry is played, decided from its path or URL alone, and the tables of file
// extensions behind that decision (also used by the shell registration and the file-type list).

#include <QString>
#include <span>

enum TMediaKind {
  mkUnknown = 0,        // not playable
  mkBassStream = 1,     // sound stream from a file
  mkBassUrlStream = 2,  // internet sound stream (http, https)
  mkVideo = 3,          // filter graph, video file
  mkAudio = 4,          // filter graph, audio file
  mkVideoStream = 5,    // filter graph, network stream
  mkDvd = 6,            // DVD playback
  mkMusicCd = 7,        // audio CD track
};

// One row of a media table. Row 0 of every table is a group row: its Extension holds the group
// name (longer than five characters, so it never matches) and the other fields are empty.
struct TMediaTableRow {
  const char* Extension;  // upper case, with the dot
  const char* Icon;       // file name in data/icons/
  const char* Description;
};

std::span<const TMediaTableRow> BassStreamTable();
std::span<const TMediaTableRow> DirectShowAudioTable();
std::span<const TMediaTableRow> DirectShowVideoTable();
std::span<const TMediaTableRow> DvdTable();
std::span<const TMediaTableRow> CdTable();
std::span<const TMediaTableRow> PlaylistTable();  // not a media kind: ".ZPL", ".M3U", ".PLS"

// Whether a path is a web address the sound library streams: "http://" or "https://", ignoring
// case.
bool IsHttpUrl(const QString& path);
// Whether it is an "mms://" address, ignoring case.
bool IsMmsUrl(const QString& path);

// The kind of a local path, a CD/DVD path or a URL. Never cached: cheap enough to call per repaint.
TMediaKind ClassifyMedia(const QString& path);

// The extension of a path with its dot, taken from the last "." after the last "/", "\" or ":";
// empty when there is none.
QString MediaExtension(const QString& path);
// The same without a copy: a view into `path`.
QStringView MediaExtensionView(QStringView path);

// Kinds played as video (3, 5, 6) and as audio (1, 2, 4, 7).
bool IsVideoKind(TMediaKind kind);
bool IsAudioKind(TMediaKind kind);
