// Run by test_videowin_x11 on an X server of its own: the desktop presentation as an X11
// desktop window, read back from the server.
#include <QGuiApplication>
#include <QScreen>

#include "ui/video/presentationform.h"
#include "videowintest.h"

// Xlib's macros (Bool, Status) clash with Qt headers, so it comes last.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {

// The atoms of the window's _NET_WM_WINDOW_TYPE, by name.
QStringList WindowTypes(WId window) {
  Display* display = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->display();
  Atom actualType = 0;
  int format = 0;
  unsigned long count = 0;
  unsigned long rest = 0;
  unsigned char* data = nullptr;
  QStringList names;
  if (XGetWindowProperty(display, Window(window),
                         XInternAtom(display, "_NET_WM_WINDOW_TYPE", False), 0, 16, False, XA_ATOM,
                         &actualType, &format, &count, &rest, &data) != Success) {
    return names;
  }
  const auto* atoms = reinterpret_cast<const Atom*>(data);
  for (unsigned long i = 0; i < count; ++i) {
    char* name = XGetAtomName(display, atoms[i]);
    names << QString::fromLatin1(name);
    XFree(name);
  }
  if (data) {
    XFree(data);
  }
  return names;
}

TEST_F(VideoWindowTest, DesktopPresentationIsAnX11DesktopWindow) {
  ASSERT_TRUE(OnX11());
  PlayVideo();
  video_window_->SetPresentation(dmDesktop);
  ASSERT_EQ(video_window_->DisplayMode(), dmDesktop);
  TZPresentationForm* form = video_window_->PresentationForm();
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->kind(), TZPresentationForm::Desktop);
  EXPECT_TRUE(form->windowFlags() & Qt::WindowStaysOnBottomHint);
  EXPECT_EQ(form->geometry(), video_.screen()->geometry());
  EXPECT_FALSE(video_.isVisible());
  EXPECT_FALSE(fullscreen_.isVisible());
  QGuiApplication::sync();
  EXPECT_EQ(WindowTypes(form->winId()), QStringList{QStringLiteral("_NET_WM_WINDOW_TYPE_DESKTOP")});

  video_window_->SetPresentation(dmWindow);
  EXPECT_EQ(video_window_->PresentationForm(), nullptr);
  EXPECT_TRUE(video_.isVisible());
}

}  // namespace
