#pragma once
// The player core on the memory output and a hand-driven clock, with windows that only watch.

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "config/config.h"
#include "playback/player.h"
#include "playback/playertimer.h"
#include "playback/playerwindows.h"
#include "playlist/playlist.h"
#include "testsupport.h"

constexpr int kRate = 44100;
constexpr int kStepMs = 10;

// Windows that remember what the player core showed.
class WatchingWindows : public TZPlayerWindows {
 public:
  QString TitleText() const override { return title; }
  void SetTitleText(const QString& text) override {
    title = text;
    titles << text;
    if (onTitle) {
      onTitle(text);
    }
  }
  void RestartScrollingLabels() override {}
  void ShowStatusPicture(TZStatusPicture picture) override { status = picture; }
  void ShowOsdText(const QString& text, int) override { osd = text; }
  void ShowWarning(const QString& text) override { warnings << text; }
  void SetPositionBar(qint64 maximum, qint64 position, bool enabled) override {
    bar = {maximum, position};
    barEnabled = enabled;
  }
  void SetPositionBarValue(qint64 position) override { bar.Position = position; }
  TZBarState PositionBar() const override { return bar; }
  bool PositionBarDragging() const override { return false; }
  void SetTimeDisplay(qint64 milliseconds, bool remaining) override {
    timeMs = milliseconds;
    timeRemaining = remaining;
    timeBlank = false;
  }
  void BlankTimeDisplay() override { timeBlank = true; }
  void RedrawPlaylist() override {}
  void SetMenuEnabled(TZPlayerMenu, bool) override {}
  void SetRecordChecked(bool checked) override { recordChecked = checked; }
  void HideVideoWindow() override {}
  TZBarState VolumeControl() const override { return volume; }
  void SetVolumePosition(qint64 position) override { volume.Position = position; }
  void StepVolumeControls(qint64 step) override {
    volume.Position = std::clamp(volume.Position + step, qint64{0}, volume.Maximum);
  }
  void SetVolumeControlEnabled(bool) override {}
  void SetMuteChecked(bool) override {}
  int BalancePosition() const override { return balance; }
  void SetBalanceControlEnabled(bool) override {}
  int SpeedPosition() const override { return speed; }
  void SetSpeedPosition(int step) override { speed = step; }
  void SetSpeedControlEnabled(bool) override {}

  QString title;
  QStringList titles;
  std::function<void(const QString&)> onTitle;
  TZStatusPicture status = spStopped;
  QString osd;
  QStringList warnings;
  TZBarState bar;
  bool barEnabled = false;
  qint64 timeMs = -1;
  bool timeRemaining = false;
  bool timeBlank = false;
  bool recordChecked = false;
  TZBarState volume{10000, 10000};
  int balance = 100;
  int speed = 4;
};

class PlayerTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Renders `ms` of output into the capture, moving the clock along in steps of 10 ms.
  void Run(int ms);
  // Runs until the predicate holds or `limitMs` passed; false on the limit.
  bool RunUntil(const std::function<bool()>& done, int limitMs);
  // A stereo sine of `seconds` made by sox; returns its path.
  QString Tone(const QString& name, int frequency, double seconds);
  void AddTone(int frequency, double seconds);
  QStringList LogLines() const;

  // Amplitude of `frequency` in the left channel of the capture, per block of 20 ms.
  std::vector<double> Levels(int frequency) const;
  // First block (20 ms each) and the number of blocks in which `frequency` sounds above
  // `threshold` (relative to full scale).
  static int FirstBlock(const std::vector<double>& levels, double threshold);
  static int LastBlock(const std::vector<double>& levels, double threshold);

  ScratchFolder scratch_;
  TZConfig config_;
  TZPlaylist playlist_;
  WatchingWindows windows_;
  TZManualClock clock_;
  std::unique_ptr<TZPlayer> player_;
  std::vector<float> capture_;  // interleaved stereo
};
