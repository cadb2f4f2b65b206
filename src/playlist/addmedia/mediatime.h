#pragma once
// Playing times of media files as the playlist shows them ("hh:mm:ss"), measured with the sound
// library.

#include <QString>
#include <cstdint>

inline const QString kNoTime = QStringLiteral("00:00:00");

// Seconds rounded to the nearest whole second (halves to even), hours not wrapped.
QString DurationText(double seconds);
// Whole seconds of 44.1 kHz 16-bit stereo audio (CD tracks), truncated.
QString CdDurationText(int64_t bytes);

// The time of a file by its extension: streams (".mp1", ".mp2", ".mp3", ".ogg", ".wav", ".mpc")
// are opened and measured, tracker modules (".mod", ".xm", ".it", ".mtm", ".s3m") are played
// through for their length; anything else, or a file that fails, gives "00:00:00". Needs the
// sound library to be initialised.
QString MeasureMediaTime(const QString& path);
