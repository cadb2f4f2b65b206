#include "vis/textscroller.h"

#include <QFontMetrics>
#include <QPainter>
#include <QWidget>
#include <cmath>

namespace {

const QString kSampleWord = QStringLiteral("Zephonic");

struct StyledLine {
  QString text;
  bool bold = false;
  bool underline = false;
};

// Only one marker takes effect; "<u>" wins over "<b>" only when the stored line starts with it.
StyledLine ParseLine(const QString& line) {
  StyledLine styled{line};
  if (line.startsWith(QLatin1String("<b>"))) {
    styled.text = line.mid(3);
    styled.bold = true;
  }
  if (line.startsWith(QLatin1String("<u>"))) {
    styled.text = line.mid(3);
    styled.underline = true;
  }
  return styled;
}

}  // namespace

int ScrollerFadeLevel(int y, int h, int z) {
  if (z <= 0) {
    return 255;
  }
  if (y < z) {
    return y <= 0 ? 0 : (y % z) * 255 / z;
  }
  if (h - z < y && y < h) {
    // Banker's rounding, as the level is a real number rounded half to even.
    return 255 - static_cast<int>(std::nearbyint(double(y % z) * 255.0 / z));
  }
  return 255;
}

void InitScroller(TTextScroller& scroller, const TScrollerCanvas& canvas, quint8 mode) {
  scroller.Lines.clear();
  scroller.Mode = mode;
  RestartScroller(scroller, canvas);
}

void RestartScroller(TTextScroller& scroller, const TScrollerCanvas& canvas) {
  scroller.Position = canvas.picture.height();
}

void StepScroller(TTextScroller& scroller, TScrollerCanvas& canvas) {
  const int width = canvas.picture.width();
  const int height = canvas.picture.height();
  QFont base = canvas.font;
  const int sampleHeight = QFontMetrics(base, &canvas.picture).height();
  const int zone = 2 * sampleHeight;

  QPainter painter(&canvas.picture);
  painter.setBackgroundMode(Qt::TransparentMode);
  QColor colour = canvas.fontColor;
  int y = scroller.Position;
  for (qsizetype i = 0; i < scroller.Lines.size(); ++i) {
    const QString& stored = scroller.Lines[i];
    const StyledLine line = ParseLine(stored);
    QFont font = base;
    font.setBold(line.bold);
    font.setUnderline(line.underline);
    if (scroller.Fade) {
      const int grey = ScrollerFadeLevel(y, height, zone);
      colour = QColor(grey, grey, grey);
    }
    const QFontMetrics metrics(font, &canvas.picture);
    painter.setFont(font);
    painter.setPen(colour);
    const int textHeight = metrics.height();
    if (scroller.Mode <= 1) {
      const int x = scroller.Mode == 0 ? width / 2 - metrics.horizontalAdvance(line.text) / 2 : 0;
      painter.drawText(QPoint(x, y + metrics.ascent()), line.text);
    }
    y += stored.isEmpty() ? sampleHeight : textHeight;
    if (i == scroller.Lines.size() - 1 && y < 0) {
      RestartScroller(scroller, canvas);
    }
  }
  painter.end();
  if (canvas.view) {
    canvas.view->update();
  }
  scroller.Position -= 1;
}
