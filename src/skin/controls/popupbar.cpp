#include "skin/controls/popupbar.h"

#include <QPainter>

TZSidePictureMenu::TZSidePictureMenu(QWidget* parent) : QMenu(parent) {}

int TZSidePictureMenu::sideBandWidth() const {
  return picture_.isNull() ? 0 : picture_.width() + 2;
}

void TZSidePictureMenu::setSidePicture(const QImage& picture) {
  picture_ = picture;
  QMargins margins = contentsMargins();
  margins.setLeft(sideBandWidth());
  setContentsMargins(margins);
  update();
}

// The picture sits at the bottom of the band, as menu side bars read upwards from there; the
// band above it takes the colour of the picture's top row.
void TZSidePictureMenu::paintEvent(QPaintEvent* event) {
  QMenu::paintEvent(event);
  if (picture_.isNull()) {
    return;
  }
  QPainter painter(this);
  const QRect band(0, 0, sideBandWidth(), height());
  painter.fillRect(band, picture_.pixelColor(0, 0));
  painter.drawImage(1, height() - picture_.height() - 1, picture_);
}
