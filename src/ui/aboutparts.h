#pragma once
// Parts of the program's plain information windows (about, news): the picture along the top by
// which the borderless window is dragged, and a text that opens a link when pressed.

#include <QLabel>
#include <QUrl>
#include <QWidget>

// A banner with the product's name; pressing it starts the system's window move.
class TZDragPicture : public QWidget {
 public:
  TZDragPicture(const QString& title, QSize size, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QString title_;
};

// A label drawn like a link, with the hand cursor, that opens its address when pressed.
class TZLinkLabel : public QLabel {
 public:
  TZLinkLabel(const QString& text, const QUrl& url, QWidget* parent = nullptr);
  const QUrl& url() const { return url_; }

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QUrl url_;
};
