#pragma once
// What the disc itself says before the navigator plays it: the titles of the disc's title table
// and their chapter counts, read from VIDEO_TS.IFO in a DVD folder or inside an ISO image.

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

// Reads `size` bytes at `offset`; fewer (or none) past the end.
using TZDiscReader = std::function<QByteArray(qint64 offset, int size)>;

// The chapter counts of the titles in the table of a VIDEO_TS.IFO (title 1 first); nothing when
// the bytes are not a video manager or the table lies outside them.
std::optional<std::vector<int>> DvdChapterCounts(const TZDiscReader& ifo);
// The bytes of VIDEO_TS/VIDEO_TS.IFO inside an ISO 9660 image; nothing when there is none.
std::optional<QByteArray> DvdIsoVideoManager(const TZDiscReader& image);

// The disc of a DVD entry: `path` names VIDEO_TS.IFO (or another file of the folder), the DVD
// folder, the folder holding VIDEO_TS, or an .iso image.
struct TZDvdDisc {
  QString Device;  // what the navigator opens: the disc root or the image
  bool Image = false;
};
std::optional<TZDvdDisc> DvdDiscOf(const QString& path);
// The chapter counts of that disc; empty when its table cannot be read.
std::vector<int> DvdDiscChapterCounts(const TZDvdDisc& disc);
