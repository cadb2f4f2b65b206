#include "skin/controls/scrolllabel.h"

#include <QFontMetrics>
#include <QPainter>

void TZScrollState::Restart(int textWidth) {
  Position1 = 0;
  Position2 = textWidth + 1;
  Step = 1;
}

bool TZScrollState::Advance(int textWidth, int labelWidth) {
  if (textWidth <= labelWidth || Mode == 0) {
    return false;
  }
  for (int* position : {&Position1, &Position2}) {
    if (Mode == 1) {
      *position = textWidth < *position ? -textWidth : *position + Step;
    } else if (Mode == 2) {
      *position = textWidth + *position < 0 ? textWidth : *position - Step;
    }
  }
  return Mode == 1 || Mode == 2;
}

quint8 ScrollModeFromSetting(int setting, quint8 current) {
  switch (setting) {
    case 0:
      return 0;
    case 1:
      return 2;
    case 2:
      return 1;
    default:
      return current;
  }
}

TZSkinScrollLabel::TZSkinScrollLabel(TZSkinHost* host) : TZSkinControl(host) {}

void TZSkinScrollLabel::setSkinFont(const QString& face, int pointSize, QColor colour) {
  font_ = QFont(face, pointSize > 0 ? pointSize : 8);
  font_.setStyleHint(QFont::SansSerif);
  colour_ = colour;
}

int TZSkinScrollLabel::measure() const {
  return QFontMetrics(font_).horizontalAdvance(text_);
}

void TZSkinScrollLabel::InitScrollLabel(const QString& text) {
  text_ = text;
  textWidth_ = measure();
  state_.Restart(textWidth_);
}

void TZSkinScrollLabel::applyMoveSetting(int setting) {
  state_.Mode = ScrollModeFromSetting(setting, state_.Mode);
  if (setting == 0) {
    state_.Restart(textWidth_);
  }
}

void TZSkinScrollLabel::PaintScrollLabel(const QImage& backgroundPiece, int backgroundLeft) {
  if (picture_.size() != size()) {
    picture_ = QImage(size(), QImage::Format_RGB32);
  }
  picture_.fill(Qt::black);
  QPainter painter(&picture_);
  painter.drawImage(QPoint(0, 0), backgroundPiece,
                    QRect(x() - backgroundLeft, 0, width(), height()));
  textWidth_ = measure();
  painter.setFont(font_);
  painter.setPen(colour_);
  const int baseline = QFontMetrics(font_).ascent();
  if (state_.Advance(textWidth_, width())) {
    painter.drawText(state_.Position1, baseline, text_);
    painter.drawText(state_.Position2, baseline, text_);
  } else {
    painter.drawText(0, baseline, text_);
  }
  painter.end();
  update();
}

void TZSkinScrollLabel::paint(QPainter& painter) {
  if (picture_.isNull()) {
    painter.fillRect(rect(), Qt::black);
    return;
  }
  painter.drawImage(QPoint(0, 0), picture_, rect());
}
