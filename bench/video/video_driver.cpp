// Plays one file to its end through the graph engine into a window that paints every picture
// the way the video window's picture control does (the newest picture, scaled to the window, on
// the GUI thread). The video benchmark runs it as a child process and reads what it prints:
//   "first-frame"                  as soon as the first picture was painted;
//   "frames N" / "painted N"       pictures the sink received / the window painted;
//   "open-to-first-frame-ms X"     from the engine's Open to the first picture received.
// Usage: bench_video_driver FILE

#include <QApplication>
#include <QFileInfo>
#include <QPainter>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <mutex>

#include "base/programpath.h"
#include "config/config.h"
#include "playback/playerwindows.h"
#include "playback/video/framesink.h"
#include "playback/video/graphengine.h"
#include "playback/video/videoview.h"
#include "playlist/playlist.h"

namespace {

using Clock = std::chrono::steady_clock;

class PictureWindow : public QWidget, public TZVideoFrameSink {
 public:
  void StartClock() { opened_ = Clock::now(); }

  void PresentFrame(const QImage& frame) override {
    {
      std::lock_guard lock(mutex_);
      picture_ = frame;
      if (received_++ == 0) {
        firstMs_ = std::chrono::duration<double, std::milli>(Clock::now() - opened_).count();
      }
    }
    // One repaint request in flight is enough: the paint takes the newest picture.
    if (!repaintQueued_.exchange(true)) {
      QMetaObject::invokeMethod(
          this, [this] { update(); }, Qt::QueuedConnection);
    }
  }

  void ClearFrame() override {
    std::lock_guard lock(mutex_);
    picture_ = QImage();
  }

  void Report() const {
    std::lock_guard lock(mutex_);
    std::printf("frames %lld\npainted %lld\nopen-to-first-frame-ms %.1f\n", received_, painted_,
                firstMs_);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    repaintQueued_ = false;
    QImage picture;
    {
      std::lock_guard lock(mutex_);
      picture = picture_;
    }
    QPainter painter(this);
    if (picture.isNull()) {
      painter.fillRect(rect(), Qt::black);
      return;
    }
    painter.drawImage(rect(), picture);
    if (painted_++ == 0) {
      std::printf("first-frame\n");
      std::fflush(stdout);
    }
  }

 private:
  mutable std::mutex mutex_;
  QImage picture_;
  long long received_ = 0;
  long long painted_ = 0;
  double firstMs_ = -1;
  Clock::time_point opened_;
  std::atomic<bool> repaintQueued_{false};
};

// The video window as far as the engine needs it: the picture and its size.
class PictureView : public TZVideoView {
 public:
  explicit PictureView(PictureWindow& window) : window_(window) {}
  TZVideoFrameSink& FrameSink() override { return window_; }
  void ClearTrackMenus() override {}
  void SetAudioTracks(const QStringList&, int) override {}
  void SetSubtitleTracks(const QStringList&, int) override {}
  void SetJumpTargets(const std::vector<int>&) override {}
  void CheckJumpTarget(int, int) override {}
  void SetFilterMenu(const QStringList&) override {}
  void ShowPicture(bool, QSize nativeSize) override { window_.resize(nativeSize); }
  void HidePicture() override {}
  void UpdateVideoMenu(bool, bool) override {}
  TZDisplayMode DisplayMode() const override { return dmWindow; }
  void SetDisplayMode(TZDisplayMode) override {}

 private:
  PictureWindow& window_;
};

// No main window: the engine's calls to it have nothing to show.
class NoWindows : public TZPlayerWindows {
 public:
  QString TitleText() const override { return {}; }
  void SetTitleText(const QString&) override {}
  void RestartScrollingLabels() override {}
  void ShowStatusPicture(TZStatusPicture) override {}
  void ShowOsdText(const QString&, int) override {}
  void ShowWarning(const QString& text) override {
    std::fprintf(stderr, "warning: %s\n", qPrintable(text));
  }
  void SetPositionBar(qint64, qint64, bool) override {}
  void SetPositionBarValue(qint64) override {}
  TZBarState PositionBar() const override { return {}; }
  bool PositionBarDragging() const override { return false; }
  void SetTimeDisplay(qint64, bool) override {}
  void BlankTimeDisplay() override {}
  void RedrawPlaylist() override {}
  void SetMenuEnabled(TZPlayerMenu, bool) override {}
  void SetRecordChecked(bool) override {}
  void HideVideoWindow() override {}
  TZBarState VolumeControl() const override { return {10000, 10000}; }
  void SetVolumePosition(qint64) override {}
  void StepVolumeControls(qint64) override {}
  void SetVolumeControlEnabled(bool) override {}
  void SetMuteChecked(bool) override {}
  int BalancePosition() const override { return 100; }
  void SetBalanceControlEnabled(bool) override {}
  int SpeedPosition() const override { return 4; }
  void SetSpeedPosition(int) override {}
  void SetSpeedControlEnabled(bool) override {}
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: bench_video_driver FILE\n");
    return 2;
  }
  // The engine keeps its logs beside the program; they go to a folder of their own.
  QTemporaryDir programFolder;
  SetProgramPath(programFolder.path() + "/");

  const QString path = QString::fromLocal8Bit(argv[1]);
  TZConfig config;
  TZPlaylist playlist;
  playlist.Add(QFileInfo(path).fileName(), path, false, "00", "00:00:00");
  PictureWindow window;
  PictureView view(window);
  NoWindows windows;
  TZGraphVideoEngine engine(config, playlist, view, windows);
  window.show();

  window.StartClock();
  if (const std::optional<TZOpenError> error = engine.Open(mkVideo, *playlist.Get(0))) {
    std::fprintf(stderr, "open failed: error %d\n", error->Id);
    return 1;
  }
  engine.Run();

  // A graph that stops without reaching its end fails the run instead of hanging it.
  const int limitMs = static_cast<int>(engine.Duration() / 10000) + 30000;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, &app, [&] {
    if (engine.Ended()) {
      app.exit(0);
    }
  });
  poll.start(20);
  QTimer::singleShot(limitMs, &app, [&] { app.exit(1); });
  const int result = app.exec();
  engine.Free(mkVideo, true);
  window.Report();
  return result;
}
