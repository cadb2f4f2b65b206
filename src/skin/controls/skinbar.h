#pragma once
// Skinned sliders: the fill bar (one picture, empty and full), the seek bar (a knob over a
// background) and the playlist's scroll thumb. Values are 64-bit and survive a skin change,
// since the controls live as long as their windows.

#include <QObject>

#include "skin/controls/barmath.h"
#include "skin/controls/skinimage.h"

class TZSkinBar : public TZSkinImage {
  Q_OBJECT

 public:
  explicit TZSkinBar(TZSkinHost* host);

  // Pictures 0 (empty) and 1 (full); places the bar and shows it empty.
  void apply(const QRect& bounds, const QImage& empty, const QImage& full, TZSDirection align,
             QColor transparent);
  TZRange& range() { return range_; }
  const TZRange& range() const { return range_; }
  void setRange(qint64 min, qint64 max, qint64 position);
  void setPosition(qint64 position);
  TZSDirection align() const { return align_; }
  // Shows the empty picture with the filled share of the full picture over it.
  void DrawBar();
  double BarPercent() const;

 signals:
  // The user set a new value with the mouse.
  void positionChanged(qint64 position);

 public:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  void takePointer(QPoint point);

  TZRange range_;
  TZSDirection align_ = sdLeftToRight;
};

// A knob travelling over a background; both are image controls of the owning window.
class TZSkinSeekbar : public QObject {
  Q_OBJECT

 public:
  TZSkinSeekbar(TZSkinHost* window, const QString& backgroundName, const QString& knobName);

  TZSkinImage* background() const { return background_; }
  TZSkinImage* knob() const { return knob_; }

  void apply(const QRect& backgroundBounds, const QImage& backgroundPicture, QSize knobSize,
             const QImage& knobNormal, const QImage& knobDragged, TZSDirection align, bool visible,
             QColor transparent);
  TZRange& range() { return range_; }
  const TZRange& range() const { return range_; }
  void setRange(qint64 min, qint64 max, qint64 position);
  void setPosition(qint64 position);
  bool isVisible() const { return visible_; }
  const TZSeekbarGeometry& geometry() const { return geometry_; }
  bool isDragging() const;
  // Puts the knob where the value says; nothing while the seek bar is hidden.
  void LayoutSeekbar();
  double SeekbarPercent() const;

  // Mouse handling of the knob, in the knob's own coordinates.
  void KnobMouseDown(QPoint point);
  void KnobMouseMove(QPoint point);
  void KnobMouseUp();

 signals:
  void knobMoved(qint64 position);
  void knobReleased(qint64 position);

 private:
  void onKnobPressed(QMouseEvent* event);
  void onKnobMoved(QMouseEvent* event);
  void onKnobReleased(QMouseEvent* event);
  void dragTo(QPoint knobPoint);

  TZSkinImage* background_;
  TZSkinImage* knob_;
  TZSeekbarGeometry geometry_;
  TZRange range_;
  bool visible_ = false;
};

// The playlist's scroll thumb beside the list.
class TZSkinThumb : public QObject {
  Q_OBJECT

 public:
  TZSkinThumb(TZSkinHost* window, const QString& name);

  TZSkinImage* image() const { return image_; }
  void setPictures(const QImage& normal, const QImage& dragged, QColor transparent);
  // Places the thumb for the list's bounds (window coordinates) and the thumb size.
  void LayoutPlaylistThumb(const QRect& list, QSize thumbSize);
  void setRange(qint64 max, qint64 position);
  qint64 max() const { return max_; }
  qint64 position() const { return position_; }
  const TZThumbGeometry& geometry() const { return geometry_; }
  // Set by the playlist window: whether dragging changes the position.
  void setDragChangesPosition(bool on) { dragChangesPosition_ = on; }

  void ThumbMouseDown(QPoint point);
  void ThumbMouseMove(QPoint point);
  void ThumbMouseUp();

 signals:
  // The thumb moved the list's top row; the playlist repaints.
  void positionChanged(qint64 position);

 private:
  void place();
  void dragTo(QPoint point);

  TZSkinImage* image_;
  TZThumbGeometry geometry_;
  qint64 max_ = 0;
  qint64 position_ = 0;
  bool dragChangesPosition_ = true;
};
