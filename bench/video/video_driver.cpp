// Plays one file to its end through the graph engine into the video window's picture control. The
// video benchmark runs it as a child process and reads what it prints:
//   "first-frame"                  as soon as the first picture was painted;
//   "frames N" / "presented N"     pictures the sink handed over / of those, the ones the picture
//                                  control painted (the rest it reports as dropped);
//   "qos-dropped N"                frames the pipeline's elements reported dropping for QoS;
//   "open-to-first-frame-ms X"     from the engine's Open to the first picture received.
// Usage: bench_video_driver FILE

#include <gst/gst.h>

#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <map>
#include <mutex>
#include <string>

#include "base/programpath.h"
#include "config/config.h"
#include "playback/playerwindows.h"
#include "playback/video/framesink.h"
#include "playback/video/graphengine.h"
#include "playback/video/videoview.h"
#include "playlist/playlist.h"
#include "ui/video/videopicture.h"

namespace {

using Clock = std::chrono::steady_clock;

// The video window's own picture control, counting what it is handed and marking its first paint.
class PictureWindow : public TZVideoPicture {
 public:
  void StartClock() { opened_ = Clock::now(); }

  void PresentFrame(const QImage& frame) override {
    if (received_.fetch_add(1) == 0) {
      firstMs_ = std::chrono::duration<double, std::milli>(Clock::now() - opened_).count();
    }
    TZVideoPicture::PresentFrame(frame);
  }

  void Report() const {
    const long long received = received_.load();
    std::printf("frames %lld\npresented %lld\nopen-to-first-frame-ms %.1f\n", received,
                received - DroppedFrames(), firstMs_.load());
  }

 protected:
  void paintEvent(QPaintEvent* event) override {
    TZVideoPicture::paintEvent(event);
    if (!Frame().isNull() && !firstPainted_) {
      firstPainted_ = true;
      std::printf("first-frame\n");
      std::fflush(stdout);
    }
  }

 private:
  std::atomic<long long> received_{0};
  std::atomic<double> firstMs_{-1};
  Clock::time_point opened_;
  bool firstPainted_ = false;
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

// Every element that drops frames for QoS (a decoder skipping late frames, a sink throwing late
// ones away) posts a QoS message with its running total. The graph's own bus handler swallows
// all messages, so a tracer hook sees them as they are posted instead.
class QosDropCounter {
 public:
  QosDropCounter() {
    const GType type = g_type_register_static_simple(GST_TYPE_TRACER, "ZBenchQosDropCounter",
                                                     sizeof(GstTracerClass), nullptr,
                                                     sizeof(GstTracer), nullptr, GTypeFlags(0));
    tracer_ = GST_TRACER(g_object_ref_sink(g_object_new(type, nullptr)));
    g_object_set_data(G_OBJECT(tracer_), "counter", this);
    gst_tracing_register_hook(tracer_, "element-post-message-pre", G_CALLBACK(OnPostMessage));
  }
  ~QosDropCounter() { g_object_set_data(G_OBJECT(tracer_), "counter", nullptr); }
  QosDropCounter(const QosDropCounter&) = delete;
  QosDropCounter& operator=(const QosDropCounter&) = delete;

  long long Dropped() const {
    std::lock_guard lock(mutex_);
    long long sum = 0;
    for (const auto& [element, dropped] : dropped_) {
      sum += dropped;
    }
    return sum;
  }

 private:
  // Bins post their children's messages again on the way up: only the first post counts.
  static void OnPostMessage(GstTracer* tracer, GstClockTime, GstElement* element,
                            GstMessage* message) {
    auto* self = static_cast<QosDropCounter*>(g_object_get_data(G_OBJECT(tracer), "counter"));
    if (!self || GST_MESSAGE_TYPE(message) != GST_MESSAGE_QOS ||
        GST_MESSAGE_SRC(message) != GST_OBJECT(element)) {
      return;
    }
    guint64 dropped = 0;
    gst_message_parse_qos_stats(message, nullptr, nullptr, &dropped);
    gchar* name = gst_object_get_path_string(GST_OBJECT(element));
    {
      std::lock_guard lock(self->mutex_);
      long long& total = self->dropped_[name];
      total = std::max(total, static_cast<long long>(dropped));
    }
    g_free(name);
  }

  GstTracer* tracer_;  // lives as long as the process: the hook list keeps its pointer
  mutable std::mutex mutex_;
  std::map<std::string, long long> dropped_;  // running total per element
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
  gst_init(nullptr, nullptr);
  QosDropCounter qos;

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
  std::printf("qos-dropped %lld\n", qos.Dropped());
  return result;
}
