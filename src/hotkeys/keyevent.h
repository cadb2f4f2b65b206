#pragma once
// A key press of a Qt key event as the hotkey table stores it. Qt names the symbol the layout
// gives with the modifiers held (Shift + 1 is "!" on most layouts), which no table entry holds.
// On X11 the key's own unshifted symbol is read from the keyboard map instead, the way the
// keyboard hook reads the keys it grabs, so local and system-wide entries see the same key.
// Elsewhere (and for keypad keys, whose symbol depends on NumLock) Qt's key is taken.

#include "hotkeys/keycodes.h"

class QKeyEvent;

TZKeyStroke KeyStrokeFromEvent(const QKeyEvent& event);
