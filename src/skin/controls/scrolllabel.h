#pragma once
// The scrolling title: a label drawn over a strip of the title background piece, whose text
// runs in two copies one pixel apart when it is wider than the label.

#include <QColor>
#include <QFont>
#include <QImage>

#include "skin/controls/skinhost.h"

// The moving part of a scroll label.
struct TZScrollState {
  quint8 Mode = 0;  // 0 still, 1 moving right, 2 moving left
  int Position1 = 0;
  int Position2 = 0;
  int Step = 1;

  void Restart(int textWidth);
  // One tick: returns true when the text runs (two copies at Position1 and Position2), false
  // when it is drawn once at 0.
  bool Advance(int textWidth, int labelWidth);
};

// Scroll mode for the configuration's SLMoveProg value; other values keep the current mode.
quint8 ScrollModeFromSetting(int setting, quint8 current);

class TZSkinScrollLabel : public TZSkinControl {
  Q_OBJECT

 public:
  explicit TZSkinScrollLabel(TZSkinHost* host);

  // Face, size in points and colour from the skin.
  void setSkinFont(const QString& face, int pointSize, QColor colour);
  // Sets the text and starts it from the left.
  void InitScrollLabel(const QString& text);
  void setMode(quint8 mode) { state_.Mode = mode; }
  // Applies an SLMoveProg value; 0 also puts the text back to its start.
  void applyMoveSetting(int setting);
  // One tick: the label's strip of the background piece (whose image control has its left at
  // backgroundLeft), the text over it, then the label shows it.
  void PaintScrollLabel(const QImage& backgroundPiece, int backgroundLeft);

  const TZScrollState& state() const { return state_; }
  const QString& text() const { return text_; }
  int textWidth() const { return textWidth_; }
  const QImage& picture() const { return picture_; }

 public:
  void paint(QPainter& painter) override;

 private:
  int measure() const;

  TZScrollState state_;
  QString text_;
  int textWidth_ = 0;
  QFont font_;
  QColor colour_ = Qt::white;
  QImage picture_;
};
