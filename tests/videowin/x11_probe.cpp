// Run by test_videowin_x11 on an X server of its own: the desktop presentation as an X11
// desktop window, read back from the server.
#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QThread>

#include "ui/video/presentationform.h"
#include "ui/video/videopicture.h"
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

namespace {

// A wide test picture made by ffmpeg, so the window letterboxes it.
QImage MadeFrame(const ScratchFolder& scratch) {
  const QString png = scratch.file("frame.png");
  RunProgram(
      QStringLiteral("ffmpeg"),
      {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-y"), QStringLiteral("-f"),
       QStringLiteral("lavfi"), QStringLiteral("-i"), QStringLiteral("testsrc=size=640x272:rate=1"),
       QStringLiteral("-frames:v"), QStringLiteral("1"), png});
  return QImage(png).convertToFormat(QImage::Format_RGB32);
}

void Settle() {
  for (int i = 0; i < 20; ++i) {
    QApplication::processEvents();
    QThread::msleep(10);
  }
}

TEST_F(VideoWindowTest, PicturesOfTheWindowAndOfFullscreenWithItsControls) {
  const QImage frame = MadeFrame(scratch_);
  ASSERT_FALSE(frame.isNull()) << "ffmpeg made no picture";
  engine_.native = frame.size();
  PlayVideo();
  Present(frame);
  video_.resize(480, 400);
  Settle();
  const QString folder = TestOutputFolder() + QStringLiteral("videowin/");
  QDir().mkpath(folder);
  const QImage window = video_.grab().toImage();
  ASSERT_TRUE(window.save(folder + QStringLiteral("window.png")));
  // Letter box: black above and below the picture, the picture in the middle.
  const QRect shown = video_window_->Picture().PictureRect();
  EXPECT_LT(shown.height(), video_window_->Picture().height());
  const QPoint pictureOrigin = video_window_->Picture().mapTo(&video_, QPoint(0, 0));
  EXPECT_EQ(window.pixelColor(pictureOrigin + QPoint(shown.center().x(), 2)), QColor(Qt::black));
  EXPECT_NE(window.pixelColor(pictureOrigin + shown.center()), QColor(Qt::black));

  video_window_->SetPresentation(dmFullscreen);
  WigglePicture();
  clock_.Advance(TZVideoWindow::kIdleTickMs);
  Settle();
  ASSERT_TRUE(fullscreen_.isVisible());
  QScreen* screen = video_.screen();
  const QImage full = screen->grabWindow(0).toImage();
  ASSERT_TRUE(full.save(folder + QStringLiteral("fullscreen.png")));
  // The control strip sits where the skin's Align puts it, over the picture.
  const QRect strip(fullscreen_.pos() - screen->geometry().topLeft(), fullscreen_.size());
  EXPECT_EQ(strip.topLeft(), FullscreenControlPlace(skin_.VideoFullscreenControl.Position,
                                                    screen->size(), fullscreen_.size()));
  const QImage own = fullscreen_.grab().toImage();
  for (const TZSkinControl* control :
       {static_cast<const TZSkinControl*>(fullscreen_.imgPauseButton),
        static_cast<const TZSkinControl*>(fullscreen_.imgVolume)}) {
    const QPoint at = control->geometry().center();
    EXPECT_EQ(full.pixelColor(strip.topLeft() + at).rgb(), own.pixelColor(at).rgb());
  }
}

}  // namespace
