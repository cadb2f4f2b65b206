#pragma once
// The audio and subpicture streams the navigator announces for the title that plays (its
// "dvd-lang-codes" event) and the names the menus show for them.

#include <QString>
#include <vector>

struct TZDvdStream {
  int Id = 0;        // the stream's number on the disc
  QString Language;  // two-letter ISO 639-1 code; empty when the disc names none
  bool operator==(const TZDvdStream&) const = default;
};

struct TZDvdStreams {
  std::vector<TZDvdStream> Audio;
  std::vector<TZDvdStream> Subpicture;
  bool operator==(const TZDvdStreams&) const = default;
};

// The streams of an announcement in GStreamer's structure text; nothing listed when the text is
// not such an announcement.
TZDvdStreams DvdStreamsOf(const QString& announcement);
// The English name of a two-letter language code ("de": "German"); "Unknown (xx)" for a code no
// language has, and `fallback` when there is no code.
QString DvdLanguageName(const QString& code, const QString& fallback);
