#pragma once
// Keys the X server acts on itself. At some modifier levels a key carries an XKB action that the
// server performs instead of delivering the press: Ctrl+Alt+F1 to F12 switch virtual terminals,
// Ctrl+Alt+Backspace may end the server, the keypad may move the pointer. No grab ever sees such
// a press. While a hotkey holds one of these levels, the server's action there gives way to it;
// it is given back when the hotkey lets the key go.

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

#include <vector>

class ServerKeyActions {
 public:
  explicit ServerKeyActions(Display* display) : display_(display) {}
  ~ServerKeyActions() { GiveBackAll(); }
  ServerKeyActions(const ServerKeyActions&) = delete;
  ServerKeyActions& operator=(const ServerKeyActions&) = delete;

  // Takes the server's own actions off the key at these modifiers (a core modifier mask); true
  // when there were any.
  bool Take(KeyCode keycode, unsigned modifiers);
  void GiveBackAll();

 private:
  struct Taken {
    KeyCode keycode;
    int group;
    int level;
    XkbAction action;
  };

  bool AlreadyTaken(KeyCode keycode, int group, int level) const;
  void Send(XkbDescPtr keyboard, KeyCode keycode);

  Display* display_;
  std::vector<Taken> taken_;
};
