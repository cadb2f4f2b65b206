#include "artkit.h"

#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <map>

namespace {

QString g_fontFamily;

// Rows of a 3 x 5 glyph, top first; '#' is a lit pixel.
const std::map<QChar, const char*>& PixelGlyphs() {
  static const std::map<QChar, const char*> glyphs = {
      {'0',
       "###"
       "# #"
       "# #"
       "# #"
       "###"},
      {'1',
       " # "
       "## "
       " # "
       " # "
       "###"},
      {'2',
       "###"
       "  #"
       "###"
       "#  "
       "###"},
      {'3',
       "###"
       "  #"
       " ##"
       "  #"
       "###"},
      {'4',
       "# #"
       "# #"
       "###"
       "  #"
       "  #"},
      {'5',
       "###"
       "#  "
       "###"
       "  #"
       "###"},
      {'6',
       "###"
       "#  "
       "###"
       "# #"
       "###"},
      {'7',
       "###"
       "  #"
       "  #"
       " # "
       " # "},
      {'8',
       "###"
       "# #"
       "###"
       "# #"
       "###"},
      {'9',
       "###"
       "# #"
       "###"
       "  #"
       "###"},
      {'B',
       "## "
       "# #"
       "## "
       "# #"
       "## "},
      {'D',
       "## "
       "# #"
       "# #"
       "# #"
       "## "},
      {'E',
       "###"
       "#  "
       "## "
       "#  "
       "###"},
      {'K',
       "# #"
       "## "
       "#  "
       "## "
       "# #"},
      {'L',
       "#  "
       "#  "
       "#  "
       "#  "
       "###"},
      {'P',
       "## "
       "# #"
       "## "
       "#  "
       "#  "},
      {'R',
       "## "
       "# #"
       "## "
       "# #"
       "# #"},
      {'S',
       " ##"
       "#  "
       " # "
       "  #"
       "## "},
      {'+',
       "   "
       " # "
       "###"
       " # "
       "   "},
      {'-',
       "   "
       "   "
       "###"
       "   "
       "   "},
      {' ',
       "   "
       "   "
       "   "
       "   "
       "   "},
  };
  return glyphs;
}

QFont LabelFont(qreal pixelSize, qreal spacing) {
  QFont font(g_fontFamily);
  font.setPixelSize(qRound(pixelSize));
  font.setBold(true);
  font.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
  font.setHintingPreference(QFont::PreferVerticalHinting);
  font.setKerning(false);
  return font;
}

}  // namespace

QImage NewCanvas(int width, int height) {
  QImage canvas(width, height, QImage::Format_ARGB32_Premultiplied);
  canvas.fill(Qt::transparent);
  return canvas;
}

void BeginPainter(QPainter& painter, QImage& canvas) {
  painter.begin(&canvas);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

QImage Harden(const QImage& canvas) {
  const QImage straight = canvas.convertToFormat(QImage::Format_ARGB32);
  QImage result(straight.size(), QImage::Format_RGB32);
  const QRgb key = palette::kKey.rgb();
  for (int y = 0; y < straight.height(); ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(straight.constScanLine(y));
    auto* out = reinterpret_cast<QRgb*>(result.scanLine(y));
    for (int x = 0; x < straight.width(); ++x) {
      QRgb pixel = qAlpha(in[x]) < 128 ? key : qRgb(qRed(in[x]), qGreen(in[x]), qBlue(in[x]));
      if (qAlpha(in[x]) >= 128 && pixel == key) {
        pixel = qRgb(0, 254, 0);  // a drawn pixel must never read as a hole
      }
      out[x] = pixel;
    }
  }
  return result;
}

void DrawPixelText(QPainter& painter, int x, int y, const QString& text, const QColor& colour) {
  for (const QChar c : text) {
    const auto found = PixelGlyphs().find(c);
    if (found == PixelGlyphs().end()) {
      continue;
    }
    for (int row = 0; row < 5; ++row) {
      for (int col = 0; col < 3; ++col) {
        if (found->second[row * 3 + col] == '#') {
          painter.fillRect(QRect(x + col, y + row, 1, 1), colour);
        }
      }
    }
    x += 4;
  }
}

int PixelTextWidth(const QString& text) {
  int glyphs = 0;
  for (const QChar c : text) {
    glyphs += PixelGlyphs().count(c) ? 1 : 0;
  }
  return glyphs == 0 ? 0 : glyphs * 4 - 1;
}

void DrawLabel(QPainter& painter, const QPointF& baseline, const QString& text, qreal pixelSize,
               const QColor& colour, qreal spacing) {
  painter.save();
  painter.setFont(LabelFont(pixelSize, spacing));
  painter.setPen(colour);
  painter.drawText(baseline, text);
  painter.restore();
}

qreal LabelWidth(const QString& text, qreal pixelSize, qreal spacing) {
  return QFontMetricsF(LabelFont(pixelSize, spacing)).horizontalAdvance(text) - spacing;
}

bool LoadSkinFont(QString* error) {
  const char* const candidates[] = {
      "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
      "/usr/share/fonts/dejavu/DejaVuSans-Bold.ttf",
  };
  for (const char* path : candidates) {
    if (!QFile::exists(path)) {
      continue;
    }
    const int id = QFontDatabase::addApplicationFont(path);
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (id >= 0 && !families.isEmpty()) {
      g_fontFamily = families.first();
      return true;
    }
  }
  *error = "DejaVu Sans Bold is not installed (Debian package fonts-dejavu-core)";
  return false;
}

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

QPainterPath Capsule(const QRectF& r) {
  QPainterPath path;
  path.addRoundedRect(r, r.height() / 2, r.height() / 2);
  return path;
}
