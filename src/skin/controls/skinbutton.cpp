#include "skin/controls/skinbutton.h"

#include <QMouseEvent>

namespace {

bool IsOver(const TZSkinControl& widget, const QMouseEvent& event) {
  return widget.rect().contains(event.position().toPoint());
}

}  // namespace

TZSkinButton::TZSkinButton(TZSkinHost* host) : TZSkinImage(host) {}

void TZSkinButton::setState(int state) {
  state_ = state;
  ShowButtonState();
}

void TZSkinButton::ShowButtonState() {
  if (state_ >= 0 && state_ <= 3) {
    showPicture(state_);
  }
}

void TZSkinButton::enterEvent(QEnterEvent*) {
  setState(2);
}

void TZSkinButton::leaveEvent(QEvent*) {
  setState(1);
}

void TZSkinButton::mousePressEvent(QMouseEvent* event) {
  emit mousePressed(event);
  if (event->button() != Qt::LeftButton) {
    return;
  }
  pressed_ = true;
  setState(3);
}

void TZSkinButton::mouseDoubleClickEvent(QMouseEvent* event) {
  mousePressEvent(event);
}

void TZSkinButton::mouseReleaseEvent(QMouseEvent* event) {
  emit mouseReleased(event);
  if (event->button() != Qt::LeftButton || !pressed_) {
    return;
  }
  pressed_ = false;
  if (IsOver(*this, *event)) {
    setState(2);
    emit clicked();
  } else {
    setState(1);
  }
}

TZSkinCheckBox::TZSkinCheckBox(TZSkinHost* host) : TZSkinImage(host) {}

void TZSkinCheckBox::setChecked(bool checked) {
  checked_ = checked;
  state_ = checked ? 3 : 1;
  ShowButtonState();
}

void TZSkinCheckBox::ShowButtonState() {
  if (state_ >= 0 && state_ <= 3) {
    showPicture(state_);
  }
}

void TZSkinCheckBox::mousePressEvent(QMouseEvent* event) {
  emit mousePressed(event);
  if (event->button() != Qt::LeftButton) {
    return;
  }
  pressed_ = true;
  state_ = 2;
  ShowButtonState();
}

void TZSkinCheckBox::mouseDoubleClickEvent(QMouseEvent* event) {
  mousePressEvent(event);
}

// A release away from the box cancels the press, as with the push buttons.
void TZSkinCheckBox::mouseReleaseEvent(QMouseEvent* event) {
  emit mouseReleased(event);
  if (event->button() != Qt::LeftButton || !pressed_) {
    return;
  }
  pressed_ = false;
  if (!IsOver(*this, *event)) {
    setChecked(checked_);
    return;
  }
  setChecked(!checked_);
  emit toggled(checked_);
}
