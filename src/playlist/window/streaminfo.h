#pragma once
// The read-only description of a media file's streams shown by the item editor: its length and
// one line per stream with the stream's kind and format, read through FFmpeg.

#include <QString>

// Empty for ".mpc" files and for files without streams; "Not supported mediafile or codec not
// found." when the file cannot be opened; "Can´t read fileinformation." when it opens but its
// streams cannot be read. Every line ends with a line break.
QString DescribeMediaFile(const QString& fileName);

// A number with three decimals when it is not whole, else without any.
QString FormatMeasure(double value);
