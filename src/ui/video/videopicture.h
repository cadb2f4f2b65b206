#pragma once
// The picture control of the video window: takes decoded frames from the streaming thread, shows
// the newest one in the aspect rectangle over black, with the digital zoom and the on-screen text,
// and reports the pointer in the video's own pixels for DVD menus.

#include <QImage>
#include <QMutex>
#include <QPointF>
#include <QWidget>
#include <atomic>
#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>

#include "config/config.h"
#include "config/osdlayout.h"
#include "playback/video/framesink.h"

class TZScreenSaverInhibitor;

// A digital zoom outside 0 to 99.
class TZDigitalZoomError : public std::out_of_range {
 public:
  explicit TZDigitalZoomError(int value);
};

// The on-screen font's pixel height: the reference height (the window's client height, or the
// screen's in fullscreen and on the desktop) divided by (50 - font size). Sizes of 50 and more
// count as 49, so the divisor never reaches 0.
int OsdFontHeight(int referenceHeight, int fontSize);

// How the on-screen text is drawn.
struct TZOsdStyle {
  TZFontSetting Font;
  TOSDPosition Position = opTopLeft;
  int ReferenceHeight = 0;
};

class TZVideoPicture : public QWidget, public TZVideoFrameSink {
  Q_OBJECT

 public:
  explicit TZVideoPicture(QWidget* parent = nullptr);
  ~TZVideoPicture() override;

  // TZVideoFrameSink; any thread.
  void PresentFrame(const QImage& frame) override;
  void ClearFrame() override;

  // GUI thread from here on.
  const QImage& Frame() const { return frame_; }
  // Frames that never reached the screen: replaced by a newer one within a burst, or pushed out
  // while the GUI thread was held up for longer than the waiting room holds.
  int DroppedFrames() const { return dropped_.load(); }

  // The picture's rectangle for the control's size (the aspect layout); by default the whole
  // control. Asked again at every size; ApplyAspectLayout redraws after the ratio changed.
  void SetAspectLayout(std::function<QRect(QSize area)> layout);
  void ApplyAspectLayout();
  QRect PictureRect() const;

  // 0 to 99; throws TZDigitalZoomError outside.
  void SetDigitalZoom(int value);
  int DigitalZoom() const { return zoom_; }

  // An empty text removes the on-screen text.
  void SetOsdText(const QString& text, const TZOsdStyle& style);
  const QString& OsdText() const { return osd_; }

  // Whether the screen saver is held off while the control shows playing video; off until the
  // settings say otherwise.
  void SetScreenSaverDisabled(bool disabled);
  bool ScreenSaverDisabled() const { return noScreenSaver_; }
  // The video shown plays (true) or is paused, stopped or gone (false).
  void SetPlaying(bool playing);
  // The screen saver is held off now.
  bool HoldsScreenSaver() const;

  // A point of the control in the video's own pixels (through aspect and zoom); nothing outside
  // the picture or without a frame.
  std::optional<QPointF> VideoPoint(QPointF controlPoint) const;

 signals:
  void pressed();
  void doubleClicked();
  void pointerMoved(QPointF videoPoint);
  void pointerReleased(QPointF videoPoint);
  // Any mouse movement over the control (the idle check counts from it).
  void mouseActive();
  void contextMenuRequested(QPoint globalPos);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  struct Pending {
    QImage frame;
    std::chrono::steady_clock::time_point arrived;
  };

  void QueueTake();
  void TakePendingFrame();
  // The part of the frame the digital zoom shows.
  QRect ShownSource() const;
  void DrawOsd(QPainter& painter);
  void UpdateScreenSaver();

  QMutex mutex_;
  std::deque<Pending> pending_;
  bool pendingCleared_ = false;
  bool takeQueued_ = false;
  std::atomic<int> dropped_{0};

  QImage frame_;
  std::function<QRect(QSize)> layout_;
  int zoom_ = 0;
  QString osd_;
  TZOsdStyle osdStyle_;
  bool noScreenSaver_ = false;
  bool playing_ = false;
  std::unique_ptr<TZScreenSaverInhibitor> screenSaver_;
};
