#pragma once
// The configuration record: every user setting, filled with built-in defaults, overwritten from
// "config.zcfg" at start-up and written back completely at shutdown. Beside it lives the
// media-type -> graph-script list kept in "dsgraphs.lst". Every part of the program reads its
// settings straight from the one record that Config() returns.

#include <QColor>
#include <QList>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

enum TSpectrumType : std::uint8_t { stLines, stBars };
enum TTimeMode : std::uint8_t { tmElapsed, tmRemaining };
enum TOSDPosition : std::uint8_t {
  opTopLeft,
  opTopRight,
  opBottomLeft,
  opBottomRight,
  opCenter,
  opTop,
  opBottom,
  opLeft,
  opRight
};
enum TSBTextAlign : std::uint8_t { taNone, taLeft, taRight, taCenter };
enum TVideoRatio : std::uint8_t {
  vrLetterbox,
  vrStretched,
  vrCrop,
  vr4To3,
  vr16To9,
  vr235To1,
  vrUserdef
};

// A switch with a duration, as used by the cross-fader and the volume fader.
struct TZFadeSetting {
  bool Enabled = false;
  std::int16_t Time = 0;  // milliseconds
  bool operator==(const TZFadeSetting&) const = default;
};

// Fall-off speeds of the analyser: peaks (0-3), then lines or bars (0-10).
struct TZFallOff {
  std::int8_t Peaks = 0;
  std::int8_t Bars = 0;
  bool operator==(const TZFallOff&) const = default;
};

struct TZFontSetting {
  QString Name;  // at most 60 characters
  std::int32_t Size = 0;
  QColor Color;
  bool operator==(const TZFontSetting&) const = default;
};

// How strongly (0-255) and with which colour the skin is tinted.
struct TZColorBlend {
  std::uint8_t Level = 0;
  QColor Color;
  bool operator==(const TZColorBlend&) const = default;
};

struct TZUserRatio {
  float Width = 1;
  float Height = 1;
  bool operator==(const TZUserRatio&) const = default;
};

// One pair of the graph list: files of this media type are built by this graph script.
struct TZGraphEntry {
  QString Type;    // at most 255 characters
  QString Script;  // base name of data/dsgraphs/<Script>.zgraph, at most 255 characters
  bool operator==(const TZGraphEntry&) const = default;
};

