#pragma once
// Turns a key press (virtual-key code with Shift/Alt/Ctrl) into the actions of the matching
// table entries. Key presses come from the program's own windows (localkeys.h) and from the
// keyboard hook (hotkeyhook.h); both end here, on the GUI thread.

#include <cstdint>

#include "hotkeys/dispatch/hotkeyfocus.h"
#include "hotkeys/dispatch/hotkeytarget.h"
#include "hotkeys/hotkeys.h"

class TZHotKeyDispatcher {
 public:
  TZHotKeyDispatcher(const TZHotKeys& table, TZHotKeyTarget& target, const TZHotKeyFocus& focus);

  // Runs, in table order, every entry with exactly this key and these modifiers: system-wide
  // entries always, local ones only when the local check passes.
  void Dispatch(std::uint16_t key, std::uint8_t modifiers);
  // True when a local entry for this key may fire with the focus where it is now.
  bool LocalCheckPasses(std::uint16_t key, std::uint8_t modifiers) const;
  void RunAction(int action);

 private:
  const TZHotKeys& table_;
  TZHotKeyTarget& target_;
  const TZHotKeyFocus& focus_;
};

// The program's dispatcher, set when the main window is wired; null before and after.
TZHotKeyDispatcher* HotKeyDispatcher();
void SetHotKeyDispatcher(TZHotKeyDispatcher* dispatcher);
