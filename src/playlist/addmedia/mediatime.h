#pragma once
// Playing times of media files as the playlist shows them ("hh:mm:ss"), measured with the sound
// library.

#include <QString>
#include <cstdint>
#include <initializer_list>

inline const QString kNoTime = QStringLiteral("00:00:00");

// True when the extension (with its dot) is one of the list, ignoring case.
bool ExtensionIn(const QString& extension, std::initializer_list<const char*> list);

// Seconds rounded to the nearest whole second (halves to even), hours not wrapped.
QString DurationText(double seconds);
// Whole seconds of 44.1 kHz 16-bit stereo audio (CD tracks), truncated.
QString CdDurationText(int64_t bytes);

// The time of a file by its extension: streams (".mp1", ".mp2", ".mp3", ".ogg", ".wav", ".mpc")
// are opened and measured, tracker modules (".mod", ".xm", ".it", ".mtm", ".s3m") are played
// through for their length; anything else, or a file that fails, gives "00:00:00". Needs the
// sound library to be initialised.
QString MeasureMediaTime(const QString& path);
