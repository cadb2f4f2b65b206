#include "ui/video/presentationform.h"

#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

// Xlib's macros (Bool, Status) clash with Qt headers, so it comes last.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {

Display* X11Display() {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  return x11 ? x11->display() : nullptr;
}

// Sets _NET_WM_WINDOW_TYPE to _NET_WM_WINDOW_TYPE_DESKTOP: window managers keep such a window
// below all others, as the desktop.
void SetDesktopType(Display* display, WId window) {
  const Atom type = XInternAtom(display, "_NET_WM_WINDOW_TYPE", False);
  const Atom desktop = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DESKTOP", False);
  XChangeProperty(display, Window(window), type, XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&desktop), 1);
  XFlush(display);
}

Qt::WindowFlags FormFlags(TZPresentationForm::Kind kind, bool topMost) {
  Qt::WindowFlags flags = Qt::Window | Qt::FramelessWindowHint;
  if (kind == TZPresentationForm::Desktop) {
    flags |= Qt::WindowStaysOnBottomHint;
  } else if (topMost) {
    flags |= Qt::WindowStaysOnTopHint;
  }
  return flags;
}

}  // namespace

bool OnX11() {
  return X11Display() != nullptr;
}

TZPresentationForm::TZPresentationForm(Kind kind, QScreen* screen, bool topMost)
    : QWidget(nullptr, FormFlags(kind, topMost)), kind_(kind) {
  setObjectName(kind == Desktop ? QStringLiteral("VideoDesktop")
                                : QStringLiteral("VideoFullscreen"));
  setWindowTitle(QStringLiteral("Zephonic Video"));
  setAttribute(Qt::WA_DeleteOnClose, false);
  QPalette black = palette();
  black.setColor(QPalette::Window, Qt::black);
  setPalette(black);
  setAutoFillBackground(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  if (screen) {
    setScreen(screen);
    setGeometry(screen->geometry());
  }
}

void TZPresentationForm::Hold(QWidget* picture) {
  picture->setParent(this);
  layout()->addWidget(picture);
  picture->show();
  setFocusProxy(picture);
}

void TZPresentationForm::Present() {
  if (kind_ == Fullscreen) {
    showFullScreen();
    raise();
    // The keys go to the picture, where the local hotkeys find the video area.
    activateWindow();
    setFocus(Qt::ActiveWindowFocusReason);
    return;
  }
  // The type must be on the window before it is mapped, and again after Qt mapped it, since Qt
  // writes its own window types while showing.
  Display* display = X11Display();
  if (display) {
    SetDesktopType(display, winId());
  }
  show();
  if (display) {
    SetDesktopType(display, winId());
  }
  lower();
}
