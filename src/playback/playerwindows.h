#pragma once
// Everything the player core does to the windows, as one narrow interface: the main window
// implements it, tests implement it to watch. All calls come on the user-interface thread.

#include <QString>
#include <QtGlobal>

// The status pictures of the skin, by their place in the skin's row of status pictures.
enum TZStatusPicture { spStopped = 0, spPlaying = 2, spPaused = 3, spLoading = 4 };

// Main-menu entries whose state the player core sets.
enum TZPlayerMenu { pmAudio, pmLiveStream, pmVideo };

// A bar control's range and position (position bar, volume control).
struct TZBarState {
  qint64 Maximum = 0;
  qint64 Position = 0;
};

class TZPlayerWindows {
 public:
  // How long the player's own on-screen texts stay, in milliseconds.
  static constexpr int kOsdMs = 2000;

  virtual ~TZPlayerWindows() = default;

  // The title line: scrolling labels, tray hint and application title.
  virtual QString TitleText() const = 0;
  virtual void SetTitleText(const QString& text) = 0;
  virtual void RestartScrollingLabels() = 0;
  virtual void ShowStatusPicture(TZStatusPicture picture) = 0;
  // On-screen text over the video for `ms` milliseconds.
  virtual void ShowOsdText(const QString& text, int ms) = 0;
  // A modal message (warning, OK button).
  virtual void ShowWarning(const QString& text) = 0;

  // The position bars of the main window and the fullscreen controls.
  virtual void SetPositionBar(qint64 maximum, qint64 position, bool enabled) = 0;
  virtual void SetPositionBarValue(qint64 position) = 0;
  // The bar in use (the fullscreen controls' while the video is fullscreen).
  virtual TZBarState PositionBar() const = 0;
  virtual bool PositionBarDragging() const = 0;

  // The time display; `remaining` shows the "-" sign.
  virtual void SetTimeDisplay(qint64 milliseconds, bool remaining) = 0;
  virtual void BlankTimeDisplay() = 0;

  virtual void RedrawPlaylist() = 0;
  virtual void SetMenuEnabled(TZPlayerMenu menu, bool enabled) = 0;
  virtual void SetRecordChecked(bool checked) = 0;
  // Takes the video window out of fullscreen and hides it.
  virtual void HideVideoWindow() = 0;

  // The controls the player core reads and changes.
  virtual TZBarState VolumeControl() const = 0;
  virtual void SetVolumePosition(qint64 position) = 0;
  // Moves the main window's and the fullscreen controls' volume controls by `step`, each within
  // its own range, and redraws them.
  virtual void StepVolumeControls(qint64 step) = 0;
  virtual void SetVolumeControlEnabled(bool enabled) = 0;
  virtual void SetMuteChecked(bool checked) = 0;
  virtual int BalancePosition() const = 0;  // 0 to 200, 100 = centre
  virtual void SetBalanceControlEnabled(bool enabled) = 0;
  virtual int SpeedPosition() const = 0;  // 1 to 10, 4 = normal
  virtual void SetSpeedPosition(int step) = 0;
  virtual void SetSpeedControlEnabled(bool enabled) = 0;
};
