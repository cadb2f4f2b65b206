#pragma once
// The hotkey table: keys (with Shift, Alt, Ctrl) bound to player actions, each binding local
// (only while a window of the program has the focus) or system-wide. Kept in the binary file
// "hotkeys.zkeys"; key codes are Windows virtual-key codes so files stay exchangeable (see
// keycodes.h for the mapping from and to Qt keys).

#include <QList>
#include <QString>
#include <cstdint>
#include <memory>

#include "hotkeys/hotkeyactions.h"

// Bits of an entry's modifier set.
enum THotKeyModifier : std::uint8_t { hmShift = 1, hmAlt = 2, hmCtrl = 4 };

struct TZHotKeyEntry {
  std::uint16_t Key = 0;       // Windows virtual-key code
  std::uint8_t Modifiers = 0;  // THotKeyModifier bits
  std::uint8_t Action = 0;     // THotKeyAction code
  bool SystemWide = false;
  bool operator==(const TZHotKeyEntry&) const = default;
};

class TZHotKeys {
 public:
  // Starts with the default table.
  TZHotKeys();

  // Empties the table and adds the default entries.
  void SetDefaults();
  void Clear() { entries_.clear(); }

  int Count() const { return static_cast<int>(entries_.size()); }
  // The entry, or an all-zero entry for an index outside the table.
  TZHotKeyEntry Entry(int index) const;
  const QList<TZHotKeyEntry>& Entries() const { return entries_; }

  void Add(std::uint16_t key, std::uint8_t modifiers, bool systemWide, std::uint8_t action);
  // Overwrites an entry; an index outside the table does nothing.
  void Change(int index, std::uint16_t key, bool systemWide, std::uint8_t action,
              std::uint8_t modifiers);
  // Removes an entry, the following ones move up; an index outside the table does nothing.
  void Delete(int index);

  // True when any entry has this key, whatever its modifiers.
  bool KeyUsed(std::uint16_t key) const;
  // Indices of the entries with exactly this key and these modifiers, in table order: the
  // entries a key press fires.
  QList<int> Matching(std::uint16_t key, std::uint8_t modifiers) const;

  // Reads "hotkeys.zkeys". False when the file cannot be opened (the table stays as it is), or
  // when its count is negative or larger than the entries it holds (the table then holds the
  // entries read so far).
  bool LoadFromFile(const QString& path);
  // Writes the table through a temporary file renamed over the old one.
  bool SaveToFile(const QString& path) const;

  // The file's bytes, and the table from bytes (same result as LoadFromFile).
  QByteArray ToBytes() const;
  bool FromBytes(const QByteArray& bytes);

  // Display name of a virtual-key code: "Return", "F4", or the character with that code.
  static QString KeyName(std::uint16_t key);
  // "Alt + ", then "Shift + ", then "Ctrl + ", for the bits that are set.
  static QString ModifierPrefix(std::uint8_t modifiers);

 private:
  QList<TZHotKeyEntry> entries_;
};

// The program's hotkey table, or null before start-up created it and after shutdown freed it.
TZHotKeys* HotKeys();
void SetHotKeys(std::unique_ptr<TZHotKeys> table);
