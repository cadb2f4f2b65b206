#include "skin/skindescription.h"

#include "skin/skinelements.h"

#include <optional>
#include <utility>

namespace {

SkinField Number(std::function<void(int)> set, std::function<int()> get) {
  return {false, [set = std::move(set)](const ScanValue& v) { set(std::get<int>(v)); },
          [get = std::move(get)] { return QString::number(get()); }};
}

SkinField Number(int& value) {
  return Number([&value](int v) { value = v; }, [&value] { return value; });
}

// Byte values keep the low 8 bits of the number read.
SkinField Byte(quint8& value) {
  return Number([&value](int v) { value = quint8(v & 0xff); }, [&value] { return int(value); });
}

SkinField Word(std::function<void(const QString&)> set, std::function<QString()> get) {
  return {true, [set = std::move(set)](const ScanValue& v) { set(std::get<QString>(v)); },
          std::move(get)};
}

SkinField Text(QString& value) {
  return Word([&value](const QString& v) { value = v; }, [&value] { return value; });
}

// True exactly when the word is "TRUE".
SkinField Flag(bool& value) {
  return Word([&value](const QString& v) { value = v == QLatin1String("TRUE"); },
              [&value] { return QString::fromLatin1(value ? "TRUE" : "FALSE"); });
}

template <typename T>
struct WordChoice {
  const char* word;
  T value;
};

// A word from a fixed list; any other word keeps the value, or sets the fallback when given.
template <typename T, size_t N>
SkinField Choice(T& value, const WordChoice<T> (&choices)[N], std::optional<T> fallback = {}) {
  return Word(
      [&value, &choices, fallback](const QString& v) {
        for (const auto& choice : choices) {
          if (v == QLatin1String(choice.word)) {
            value = choice.value;
            return;
          }
        }
        if (fallback) {
          value = *fallback;
        }
      },
      [&value, &choices] {
        for (const auto& choice : choices) {
          if (choice.value == value) {
            return QString::fromLatin1(choice.word);
          }
        }
        return QString::fromLatin1(choices[0].word);
      });
}

constexpr WordChoice<TZSDirection> kAnalyzerDirections[] = {{"DownToUp", sdDownToUp},
                                                            {"RightToLeft", sdRightToLeft}};
constexpr WordChoice<TZSDirection> kBarDirections[] = {{"LeftToRight", sdLeftToRight},
                                                       {"RightToLeft", sdRightToLeft},
                                                       {"DownToUp", sdDownToUp},
                                                       {"UpToDown", sdUpToDown}};
constexpr WordChoice<TZSBarSide> kBarSides[] = {{"Top", bsTop}, {"Bottom", bsBottom}};
constexpr WordChoice<TZSScreenPosition> kScreenPositions[] = {{"TopLeft", spTopLeft},
                                                              {"Top", spTop},
                                                              {"TopRight", spTopRight},
                                                              {"Left", spLeft},
                                                              {"Right", spRight},
                                                              {"Center", spCenter},
                                                              {"BottomLeft", spBottomLeft},
                                                              {"Bottom", spBottom},
                                                              {"BottomRight", spBottomRight}};

// Only the low 8 bits of each component are used.
SkinField Channel(QRgb& color, int shift) {
  return Number(
      [&color, shift](int v) {
        color = (color & ~(0xffu << shift)) | (quint32(v & 0xff) << shift) | 0xff000000u;
      },
      [&color, shift] { return int((color >> shift) & 0xff); });
}

class LineList {
 public:
  void line(const char* key, std::vector<SkinField> fields) {
    lines_.push_back({QString::fromLatin1(key), std::move(fields)});
  }
  void point(const char* key, QPoint& p) { line(key, {Number(p.rx()), Number(p.ry())}); }
  void size(const char* key, QSize& s) { line(key, {Number(s.rwidth()), Number(s.rheight())}); }
  void color(const char* key, QRgb& c) {
    line(key, {Channel(c, 16), Channel(c, 8), Channel(c, 0)});
  }
  void byte(const char* key, quint8& b) { line(key, {Byte(b)}); }
  void number(const char* key, int& n) { line(key, {Number(n)}); }
  void flag(const char* key, bool& f) { line(key, {Flag(f)}); }
  void margins(const char* key, QMargins& m) {
    line(key, {Number([&m](int v) { m.setLeft(v); }, [&m] { return m.left(); }),
               Number([&m](int v) { m.setTop(v); }, [&m] { return m.top(); }),
               Number([&m](int v) { m.setRight(v); }, [&m] { return m.right(); }),
               Number([&m](int v) { m.setBottom(v); }, [&m] { return m.bottom(); })});
  }
  // A style number outside 0..maxStyle keeps the style; the colour is always taken.
  void rowStyle(const char* key, TZSRowStyle& s, int maxStyle) {
    auto setStyle = [&s, maxStyle](int v) {
      if (v >= 0 && v <= maxStyle) {
        s.Style = v;
      }
    };
    line(key, {Number(setStyle, [&s] { return s.Style; }), Channel(s.Color, 16),
               Channel(s.Color, 8), Channel(s.Color, 0)});
  }

