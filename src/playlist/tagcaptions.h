#pragma once
// Playlist captions and track numbers taken from a file's tags.

#include <QString>

// "Artist - Title" from the ID3v2 tag, else from the ID3v1 tag; empty when neither has both.
QString ID3Caption(const QString& fileName);
// "Artist - Title" from the APE tag; empty when it lacks either.
QString APECaption(const QString& fileName);
// The ID3v2 track ("0" when the tag has none), else the ID3v1 track, else "00".
QString ID3Track(const QString& fileName);
// The APE track in decimal, else "00".
QString APETrack(const QString& fileName);
