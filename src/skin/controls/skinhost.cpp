#include "skin/controls/skinhost.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

TZSkinHost::TZSkinHost(QWidget* parent, Qt::WindowFlags flags) : QWidget(parent, flags) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
}

TZSkinHost::~TZSkinHost() {
  for (TZSkinControl* control : controls_) {
    control->host_ = nullptr;
  }
}

void TZSkinHost::add(TZSkinControl* control) {
  controls_.push_back(control);
  invalidate(control->geometry());
}

void TZSkinHost::remove(TZSkinControl* control) {
  std::erase(controls_, control);
  if (hovered_ == control) {
    hovered_ = nullptr;
  }
  if (grabbed_ == control) {
    grabbed_ = nullptr;
  }
  invalidate(control->geometry());
}

void TZSkinHost::raise(TZSkinControl* control) {
  std::erase(controls_, control);
  controls_.push_back(control);
  invalidate(control->geometry());
}

void TZSkinHost::invalidate(const QRect& rect) {
  const QRect area = rect.intersected(QRect(QPoint(0, 0), size()));
  if (!area.isEmpty()) {
    dirty_ += area;
    QWidget::update(area);
  }
}

void TZSkinHost::recompose() {
  if (face_.size() != size()) {
    face_ = QImage(size(), QImage::Format_RGB32);
    dirty_ = QRegion(face_.rect());
  }
  if (dirty_.isEmpty() || face_.isNull()) {
    return;
  }
  QPainter painter(&face_);
  painter.setClipRegion(dirty_);
  painter.fillRect(dirty_.boundingRect(), Qt::black);
  const QRect bounds = dirty_.boundingRect();
  for (TZSkinControl* control : controls_) {
    if (control->isVisible() && control->geometry().intersects(bounds)) {
      painter.translate(control->pos());
      control->paint(painter);
      painter.translate(-control->pos());
    }
  }
  dirty_ = QRegion();
}

const QImage& TZSkinHost::face() {
  recompose();
  return face_;
}

void TZSkinHost::paintFace(QPainter& painter, const QRegion& region) {
  recompose();
  for (const QRect& rect : region) {
    painter.drawImage(rect.topLeft(), face_, rect);
  }
}

void TZSkinHost::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  paintFace(painter, event->region());
}

void TZSkinHost::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  dirty_ = QRegion(rect());
}

TZSkinControl* TZSkinHost::controlAt(QPoint point) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    if ((*it)->isVisible() && (*it)->geometry().contains(point)) {
      return *it;
    }
  }
  return nullptr;
}

void TZSkinHost::deliver(TZSkinControl* control, QMouseEvent* event) {
  if (!control->isEnabled()) {
    return;
  }
  const QPointF local = event->position() - QPointF(control->pos());
  QMouseEvent mapped(event->type(), local, event->scenePosition(), event->globalPosition(),
                     event->button(), event->buttons(), event->modifiers(),
                     event->pointingDevice());
  switch (event->type()) {
    case QEvent::MouseButtonPress:
      control->mousePressEvent(&mapped);
      break;
    case QEvent::MouseButtonDblClick:
      control->mouseDoubleClickEvent(&mapped);
      break;
    case QEvent::MouseMove:
      control->mouseMoveEvent(&mapped);
      break;
    case QEvent::MouseButtonRelease:
      control->mouseReleaseEvent(&mapped);
      break;
    default:
      break;
  }
}

void TZSkinHost::hover(TZSkinControl* control, QPoint at) {
  if (control == hovered_) {
    return;
  }
  if (hovered_) {
    QEvent leave(QEvent::Leave);
    hovered_->leaveEvent(&leave);
  }
  hovered_ = control;
  if (hovered_) {
    const QPointF local = QPointF(at - hovered_->pos());
    QEnterEvent enter(local, QPointF(at), QPointF(mapToGlobal(at)));
    hovered_->enterEvent(&enter);
  }
}

// The control under the pointer at the press keeps the mouse until every button is up.
void TZSkinHost::mousePressEvent(QMouseEvent* event) {
  if (!grabbed_) {
    grabbed_ = controlAt(event->position().toPoint());
  }
  if (grabbed_) {
    deliver(grabbed_, event);
  }
}

void TZSkinHost::mouseDoubleClickEvent(QMouseEvent* event) {
  mousePressEvent(event);
}

void TZSkinHost::mouseMoveEvent(QMouseEvent* event) {
  if (grabbed_) {
    deliver(grabbed_, event);
    return;
  }
  TZSkinControl* under = controlAt(event->position().toPoint());
  hover(under, event->position().toPoint());
  if (under) {
    deliver(under, event);
  }
}

void TZSkinHost::mouseReleaseEvent(QMouseEvent* event) {
  TZSkinControl* target = grabbed_;
  if (event->buttons() == Qt::NoButton) {
    grabbed_ = nullptr;
  }
  if (target) {
    deliver(target, event);
  }
  if (!grabbed_) {
    hover(controlAt(event->position().toPoint()), event->position().toPoint());
  }
}

void TZSkinHost::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  if (!grabbed_) {
    hover(nullptr, QPoint());
  }
}

TZSkinControl::TZSkinControl(TZSkinHost* host) : QObject(host), host_(host) {
  host_->add(this);
}

TZSkinControl::~TZSkinControl() {
  if (host_) {
    host_->remove(this);
  }
}

void TZSkinControl::setGeometry(const QRect& geometry) {
  if (geometry == geometry_) {
    return;
  }
  update();
  geometry_ = geometry;
  update();
}

void TZSkinControl::move(QPoint position) {
  setGeometry(QRect(position, geometry_.size()));
}

void TZSkinControl::resize(QSize size) {
  setGeometry(QRect(geometry_.topLeft(), size));
}

void TZSkinControl::setVisible(bool visible) {
  if (visible != visible_) {
    visible_ = visible;
    update();
  }
}

void TZSkinControl::raise() {
  if (host_) {
    host_->raise(this);
  }
}

void TZSkinControl::update() {
  if (host_) {
    host_->invalidate(geometry_);
  }
}