  void add(TZSSurface& s) {
    point("SkinPos", s.SkinPos);
    size("Size", s.Size);
    flag("Masked", s.Masked);
  }
  void add(TZSFrame& f) {
    size("Size", f.Size);
    size("DefaultSize", f.DefaultSize);
    point("EdgeSkinPos", f.EdgeSkinPos);
    size("EdgeSize", f.EdgeSize);
    byte("EdgeBorder", f.EdgeBorder);
    flag("Masked", f.Masked);
  }
  void add(TZSCaptionbar& c) {
    point("FormPos", c.FormPos);
    point("SkinPos", c.SkinPos);
    byte("SkinBorder", c.SkinBorder);
    size("Size", c.Size);
  }
  void add(TZSButton& b) {
    point("FormPos", b.FormPos);
    point("SkinPos", b.SkinPos);
    size("Size", b.Size);
    byte("Border", b.Border);
    flag("Visible", b.Visible);
  }
  void add(TZSImage& i) {
    point("FormPos", i.FormPos);
    point("SkinPos", i.SkinPos);
    size("Size", i.Size);
  }
  void add(TZSScrollLabel& l) {
    point("FormPos", l.FormPos);
    size("Size", l.Size);
    line("FontName", {Text(l.FontName)});
    color("FontColor", l.FontColor);
    number("FontSize", l.FontSize);
  }
  void add(TZSAnalyzer& a) {
    point("FormPos", a.FormPos);
    point("SkinPos", a.SkinPos);
    size("Size", a.Size);
    color("PeakColor", a.PeakColor);
    color("LineColor", a.LineColor);
    line("Spectrum", {Number(a.Spectrum[0]), Number(a.Spectrum[1])});
    number("SpectrumHeight", a.SpectrumHeight);
    number("BarWidth", a.BarWidth);
    line("Align", {Choice(a.Align, kAnalyzerDirections)});
    flag("Visible", a.Visible);
  }
  void add(TZSBar& b) {
    point("FormPos", b.FormPos);
    point("SkinPos", b.SkinPos);
    size("Size", b.Size);
    byte("Border", b.Border);
    line("Align", {Choice(b.Align, kBarDirections)});
  }
  void add(TZSSeekbar& s) {
    point("BgFormPos", s.BgFormPos);
    point("BgSkinPos", s.BgSkinPos);
    size("BgSize", s.BgSize);
    point("BarSkinPos", s.BarSkinPos);
    size("BarSize", s.BarSize);
    byte("BarSkinBorder", s.BarSkinBorder);
    line("BarAlign", {Choice(s.BarAlign, kBarDirections)});
    flag("Visible", s.Visible);
  }
  void add(TZSTimeDisplay& t) {
    point("FormPos", t.FormPos);
    point("SkinPos", t.SkinPos);
    size("Size", t.Size);
    byte("Border", t.Border);
    byte("FormBorder", t.FormBorder);
  }
  void add(TZSPopupBar& p) {
    size("Size", p.Size);
    point("SkinPos", p.SkinPos);
  }
  void add(TZSScrollBar& s) {
    size("Size", s.Size);
    point("SkinPos", s.SkinPos);
    byte("SkinBorder", s.SkinBorder);
  }
  void add(TZSFileIcons& f) {
    size("Size", f.Size);
    point("SkinPos", f.SkinPos);
    byte("SkinBorder", f.SkinBorder);
  }
  void add(TZSStatusBar& s) {
    line("Align", {Choice(s.Align, kBarSides)});
    point("SkinPos", s.SkinPos);
    size("Size", s.Size);
    line("Font", {Text(s.FontName), Number(s.FontSize), Channel(s.FontColor, 16),
                  Channel(s.FontColor, 8), Channel(s.FontColor, 0)});
    flag("Visible", s.Visible);
  }

