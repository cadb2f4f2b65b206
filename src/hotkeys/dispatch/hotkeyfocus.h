#pragma once
// Which window has the keyboard focus, as far as local hotkeys care. The windows register
// themselves with TZWindowFocus (windowfocus.h); tests answer directly.

enum class THotKeyWindow {
  OtherProgram,  // no window of this program is active
  OtherWindow,   // a window of this program that takes no hotkeys (settings dialog, ...)
  Main,
  Playlist,
  MediaControls,
  VideoArea,
  FullscreenControls,
};

class TZHotKeyFocus {
 public:
  virtual ~TZHotKeyFocus() = default;
  virtual THotKeyWindow FocusedWindow() const = 0;
};
