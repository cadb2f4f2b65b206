#include "ui/skinwindow.h"

#include <QMouseEvent>
#include <QWindow>

#include "components/ui/formmagnet.h"
#include "skin/controls/maskregion.h"

TZSkinWindow::TZSkinWindow(const QString& title, QWidget* parent)
    : TZSkinHost(parent, Qt::Window | Qt::FramelessWindowHint), imgForm(new TZSkinImage(this)) {
  setWindowTitle(title);
  imgForm->setObjectName(QStringLiteral("imgForm"));
}

void TZSkinWindow::ApplySurface(const TZSSurface& surface, QColor transparent) {
  setFixedSize(surface.Size.expandedTo(QSize(1, 1)));
  imgForm->setGeometry(QRect(QPoint(0, 0), surface.Size));
  // The background is the window itself: drawn opaque, the shape does the cutting.
  imgForm->setOpaquePicture(surface.Picture);
  if (surface.Masked) {
    setMask(BuildMaskRegion(surface.Picture, transparent));
  } else {
    clearMask();
  }
}

void TZSkinWindow::BelongTo(TZSkinWindow& owner) {
  // Only tool windows and dialogs get WM_TRANSIENT_FOR from the toolkit.
  setParent(&owner, (windowFlags() & ~Qt::WindowType_Mask) | Qt::Tool);
}

void TZSkinWindow::StartMove(const QMouseEvent& press) {
  if (TZFormMagnet::PlacementAllowed()) {
    moveGrab_ = press.globalPosition().toPoint() - pos();
    moving_ = true;
  } else if (QWindow* handle = windowHandle()) {
    handle->startSystemMove();
  }
}

void TZSkinWindow::mouseMoveEvent(QMouseEvent* event) {
  if (moving_ && event->buttons().testFlag(Qt::LeftButton)) {
    move(event->globalPosition().toPoint() - moveGrab_);
  }
  TZSkinHost::mouseMoveEvent(event);
}

void TZSkinWindow::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    moving_ = false;
  }
  TZSkinHost::mouseReleaseEvent(event);
}

TZSkinFrameWindow::TZSkinFrameWindow(const QString& title, QWidget* parent)
    : TZSkinWindow(title, parent) {}

void TZSkinFrameWindow::ApplyFrame(const TZSFrame& frame, QColor transparent) {
  std::copy(frame.Edges.begin(), frame.Edges.end(), pieces_.begin());
  edge_ = frame.EdgeSize;
  masked_ = frame.Masked;
  transparent_ = transparent;
  applied_ = true;
  setMinimumSize(frame.DefaultSize.expandedTo(QSize(1, 1)));
  resize(frame.Size.expandedTo(minimumSize()));
  ComposeFrame();
}

void TZSkinFrameWindow::ComposeFrame() {
  if (!applied_) {
    return;
  }
  composed_ = ::ComposeFrame(pieces_, edge_, size());
  imgForm->setGeometry(rect());
  imgForm->setOpaquePicture(composed_);
  if (masked_) {
    setMask(BuildMaskRegion(composed_, transparent_));
  } else {
    clearMask();
  }
  layoutForSize();
}

void TZSkinFrameWindow::resizeEvent(QResizeEvent* event) {
  TZSkinHost::resizeEvent(event);
  if (!composed_.isNull() && composed_.size() != size()) {
    ComposeFrame();
  }
}