  void transparentColor(QRgb& c) { color("TransparentColor", c); }
  void playlistStyle(TZSPlaylist& p) {
    margins("Borders", p.Borders);
    line("Font", {Text(p.FontName), Number(p.FontSize)});
    color("NormalColor", p.NormalColor);
    color("SelectedColor", p.SelectedColor);
    color("PlayedColor", p.PlayedColor);
    rowStyle("NormalBorderBgStyle", p.NormalBorderBgStyle, 7);
    rowStyle("SelectedBorderBgStyle", p.SelectedBorderBgStyle, 7);
    rowStyle("NormalBorderStyle", p.NormalBorderStyle, 5);
    rowStyle("SelectedBorderStyle", p.SelectedBorderStyle, 5);
  }
  void videoBorders(QMargins& m) { margins("Borders", m); }
  // Any word not in the list means "Bottom".
  void screenPosition(TZSScreenPosition& p) {
    line("Align", {Choice(p, kScreenPositions, std::optional(spBottom))});
  }

  std::vector<SkinValueLine> take() { return std::move(lines_); }

 private:
  std::vector<SkinValueLine> lines_;
};

}  // namespace

QString SkinValueLine::pattern() const {
  QString result = key + QLatin1String(" [");
  for (const SkinField& field : fields) {
    result += field.word ? QLatin1String(" %s") : QLatin1String(" %d");
  }
  return result + QLatin1String(" ]");
}

void SkinValueLine::read(QStringView line) const {
  const std::vector<ScanValue> values = ScanLine(line, pattern());
  for (size_t i = 0; i < values.size() && i < fields.size(); ++i) {
    fields[i].store(values[i]);
  }
}

QString SkinValueLine::write() const {
  QString result = key + QLatin1String(" [");
  for (const SkinField& field : fields) {
    result += u' ' + field.text();
  }
  return result + QLatin1String(" ]");
}

std::vector<SkinValueLine> SkinValueLines(TZGUI& skin) {
  LineList list;
  VisitSkinElements(skin, list);
  return list.take();
}

bool IsSkinCommentLine(QStringView line) {
  return line.isEmpty() || line.front() == u'/';
}

void ReadSkinDescription(const QStringList& lines, TZGUI& skin) {
  const std::vector<SkinValueLine> valueLines = SkinValueLines(skin);
  auto next = valueLines.begin();
  for (const QString& line : lines) {
    if (next == valueLines.end()) {
      break;
    }
    if (!IsSkinCommentLine(line)) {
      next->read(line);
      ++next;
    }
  }
}

QStringList WriteSkinDescription(const TZGUI& skin, const SkinInformation& info) {
  const QString rule = QStringLiteral("// ******************************");
  const QString gap = QStringLiteral("//");
  const auto entry = [](const QString& text) { return QStringLiteral("//   ") + text; };
  QStringList lines = {rule,
                       QStringLiteral("// Zephonic skin description"),
                       rule,
                       gap,
                       entry(info.Name),
                       gap,
                       entry(info.Author),
                       gap,
                       entry(info.Web),
                       gap,
                       entry(info.Contact),
                       rule};
  TZGUI copy = skin;  // the line table binds to a writable record; pictures are shared, not copied
  for (const SkinValueLine& line : SkinValueLines(copy)) {
    lines << line.write();
  }
  return lines;
}
