#pragma once
// Mapping between Qt's keys and the Windows virtual-key codes that the hotkey table stores.
// Qt reports the key after the keyboard layout (Qt::Key_Udiaeresis on a German keyboard,
// Qt::Key_BracketLeft on a US one); both land on the same virtual key, the key's position.
// Keys of the numeric keypad carry Qt::KeypadModifier.

#include <QKeyCombination>
#include <cstdint>

struct TZKeyStroke {
  std::uint16_t Key = 0;       // virtual-key code; 0 when the key has none
  std::uint8_t Modifiers = 0;  // THotKeyModifier bits
  bool operator==(const TZKeyStroke&) const = default;
};

// The virtual-key code of a Qt key, 0 when it has none.
std::uint16_t VirtualKeyFromQt(Qt::Key key, Qt::KeyboardModifiers modifiers);
// The Qt key of a virtual-key code (with Qt::KeypadModifier for keypad keys), Qt::Key_unknown
// when none.
QKeyCombination QtKeyFromVirtualKey(std::uint16_t key);

std::uint8_t HotKeyModifiersFromQt(Qt::KeyboardModifiers modifiers);
Qt::KeyboardModifiers QtModifiersFromHotKey(std::uint8_t modifiers);

// A key press as Qt reports it, to what the table stores, and back.
TZKeyStroke KeyStrokeFromQt(QKeyCombination key);
QKeyCombination QtKeyFromKeyStroke(const TZKeyStroke& stroke);
