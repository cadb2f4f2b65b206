#pragma once
// The image control of the skinned windows: shows one of its pictures at (0, 0), unscaled,
// either opaque or with the skin's transparent colour see-through to the window behind it.

#include <QColor>
#include <QImage>
#include <vector>

#include "skin/controls/skinhost.h"

class TZSkinImage : public TZSkinControl {
  Q_OBJECT

 public:
  explicit TZSkinImage(TZSkinHost* host);

  // Takes the element's pictures; the transparency test runs over all of them. Shows none yet.
  void setPictures(std::vector<QImage> pictures, QColor transparent);
  // Shows picture index; does nothing for an index it does not hold.
  void showPicture(int index);
  // Shows a picture composed at run time, with the see-through setting of the last
  // setPictures (or the one given).
  void setPicture(const QImage& picture);
  void setPicture(const QImage& picture, QColor transparent);
  // Shows a picture as it is, with no see-through colour (window backgrounds).
  void setOpaquePicture(const QImage& picture);
  void clearPicture();

  int shownIndex() const { return shown_; }
  int pictureCount() const { return int(pictures_.size()); }
  const QImage& picture(int index) const { return pictures_.at(size_t(index)); }
  bool seeThrough() const { return seeThrough_; }
  QColor transparentColour() const { return transparent_; }
  // What is on screen now, in display form (null when cleared).
  const QImage& displayed() const { return displayed_; }

 signals:
  void mousePressed(QMouseEvent* event);
  void mouseMoved(QMouseEvent* event);
  void mouseReleased(QMouseEvent* event);
  void mouseDoubleClicked(QMouseEvent* event);

 public:
  void paint(QPainter& painter) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  std::vector<QImage> pictures_;
  std::vector<QImage> prepared_;
  QImage displayed_;
  QColor transparent_ = QColor(0, 255, 0);
  bool seeThrough_ = false;
  int shown_ = -1;
};

// The caption bar shows picture 1 while its window is active, else picture 0.
void SetCaptionActive(TZSkinImage& caption, bool active);

// The status pictures share one image control; this places it and shows the chosen piece.
void ShowStatusPicture(TZSkinImage& image, const QRect& bounds, const QImage& picture,
                       QColor transparent);
