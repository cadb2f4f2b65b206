#pragma once
// Reading and writing the program's line-based text files.

#include <QByteArray>
#include <QSaveFile>
#include <QString>
#include <QStringList>

// Splits text at CR LF, LF or lone CR. A final line break does not make an empty last line.
QStringList SplitLines(const QString& text);

// Reads a whole text file and splits it into lines (see DecodeText for the encoding).
// Returns false when the file cannot be opened or read.
bool ReadTextLines(const QString& path, QStringList* lines);

// Replaces a file's contents through a temporary file renamed over it, so a failed or
// interrupted write leaves the previous file whole. Returns false on any failure.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes);

// Finishes a write through QSaveFile: renames the file over the old one only when all `size`
// bytes reached the disk, else drops it. A write cut short by a full disk or a file size limit
// can look complete to the buffered writer, so the size on disk decides.
bool CommitComplete(QSaveFile& file, qint64 size);

// Writes lines in UTF-8, each ended by CR LF, atomically.
bool WriteTextLines(const QString& path, const QStringList& lines);
