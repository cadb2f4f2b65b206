#include "ui/aboutparts.h"

#include <QDesktopServices>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

TZDragPicture::TZDragPicture(const QString& title, QSize size, QWidget* parent)
    : QWidget(parent), title_(title) {
  setFixedSize(size);
  setCursor(Qt::SizeAllCursor);
}

void TZDragPicture::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QLinearGradient fill(0, 0, width(), height());
  fill.setColorAt(0, QColor(0x1c, 0x2a, 0x3e));
  fill.setColorAt(1, QColor(0x4a, 0x6f, 0x96));
  painter.fillRect(rect(), fill);
  QFont font = painter.font();
  font.setBold(true);
  font.setPixelSize(height() * 3 / 5);
  painter.setFont(font);
  painter.setPen(QColor(0, 0, 0, 120));
  painter.drawText(rect().translated(12, 2), Qt::AlignVCenter | Qt::AlignLeft, title_);
  painter.setPen(Qt::white);
  painter.drawText(rect().translated(10, 0), Qt::AlignVCenter | Qt::AlignLeft, title_);
}

void TZDragPicture::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    return;
  }
  if (QWindow* handle = window()->windowHandle()) {
    handle->startSystemMove();
  }
}

TZLinkLabel::TZLinkLabel(const QString& text, const QUrl& url, QWidget* parent)
    : QLabel(text, parent), url_(url) {
  setCursor(Qt::PointingHandCursor);
  QPalette linkColours = palette();
  linkColours.setColor(QPalette::WindowText, linkColours.color(QPalette::Link));
  setPalette(linkColours);
  QFont underlined = font();
  underlined.setUnderline(true);
  setFont(underlined);
}

void TZLinkLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    QDesktopServices::openUrl(url_);
  }
}
