#pragma once
// X keysyms to the Windows virtual-key codes of the hotkey file, so files stay exchangeable.

#include <X11/Xlib.h>

#include <cstdint>

// The virtual-key code of a keysym, 0 when it has none.
std::uint16_t VirtualKeyFromKeysym(KeySym keysym);

// The virtual-key code that a key of the keyboard gives: the unshifted symbol, except on the
// numeric keypad with NumLock on, where the digits and the decimal key count.
std::uint16_t VirtualKeyOfKeycode(Display* display, KeyCode keycode, bool numLock);
