#pragma once
// Key/value pairs of an internet stream: the ICY response headers ("icy-name:Radio One") and the
// metadata the server sends between the audio ("StreamTitle='Artist - Song';").

#include <QString>
#include <string>
#include <vector>

#include "components/sound/zsound.h"

struct TKey {
  QString Name;
  QString Value;
};
using TKeys = std::vector<TKey>;

// The library's NUL-separated texts as "a;b;" (empty when there are none).
QString ConvertTags(const std::string& tags);

// Appends the items of `text` (each ended by ";", name and value split at the first
// `separator`) to *keys, emptying the list first when `reset`. Items without a separator and
// items whose name or value is blank are dropped; a value in single quotes loses them.
void ParseTags(const QString& text, QChar separator, bool reset, TKeys* keys);

// Header keys, then metadata keys, of a stream channel.
TKeys ReadStreamKeys(ZSoundHandle channel);

// The value of the first key named `name` ignoring case; empty when there is none.
QString FindKey(const TKeys& keys, const QString& name);

// The recording's file name without extension: the format mask with every "%title%" (any case)
// replaced by the title, then the nine characters unsafe in file names replaced by "_".
QString RecordBaseName(const QString& formatMask, const QString& title);
