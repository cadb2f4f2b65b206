#include "skinsheet.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <array>
#include <functional>
#include <map>
#include <string>

#include "artkit.h"
#include "icons.h"
#include "skinlayout.h"
#include "windows.h"

namespace {

using Pictures = std::vector<QImage>;

struct Backgrounds {
  QImage main = MainBackground();
  QImage media = MediaBackground();
  QImage fullscreen = FullscreenBackground();
  std::vector<QImage> playlistFrame = FramePieces(FrameKind::Playlist);
  std::vector<QImage> videoFrame = FramePieces(FrameKind::Video);
};

// The part of a window background that lies under a control of the given element.
QImage Under(const QImage& window, const QPoint& formPos, const char* element) {
  return window.copy(QRect(formPos, FindPiece(element).first.size()));
}

// Draws `count` pictures, each on a fresh copy of `base`, and hardens them.
Pictures States(const QImage& base, int count, const std::function<void(QPainter&, int)>& draw) {
  Pictures pictures;
  for (int state = 0; state < count; ++state) {
    QImage canvas = base.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter p;
    BeginPainter(p, canvas);
    draw(p, state);
    p.end();
    pictures.push_back(Harden(canvas));
  }
  return pictures;
}

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

// Check boxes: 0 never shown, 1 off, 2 being pressed, 3 on.
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

QPainterPath Capsule(const QRectF& r) {
  QPainterPath path;
  path.addRoundedRect(r, r.height() / 2, r.height() / 2);
  return path;
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

void PaintBalanceGroove(QPainter& p, qreal width) {
  p.fillRect(QRectF(0, 4, width, 2), palette::kOutline);
  p.fillRect(QRectF(0, 6, width, 1), QColor(255, 255, 255, 18));
}

Pictures Balance(const QImage& under) {
  return States(under, 1, [](QPainter& p, int) {
    PaintBalanceGroove(p, 46);
    p.fillRect(QRectF(22, 1, 2, 8), QColor(100, 108, 120));
  });
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

Pictures BalanceKnob(const QImage& under) {
  return States(under, 2, [](QPainter& p, int state) {
    PaintBalanceGroove(p, 12);
    PaintKnob(p, QRectF(2, 0, 8, 10), state == 1);
  });
}

void PaintVerticalGroove(QPainter& p, qreal height) {
  p.fillRect(QRectF(4, 0, 2, height), palette::kOutline);
}

Pictures SeekBackground(const QImage& under) {
  return States(under, 1, [](QPainter& p, int) {
    PaintVerticalGroove(p, 63);
    // Marks at both ends of the knob's travel and at its middle.
    for (const int y : {6, 31, 56}) {
      p.fillRect(QRectF(0, y, 2, 1), QColor(90, 97, 108));
      p.fillRect(QRectF(8, y, 2, 1), QColor(90, 97, 108));
    }
  });
}

Pictures SeekKnob(const QImage& under) {
  return States(under, 2, [](QPainter& p, int state) {
    PaintVerticalGroove(p, 12);
    PaintKnob(p, QRectF(0, 2, 10, 8), state == 1);
    p.fillRect(QRectF(2, 5.5, 6, 1), QColor(0, 0, 0, 70));
  });
}

// A dark rounded screen filling the control (analyser and title backgrounds).
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

// Vertical band beside a popup menu, reading upwards: "Z" in the accent, then the menu's name.
Pictures MenuSide(const QSize& size, const QString& name) {
  QImage canvas = NewCanvas(size.width(), size.height());
  QPainter p;
  BeginPainter(p, canvas);
  QLinearGradient fill(0, 0, 0, size.height());
  fill.setColorAt(0, QColor(30, 33, 39));
  fill.setColorAt(1, palette::kAccentDeep);
  p.fillRect(canvas.rect(), fill);
  p.fillRect(QRect(size.width() - 1, 0, 1, size.height()), palette::kAccent.darker(150));
  qreal pixelSize = 16;
  const QString text = "Z" + name;
  while (pixelSize > 8 && LabelWidth(text, pixelSize) > size.height() - 14) {
    pixelSize -= 1;
  }
  p.translate(19 + (pixelSize - 16) / 3, size.height() - 8);
  p.rotate(-90);
  DrawLabel(p, QPointF(0, 0), "Z", pixelSize, palette::kAccentBright);
  DrawLabel(p, QPointF(LabelWidth("Z", pixelSize) + 1, 0), name, pixelSize, palette::kText);
  p.end();
  return {Harden(canvas)};
}

Pictures WindowCaption(const QImage& under, const QString& title) {
  return States(under, 2, [title, &under](QPainter& p, int active) {
    const qreal width = LabelWidth(title, 8, 1.5);
    const qreal left = qRound((under.width() - width) / 2);
    DrawLabel(p, QPointF(left, 9), title, 8, active ? palette::kText : palette::kTextDim, 1.5);
    // Grip lines either side of the title show where the window can be dragged.
    const QColor line = active ? palette::kAccent.darker(140) : QColor(70, 76, 86);
    p.fillRect(QRectF(6, 5, left - 14, 1), line);
    p.fillRect(QRectF(left + width + 8, 5, under.width() - left - width - 14, 1), line);
  });
}

Pictures FrameCaption(const std::vector<QImage>& frame, const QString& title) {
  const QImage under = Soften(ComposeFrame(frame, 300, 100).copy(0, 0, 212, 11));
  return States(under, 2, [title](QPainter& p, int active) {
    p.fillRect(QRectF(8, 3, 3, 3), active ? palette::kAccent : QColor(70, 76, 86));
    DrawLabel(p, QPointF(15, 8), title, 8, active ? palette::kText : palette::kTextDim, 1.5);
  });
}

Pictures Grip(const std::vector<QImage>& frame) {
  return States(Soften(frame[8]), 1, [](QPainter& p, int) {
    for (int i = 0; i < 3; ++i) {
      for (int j = 0; j <= i; ++j) {
        p.fillRect(QRect(7 - 2 * j, 3 + 2 * i, 1, 1), QColor(120, 128, 140));
      }
    }
  });
}

Pictures Thumb(const std::vector<QImage>& frame) {
  const QImage track = Soften(frame[5]).copy(0, 0, 8, 10).scaled(8, 20);
  return States(track, 2, [](QPainter& p, int dragged) {
    const QRectF pill(1, 1, 6, 18);
    QLinearGradient fill(pill.topLeft(), pill.topRight());
    fill.setColorAt(0, dragged ? palette::kAccentBright : QColor(150, 158, 170));
    fill.setColorAt(1, dragged ? palette::kAccent : QColor(110, 118, 130));
    p.fillPath(Capsule(QRectF(1, 1, 6, 18)), fill);
  });
}

Pictures StatusBar() {
  QImage canvas = NewCanvas(10, 14);
  QPainter p;
  BeginPainter(p, canvas);
  QLinearGradient fill(0, 0, 0, 14);
  fill.setColorAt(0, palette::kStatusTop);
  fill.setColorAt(1, palette::kStatusBottom);
  p.fillRect(canvas.rect(), fill);
  p.fillRect(QRect(0, 0, 10, 1), QColor(88, 95, 106));
  p.end();
  return {Harden(canvas)};
}

void PaintDisc(QPainter& p, const QPointF& c, qreal r) {
  QPainterPath disc;
  disc.addEllipse(c, r, r);
  QPainterPath hole;
  hole.addEllipse(c, r * 0.28, r * 0.28);
  p.fillPath(disc.subtracted(hole), palette::kText);
  p.fillPath(
      [&] {
        QPainterPath ring;
        ring.addEllipse(c, r * 0.55, r * 0.55);
        QPainterPath inner;
        inner.addEllipse(c, r * 0.42, r * 0.42);
        return ring.subtracted(inner);
      }(),
      palette::kAccent);
}

void PaintWaves(QPainter& p, const QPointF& c, qreal size) {
  QPen pen(palette::kAccentBright, size / 10, Qt::SolidLine, Qt::RoundCap);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  for (int i = 1; i <= 2; ++i) {
    const qreal r = size * 0.2 * i;
    p.drawArc(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), -45 * 16, 90 * 16);
    p.drawArc(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), 135 * 16, 90 * 16);
  }
  p.setPen(Qt::NoPen);
  p.setBrush(palette::kText);
  p.drawEllipse(c, size / 12, size / 12);
}

void PaintFilm(QPainter& p, const QRectF& r) {
  QPainterPath film;
  film.addRoundedRect(r, 2, 2);
  for (int i = 0; i < 4; ++i) {
    const qreal x = r.x() + 2 + i * (r.width() - 4) / 4;
    film.addRect(QRectF(x + 0.5, r.y() + 1.5, 2.5, 2.5));
    film.addRect(QRectF(x + 0.5, r.bottom() - 4, 2.5, 2.5));
  }
  film.setFillRule(Qt::OddEvenFill);
  p.fillPath(film, palette::kText);
  p.fillRect(QRectF(r.x() + 2, r.y() + 5.5, r.width() - 4, r.height() - 11), palette::kAccent);
}

// Playlist icons by media kind: 0 audio, 1 audio CD, 2 internet stream, 3 video, 4 video
// stream, 5 DVD, 6 other. Drawn on tiles so they stay legible at text-row size.
Pictures FileIcons() {
  Pictures icons;
  for (int kind = 0; kind < 7; ++kind) {
    QImage canvas = NewCanvas(32, 32);
    QPainter p;
    BeginPainter(p, canvas);
    QPainterPath tile;
    tile.addRoundedRect(QRectF(1, 1, 30, 30), 7, 7);
    QLinearGradient fill(0, 1, 0, 31);
    fill.setColorAt(0, QColor(58, 63, 72));
    fill.setColorAt(1, QColor(32, 35, 41));
    p.fillPath(tile, fill);
    p.setPen(Qt::NoPen);
    switch (kind) {
      case 0: {  // a beamed pair of notes
        p.setBrush(palette::kAccentBright);
        p.drawEllipse(QPointF(10.5, 22), 4, 3.2);
        p.drawEllipse(QPointF(21.5, 20), 4, 3.2);
        p.fillRect(QRectF(13, 8, 2.2, 14), palette::kAccentBright);
        p.fillRect(QRectF(24, 6, 2.2, 14), palette::kAccentBright);
        p.drawPolygon(QPolygonF({{13, 8}, {26.2, 6}, {26.2, 10}, {13, 12}}));
        break;
      }
      case 1:
        PaintDisc(p, QPointF(16, 16), 11);
        break;
      case 2:
        PaintWaves(p, QPointF(16, 16), 30);
        break;
      case 3:
        PaintFilm(p, QRectF(5, 8, 22, 16));
        break;
      case 4:
        PaintFilm(p, QRectF(4, 10, 17, 13));
        p.setBrush(palette::kAccentBright);
        p.drawEllipse(QPointF(24.5, 9.5), 4, 4);
        p.setBrush(QColor(32, 35, 41));
        p.drawEllipse(QPointF(24.5, 9.5), 1.5, 1.5);
        break;
      case 5:
        PaintDisc(p, QPointF(16, 14), 9);
        p.fillRect(QRectF(5, 22, 22, 7), QColor(32, 35, 41));
        DrawLabel(p, QPointF(7, 29), "DVD", 8, palette::kAccentBright, 0.5);
        break;
      default: {
        QPainterPath sheet;
        sheet.moveTo(9, 6);
        sheet.lineTo(18, 6);
        sheet.lineTo(23, 11);
        sheet.lineTo(23, 26);
        sheet.lineTo(9, 26);
        sheet.closeSubpath();
        p.fillPath(sheet, palette::kText);
        p.fillPath(
            [] {
              QPainterPath fold;
              fold.moveTo(18, 6);
              fold.lineTo(18, 11);
              fold.lineTo(23, 11);
              fold.closeSubpath();
              return fold;
            }(),
            palette::kTextDim);
        break;
      }
    }
    p.end();
    icons.push_back(Harden(canvas));
  }
  return icons;
}

std::map<std::string, Pictures> DrawAllPictures() {
  const Backgrounds bg;
  std::map<std::string, Pictures> all;
  auto under = [&bg](const QImage& window, const QPoint& pos, const char* element) {
    return Under(window, pos, element);
  };
  all["main.surface"] = {Harden(bg.main)};
  all["main.caption"] =
      WindowCaption(under(bg.main, form::kMainCaption, "main.caption"), "ZEPHONIC");
  all["main.close"] = TitleButton(under(bg.main, form::kClose, "main.close"), Icon::Close, true);
  all["main.minimize"] =
      TitleButton(under(bg.main, form::kMinimize, "main.minimize"), Icon::Minimize, false);
  all["main.analyser"] = Screen(under(bg.main, form::kAnalyser, "main.analyser"), true);
  all["main.title"] = Screen(under(bg.main, form::kMainTitle, "main.title"), false);
  all["main.positionBar"] = PositionBar(under(bg.main, form::kPositionBar, "main.positionBar"));
  const std::pair<const char*, Icon> transport[6] = {
      {"main.rewind", Icon::Previous}, {"main.play", Icon::Play},    {"main.pause", Icon::Pause},
      {"main.stop", Icon::Stop},       {"main.forward", Icon::Next}, {"main.eject", Icon::Eject}};
  for (int i = 0; i < 6; ++i) {
    all[transport[i].first] =
        Transport(under(bg.main, form::kTransport[i], transport[i].first), transport[i].second);
  }
  all["main.volumeBar"] = VolumeBar(under(bg.main, form::kVolumeBar, "main.volumeBar"));
  all["main.balance"] = Balance(under(bg.main, form::kBalance, "main.balance"));
  all["main.balanceKnob"] = BalanceKnob(under(bg.main, form::kBalance, "main.balanceKnob"));
  const std::tuple<const char*, QPoint, Icon> toggles[7] = {
      {"main.mute", form::kMainMute, Icon::Mute},
      {"main.playMode", form::kPlayMode, Icon::Repeat},
      {"main.autoFullscreen", form::kAutoFullscreen, Icon::Fullscreen},
      {"main.autoVideoResize", form::kAutoVideoResize, Icon::Resize},
      {"main.playlistToggle", form::kPlaylistToggle, Icon::Playlist},
      {"main.equalizerToggle", form::kEqualizerToggle, Icon::Equalizer},
      {"main.settings", form::kSettingsButton, Icon::Gear}};
  for (const auto& [name, pos, icon] : toggles) {
    all[name] = Toggle(under(bg.main, pos, name), icon);
  }
  all["main.time"] = TimeGlyphs(under(bg.main, form::kTime, "main.time"));
  const QImage analyser = all["main.analyser"].front();
  all["main.status0"] = StatusPicture(analyser, Icon::Stop, QColor(150, 158, 170));
  all["main.status1"] = StatusPicture(analyser, Icon::Record, QColor(90, 96, 106));
  all["main.status2"] = StatusPicture(analyser, Icon::Play, palette::kAccent);
  all["main.status3"] = StatusPicture(analyser, Icon::Pause, palette::kText);
  all["main.status4"] = StatusPicture(analyser, Icon::Loading, palette::kAccentBright);
  all["main.menuSide"] = MenuSide(QSize(29, 241), "Main");

  all["playlist.frame"] = bg.playlistFrame;
  all["playlist.grip"] = Grip(bg.playlistFrame);
  all["playlist.caption"] = FrameCaption(bg.playlistFrame, "PLAYLIST");
  all["playlist.thumb"] = Thumb(bg.playlistFrame);
  all["playlist.menuSide"] = MenuSide(QSize(29, 374), "Playlist");
  all["playlist.statusBar"] = StatusBar();
  all["playlist.fileIcons"] = FileIcons();

  all["media.surface"] = {Harden(bg.media)};
  all["media.caption"] =
      WindowCaption(under(bg.media, form::kMediaCaption, "media.caption"), "EQUALIZER");
  all["media.seekBackground"] =
      SeekBackground(under(bg.media, form::kSpeed, "media.seekBackground"));
  all["media.seekKnob"] = SeekKnob(under(bg.media, form::kSpeed, "media.seekKnob"));
  all["media.menuSide"] = MenuSide(QSize(29, 84), "Equalizer");

  all["video.frame"] = bg.videoFrame;
  all["video.grip"] = Grip(bg.videoFrame);
  all["video.caption"] = FrameCaption(bg.videoFrame, "VIDEO");
  all["video.menuSide"] = MenuSide(QSize(29, 290), "Video");
  all["video.dvdMenuSide"] = MenuSide(QSize(29, 366), "DVD");

  all["fullscreen.surface"] = {Harden(bg.fullscreen)};
  all["fullscreen.title"] =
      Screen(under(bg.fullscreen, form::kFullscreenTitle, "fullscreen.title"), false);
  return all;
}

}  // namespace

QImage DrawSkinSheet() {
  const std::map<std::string, Pictures> pictures = DrawAllPictures();
  QImage sheet(kSheetSize, QImage::Format_RGB32);
  sheet.fill(palette::kUnused);
  QPainter p(&sheet);
  p.setCompositionMode(QPainter::CompositionMode_Source);
  // Hidden elements first: where the default layout lets them overlap others, the shown
  // element keeps its picture.
  for (const bool shown : {false, true}) {
    for (const SkinPiece& piece : SkinPieces()) {
      if (piece.shown != shown) {
        continue;
      }
      const Pictures& drawn = pictures.at(piece.name);
      const std::vector<QRect> rects = PictureRects(piece);
      for (size_t i = 0; i < rects.size(); ++i) {
        p.drawImage(rects[i].topLeft(), drawn.at(i));
      }
    }
  }
  return sheet;
}
