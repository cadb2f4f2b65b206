// Any bytes as the user's "mimeapps.list" and as the program's backup of replaced defaults:
// untouched lists write back byte for byte, taking a default over and putting the old line back
// restores the file, and a backup read back from what it writes is the same backup.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "desktop/shellmimeapps.h"

namespace {

void CheckTakeOverAndRestore(QByteArrayView bytes, QByteArrayView type) {
  TZMimeAppsList list(bytes);
  if (!list.HasDefaultSection()) {
    return;
  }
  const QByteArray previous = list.DefaultLine(type);
  const QByteArray ours = type.toByteArray() + "=zephonic.desktop;";
  list.SetDefaultLine(type, ours);
  if (list.DefaultLine(type) != ours || list.DefaultValue(type) != "zephonic.desktop;") {
    std::abort();
  }
  list.SetDefaultLine(type, previous);
  // A new line after a last line without a line end gives that line one; all else is restored.
  const bool endsInLineEnd = bytes.endsWith('\n') || bytes.endsWith('\r');
  if ((endsInLineEnd || !previous.isEmpty()) && list.Bytes() != bytes) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  if (TZMimeAppsList(bytes).Bytes() != bytes) {
    std::abort();
  }
  CheckTakeOverAndRestore(bytes, "audio/mpeg");
  CheckTakeOverAndRestore(bytes, "x-content/video-dvd");

  const TZDefaultsBackup backup = TZDefaultsBackup::Parse(bytes);
  const TZDefaultsBackup reread = TZDefaultsBackup::Parse(backup.Bytes());
  if (reread.Lines != backup.Lines || reread.SectionAdded != backup.SectionAdded) {
    std::abort();
  }
  return 0;
}
