#pragma once
// Small synthetic skin pieces for the control tests.

#include <QColor>
#include <QImage>

inline QImage Solid(QSize size, QColor colour) {
  QImage picture(size, QImage::Format_RGB888);
  picture.fill(colour);
  return picture;
}

inline const QColor kKey(0, 255, 0);
