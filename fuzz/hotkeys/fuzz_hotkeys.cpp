// Any bytes as "hotkeys.zkeys": reading must not fail or allocate beyond the input, and the
// table read must survive being written and read again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "hotkeys/hotkeys.h"
#include "hotkeys/keycodes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TZHotKeys table;
  table.FromBytes(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  if (static_cast<size_t>(table.Count()) > size / 6) {
    std::abort();
  }

  for (const TZHotKeyEntry& entry : table.Entries()) {
    // Every key that is set has a name to show.
    if (entry.Key != 0 && TZHotKeys::KeyName(entry.Key).isEmpty()) {
      std::abort();
    }
    const TZKeyStroke stroke{entry.Key, entry.Modifiers};
    const QKeyCombination qt = QtKeyFromKeyStroke(stroke);
    if (qt.key() != Qt::Key_unknown && KeyStrokeFromQt(qt).Key != entry.Key) {
      std::abort();
    }
  }

  TZHotKeys reread;
  if (!reread.FromBytes(table.ToBytes()) || reread.Entries() != table.Entries()) {
    std::abort();
  }
  return 0;
}
