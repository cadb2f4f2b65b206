#include "config/configkeys.h"

#include <limits>
#include <utility>

#include "config/configline.h"

namespace {

template <typename T>
using Field = T TZConfig::*;

// A text as it may stand on one line of the file.
QString OneLine(const QString& text) {
  QString line = text;
  line.replace(u'\r', u' ').replace(u'\n', u' ');
  return line;
}

TZConfigKey BoolKey(const char* name, Field<bool> field) {
  return {QString::fromLatin1(name),
          [field](const QString& value, TZConfig& config) { config.*field = ReadBool(value); },
          [field](const TZConfig& config) { return WriteBool(config.*field); }};
}

template <typename T>
std::optional<T> ScanInteger(TZValueScanner& scanner) {
  const auto value = scanner.Integer(std::numeric_limits<T>::min(), std::numeric_limits<T>::max());
  return value ? std::optional<T>(static_cast<T>(*value)) : std::nullopt;
}

// An integer of type T in the field that access(config) gives.
template <typename T, typename Access>
TZConfigKey IntKey(QString name, Access access) {
  return {std::move(name),
          [access](const QString& value, TZConfig& config) {
            TZValueScanner scanner(value);
            if (const auto number = ScanInteger<T>(scanner)) {
              access(config) = *number;
            }
          },
          [access](const TZConfig& config) { return QString::number(access(config)); }};
}

template <typename T>
TZConfigKey IntKey(const char* name, Field<T> field) {
  return IntKey<T>(QString::fromLatin1(name),
                   [field](auto& config) -> auto& { return config.*field; });
}

// Two integers of type T separated by a blank; both must be readable.
template <typename T, typename Value>
TZConfigKey PairKey(const char* name, Field<Value> field, std::pair<T, T> (*split)(const Value&),
                    Value (*join)(T, T)) {
  return {QString::fromLatin1(name),
          [field, join](const QString& value, TZConfig& config) {
            TZValueScanner scanner(value);
            const auto first = ScanInteger<T>(scanner);
            const auto second = ScanInteger<T>(scanner);
            if (first && second) {
              config.*field = join(*first, *second);
            }
          },
          [field, split](const TZConfig& config) {
            const auto [first, second] = split(config.*field);
            return QString::number(first) + u' ' + QString::number(second);
          }};
}

TZConfigKey PointKey(const char* name, Field<QPoint> field) {
  return PairKey<int, QPoint>(
      name, field, [](const QPoint& p) { return std::pair(p.x(), p.y()); },
      [](int x, int y) { return QPoint(x, y); });
}

TZConfigKey SizeKey(const char* name, Field<QSize> field) {
  return PairKey<int, QSize>(
      name, field, [](const QSize& s) { return std::pair(s.width(), s.height()); },
      [](int w, int h) { return QSize(w, h); });
}

TZConfigKey FallOffKey(const char* name, Field<TZFallOff> field) {
  return PairKey<std::int8_t, TZFallOff>(
      name, field, [](const TZFallOff& f) { return std::pair(f.Peaks, f.Bars); },
      [](std::int8_t peaks, std::int8_t bars) {
        return TZFallOff{peaks, bars};
      });
}

// A switch and a time: "TRUE 1000".
TZConfigKey FadeKey(const char* name, Field<TZFadeSetting> field) {
  return {QString::fromLatin1(name),
          [field](const QString& value, TZConfig& config) {
            TZValueScanner scanner(value);
            const bool enabled = ReadBool(scanner.Word());
            if (const auto time = ScanInteger<std::int16_t>(scanner)) {
              config.*field = {enabled, *time};
            }
          },
          [field](const TZConfig& config) {
            const TZFadeSetting& fade = config.*field;
            return WriteBool(fade.Enabled) + u' ' + QString::number(fade.Time);
          }};
}

// The words of the list stand for the enumeration's values 0, 1, 2, ... in this order.
template <typename E>
TZConfigKey KeywordKey(const char* name, Field<E> field, QStringList words, E fallback) {
  return {QString::fromLatin1(name),
          [field, words, fallback](const QString& value, TZConfig& config) {
            const qsizetype index = words.indexOf(value);
            config.*field = index < 0 ? fallback : static_cast<E>(index);
          },
          [field, words](const TZConfig& config) {
            return words.value(static_cast<qsizetype>(config.*field));
          }};
}

struct TextRules {
  bool stars = false;  // blanks are written as "*"
  qsizetype maxLength = -1;
  QString emptyReadsAs;
  QString emptyWritesAs;
};

TextRules StarText(qsizetype maxLength = -1) {
  TextRules rules;
  rules.stars = true;
  rules.maxLength = maxLength;
  return rules;
}

TextRules PlainText(qsizetype maxLength = -1, const QString& emptyReadsAs = {},
                    const QString& emptyWritesAs = {}) {
  TextRules rules;
  rules.maxLength = maxLength;
  rules.emptyReadsAs = emptyReadsAs;
  rules.emptyWritesAs = emptyWritesAs;
  return rules;
}

// Every "*" reads as a blank, whether or not the key writes blanks as stars.
TZConfigKey TextKey(const char* name, Field<QString> field, TextRules rules) {
  return {QString::fromLatin1(name),
          [field, rules](const QString& value, TZConfig& config) {
            QString text = StarsToBlanks(value);
            if (rules.maxLength >= 0) {
              text = CutText(text, rules.maxLength);
            }
            config.*field = text.isEmpty() ? rules.emptyReadsAs : text;
          },
          [field, rules](const TZConfig& config) {
            QString text = OneLine(config.*field);
            if (rules.maxLength >= 0) {
              text = CutText(text, rules.maxLength);
            }
            if (text.isEmpty()) {
              text = rules.emptyWritesAs;
            }
            return rules.stars ? BlanksToStars(text) : text;
          }};
}

std::optional<QColor> ScanColor(TZValueScanner& scanner) {
  const auto red = ScanInteger<std::uint8_t>(scanner);
  const auto green = ScanInteger<std::uint8_t>(scanner);
  const auto blue = ScanInteger<std::uint8_t>(scanner);
  if (!red || !green || !blue) {
    return std::nullopt;
  }
  return QColor(*red, *green, *blue);
}

QString WriteColor(const QColor& color) {
  return QStringLiteral("%1 %2 %3").arg(color.red()).arg(color.green()).arg(color.blue());
}

constexpr qsizetype kFontNameLength = 60;

TZConfigKey FontKey(const char* name, Field<TZFontSetting> field) {
  return {QString::fromLatin1(name),
          [field](const QString& value, TZConfig& config) {
            TZValueScanner scanner(value);
            const QString fontName = CutText(StarsToBlanks(scanner.Word()), kFontNameLength);
            const auto size = ScanInteger<std::int32_t>(scanner);
            const auto color = ScanColor(scanner);
            if (size && color) {
              config.*field = {fontName, *size, *color};
            }
          },
          [field](const TZConfig& config) {
            const TZFontSetting& font = config.*field;
            return BlanksToStars(CutText(OneLine(font.Name), kFontNameLength)) + u' ' +
                   QString::number(font.Size) + u' ' + WriteColor(font.Color);
          }};
}

TZConfigKey BlendKey(const char* name, Field<TZColorBlend> field) {
  return {QString::fromLatin1(name),
          [field](const QString& value, TZConfig& config) {
            TZValueScanner scanner(value);
            const auto level = ScanInteger<std::uint8_t>(scanner);
            const auto color = ScanColor(scanner);
            if (level && color) {
              config.*field = {*level, *color};
            }
          },
          [field](const TZConfig& config) {
            const TZColorBlend& blend = config.*field;
            return QString::number(blend.Level) + u' ' + WriteColor(blend.Color);
          }};
}

// Width and height of an aspect ratio; both must be positive, as they are divided by.
TZConfigKey RatioKey(const char* name, Field<TZUserRatio> field) {
  return {QString::fromLatin1(name),
          [field](const QString& value, TZConfig& config) {
            TZValueScanner scanner(value);
            const auto width = scanner.Float();
            const auto height = scanner.Float();
            if (width && height && *width > 0 && *height > 0) {
              config.*field = {*width, *height};
            }
          },
          [field](const TZConfig& config) {
            const TZUserRatio& ratio = config.*field;
            return WriteFloat(ratio.Width) + u' ' + WriteFloat(ratio.Height);
          }};
}

void AddEqualizerKeys(std::vector<TZConfigKey>& keys) {
  for (int band = 0; band < 10; ++band) {
    keys.push_back(IntKey<int>(QStringLiteral("EQBand%1").arg(band),
                               [band](auto& config) -> auto& { return config.EQBand[band]; }));
  }
}

std::vector<TZConfigKey> BuildKeys() {
  using C = TZConfig;
  const TextRules text60Dash = PlainText(60, {}, QStringLiteral("-"));
  std::vector<TZConfigKey> keys{
      TextKey("Skin", &C::Skin, StarText(60)),
      TextKey("Language", &C::Language, StarText(60)),
      IntKey("Volume", &C::Volume),
      IntKey("Balance", &C::Balance),
      BoolKey("OFAReadID3Tag", &C::OFAReadID3Tag),
      BoolKey("OFAReadTime", &C::OFAReadTime),
      SizeKey("PlaylistSize", &C::PlaylistSize),
      BoolKey("PlaylistVis", &C::PlaylistVis),
      TextKey("LastDir", &C::LastDir, StarText(255)),
      BoolKey("ShowSpectrum", &C::ShowSpectrum),
      BoolKey("ShowPeaks", &C::ShowPeaks),
      BoolKey("SpectrumBlur", &C::SpectrumBlur),
      KeywordKey("SpectrumType", &C::SpectrumType, {"LINES", "BARS"}, stBars),
      FallOffKey("FallsOff", &C::FallsOff),
      KeywordKey("TimeMode", &C::TimeMode, {"ELAPSED", "REMAINING"}, tmElapsed),
      FadeKey("Fader", &C::Fader),
      BoolKey("OFACheckIsValidFile", &C::OFACheckIsValidFile),
      BoolKey("OFAReadPlaylistFiles", &C::OFAReadPlaylistFiles),
      PointKey("MainPos", &C::MainPos),
      PointKey("PlaylistPos", &C::PlaylistPos),
      PointKey("MediaControlsPos", &C::MediaControlsPos),
      BoolKey("PlayMode", &C::PlayMode),
      IntKey("PlayModeIndex", &C::PlayModeIndex),
      BoolKey("MainVis", &C::MainVis),
      BoolKey("MediaConVis", &C::MediaConVis),
      IntKey("Speed", &C::Speed),
      FadeKey("VolumeFader", &C::VolumeFader),
      BoolKey("DolbySurround", &C::DolbySurround),
      BoolKey("AutoFullscreen", &C::AutoFullscreen),
      BoolKey("AutoVideoResize", &C::AutoVideoResize),
      BoolKey("NoScreensaver", &C::NoScreensaver),
      BoolKey("HideCursor", &C::HideCursor),
      IntKey("NumTrysURLStream", &C::NumTrysURLStream),
      IntKey("TryURLTime", &C::TryURLTime),
      BoolKey("OFPReadID3Tag", &C::OFPReadID3Tag),
      BoolKey("OFPReadTime", &C::OFPReadTime),
      BoolKey("MainAlwaysOnTop", &C::MainAlwaysOnTop),
      BoolKey("DebugEnabled", &C::DebugEnabled),
      BoolKey("CenterVideo", &C::CenterVideo),
      IntKey("ShowZephonicIn", &C::ShowZephonicIn),
      IntKey("JumpInterval", &C::JumpInterval),
      KeywordKey("OSDPosition", &C::OSDPosition,
                 {"TopLeft", "TopRight", "BottomLeft", "BottomRight", "Center", "Top", "Bottom",
                  "Left", "Right"},
                 opTopLeft),
      FontKey("OSDFont", &C::OSDFont),
      BoolKey("OSDEnabled", &C::OSDEnabled),
      IntKey("SLMoveProg", &C::SLMoveProg),
      BoolKey("PLDrawNumbers", &C::PLDrawNumbers),
      BoolKey("PLDrawTime", &C::PLDrawTime),
      BoolKey("PLDrawFileTypeIcons", &C::PLDrawFileTypeIcons),
      BoolKey("SearchHideOnPlay", &C::SearchHideOnPlay),
      BoolKey("Mute", &C::Mute),
      BoolKey("AutoLiveUpdate", &C::AutoLiveUpdate),
      IntKey("BassDevice", &C::BassDevice),
      IntKey("LastPlayedIndex", &C::LastPlayedIndex),
      BoolKey("RememberLastPlayed", &C::RememberLastPlayed),
      KeywordKey("SBTextAlign", &C::SBTextAlign, {"None", "Left", "Right", "Center"}, taLeft),
  };
  AddEqualizerKeys(keys);
  const std::vector<TZConfigKey> rest{
      KeywordKey("Ratio", &C::Ratio,
                 {"Letterbox", "Stretched", "Crop", "4:3", "16:9", "2.35:1", "Userdef"},
                 vrLetterbox),
      RatioKey("UserRatio", &C::UserRatio),
      BoolKey("DCDSPFilterActive", &C::DCDSPFilterActive),
      IntKey("VidBrightness", &C::VidBrightness),
      IntKey("VidContrast", &C::VidContrast),
      IntKey("VidHue", &C::VidHue),
      IntKey("VidSaturation", &C::VidSaturation),
      IntKey("VidSharpness", &C::VidSharpness),
      IntKey("VidGamma", &C::VidGamma),
      BlendKey("SkinColorBlend", &C::SkinColorBlend),
      IntKey("LSASConvertTo", &C::LSASConvertTo),
      BoolKey("LSASAutoChangeTitle", &C::LSASAutoChangeTitle),
      TextKey("LSASFormatMask", &C::LSASFormatMask, PlainText(255, QStringLiteral("%TITLE%"))),
      TextKey("LSASOutputPath", &C::LSASOutputPath, PlainText()),
      TextKey("VidDefaultLanguage", &C::VidDefaultLanguage, text60Dash),
      TextKey("VidDefaultSubtitle", &C::VidDefaultSubtitle, text60Dash),
      BoolKey("VidDefaultSubtitleFailed", &C::VidDefaultSubtitleFailed),
      IntKey("Speakers", &C::Speakers),
      BoolKey("SwapMemoryMngt", &C::SwapMemoryMngt),
      BoolKey("VideoFSControlActive", &C::VideoFSControlActive),
      TextKey("DVDGraph", &C::DVDGraph, StarText()),
      IntKey("PLOnDragDropMode", &C::PLOnDragDropMode),
      BoolKey("NewsWindowOnStartUp", &C::NewsWindowOnStartUp),
  };
  keys.insert(keys.end(), rest.begin(), rest.end());
  return keys;
}

}  // namespace

const std::vector<TZConfigKey>& ConfigKeys() {
  static const std::vector<TZConfigKey> keys = BuildKeys();
  return keys;
}
