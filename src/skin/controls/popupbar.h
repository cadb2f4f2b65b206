#pragma once
// A popup menu with the skin's side picture in a band along its left edge.

#include <QImage>
#include <QMenu>

class TZSidePictureMenu : public QMenu {
  Q_OBJECT

 public:
  explicit TZSidePictureMenu(QWidget* parent = nullptr);

  // The band is the picture's width + 2; a null picture removes the band.
  void setSidePicture(const QImage& picture);
  const QImage& sidePicture() const { return picture_; }
  int sideBandWidth() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage picture_;
};
