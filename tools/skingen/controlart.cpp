#include "controlart.h"

#include <QLinearGradient>
#include <array>

#include "artkit.h"

namespace {

struct FaceStyle {
  QColor top, bottom, icon;
  qreal iconShift;
};

// Looks of the four button pictures: 0 never shown (kept dim), 1 normal, 2 hover, 3 pressed.
FaceStyle ButtonStyle(int state) {
  switch (state) {
    case 0:
      return {QColor(46, 50, 57), QColor(40, 43, 49), QColor(88, 94, 104), 0};
    case 2:
      return {QColor(80, 87, 98), QColor(58, 63, 72), palette::kAccentBright, 0};
    case 3:
      return {QColor(28, 31, 36), QColor(38, 42, 48), palette::kAccent, 1};
    default:
      return {QColor(66, 71, 81), QColor(47, 51, 58), palette::kText, 0};
  }
}

void PaintFace(QPainter& p, const QRectF& r, qreal radius, const FaceStyle& style, bool raised) {
  QPainterPath outer;
  outer.addRoundedRect(r, radius, radius);
  p.fillPath(outer, palette::kOutline);
  QPainterPath inner;
  inner.addRoundedRect(r.adjusted(1, 1, -1, -1), radius - 1, radius - 1);
  QLinearGradient fill(r.topLeft(), r.bottomLeft());
  fill.setColorAt(0, style.top);
  fill.setColorAt(1, style.bottom);
  p.fillPath(inner, fill);
  if (raised) {
    p.fillRect(QRectF(r.x() + radius, r.y() + 1, r.width() - 2 * radius, 1),
               QColor(255, 255, 255, 34));
  }
}

void PaintBalanceGroove(QPainter& p, qreal width) {
  p.fillRect(QRectF(0, 4, width, 2), palette::kOutline);
  p.fillRect(QRectF(0, 6, width, 1), QColor(255, 255, 255, 18));
}

void PaintKnob(QPainter& p, const QRectF& r, bool dragged) {
  QPainterPath outer;
  outer.addRoundedRect(r, 2.5, 2.5);
  p.fillPath(outer, palette::kOutline);
  QPainterPath inner;
  inner.addRoundedRect(r.adjusted(1, 1, -1, -1), 1.5, 1.5);
  QLinearGradient fill(r.topLeft(), r.bottomLeft());
  fill.setColorAt(0, dragged ? palette::kAccentBright : QColor(222, 227, 234));
  fill.setColorAt(1, dragged ? palette::kAccent : QColor(160, 168, 180));
  p.fillPath(inner, fill);
}

void PaintVerticalGroove(QPainter& p, qreal height) {
  p.fillRect(QRectF(4, 0, 2, height), palette::kOutline);
}

}  // namespace

Pictures Transport(const QImage& under, Icon icon) {
  return States(under, 4, [icon](QPainter& p, int state) {
    const FaceStyle style = ButtonStyle(state);
    PaintFace(p, QRectF(0, 0, 21, 17), 4, style, state != 3);
    DrawIcon(p, icon, QPointF(10.5, 8.5 + style.iconShift), 7, style.icon);
  });
}

Pictures TitleButton(const QImage& under, Icon icon, bool closes) {
  return States(under, 4, [icon, closes](QPainter& p, int state) {
    FaceStyle style = ButtonStyle(state);
    if (closes && state >= 2) {
      style.top = state == 2 ? QColor(232, 76, 86) : QColor(176, 46, 56);
      style.bottom = state == 2 ? QColor(200, 54, 64) : QColor(150, 36, 46);
      style.icon = Qt::white;
    } else if (state >= 2) {
      style.icon = Qt::white;
    }
    PaintFace(p, QRectF(0, 0, 11, 11), 3, style, state != 3);
    DrawPixelIcon(p, icon, QPointF(5.5, 5.5), style.icon);
  });
}

Pictures Toggle(const QImage& under, Icon icon) {
  const qreal width = under.width();
  return States(under, 4, [icon, width](QPainter& p, int state) {
    const QRectF r(0, 0, width, 10);
    QColor fill(30, 34, 40), border(48, 53, 61), glyph(118, 126, 138);
    if (state == 0) {
      fill = QColor(24, 27, 32);
      border = QColor(36, 40, 46);
      glyph = QColor(62, 67, 75);
    } else if (state == 2) {
      fill = QColor(46, 52, 61);
      border = QColor(96, 104, 116);
      glyph = palette::kText;
    } else if (state == 3) {
      fill = QColor(20, 62, 92);
      border = palette::kAccent;
      glyph = palette::kAccentBright;
    }
    QPainterPath outer;
    outer.addRoundedRect(r, 3, 3);
    p.fillPath(outer, border);
    QPainterPath inner;
    inner.addRoundedRect(r.adjusted(1, 1, -1, -1), 2, 2);
    p.fillPath(inner, fill);
    DrawPixelIcon(p, icon, QPointF(width / 2, 5), glyph);
  });
}