// The default member values are the built-in defaults.
struct TZConfig {
  QString Skin = QStringLiteral("base[default]");
  QString Language = QStringLiteral("english[default]");
  int Volume = 5000;
  int Balance = 100;
  bool OFAReadID3Tag = false;
  bool OFAReadTime = false;
  QSize PlaylistSize{300, 250};
  bool PlaylistVis = true;
  QString LastDir = DefaultLastDir();
  bool ShowSpectrum = true;
  bool ShowPeaks = true;
  bool SpectrumBlur = true;
  TSpectrumType SpectrumType = stBars;
  TZFallOff FallsOff{1, 3};
  TTimeMode TimeMode = tmElapsed;
  TZFadeSetting Fader{true, 1000};
  bool OFACheckIsValidFile = true;
  bool OFAReadPlaylistFiles = false;
  QPoint MainPos{0, 0};
  QPoint PlaylistPos{300, 0};
  QPoint MediaControlsPos{0, 100};
  bool PlayMode = true;
  int PlayModeIndex = 3;
  bool MainVis = true;
  bool MediaConVis = true;
  int Speed = 4;
  TZFadeSetting VolumeFader{true, 500};
  bool DolbySurround = false;
  bool AutoFullscreen = false;
  bool AutoVideoResize = true;
  bool NoScreensaver = true;
  bool HideCursor = true;
  int NumTrysURLStream = 3;
  int TryURLTime = 1000;
  bool OFPReadID3Tag = true;
  bool OFPReadTime = true;
  bool MainAlwaysOnTop = false;
  bool DebugEnabled = false;
  bool CenterVideo = true;
  std::int16_t ShowZephonicIn = 0;
  int JumpInterval = 5000;
  TOSDPosition OSDPosition = opTopLeft;
  TZFontSetting OSDFont{QStringLiteral("Tahoma"), 12, QColor(0, 255, 0)};
  bool OSDEnabled = true;
  std::int16_t SLMoveProg = 2;
  bool PLDrawNumbers = true;
  bool PLDrawTime = true;
  bool PLDrawFileTypeIcons = false;
  bool SearchHideOnPlay = true;
  bool Mute = false;
  bool AutoLiveUpdate = false;
  std::int16_t BassDevice = 1;
  int LastPlayedIndex = -1;
  bool RememberLastPlayed = true;
  TSBTextAlign SBTextAlign = taLeft;
  std::array<int, 10> EQBand{12, 12, 12, 12, 12, 12, 12, 12, 12, 12};
  TVideoRatio Ratio = vrLetterbox;
  TZUserRatio UserRatio{1, 1};
  bool DCDSPFilterActive = true;
  int VidBrightness = 0;
  int VidContrast = 10000;
  int VidHue = 0;
  int VidSaturation = 10000;
  int VidSharpness = 5;
  int VidGamma = 1;
  TZColorBlend SkinColorBlend{0, QColor(255, 255, 0)};
  std::uint8_t LSASConvertTo = 1;
  bool LSASAutoChangeTitle = true;
  QString LSASFormatMask = QStringLiteral("%TITLE%");
  QString LSASOutputPath;  // empty: the data folder's "output/"
  QString VidDefaultLanguage = QStringLiteral("-");
  QString VidDefaultSubtitle = QStringLiteral("-");
  bool VidDefaultSubtitleFailed = false;
  std::uint8_t Speakers = 2;
  bool SwapMemoryMngt = true;
  bool VideoFSControlActive = true;
  QString DVDGraph = QStringLiteral("GPL MPEG 1-2 & AC3Filter");
  std::uint8_t PLOnDragDropMode = 1;
  bool NewsWindowOnStartUp = true;

  // Not stored in any file.
  QList<TZGraphEntry> Graphs = DefaultGraphs();  // kept in "dsgraphs.lst"
  bool LSASAutoRecord = false;                   // every run starts with it off

  bool operator==(const TZConfig&) const = default;

  // The user's home folder: the first place "Add directory..." offers.
  static QString DefaultLastDir();
  static QList<TZGraphEntry> DefaultGraphs();
};

// The program's one configuration record; it exists before start-up and after shutdown.
TZConfig& Config();

// Every field to its default, the graph list to its two default entries.
void SetConfigDefaults(TZConfig& config);

// Reads "config.zcfg" over the current values; keys missing from the file keep their values.
// False when the file cannot be opened or read (the record is then untouched).
bool LoadConfigFile(const QString& path, TZConfig& config);

// The lines of a configuration file and how they are read, for callers that have the text.
void ApplyConfigLines(const QStringList& lines, TZConfig& config);
QStringList ConfigFileLines(const TZConfig& config);

// Writes the whole file (header and every key) through a temporary file renamed over the old
// one. An empty VidDefaultLanguage or VidDefaultSubtitle is written as "-". False on failure.
bool SaveConfigFile(const QString& path, const TZConfig& config);

// Replaces the graph list by the entries of "dsgraphs.lst". False when the file cannot be read
// or its first line holds no count; the list is then untouched.
bool LoadGraphList(const QString& path, TZConfig& config);
bool SaveGraphList(const QString& path, const TZConfig& config);

// The lines of a graph-list file and how they are read (false: no count on the first line).
bool ApplyGraphListLines(const QStringList& lines, TZConfig& config);
QStringList GraphListLines(const TZConfig& config);

// Index of the first entry whose type equals the name ignoring case, or -1.
int FindGraphType(const TZConfig& config, const QString& type);
// Index of the first entry whose type and script equal the names ignoring case, or -1.
int FindGraphPair(const TZConfig& config, const QString& type, const QString& script);
