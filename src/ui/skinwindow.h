#pragma once
// The base of the player's borderless, skinned windows: a background image control filling the
// window and a window shape cut from the skin's transparent colour.

#include "skin/controls/framecompose.h"
#include "skin/controls/skinhost.h"
#include "skin/controls/skinimage.h"
#include "skin/zgui.h"

class TZSkinWindow : public TZSkinHost {
  Q_OBJECT

 public:
  explicit TZSkinWindow(const QString& title, QWidget* parent = nullptr);

  // The window takes the surface's size and picture; a masked surface shapes the window.
  void ApplySurface(const TZSSurface& surface, QColor transparent);

  // Becomes a tool window of owner, which the window manager keeps it with. Call before the window
  // is first shown.
  void BelongTo(TZSkinWindow& owner);

  // A caption press starts moving the window. Where the program places its windows itself, the
  // window follows the pointer by its own moves, so that the magnets snap it on the way; elsewhere
  // the window system moves it.
  void StartMove(const QMouseEvent& press);

  TZSkinImage* imgForm;

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool moving_ = false;
  QPoint moveGrab_;
};

// A resizable skinned window whose background is composed from nine pieces at every size.
class TZSkinFrameWindow : public TZSkinWindow {
  Q_OBJECT

 public:
  explicit TZSkinFrameWindow(const QString& title, QWidget* parent = nullptr);

  // Sets size and minimum size from the frame and composes the background.
  void ApplyFrame(const TZSFrame& frame, QColor transparent);
  // Rebuilds the background at the window's current size and reshapes the window.
  void ComposeFrame();
  const QImage& composedFrame() const { return composed_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  // Places what depends on the window's size; called after every compose.
  virtual void layoutForSize() {}

 private:
  TZFramePieces pieces_;
  QSize edge_;
  bool masked_ = false;
  bool applied_ = false;
  QColor transparent_;
  QImage composed_;
};
