#include "ui/windowrender.h"

#include <QPainter>
#include <QWidget>

QImage RenderWindow(QWidget& window) {
  QImage face(window.size(), QImage::Format_ARGB32_Premultiplied);
  face.fill(Qt::transparent);
  window.render(&face, QPoint(), QRegion(), QWidget::DrawChildren);
  if (window.mask().isEmpty()) {
    return face;
  }
  QImage shaped(window.size(), QImage::Format_ARGB32_Premultiplied);
  shaped.fill(Qt::transparent);
  QPainter painter(&shaped);
  painter.setClipRegion(window.mask());
  painter.drawImage(0, 0, face);
  return shaped;
}

bool SaveWindowRender(QWidget& window, const QString& path) {
  return RenderWindow(window).save(path, "PNG");
}
