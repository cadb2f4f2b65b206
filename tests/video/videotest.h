#pragma once
// The real graph engine behind the player core, with a video window that only watches, media
// made by ffmpeg and sox, and a small HTTP server for network video.

#include <gst/gst.h>

#include <QImage>
#include <QStringList>
#include <atomic>
#include <mutex>
#include <thread>

#include "../playback/playbacktest.h"
#include "playback/video/framesink.h"
#include "playback/video/graphengine.h"
#include "playback/video/videoview.h"

class WatchingFrames : public TZVideoFrameSink {
 public:
  void PresentFrame(const QImage& frame) override {
    std::lock_guard lock(mutex);
    last = frame;
    ++count;
  }
  void ClearFrame() override {
    std::lock_guard lock(mutex);
    last = QImage();
    ++cleared;
  }
  std::mutex mutex;
  QImage last;
  int count = 0;
  int cleared = 0;
};

class WatchingView : public TZVideoView {
 public:
  TZVideoFrameSink& FrameSink() override { return frames; }
  void ClearTrackMenus() override {
    audio.clear();
    subtitles.clear();
  }
  void SetAudioTracks(const QStringList& captions, int checked) override {
    audio = captions;
    audioChecked = checked;
  }
  void SetSubtitleTracks(const QStringList& captions, int checked) override {
    subtitles = captions;
    subtitleChecked = checked;
  }
  void SetJumpTargets(const std::vector<int>&) override {}
  void CheckJumpTarget(int, int) override {}
  void SetFilterMenu(const QStringList& names) override { filters = names; }
  void ShowPicture(bool, QSize size) override {
    shown = true;
    nativeSize = size;
  }
  void HidePicture() override { shown = false; }
  void UpdateVideoMenu(bool, bool isPaused) override { paused = isPaused; }
  TZDisplayMode DisplayMode() const override { return mode; }
  void SetDisplayMode(TZDisplayMode m) override { mode = m; }

  WatchingFrames frames;
  QStringList audio, subtitles, filters;
  int audioChecked = -2, subtitleChecked = -2;
  bool shown = false, paused = false;
  QSize nativeSize;
  TZDisplayMode mode = dmNone;
};

// Serves one file to every request on 127.0.0.1 until destroyed.
class FileServer {
 public:
  explicit FileServer(QByteArray body);
  ~FileServer();
  int Port() const { return port_; }

 private:
  void Serve();
  QByteArray body_;
  int listenFd_ = -1;
  int port_ = 0;
  std::atomic<bool> stopping_{false};
  std::thread thread_;
};

class VideoTest : public PlayerTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Lets real time pass while the player's timers run; false when `limitMs` passed first.
  bool PlayUntil(const std::function<bool()>& done, int limitMs);
  bool Playing(int index) const;

  // Media made at test time, a few seconds long.
  // 160 × 120 video, audio tracks eng "Director" (440 Hz) and ger (880 Hz), an English subtitle.
  QString MakeMatroska(const QString& name, double seconds = 2);
  // The 160 × 120 picture alone, no sound.
  QString MakeSilentMatroska(const QString& name, double seconds = 2);
  // Theora with one Vorbis track named "Ton: Deutsch".
  QString MakeOgg(const QString& name, double seconds = 2);
  // A video CD's sequence file, MPEGAV/AVSEQ01.DAT below `folder`: 352 × 288 MPEG-1 video and
  // MPEG audio in an MPEG system stream.
  QString MakeVideoCd(const QString& folder, double seconds = 1.5);
  // Stereo sine as AIFF (a graph audio file).
  QString MakeAiff(const QString& name, double seconds = 1.5);
  void Add(const QString& path);

  // The element of that factory in the engine's graph, searched through every bin; null if none.
  GstElement* FindElement(const char* factory) const;

  WatchingView view_;
  std::unique_ptr<TZGraphVideoEngine> engine_;
};
