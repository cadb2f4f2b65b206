#include "skin/controls/skinbar.h"

#include <QMouseEvent>
#include <QPainter>

TZSkinBar::TZSkinBar(TZSkinHost* host) : TZSkinImage(host) {}

void TZSkinBar::apply(const QRect& bounds, const QImage& empty, const QImage& full,
                      TZSDirection align, QColor transparent) {
  setGeometry(bounds);
  align_ = align;
  setPictures({empty, full}, transparent);
  showPicture(0);
}

void TZSkinBar::setRange(qint64 min, qint64 max, qint64 position) {
  range_ = {min, max, position};
  DrawBar();
}

void TZSkinBar::setPosition(qint64 position) {
  range_.Position = position;
  DrawBar();
}

void TZSkinBar::DrawBar() {
  if (pictureCount() < 2) {
    return;
  }
  const QRect full = BarFullArea(size(), range_, align_);
  if (full.isEmpty()) {
    showPicture(0);
    return;
  }
  QImage combined = picture(0).convertToFormat(QImage::Format_RGB32);
  QPainter painter(&combined);
  painter.drawImage(full.topLeft(), picture(1), full);
  painter.end();
  setPicture(combined);
}

double TZSkinBar::BarPercent() const {
  return ::BarPercent(range_);
}

void TZSkinBar::takePointer(QPoint point) {
  if (SetBarPositionAt(size(), range_, align_, point)) {
    DrawBar();
    emit positionChanged(range_.Position);
  }
}

void TZSkinBar::mousePressEvent(QMouseEvent* event) {
  emit mousePressed(event);
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    takePointer(event->position().toPoint());
  }
}

void TZSkinBar::mouseMoveEvent(QMouseEvent* event) {
  emit mouseMoved(event);
  if (event->buttons() == Qt::LeftButton && event->modifiers() == Qt::NoModifier) {
    takePointer(event->position().toPoint());
  }
}

TZSkinSeekbar::TZSkinSeekbar(TZSkinHost* window, const QString& backgroundName,
                             const QString& knobName)
    : QObject(window), background_(new TZSkinImage(window)), knob_(new TZSkinImage(window)) {
  background_->setObjectName(backgroundName);
  knob_->setObjectName(knobName);
  background_->hide();
  knob_->hide();
  connect(knob_, &TZSkinImage::mousePressed, this, &TZSkinSeekbar::onKnobPressed);
  connect(knob_, &TZSkinImage::mouseMoved, this, &TZSkinSeekbar::onKnobMoved);
  connect(knob_, &TZSkinImage::mouseReleased, this, &TZSkinSeekbar::onKnobReleased);
}

void TZSkinSeekbar::apply(const QRect& backgroundBounds, const QImage& backgroundPicture,
                          QSize knobSize, const QImage& knobNormal, const QImage& knobDragged,
                          TZSDirection align, bool visible, QColor transparent) {
  geometry_ = {backgroundBounds, knobSize, align};
  visible_ = visible;
  background_->setGeometry(backgroundBounds);
  background_->setPictures({backgroundPicture}, transparent);
  background_->showPicture(0);
  knob_->setGeometry(QRect(backgroundBounds.topLeft(), knobSize));
  knob_->setPictures({knobNormal, knobDragged}, transparent);
  knob_->showPicture(0);
  background_->setVisible(visible);
  knob_->setVisible(visible);
  knob_->raise();
}

void TZSkinSeekbar::setRange(qint64 min, qint64 max, qint64 position) {
  range_ = {min, max, position};
  LayoutSeekbar();
}

void TZSkinSeekbar::setPosition(qint64 position) {
  range_.Position = position;
  LayoutSeekbar();
}

bool TZSkinSeekbar::isDragging() const {
  const TZDragState& drag = SharedDragState();
  return drag.Dragging && drag.Owner == this;
}

void TZSkinSeekbar::LayoutSeekbar() {
  if (!visible_) {
    return;
  }
  background_->setGeometry(geometry_.Background);
  knob_->setGeometry(QRect(geometry_.KnobAt(range_), geometry_.Knob));
  background_->show();
  knob_->show();
}

