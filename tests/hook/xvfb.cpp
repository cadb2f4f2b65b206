#include "xvfb.h"

#include <X11/XKBlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include "zhook.h"

XvfbServer::XvfbServer() {
  // -displayfd: the server picks a free number and writes it to the given descriptor.
  process_.start(QStringLiteral("Xvfb"),
                 {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
                  QStringLiteral("tcp"), QStringLiteral("-screen"), QStringLiteral("0"),
                  QStringLiteral("640x480x24")});
  if (!process_.waitForStarted(5000)) {
    return;
  }
  QByteArray number;
  while (!number.contains('\n') && process_.waitForReadyRead(10000)) {
    number += process_.readAllStandardOutput();
  }
  if (number.trimmed().isEmpty()) {
    return;
  }
  display_ = QStringLiteral(":") + QString::fromLatin1(number.trimmed());
}

XvfbServer::~XvfbServer() {
  process_.terminate();
  process_.waitForFinished(5000);
}

OtherClient::OtherClient(const QString& display)
    : display_(XOpenDisplay(display.toLatin1().constData())) {}

OtherClient::~OtherClient() {
  if (display_) {
    XCloseDisplay(display_);
  }
}

void OtherClient::TakeFocus() {
  const int screen = DefaultScreen(display_);
  window_ = XCreateSimpleWindow(display_, RootWindow(display_, screen), 0, 0, 200, 100, 0, 0, 0);
  XSelectInput(display_, window_, KeyPressMask);
  XMapWindow(display_, window_);
  XSync(display_, False);
  XSetInputFocus(display_, window_, RevertToParent, CurrentTime);
  XSync(display_, False);
}

void OtherClient::Type(KeySym keysym, std::uint8_t modifiers) {
  const KeySym held[] = {XK_Shift_L, XK_Alt_L, XK_Control_L};
  const std::uint8_t bits[] = {ZHOOK_SHIFT, ZHOOK_ALT, ZHOOK_CTRL};
  for (int i = 0; i < 3; ++i) {
    if (modifiers & bits[i]) {
      XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, held[i]), True, CurrentTime);
    }
  }
  const KeyCode code = XKeysymToKeycode(display_, keysym);
  XTestFakeKeyEvent(display_, code, True, CurrentTime);
  XTestFakeKeyEvent(display_, code, False, CurrentTime);
  for (int i = 2; i >= 0; --i) {
    if (modifiers & bits[i]) {
      XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, held[i]), False, CurrentTime);
    }
  }
  XSync(display_, False);
}

void OtherClient::SetNumLock(bool on) {
  const unsigned mask = XkbKeysymToModifiers(display_, XK_Num_Lock);
  XkbLockModifiers(display_, XkbUseCoreKbd, mask, on ? mask : 0);
  XSync(display_, False);
}

void OtherClient::Grab(KeySym keysym, unsigned modifierMask) {
  XGrabKey(display_, XKeysymToKeycode(display_, keysym), modifierMask, DefaultRootWindow(display_),
           False, GrabModeAsync, GrabModeAsync);
  XSync(display_, False);
}

int OtherClient::TakePresses(KeySym keysym) {
  XSync(display_, False);
  const KeyCode code = XKeysymToKeycode(display_, keysym);
  int presses = 0;
  while (XPending(display_) > 0) {
    XEvent event;
    XNextEvent(display_, &event);
    presses += event.type == KeyPress && event.xkey.keycode == code ? 1 : 0;
  }
  return presses;
}
