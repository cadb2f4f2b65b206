#pragma once
// What the control strip over fullscreen video does: its transport buttons, position and volume
// sliders, mute and time read-out act on the player; it is shown while the pointer moves over the
// picture and hidden once the pointer rests, unless the user is working with it (InUse).

#include <QObject>
#include <QPoint>
#include <functional>
#include <memory>

#include "skin/zgui.h"

class TfrmVideoFullscreenControl;
class TZMainWindow;
class TZSkinControl;
class TZTimer;
class TZTimerSource;
class QWidget;
struct TZConfig;

// The control window's top-left on a screen of W x H for the skin's Align value.
QPoint FullscreenControlPlace(TZSScreenPosition align, QSize screen, QSize control);

class TZFullscreenControls : public QObject {
  Q_OBJECT

 public:
  static constexpr int kIsControledInterval = 3000;
  static constexpr int kMoveInterval = 50;

  TZFullscreenControls(TfrmVideoFullscreenControl& window, TZMainWindow& main, TZConfig& config,
                       const TZGUI& skin, TZTimerSource& timers);
  ~TZFullscreenControls() override;

  // The close button's action: back to the window presentation.
  void SetCloseAction(std::function<void()> action) { close_ = std::move(action); }

  // Positions the window on a screen whose top-left is `origin` and size W x H.
  void PlaceFullscreenControl(QPoint origin, QSize screen);
  // The strip belongs to the fullscreen form: the window manager keeps it above the picture.
  void FloatOver(QWidget& form);
  // HideRequested := true and MoveTimer at 50 ms.
  void RequestHide();
  // Fullscreen ended: the window goes at once and belongs to no form any more.
  void HideNow();
  void Show();

  bool InUse() const { return inUse_; }
  bool HideRequested() const { return hideRequested_; }
  const TZTimer& MoveTimer() const { return *moveTimer_; }
  const TZTimer& IsControledTimer() const { return *isControledTimer_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ConnectButtons();
  void ConnectPosition();
  void ConnectVolume();
  void ConnectToggles();
  void OnMoveTimer();
  void OnIsControledTimer();
  void Hover(const TZSkinControl* control);
  void BeginSeek();
  void EndSeek(qint64 position);
  void ApplyVolume(qint64 position, double percent);
  void Touch() { inUse_ = true; }
  void StartIsControled();

  TfrmVideoFullscreenControl& window_;
  TZMainWindow& main_;
  TZConfig& config_;
  const TZGUI& skin_;
  std::unique_ptr<TZTimer> isControledTimer_;
  std::unique_ptr<TZTimer> moveTimer_;
  std::function<void()> close_;
  const TZSkinControl* hovered_ = nullptr;
  QString savedTitle_;
  bool inUse_ = false;
  bool hideRequested_ = false;
  bool seeking_ = false;
};
