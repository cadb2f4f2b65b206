// Stream headers and metadata of any shape, as the sound library hands them over.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "playback/streamtags.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string tags(reinterpret_cast<const char*>(data), size);
  const QString text = ConvertTags(tags);
  if (!text.isEmpty() && !text.endsWith(u';')) {
    abort();
  }
  TKeys keys;
  ParseTags(text, u':', true, &keys);
  ParseTags(text + u';', u'=', false, &keys);
  for (const TKey& key : keys) {
    if (key.Name.trimmed().isEmpty() || key.Value.trimmed().isEmpty() || key.Name.contains(u';')) {
      abort();
    }
  }
  const QString name =
      RecordBaseName(QStringLiteral("%title% - %TITLE%"), FindKey(keys, "StreamTitle"));
  for (QChar unsafe : QStringLiteral("\"*/:<>?\\|")) {
    if (name.contains(unsafe)) {
      abort();
    }
  }
  return 0;
}
