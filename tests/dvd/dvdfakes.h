#pragma once
// What the DVD engine talks to, recorded: the video window (its menus and its frame sink) and
// the main window (time read-out and position bars).

#include <QImage>
#include <QMutex>
#include <QStringList>
#include <vector>

#include "../playback/playbacktest.h"
#include "playback/video/framesink.h"
#include "playback/video/videoview.h"

class FakeFrameSink : public TZVideoFrameSink {
 public:
  void PresentFrame(const QImage& frame) override {
    QMutexLocker lock(&lock_);
    last_ = frame;
    ++frames_;
  }
  void ClearFrame() override {
    QMutexLocker lock(&lock_);
    last_ = QImage();
  }
  int Frames() const {
    QMutexLocker lock(&lock_);
    return frames_;
  }
  QImage Last() const {
    QMutexLocker lock(&lock_);
    return last_.copy();
  }

 private:
  mutable QMutex lock_;
  QImage last_;
  int frames_ = 0;
};

class FakeVideoView : public TZVideoView {
 public:
  TZVideoFrameSink& FrameSink() override { return sink; }
  void ClearTrackMenus() override {
    audio.clear();
    subtitles.clear();
    jumpTargets.clear();
  }
  void SetAudioTracks(const QStringList& captions, int checked) override {
    audio = captions;
    audioChecked = checked;
  }
  void SetSubtitleTracks(const QStringList& captions, int checked) override {
    subtitles = captions;
    subtitleChecked = checked;
  }
  void SetJumpTargets(const std::vector<int>& chapterCounts) override {
    jumpTargets = chapterCounts;
  }
  void CheckJumpTarget(int title, int chapter) override { checkedJump = {title, chapter}; }
  void SetFilterMenu(const QStringList& names) override { filters = names; }
  void ShowPicture(bool dvd, QSize size) override {
    pictureShown = dvd;
    pictureSize = size;
  }
  void HidePicture() override { pictureShown = false; }
  void UpdateVideoMenu(bool dvd, bool isPaused) override {
    menuForDvd = dvd;
    paused = isPaused;
  }
  TZDisplayMode DisplayMode() const override { return mode; }
  void SetDisplayMode(TZDisplayMode m) override { mode = m; }

  FakeFrameSink sink;
  QStringList audio;
  int audioChecked = -2;
  QStringList subtitles;
  int subtitleChecked = -2;
  std::vector<int> jumpTargets;
  std::pair<int, int> checkedJump{0, 0};
  QStringList filters;
  bool pictureShown = false;
  QSize pictureSize;
  bool menuForDvd = false;
  bool paused = true;
  TZDisplayMode mode = dmNone;
};

// The player core's watching windows, also keeping every time shown and the video menu's state.
class FakePlayerWindows : public WatchingWindows {
 public:
  void SetTimeDisplay(qint64 milliseconds, bool isRemaining) override {
    WatchingWindows::SetTimeDisplay(milliseconds, isRemaining);
    times.push_back(milliseconds);
  }
  void SetMenuEnabled(TZPlayerMenu menu, bool enabled) override {
    if (menu == pmVideo) {
      videoMenu = enabled;
    }
  }
  void HideVideoWindow() override { videoHidden = true; }

  std::vector<qint64> times;
  bool videoMenu = false;
  bool videoHidden = false;
};
