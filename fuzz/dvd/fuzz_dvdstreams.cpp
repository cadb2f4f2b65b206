// Stream announcements of any shape: at most 8 audio and 32 subpicture streams, and every name
// shown for a language is a non-empty text.
#include <QString>
#include <cstdint>
#include <cstdlib>

#include "playback/dvd/dvdlanguages.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString text =
      QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const TZDvdStreams streams = DvdStreamsOf(text);
  if (streams.Audio.size() > 8 || streams.Subpicture.size() > 32) {
    abort();
  }
  for (const auto* list : {&streams.Audio, &streams.Subpicture}) {
    for (const TZDvdStream& stream : *list) {
      if (DvdLanguageName(stream.Language, QStringLiteral("Track")).isEmpty()) {
        abort();
      }
    }
  }
  return 0;
}
