#pragma once
// What the DVD engine talks to, recorded: the video window (its menus and its frame sink) and
// the main window (time read-out and position bars).

#include <QImage>
#include <QMutex>
#include <QStringList>
#include <vector>

#include "playback/playerwindows.h"
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

class FakePlayerWindows : public TZPlayerWindows {
 public:
  QString TitleText() const override { return title; }
  void SetTitleText(const QString& text) override { title = text; }
  void RestartScrollingLabels() override {}
  void ShowStatusPicture(TZStatusPicture) override {}
  void ShowOsdText(const QString&, int) override {}
  void ShowWarning(const QString&) override {}
  void SetPositionBar(qint64 maximum, qint64 position, bool enabled) override {
    bar = {maximum, position};
    barEnabled = enabled;
  }
  void SetPositionBarValue(qint64 position) override { bar.Position = position; }
  TZBarState PositionBar() const override { return bar; }
  bool PositionBarDragging() const override { return false; }
  void SetTimeDisplay(qint64 milliseconds, bool isRemaining) override {
    times.push_back(milliseconds);
    remaining = isRemaining;
  }
  void BlankTimeDisplay() override {}
  void RedrawPlaylist() override {}
  void SetMenuEnabled(TZPlayerMenu menu, bool enabled) override {
    if (menu == pmVideo) {
      videoMenu = enabled;
    }
  }
  void SetRecordChecked(bool) override {}
  void HideVideoWindow() override { videoHidden = true; }
  TZBarState VolumeControl() const override { return {}; }
  void SetVolumePosition(qint64) override {}
  void StepVolumeControls(qint64) override {}
  void SetVolumeControlEnabled(bool) override {}
  void SetMuteChecked(bool) override {}
  int BalancePosition() const override { return 100; }
  void SetBalanceControlEnabled(bool) override {}
  int SpeedPosition() const override { return 4; }
  void SetSpeedPosition(int) override {}
  void SetSpeedControlEnabled(bool) override {}

  QString title;
  TZBarState bar;
  bool barEnabled = false;
  std::vector<qint64> times;
  bool remaining = false;
  bool videoMenu = false;
  bool videoHidden = false;
};
