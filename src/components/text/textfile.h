#pragma once
// Reading and writing the program's line-based text files.

#include <QByteArray>
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

// Writes lines in UTF-8, each ended by CR LF, atomically.
bool WriteTextLines(const QString& path, const QStringList& lines);
