// Run by test_videowin_x11 on an X server of its own: the desktop presentation as an X11
// desktop window, read back from the server.
#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QThread>

#include "playback/video/graphengine.h"
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

void Settle() {
  for (int i = 0; i < 20; ++i) {
    QApplication::processEvents();
    QThread::msleep(10);
  }
}

// The graph engine playing a wide video made by ffmpeg into the window.
class RealVideoTest : public VideoWindowTest {
 protected:
  void SetUp() override {
    VideoWindowTest::SetUp();
    ASSERT_FALSE(HasFatalFailure());
    engine_ = std::make_unique<TZGraphVideoEngine>(config_, playlist_, *video_window_, *window_);
    engine_->Scripts().SetSettleTime(0);
    video_window_->SetEngine(engine_.get());
    video_window_->SetCommands(engine_.get());
    window_->Player().SetVideoEngine(engine_.get());
  }
  void TearDown() override {
    window_->Player().Stop();
    window_->Player().SetVideoEngine(nullptr);
    video_window_->SetEngine(nullptr);
    video_window_->SetCommands(nullptr);
    engine_.reset();
    VideoWindowTest::TearDown();
  }
  QString MakeWideVideo() {
    const QString path = scratch_.file("wide.mkv");
    EXPECT_EQ(
        RunProgram(QStringLiteral("ffmpeg"), {"-v", "error", "-y", "-f", "lavfi", "-i",
                                              "testsrc=size=640x272:rate=25:duration=6", "-f",
                                              "lavfi", "-i", "sine=f=440:d=6", "-c:v", "libx264",
                                              "-pix_fmt", "yuv420p", "-c:a", "libvorbis", path}),
        0);
    return path;
  }

  std::unique_ptr<TZGraphVideoEngine> engine_;
};

TEST_F(RealVideoTest, PicturesOfTheWindowAndOfFullscreenWithItsControls) {
  playlist_.Add(QStringLiteral("wide"), MakeWideVideo(), false, "00", "00:00:06");
  window_->Player().PlayEntry(playlist_.Count() - 1);
  ASSERT_TRUE(window_->Player().Playing());
  ASSERT_TRUE(WaitFor(
      [&] {
        QApplication::processEvents();
        return engine_->FramesShown() > 10;
      },
      20000))
      << "no pictures from the engine";
  EXPECT_EQ(video_window_->Picture().Frame().size(), QSize(640, 272));
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
