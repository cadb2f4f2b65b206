#pragma once
// An X server of the test's own (Xvfb on a free display number) and a second X client on it that
// plays "another program": it owns a focused window and types through XTest.

#include <QProcess>
#include <QString>
#include <cstdint>

// Xlib's macros (Status, Bool) break Qt headers that come after it.
#include <X11/Xlib.h>

class XvfbServer {
 public:
  XvfbServer();
  ~XvfbServer();
  // ":N", empty when the server did not start.
  const QString& DisplayName() const { return display_; }

 private:
  QProcess process_;
  QString display_;
};

class OtherClient {
 public:
  explicit OtherClient(const QString& display);
  ~OtherClient();
  bool Connected() const { return display_ != nullptr; }

  // Maps a window and gives it the keyboard focus.
  void TakeFocus();
  // Presses and releases the key of `keysym`, holding the modifiers' keys (ZHOOK_* bits).
  void Type(KeySym keysym, std::uint8_t modifiers = 0);
  void SetNumLock(bool on);
  // Grabs a key on the root window the way a desktop's shortcut daemon would.
  void Grab(KeySym keysym, unsigned modifierMask);
  // Presses of the key of `keysym` this client received (in its window, or through a grab of its
  // own) since the last call.
  int TakePresses(KeySym keysym);

  Display* display() const { return display_; }

 private:
  Display* display_ = nullptr;
  Window window_ = 0;
};