Pictures PositionBar(const QImage& under) {
  return States(under, 2, [](QPainter& p, int state) {
    const QRectF track(0, 4, 288, 7);
    p.fillPath(Capsule(track.translated(0, 1)), QColor(255, 255, 255, 16));
    p.fillPath(Capsule(track), palette::kOutline);
    p.fillPath(Capsule(track.adjusted(1, 1, -1, -1)), palette::kScreen);
    if (state == 1) {
      QLinearGradient fill(0, 0, 288, 0);
      fill.setColorAt(0, palette::kAccentDeep.lighter(130));
      fill.setColorAt(1, palette::kAccent);
      p.fillPath(Capsule(track.adjusted(1, 1, -1, -1)), fill);
      p.fillRect(QRectF(4, 6, 280, 1), QColor(255, 255, 255, 60));
    }
  });
}

// Fourteen rising steps; the full picture lights them from the left as the volume grows.
Pictures VolumeBar(const QImage& under) {
  return States(under, 2, [](QPainter& p, int state) {
    for (int i = 0; i < 14; ++i) {
      const int height = 3 + (9 * i + 6) / 13;
      const QRectF step(i * 4, 12 - height, 3, height);
      QColor colour = QColor(58, 63, 72);
      if (state == 1) {
        colour = QColor::fromRgbF(0.12 + 0.13 * i / 13.0, 0.42 + 0.33 * i / 13.0,
                                  0.70 + 0.30 * i / 13.0);
      }
      p.fillRect(step, colour);
    }
  });
}

Pictures Balance(const QImage& under) {
  return States(under, 1, [](QPainter& p, int) {
    PaintBalanceGroove(p, 46);
    p.fillRect(QRectF(22, 1, 2, 8), QColor(100, 108, 120));
  });
}

Pictures BalanceKnob(const QImage& under) {
  return States(under, 2, [](QPainter& p, int state) {
    PaintBalanceGroove(p, 12);
    PaintKnob(p, QRectF(2, 0, 8, 10), state == 1);
  });
}

Pictures SeekBackground(const QImage& under) {
  return States(under, 1, [](QPainter& p, int) {
    PaintVerticalGroove(p, 63);
    // A mark at the middle of the knob's travel (0 dB on the equalizer bands).
    p.fillRect(QRectF(0, 31, 3, 1), QColor(96, 104, 116));
    p.fillRect(QRectF(7, 31, 3, 1), QColor(96, 104, 116));
  });
}

Pictures SeekKnob(const QImage& under) {
  return States(under, 2, [](QPainter& p, int state) {
    PaintVerticalGroove(p, 12);
    PaintKnob(p, QRectF(0, 2, 10, 8), state == 1);
    p.fillRect(QRectF(2, 5.5, 6, 1), QColor(0, 0, 0, 70));
  });
}

Pictures Screen(const QImage& under, bool grid) {
  return States(under, 1, [grid, &under](QPainter& p, int) {
    QPainterPath shape;
    shape.addRoundedRect(QRectF(under.rect()), 3, 3);
    p.fillPath(shape, palette::kScreen);
    if (grid) {
      for (int y = 4; y < under.height() - 1; y += 5) {
        for (int x = 2; x < under.width() - 2; x += 2) {
          p.fillRect(QRect(x, y, 1, 1), QColor(30, 34, 40));
        }
      }
    }
  });
}

// Segment digits on a 7 x 12 box: segments a (top), b, c (right), d (bottom), e, f (left), g.
Pictures TimeGlyphs(const QImage& under) {
  static const std::array<const char*, 10> kDigits = {
      "abcdef", "bc", "abdeg", "abcdg", "bcfg", "acdfg", "acdefg", "abc", "abcdefg", "abcdfg"};
  auto segment = [](QPainter& p, char s) {
    const QColor c = palette::kAccent;
    switch (s) {
      case 'a':
        p.fillRect(QRect(1, 0, 7, 2), c);
        break;
      case 'b':
        p.fillRect(QRect(6, 0, 2, 7), c);
        break;
      case 'c':
        p.fillRect(QRect(6, 5, 2, 7), c);
        break;
      case 'd':
        p.fillRect(QRect(1, 10, 7, 2), c);
        break;
      case 'e':
        p.fillRect(QRect(1, 5, 2, 7), c);
        break;
      case 'f':
        p.fillRect(QRect(1, 0, 2, 7), c);
        break;
      case 'g':
        p.fillRect(QRect(1, 5, 7, 2), c);
        break;
    }
  };
  Pictures glyphs = States(under, 13, [&](QPainter& p, int glyph) {
    if (glyph < 10) {
      for (const char* s = kDigits[glyph]; *s; ++s) {
        segment(p, *s);
      }
    } else if (glyph == 11) {
      p.fillRect(QRect(4, 3, 2, 2), palette::kAccent);
      p.fillRect(QRect(4, 8, 2, 2), palette::kAccent);
    } else if (glyph == 12) {
      p.fillRect(QRect(2, 5, 5, 2), palette::kAccent);
    }
  });
  // The blank glyph lets the window show through, which also keeps the gaps between the
  // cells (filled with the transparent colour) from showing the key.
  glyphs[10].fill(palette::kKey);
  return glyphs;
}

Pictures StatusPicture(const QImage& analyser, Icon icon, const QColor& colour) {
  return States(analyser.copy(0, 0, 10, 10), 1, [icon, colour](QPainter& p, int) {
    DrawPixelIcon(p, icon, QPointF(5, 5), colour);
  });
}
