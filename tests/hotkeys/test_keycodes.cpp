// Mapping between Qt keys and the virtual-key codes of the hotkey file.
#include <gtest/gtest.h>

#include "hotkeys/hotkeys.h"
#include "hotkeys/keycodes.h"

TEST(KeyCodes, EveryDefaultBindingRoundTripsThroughQt) {
  const TZHotKeys defaults;
  for (const TZHotKeyEntry& entry : defaults.Entries()) {
    const TZKeyStroke stroke{entry.Key, entry.Modifiers};
    const QKeyCombination qt = QtKeyFromKeyStroke(stroke);
    EXPECT_NE(qt.key(), Qt::Key_unknown) << entry.Key;
    EXPECT_EQ(KeyStrokeFromQt(qt), stroke) << entry.Key;
  }
}

TEST(KeyCodes, QtKeysMapToTheirVirtualKeys) {
  EXPECT_EQ(KeyStrokeFromQt(Qt::AltModifier | Qt::Key_Return), (TZKeyStroke{13, hmAlt}));
  EXPECT_EQ(KeyStrokeFromQt(Qt::AltModifier | Qt::Key_F4), (TZKeyStroke{115, hmAlt}));
  EXPECT_EQ(KeyStrokeFromQt(Qt::ShiftModifier | Qt::ControlModifier | Qt::Key_Y),
            (TZKeyStroke{89, hmShift | hmCtrl}));
  // The keypad: digits and operators have codes of their own; Enter is Return.
  EXPECT_EQ(KeyStrokeFromQt(Qt::KeypadModifier | Qt::Key_5), (TZKeyStroke{101, 0}));
  EXPECT_EQ(KeyStrokeFromQt(Qt::KeypadModifier | Qt::Key_Plus), (TZKeyStroke{107, 0}));
  EXPECT_EQ(KeyStrokeFromQt(Qt::KeypadModifier | Qt::Key_Enter), (TZKeyStroke{13, 0}));
  EXPECT_EQ(KeyStrokeFromQt(Qt::KeypadModifier | Qt::Key_Up), (TZKeyStroke{38, 0}));
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Plus, {}), 187);
  // The same key position on a German and on a US keyboard.
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_ssharp, {}), 219);
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_BracketLeft, {}), 219);
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Udiaeresis, {}), 186);
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Semicolon, {}), 186);
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_MediaTogglePlayPause, {}), 179);
  // Modifier keys alone have codes; keys without one give 0.
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Control, Qt::ControlModifier), 17);
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_unknown, {}), 0);
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Exclam, {}), 0);
  // Meta is not one of the table's modifiers.
  EXPECT_EQ(HotKeyModifiersFromQt(Qt::MetaModifier | Qt::KeypadModifier), 0);
}

TEST(KeyCodes, EveryMappedVirtualKeyComesBack) {
  int mapped = 0;
  for (int vk = 1; vk <= 0xFF; ++vk) {
    const QKeyCombination qt = QtKeyFromVirtualKey(static_cast<std::uint16_t>(vk));
    if (qt.key() == Qt::Key_unknown) {
      continue;
    }
    ++mapped;
    EXPECT_EQ(VirtualKeyFromQt(qt.key(), qt.keyboardModifiers()), vk) << vk;
  }
  // Letters, digits, keypad digits, F-keys and the listed keys.
  EXPECT_GE(mapped, 26 + 10 + 10 + 24 + 50);
  EXPECT_EQ(QtKeyFromVirtualKey(108).key(), Qt::Key_unknown);
  EXPECT_EQ(QtKeyFromVirtualKey(187), QKeyCombination(Qt::Key_Plus));
  EXPECT_EQ(QtKeyFromVirtualKey(107), Qt::KeypadModifier | Qt::Key_Plus);
}
