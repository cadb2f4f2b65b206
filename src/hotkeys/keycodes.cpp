#include "hotkeys/keycodes.h"

#include "hotkeys/hotkeys.h"

namespace {

struct KeyPair {
  Qt::Key qt;
  bool keypad;
  std::uint16_t vk;
};

// Letters, digits and F-keys follow a pattern and are not listed. Where several Qt keys land on
// one virtual key, the first listed is the one a virtual key maps back to.
constexpr KeyPair kKeys[] = {
    {Qt::Key_Backspace, false, 8},
    {Qt::Key_Tab, false, 9},
    {Qt::Key_Backtab, false, 9},  // Shift + Tab
    {Qt::Key_Clear, false, 12},
    {Qt::Key_Return, false, 13},
    {Qt::Key_Enter, false, 13},
    {Qt::Key_Shift, false, 16},
    {Qt::Key_Control, false, 17},
    {Qt::Key_Alt, false, 18},
    {Qt::Key_AltGr, false, 18},
    {Qt::Key_Pause, false, 19},
    {Qt::Key_CapsLock, false, 20},
    {Qt::Key_Escape, false, 27},
    {Qt::Key_Space, false, 32},
    {Qt::Key_PageUp, false, 33},
    {Qt::Key_PageDown, false, 34},
    {Qt::Key_End, false, 35},
    {Qt::Key_Home, false, 36},
    {Qt::Key_Left, false, 37},
    {Qt::Key_Up, false, 38},
    {Qt::Key_Right, false, 39},
    {Qt::Key_Down, false, 40},
    {Qt::Key_Select, false, 41},
    {Qt::Key_Printer, false, 42},
    {Qt::Key_Execute, false, 43},
    {Qt::Key_Print, false, 44},  // the Print Screen key
    {Qt::Key_Insert, false, 45},
    {Qt::Key_Delete, false, 46},
    {Qt::Key_Help, false, 47},
    {Qt::Key_Super_L, false, 91},
    {Qt::Key_Super_R, false, 92},
    {Qt::Key_Menu, false, 93},
    {Qt::Key_Sleep, false, 95},
    {Qt::Key_Asterisk, true, 106},
    {Qt::Key_Plus, true, 107},
    {Qt::Key_Minus, true, 109},
    {Qt::Key_Period, true, 110},
    {Qt::Key_Comma, true, 110},  // the decimal key on layouts with a decimal comma
    {Qt::Key_Slash, true, 111},
    {Qt::Key_NumLock, false, 144},
    {Qt::Key_ScrollLock, false, 145},
    {Qt::Key_Back, false, 166},
    {Qt::Key_Forward, false, 167},
    {Qt::Key_Refresh, false, 168},
    {Qt::Key_Stop, false, 169},
    {Qt::Key_Search, false, 170},
    {Qt::Key_Favorites, false, 171},
    {Qt::Key_HomePage, false, 172},
    {Qt::Key_VolumeMute, false, 173},
    {Qt::Key_VolumeDown, false, 174},
    {Qt::Key_VolumeUp, false, 175},
    {Qt::Key_MediaNext, false, 176},
    {Qt::Key_MediaPrevious, false, 177},
    {Qt::Key_MediaStop, false, 178},
    {Qt::Key_MediaPlay, false, 179},
    {Qt::Key_MediaTogglePlayPause, false, 179},
    {Qt::Key_MediaPause, false, 179},
    {Qt::Key_LaunchMail, false, 180},
    // The punctuation keys by position: German layout first (the names the table shows),
    // then the US layout's unshifted keys on the same positions.
    {Qt::Key_Udiaeresis, false, 186},
    {Qt::Key_Semicolon, false, 186},
    {Qt::Key_Plus, false, 187},
    {Qt::Key_Equal, false, 187},
    {Qt::Key_Comma, false, 188},
    {Qt::Key_Minus, false, 189},
    {Qt::Key_Period, false, 190},
    {Qt::Key_NumberSign, false, 191},
    {Qt::Key_Slash, false, 191},
    {Qt::Key_Odiaeresis, false, 192},
    {Qt::Key_QuoteLeft, false, 192},
    {Qt::Key_ssharp, false, 219},
    {Qt::Key_BracketLeft, false, 219},
    {Qt::Key_AsciiCircum, false, 220},
    {Qt::Key_Dead_Circumflex, false, 220},
    {Qt::Key_Backslash, false, 220},
    {Qt::Key_acute, false, 221},
    {Qt::Key_Dead_Acute, false, 221},
    {Qt::Key_BracketRight, false, 221},
    {Qt::Key_Adiaeresis, false, 222},
    {Qt::Key_Apostrophe, false, 222},
    {Qt::Key_Less, false, 226},
};

constexpr std::uint16_t kNumpad0 = 96;
constexpr std::uint16_t kF1 = 112;
constexpr int kFunctionKeys = 24;

std::uint16_t ListedVirtualKey(Qt::Key key, bool keypad) {
  for (const KeyPair& pair : kKeys) {
    if (pair.qt == key && pair.keypad == keypad) {
      return pair.vk;
    }
  }
  return 0;
}

}  // namespace