double TZSkinSeekbar::SeekbarPercent() const {
  return ::SeekbarPercent(range_);
}

// The knob's centre jumps to the pointer and the value follows at once, so that a click
// without a move leaves knob and value in agreement.
void TZSkinSeekbar::KnobMouseDown(QPoint point) {
  knob_->showPicture(1);
  if (range_.Max == 0 || geometry_.Travel() <= 0) {
    return;
  }
  TZDragState& drag = SharedDragState();
  drag = {true, geometry_.GrabOffset(), this};
  dragTo(point);
}

void TZSkinSeekbar::KnobMouseMove(QPoint point) {
  if (isDragging()) {
    dragTo(point);
  }
}

void TZSkinSeekbar::KnobMouseUp() {
  knob_->showPicture(0);
  if (!isDragging()) {
    return;
  }
  SharedDragState() = {};
  emit knobReleased(range_.Position);
}

void TZSkinSeekbar::dragTo(QPoint knobPoint) {
  const QPoint pointer = knob_->pos() + knobPoint;
  knob_->move(DragKnob(geometry_, range_, pointer, SharedDragState().GrabOffset));
  emit knobMoved(range_.Position);
}

void TZSkinSeekbar::onKnobPressed(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    KnobMouseDown(event->position().toPoint());
  }
}

void TZSkinSeekbar::onKnobMoved(QMouseEvent* event) {
  KnobMouseMove(event->position().toPoint());
}

void TZSkinSeekbar::onKnobReleased(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    KnobMouseUp();
  }
}

TZSkinThumb::TZSkinThumb(TZSkinHost* window, const QString& name)
    : QObject(window), image_(new TZSkinImage(window)) {
  image_->setObjectName(name);
  connect(image_, &TZSkinImage::mousePressed, this, [this](QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
      ThumbMouseDown(event->position().toPoint());
    }
  });
  connect(image_, &TZSkinImage::mouseMoved, this,
          [this](QMouseEvent* event) { ThumbMouseMove(event->position().toPoint()); });
  connect(image_, &TZSkinImage::mouseReleased, this, [this](QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
      ThumbMouseUp();
    }
  });
}

void TZSkinThumb::setPictures(const QImage& normal, const QImage& dragged, QColor transparent) {
  image_->setPictures({normal, dragged}, transparent);
  image_->showPicture(0);
}

void TZSkinThumb::LayoutPlaylistThumb(const QRect& list, QSize thumbSize) {
  geometry_.Track = QRect(list.left() + list.width(), list.top(), thumbSize.width(), list.height());
  geometry_.Thumb = thumbSize;
  image_->resize(thumbSize);
  place();
}

void TZSkinThumb::setRange(qint64 max, qint64 position) {
  max_ = max;
  position_ = position;
  place();
}

void TZSkinThumb::place() {
  image_->move(geometry_.ThumbAt(position_, max_));
}

void TZSkinThumb::ThumbMouseDown(QPoint point) {
  image_->showPicture(1);
  if (max_ == 0) {
    return;
  }
  SharedDragState() = {true, geometry_.Thumb.height() / 2, this};
  dragTo(point);
}

void TZSkinThumb::ThumbMouseMove(QPoint point) {
  const TZDragState& drag = SharedDragState();
  if (drag.Dragging && drag.Owner == this) {
    dragTo(point);
  }
}

void TZSkinThumb::ThumbMouseUp() {
  image_->showPicture(0);
  if (SharedDragState().Owner == this) {
    SharedDragState() = {};
  }
}

void TZSkinThumb::dragTo(QPoint point) {
  const int top = geometry_.DragTop(image_->y() + point.y(), SharedDragState().GrabOffset);
  image_->move(geometry_.Track.left(), top);
  if (dragChangesPosition_) {
    position_ = geometry_.PositionForTop(top, max_);
  }
  emit positionChanged(position_);
}
