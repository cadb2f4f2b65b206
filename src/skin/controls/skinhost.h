#pragma once
// Skinned controls are light objects drawn by the window that hosts them: the host keeps the
// window's face composed in one picture and repaints with one copy, recomposing only where a
// control changed. The host also hands mouse events to the control under the pointer.

#include <QImage>
#include <QObject>
#include <QRect>
#include <QRegion>
#include <QWidget>
#include <vector>

class QEnterEvent;
class QMouseEvent;
class QPainter;
class TZSkinControl;

class TZSkinHost : public QWidget {
  Q_OBJECT

 public:
  explicit TZSkinHost(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
  ~TZSkinHost() override;

  // The window's face as it is painted: the controls in their order, bottom to top.
  const QImage& face();
  const std::vector<TZSkinControl*>& controls() const { return controls_; }
  // The topmost visible control at a point, or null.
  TZSkinControl* controlAt(QPoint point) const;
  // What a repaint does: brings the face up to date and copies the region of it.
  void paintFace(QPainter& painter, const QRegion& region);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  friend class TZSkinControl;
  void add(TZSkinControl* control);
  void remove(TZSkinControl* control);
  void raise(TZSkinControl* control);
  void invalidate(const QRect& rect);
  void recompose();
  void hover(TZSkinControl* control, QPoint at);
  // Sends the event to control in its own coordinates.
  void deliver(TZSkinControl* control, QMouseEvent* event);

  std::vector<TZSkinControl*> controls_;
  QImage face_;
  QRegion dirty_;
  TZSkinControl* hovered_ = nullptr;
  TZSkinControl* grabbed_ = nullptr;
};

// A rectangle of a host window that draws itself and takes the mouse.
class TZSkinControl : public QObject {
  Q_OBJECT

 public:
  explicit TZSkinControl(TZSkinHost* host);
  ~TZSkinControl() override;

  TZSkinHost* host() const { return host_; }
  QRect geometry() const { return geometry_; }
  void setGeometry(const QRect& geometry);
  void move(QPoint position);
  void move(int x, int y) { move(QPoint(x, y)); }
  void resize(QSize size);
  QPoint pos() const { return geometry_.topLeft(); }
  int x() const { return geometry_.x(); }
  int y() const { return geometry_.y(); }
  QSize size() const { return geometry_.size(); }
  int width() const { return geometry_.width(); }
  int height() const { return geometry_.height(); }
  QRect rect() const { return QRect(QPoint(0, 0), geometry_.size()); }
  bool isVisible() const { return visible_; }
  void setVisible(bool visible);
  void show() { setVisible(true); }
  // A disabled control is drawn as usual but takes no mouse input.
  bool isEnabled() const { return enabled_; }
  void setEnabled(bool enabled) { enabled_ = enabled; }
  void hide() { setVisible(false); }
  // Puts the control above every other control of its host.
  void raise();
  // Asks the host to draw the control again.
  void update();

  // Draws the control with the painter's origin at the control's top-left, within rect().
  virtual void paint(QPainter& painter) = 0;
  virtual void mousePressEvent(QMouseEvent*) {}
  virtual void mouseMoveEvent(QMouseEvent*) {}
  virtual void mouseReleaseEvent(QMouseEvent*) {}
  virtual void mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }
  virtual void enterEvent(QEnterEvent*) {}
  virtual void leaveEvent(QEvent*) {}

 private:
  friend class TZSkinHost;
  TZSkinHost* host_;
  QRect geometry_;
  bool visible_ = true;
  bool enabled_ = true;
};
