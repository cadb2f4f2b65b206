#pragma once
// Four-state skinned push buttons and check boxes. Pictures: 0 unused, 1 normal (off),
// 2 mouse over (check box: pressed), 3 pressed (check box: on).

#include "skin/controls/skinimage.h"

class TZSkinButton : public TZSkinImage {
  Q_OBJECT

 public:
  explicit TZSkinButton(TZSkinHost* host);

  int state() const { return state_; }
  // Stores a state (1 to 3) and shows it; other values only show nothing new.
  void setState(int state);
  // Shows picture State; any value outside 0..3 leaves the picture as it is.
  void ShowButtonState();

 signals:
  void clicked();

 public:
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  int state_ = 1;
  bool pressed_ = false;
};

class TZSkinCheckBox : public TZSkinImage {
  Q_OBJECT

 public:
  explicit TZSkinCheckBox(TZSkinHost* host);

  bool isChecked() const { return checked_; }
  int state() const { return state_; }
  // Sets the value (State 3 on, 1 off) and shows it; no signal, for owners that changed the
  // setting elsewhere.
  void setChecked(bool checked);
  void ShowButtonState();

 signals:
  // The user toggled the box; the owner applies the new value.
  void toggled(bool checked);

 public:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  int state_ = 1;
  bool checked_ = false;
  bool pressed_ = false;
};
