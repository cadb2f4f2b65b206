#pragma once
// The program's side of the keyboard hook (libzhook): hands the library the system-wide entries
// of the table and brings each reported press to the GUI thread.

#include <QObject>
#include <functional>

#include "hotkeys/hotkeys.h"
#include "hotkeys/keycodes.h"

class TZHotKeyHook : public QObject {
 public:
  // `onPress` runs on the thread that owns this object (the GUI thread); `log` takes the
  // library's lines.
  TZHotKeyHook(std::function<void(TZKeyStroke)> onPress, std::function<void(QString)> log);
  ~TZHotKeyHook() override;

  // Grabs the table's system-wide keys; false without an X display (or when a hook runs).
  bool Enable(const TZHotKeys& table);
  // After the table changed: grabs its system-wide keys instead of the old ones.
  bool Update(const TZHotKeys& table);
  bool Disable();
  bool Enabled() const { return enabled_; }

 private:
  static void OnPress(void* context, unsigned short key, unsigned char modifiers);
  static void OnLog(void* context, const char* line);

  std::function<void(TZKeyStroke)> onPress_;
  std::function<void(QString)> log_;
  bool enabled_ = false;
};

// The start-up and shutdown steps: the program's hook, dispatching to HotKeyDispatcher() and
// logging to the application log. Start returns what ZEnableHook returned.
bool StartHotKeyHook(const TZHotKeys& table);
bool StopHotKeyHook();
// To be called when the settings change the table.
void HotKeyTableChanged(const TZHotKeys& table);
