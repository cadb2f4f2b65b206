#include "hotkeys/keyevent.h"

#include <QGuiApplication>
#include <QKeyEvent>

// Xlib's macros clash with Qt headers, so it comes last.
#include "keysyms.h"

namespace {

Display* X11Display() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 ? x11->display() : nullptr;
}

// X key codes run from 8 to 255; events made up inside the program carry none.
std::uint16_t UnshiftedVirtualKey(const QKeyEvent& event) {
  const quint32 code = event.nativeScanCode();
  Display* display = X11Display();
  if (!display || code < 8 || code > 255 || event.modifiers().testFlag(Qt::KeypadModifier)) {
    return 0;
  }
  return VirtualKeyOfKeycode(display, static_cast<KeyCode>(code), false);
}

}  // namespace

TZKeyStroke KeyStrokeFromEvent(const QKeyEvent& event) {
  TZKeyStroke stroke = KeyStrokeFromQt(event.keyCombination());
  if (const std::uint16_t key = UnshiftedVirtualKey(event)) {
    stroke.Key = key;
  }
  return stroke;
}
