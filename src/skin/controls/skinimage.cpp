#include "skin/controls/skinimage.h"

#include <QMouseEvent>
#include <QPainter>

#include "skin/controls/maskregion.h"

TZSkinImage::TZSkinImage(TZSkinHost* host) : TZSkinControl(host) {}

void TZSkinImage::setPictures(std::vector<QImage> pictures, QColor transparent) {
  transparent_ = transparent;
  seeThrough_ = HasTransparentPixels(pictures, transparent);
  pictures_ = std::move(pictures);
  prepared_.clear();
  for (const QImage& picture : pictures_) {
    prepared_.push_back(PrepareForDisplay(picture, transparent_, seeThrough_));
  }
  shown_ = -1;
}

void TZSkinImage::showPicture(int index) {
  if (index < 0 || index >= int(prepared_.size())) {
    return;
  }
  shown_ = index;
  displayed_ = prepared_[size_t(index)];
  update();
}

void TZSkinImage::setPicture(const QImage& picture) {
  shown_ = -1;
  displayed_ = PrepareForDisplay(picture, transparent_, seeThrough_);
  update();
}

void TZSkinImage::setPicture(const QImage& picture, QColor transparent) {
  transparent_ = transparent;
  seeThrough_ = HasTransparentPixels({&picture, 1}, transparent);
  setPicture(picture);
}

void TZSkinImage::setOpaquePicture(const QImage& picture) {
  pictures_ = {picture};
  prepared_ = {PrepareForDisplay(picture, transparent_, false)};
  seeThrough_ = false;
  showPicture(0);
}

void TZSkinImage::clearPicture() {
  shown_ = -1;
  displayed_ = QImage();
  update();
}

// Pictures are drawn only where they have pixels; the window shows through elsewhere.
void TZSkinImage::paint(QPainter& painter) {
  if (!displayed_.isNull()) {
    painter.drawImage(QPoint(0, 0), displayed_, rect());
  }
}

void TZSkinImage::mousePressEvent(QMouseEvent* event) {
  emit mousePressed(event);
}
void TZSkinImage::mouseMoveEvent(QMouseEvent* event) {
  emit mouseMoved(event);
}
void TZSkinImage::mouseReleaseEvent(QMouseEvent* event) {
  emit mouseReleased(event);
}
void TZSkinImage::mouseDoubleClickEvent(QMouseEvent* event) {
  emit mouseDoubleClicked(event);
}

void SetCaptionActive(TZSkinImage& caption, bool active) {
  caption.showPicture(active ? 1 : 0);
}

void ShowStatusPicture(TZSkinImage& image, const QRect& bounds, const QImage& picture,
                       QColor transparent) {
  image.setGeometry(bounds);
  image.setPicture(picture, transparent);
}