std::uint16_t VirtualKeyFromQt(Qt::Key key, Qt::KeyboardModifiers modifiers) {
  const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
  if (key >= Qt::Key_A && key <= Qt::Key_Z) {
    return static_cast<std::uint16_t>(key);  // same codes as the letters' virtual keys
  }
  if (key >= Qt::Key_0 && key <= Qt::Key_9) {
    return static_cast<std::uint16_t>(keypad ? kNumpad0 + (key - Qt::Key_0) : key);
  }
  if (key >= Qt::Key_F1 && key < Qt::Key_F1 + kFunctionKeys) {
    return static_cast<std::uint16_t>(kF1 + (key - Qt::Key_F1));
  }
  if (const std::uint16_t vk = ListedVirtualKey(key, keypad)) {
    return vk;
  }
  // Keypad keys without a keypad code of their own (Enter, the arrows with NumLock off) are
  // the same virtual keys as their main-block twins.
  return keypad ? ListedVirtualKey(key, false) : 0;
}

QKeyCombination QtKeyFromVirtualKey(std::uint16_t key) {
  if (key >= 'A' && key <= 'Z') {
    return static_cast<Qt::Key>(key);
  }
  if (key >= '0' && key <= '9') {
    return static_cast<Qt::Key>(key);
  }
  if (key >= kNumpad0 && key < kNumpad0 + 10) {
    return QKeyCombination(Qt::KeypadModifier, static_cast<Qt::Key>(Qt::Key_0 + key - kNumpad0));
  }
  if (key >= kF1 && key < kF1 + kFunctionKeys) {
    return static_cast<Qt::Key>(Qt::Key_F1 + key - kF1);
  }
  for (const KeyPair& pair : kKeys) {
    if (pair.vk == key) {
      return pair.keypad ? QKeyCombination(Qt::KeypadModifier, pair.qt) : pair.qt;
    }
  }
  return Qt::Key_unknown;
}

std::uint8_t HotKeyModifiersFromQt(Qt::KeyboardModifiers modifiers) {
  std::uint8_t bits = 0;
  if (modifiers.testFlag(Qt::ShiftModifier)) {
    bits |= hmShift;
  }
  if (modifiers.testFlag(Qt::AltModifier)) {
    bits |= hmAlt;
  }
  if (modifiers.testFlag(Qt::ControlModifier)) {
    bits |= hmCtrl;
  }
  return bits;
}

Qt::KeyboardModifiers QtModifiersFromHotKey(std::uint8_t modifiers) {
  Qt::KeyboardModifiers result;
  result.setFlag(Qt::ShiftModifier, modifiers & hmShift);
  result.setFlag(Qt::AltModifier, modifiers & hmAlt);
  result.setFlag(Qt::ControlModifier, modifiers & hmCtrl);
  return result;
}

TZKeyStroke KeyStrokeFromQt(QKeyCombination key) {
  return {VirtualKeyFromQt(key.key(), key.keyboardModifiers()),
          HotKeyModifiersFromQt(key.keyboardModifiers())};
}

QKeyCombination QtKeyFromKeyStroke(const TZKeyStroke& stroke) {
  const QKeyCombination key = QtKeyFromVirtualKey(stroke.Key);
  return QKeyCombination(key.keyboardModifiers() | QtModifiersFromHotKey(stroke.Modifiers),
                         key.key());
}
