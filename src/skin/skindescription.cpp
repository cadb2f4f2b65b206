#include "skin/skindescription.h"

#include "skin/skinelements.h"

#include <charconv>
#include <iterator>
#include <memory>
#include <optional>
#include <utility>

namespace {

// Where a value lies inside the record. The table is made once by walking a probe record; a
// member's distance from the start of its record is the same in every record (TZGUI has no
// virtual bases), so the table reaches the same value in any record it is given.
template <typename T>
class Slot {
 public:
  Slot(const TZGUI& probe, const T& member)
      : offset_(reinterpret_cast<const char*>(&member) - reinterpret_cast<const char*>(&probe)) {}
  T& in(TZGUI& skin) const {
    return *reinterpret_cast<T*>(reinterpret_cast<char*>(&skin) + offset_);
  }
  const T& in(const TZGUI& skin) const {
    return *reinterpret_cast<const T*>(reinterpret_cast<const char*>(&skin) + offset_);
  }

 private:
  std::ptrdiff_t offset_;
};

SkinField Number(std::function<void(TZGUI&, int)> set, std::function<int(const TZGUI&)> get) {
  return {false,
          [set = std::move(set)](TZGUI& skin, const ScanValue& v) { set(skin, std::get<int>(v)); },
          [get](const TZGUI& skin) { return QString::number(get(skin)); }, get};
}

void AppendNumber(QString& text, int number) {
  char digits[12];
  const char* end = std::to_chars(std::begin(digits), std::end(digits), number).ptr;
  text += QLatin1String(digits, end);
}

SkinField Number(Slot<int> value) {
  return Number([value](TZGUI& skin, int v) { value.in(skin) = v; },
                [value](const TZGUI& skin) { return value.in(skin); });
}

// Byte values keep the low 8 bits of the number read.
SkinField Byte(Slot<quint8> value) {
  return Number([value](TZGUI& skin, int v) { value.in(skin) = quint8(v & 0xff); },
                [value](const TZGUI& skin) { return int(value.in(skin)); });
}

SkinField Word(std::function<void(TZGUI&, const QString&)> set,
               std::function<QString(const TZGUI&)> get) {
  return {
      true,
      [set = std::move(set)](TZGUI& skin, const ScanValue& v) { set(skin, std::get<QString>(v)); },
      std::move(get),
      {}};
}

SkinField Text(Slot<QString> value) {
  return Word([value](TZGUI& skin, const QString& v) { value.in(skin) = v; },
              [value](const TZGUI& skin) { return value.in(skin); });
}

// True exactly when the word is "TRUE".
SkinField Flag(Slot<bool> value) {
  return Word(
      [value](TZGUI& skin, const QString& v) { value.in(skin) = v == QLatin1String("TRUE"); },
      [value](const TZGUI& skin) {
        return QString::fromLatin1(value.in(skin) ? "TRUE" : "FALSE");
      });
}

template <typename T>
struct WordChoice {
  const char* word;
  T value;
};

// A word from a fixed list; any other word keeps the value, or sets the fallback when given.
template <typename T, size_t N>
SkinField Choice(Slot<T> value, const WordChoice<T> (&choices)[N], std::optional<T> fallback = {}) {
  return Word(
      [value, &choices, fallback](TZGUI& skin, const QString& v) {
        for (const auto& choice : choices) {
          if (v == QLatin1String(choice.word)) {
            value.in(skin) = choice.value;
            return;
          }
        }
        if (fallback) {
          value.in(skin) = *fallback;
        }
      },
      [value, &choices](const TZGUI& skin) {
        for (const auto& choice : choices) {
          if (choice.value == value.in(skin)) {
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
SkinField Channel(Slot<QRgb> color, int shift) {
  return Number(
      [color, shift](TZGUI& skin, int v) {
        QRgb& c = color.in(skin);
        c = (c & ~(0xffu << shift)) | (quint32(v & 0xff) << shift) | 0xff000000u;
      },
      [color, shift](const TZGUI& skin) { return int((color.in(skin) >> shift) & 0xff); });
}

// Collects the value lines while walking the probe record.
class LineList {
 public:
  explicit LineList(const TZGUI& probe) : probe_(probe) {}

  void line(const char* key, std::vector<SkinField> fields) {
    SkinValueLine value;
    value.key = QString::fromLatin1(key);
    value.fields = std::move(fields);
    value.makePattern();
    lines_.push_back(std::move(value));
  }
  void point(const char* key, QPoint& p) {
    line(key, {Number(slot(p.rx())), Number(slot(p.ry()))});
  }
  void size(const char* key, QSize& s) {
    line(key, {Number(slot(s.rwidth())), Number(slot(s.rheight()))});
  }
  void color(const char* key, QRgb& c) {
    line(key, {Channel(slot(c), 16), Channel(slot(c), 8), Channel(slot(c), 0)});
  }
  void byte(const char* key, quint8& b) { line(key, {Byte(slot(b))}); }
  void number(const char* key, int& n) { line(key, {Number(slot(n))}); }
  void flag(const char* key, bool& f) { line(key, {Flag(slot(f))}); }
  void margins(const char* key, QMargins& margins) {
    const Slot<QMargins> m = slot(margins);
    line(key, {Number([m](TZGUI& g, int v) { m.in(g).setLeft(v); },
                      [m](const TZGUI& g) { return m.in(g).left(); }),
               Number([m](TZGUI& g, int v) { m.in(g).setTop(v); },
                      [m](const TZGUI& g) { return m.in(g).top(); }),
               Number([m](TZGUI& g, int v) { m.in(g).setRight(v); },
                      [m](const TZGUI& g) { return m.in(g).right(); }),
               Number([m](TZGUI& g, int v) { m.in(g).setBottom(v); },
                      [m](const TZGUI& g) { return m.in(g).bottom(); })});
  }
  // A style number outside 0..maxStyle keeps the style; the colour is always taken.
  void rowStyle(const char* key, TZSRowStyle& style, int maxStyle) {
    const Slot<int> s = slot(style.Style);
    auto setStyle = [s, maxStyle](TZGUI& g, int v) {
      if (v >= 0 && v <= maxStyle) {
        s.in(g) = v;
      }
    };
    line(key,
         {Number(setStyle, [s](const TZGUI& g) { return s.in(g); }), Channel(slot(style.Color), 16),
          Channel(slot(style.Color), 8), Channel(slot(style.Color), 0)});
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
    line("FontName", {Text(slot(l.FontName))});
    color("FontColor", l.FontColor);
    number("FontSize", l.FontSize);
  }
  void add(TZSAnalyzer& a) {
    point("FormPos", a.FormPos);
    point("SkinPos", a.SkinPos);
    size("Size", a.Size);
    color("PeakColor", a.PeakColor);
    color("LineColor", a.LineColor);
    line("Spectrum", {Number(slot(a.Spectrum[0])), Number(slot(a.Spectrum[1]))});
    number("SpectrumHeight", a.SpectrumHeight);
    number("BarWidth", a.BarWidth);
    line("Align", {Choice(slot(a.Align), kAnalyzerDirections)});
    flag("Visible", a.Visible);
  }
  void add(TZSBar& b) {
    point("FormPos", b.FormPos);
    point("SkinPos", b.SkinPos);
    size("Size", b.Size);
    byte("Border", b.Border);
    line("Align", {Choice(slot(b.Align), kBarDirections)});
  }
  void add(TZSSeekbar& s) {
    point("BgFormPos", s.BgFormPos);
    point("BgSkinPos", s.BgSkinPos);
    size("BgSize", s.BgSize);
    point("BarSkinPos", s.BarSkinPos);
    size("BarSize", s.BarSize);
    byte("BarSkinBorder", s.BarSkinBorder);
    line("BarAlign", {Choice(slot(s.BarAlign), kBarDirections)});
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
    line("Align", {Choice(slot(s.Align), kBarSides)});
    point("SkinPos", s.SkinPos);
    size("Size", s.Size);
    line("Font", {Text(slot(s.FontName)), Number(slot(s.FontSize)), Channel(slot(s.FontColor), 16),
                  Channel(slot(s.FontColor), 8), Channel(slot(s.FontColor), 0)});
    flag("Visible", s.Visible);
  }

  void transparentColor(QRgb& c) { color("TransparentColor", c); }
  void playlistStyle(TZSPlaylist& p) {
    margins("Borders", p.Borders);
    line("Font", {Text(slot(p.FontName)), Number(slot(p.FontSize))});
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
    line("Align", {Choice(slot(p), kScreenPositions, std::optional(spBottom))});
  }

  std::vector<SkinValueLine> take() { return std::move(lines_); }

 private:
  template <typename T>
  Slot<T> slot(const T& member) const {
    return Slot<T>(probe_, member);
  }

  const TZGUI& probe_;
  std::vector<SkinValueLine> lines_;
};

}  // namespace

void SkinValueLine::makePattern() {
  pattern_ = key + QLatin1String(" [");
  for (const SkinField& field : fields) {
    pattern_ += field.word ? QLatin1String(" %s") : QLatin1String(" %d");
  }
  pattern_ += QLatin1String(" ]");
}

void SkinValueLine::read(QStringView line, TZGUI& skin) const {
  std::vector<ScanValue> values;
  read(line, skin, values);
}

void SkinValueLine::read(QStringView line, TZGUI& skin, std::vector<ScanValue>& values) const {
  ScanLine(line, pattern_, values);
  for (size_t i = 0; i < values.size() && i < fields.size(); ++i) {
    fields[i].store(skin, values[i]);
  }
}

QString SkinValueLine::write(const TZGUI& skin) const {
  constexpr qsizetype kNumberRoom = 12;  // a blank and "-2147483648"
  QString result;
  result.reserve(key.size() + 4 + qsizetype(fields.size()) * kNumberRoom);
  result += key;
  result += QLatin1String(" [");
  for (const SkinField& field : fields) {
    result += u' ';
    if (field.number) {
      AppendNumber(result, field.number(skin));
    } else {
      result += field.text(skin);
    }
  }
  result += QLatin1String(" ]");
  return result;
}

const std::vector<SkinValueLine>& SkinValueLines() {
  static const std::vector<SkinValueLine> lines = [] {
    const auto probe = std::make_unique<TZGUI>();
    LineList list(*probe);
    VisitSkinElements(*probe, list);
    return list.take();
  }();
  return lines;
}

bool IsSkinCommentLine(QStringView line) {
  return line.isEmpty() || line.front() == u'/';
}

void ReadSkinDescription(const QStringList& lines, TZGUI& skin) {
  const std::vector<SkinValueLine>& valueLines = SkinValueLines();
  std::vector<ScanValue> values;
  auto next = valueLines.begin();
  for (const QString& line : lines) {
    if (next == valueLines.end()) {
      break;
    }
    if (!IsSkinCommentLine(line)) {
      next->read(line, skin, values);
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
  lines.reserve(lines.size() + qsizetype(SkinValueLines().size()));
  for (const SkinValueLine& line : SkinValueLines()) {
    lines << line.write(skin);
  }
  return lines;
}
