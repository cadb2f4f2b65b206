#pragma once
// The skin record: every value of the loaded skin and every picture piece cut from it.
//
// One record exists for the program (GUI()). InitSkinDefaults fills it with the built-in skin's
// values and empty pieces; LoadSkin reads a description over it and cuts the pieces again.
// Pieces are QImage::Format_RGB888 (24 bits per pixel) and are owned by the record.
// Colours are QRgb (0xffRRGGBB), so a piece's pixel() compares directly with them.

#include <QImage>
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QSize>
#include <QString>
#include <QtGlobal>
#include <array>

// Direction in which a bar fills, a knob moves or an analyser draws as the value grows.
enum TZSDirection { sdLeftToRight, sdRightToLeft, sdDownToUp, sdUpToDown };

// Side of the playlist on which its status bar sits.
enum TZSBarSide { bsTop, bsBottom };

// Where the fullscreen control window appears on the screen.
enum TZSScreenPosition {
  spTopLeft,
  spTop,
  spTopRight,
  spLeft,
  spRight,
  spCenter,
  spBottomLeft,
  spBottom,
  spBottomRight
};

// Fixed window background.
struct TZSSurface {
  QPoint SkinPos;
  QSize Size;
  bool Masked = true;
  QImage Picture;
  QRegion Region;  // window shape built from Picture; empty when none
};

// Resizable window background, composed from nine edge pieces.
struct TZSFrame {
  // Edge piece indices, row by row.
  enum Edge {
    TopLeft,
    Top,
    TopRight,
    Left,
    Centre,
    Right,
    BottomLeft,
    Bottom,
    BottomRight,
    EdgeCount
  };
  QSize Size;         // initial client size
  QSize DefaultSize;  // minimum width and height
  QPoint EdgeSkinPos;
  QSize EdgeSize;
  quint8 EdgeBorder = 2;
  bool Masked = true;
  std::array<QImage, EdgeCount> Edges;
  // Run-time: the background at the window's current size.
  QImage Composed;
  int Width = 0;
  int Height = 0;
  QRegion Region;
};

struct TZSCaptionbar {
  QPoint FormPos;
  QPoint SkinPos;
  quint8 SkinBorder = 2;
  QSize Size;
  std::array<QImage, 2> Pictures;  // 0 inactive window, 1 active window
};

// Push button or check box.
struct TZSButton {
  QPoint FormPos;
  QPoint SkinPos;
  QSize Size;
  quint8 Border = 2;
  bool Visible = true;
  // 0 unused; 1 normal/off; 2 mouse over (button) or pressed (check box); 3 pressed/on.
  std::array<QImage, 4> Pictures;
  quint8 State = 1;
};

// Plain picture; also the status pictures.
struct TZSImage {
  QPoint FormPos;
  QPoint SkinPos;
  QSize Size;
  QImage Picture;
};
using TZSStatusPicture = TZSImage;

// Scrolling title text. Its background is the TZSImage listed just before it.
struct TZSScrollLabel {
  quint8 ScrollMode = 0;  // 0 still, 1 moving right, 2 moving left
  QPoint FormPos;         // left, top
  QSize Size;             // width, height
  QString FontName;
  QRgb FontColor = 0;
  int FontSize = 8;
  QString Text;
  int TextWidth = 0;
  int TextPos1 = 0;
  int TextPos2 = 0;
  int Step = 1;
  QImage Picture;  // drawing picture, Size, 24 bits per pixel
};

struct TZSAnalyzer {
  QPoint FormPos;
  QPoint SkinPos;
  QSize Size;
  QRgb PeakColor = 0;
  QRgb LineColor = 0;
  std::array<int, 2> Spectrum{};  // stored; no window uses it
  int SpectrumHeight = 0;
  int BarWidth = 0;
  TZSDirection Align = sdDownToUp;  // sdDownToUp or sdRightToLeft
  bool Visible = true;
  QImage Background;
};

// Fill bar.
struct TZSBar {
  QPoint FormPos;
  QPoint SkinPos;
  QSize Size;
  quint8 Border = 2;
  TZSDirection Align = sdLeftToRight;
  std::array<QImage, 2> Pictures;  // 0 empty bar, 1 full bar
  qint64 Min = 0;
  qint64 Max = 0;
  qint64 Position = 0;
};

struct TZSSeekbar {
  QPoint BgFormPos;
  QPoint BgSkinPos;
  QSize BgSize;
  QPoint BarSkinPos;
  QSize BarSize;
  quint8 BarSkinBorder = 0;
  TZSDirection BarAlign = sdLeftToRight;
  bool Visible = false;
  QImage Background;
  std::array<QImage, 2> Knob;  // 0 normal, 1 while dragged
  // Run-time.
  QRect Bounds;  // background bounds on the window
  qint64 Min = 0;
  qint64 Max = 0;
  qint64 Position = 0;
  int Travel = 0;
};

// Nine-cell time read-out.
struct TZSTimeDisplay {
  enum Glyph { Blank = 10, Separator = 11, Minus = 12, GlyphCount = 13 };
  QPoint FormPos;
  QPoint SkinPos;
  QSize Size;  // of one glyph
  quint8 Border = 2;
  quint8 FormBorder = 1;
  std::array<QImage, GlyphCount> Glyphs;  // 0-9 digits, then blank, ":", "-"
};

// Picture at the side of a popup menu.
struct TZSPopupBar {
  QSize Size;
  QPoint SkinPos;
  QImage Picture;
};

// Playlist scroll thumb.
struct TZSScrollBar {
  QSize Size;
  QPoint SkinPos;
  quint8 SkinBorder = 2;
  std::array<QImage, 2> Pictures;  // 0 normal, 1 while dragged
  // Run-time.
  QRect Track;
  qint64 Max = 0;
  qint64 Position = 0;
  int Travel = 0;
  bool AllowDrag = false;
};

// Playlist file-type icons, by media kind.
struct TZSFileIcons {
  QSize Size;
  QPoint SkinPos;
  quint8 SkinBorder = 2;
  std::array<QImage, 7> Icons;
};

struct TZSStatusBar {
  TZSBarSide Align = bsBottom;
  QPoint SkinPos;
  QSize Size;
  QString FontName;
  int FontSize = 8;
  QRgb FontColor = 0;
  bool Visible = true;
  QImage Picture;  // the piece tiled along the bar
  // Run-time.
  QImage Composed;
  bool Hidden = false;
};

// Fill (0 none, 1 solid, 2-7 hatches) or frame line (0 none, 1 solid, 2-5 dashes) of a row.
struct TZSRowStyle {
  int Style = 0;
  QRgb Color = 0;
};

struct TZSMain {
  TZSSurface Surface;
  TZSCaptionbar Caption;
  TZSButton CloseButton;
  TZSButton MinimizeButton;
  TZSAnalyzer Analyzer;
  TZSImage TitleBackground;
  TZSScrollLabel Title;
  TZSBar PositionBar;
  TZSSeekbar PositionSeekbar;
  TZSButton RewindButton;
  TZSButton PlayButton;
  TZSButton PauseButton;
  TZSButton StopButton;
  TZSButton ForwardButton;
  TZSButton EjectButton;
  TZSBar VolumeBar;
  TZSSeekbar VolumeSeekbar;
  TZSSeekbar BalanceSeekbar;
  TZSButton MuteCheckBox;
  TZSButton PlayModeCheckBox;
  TZSButton AutoFullscreenCheckBox;
  TZSButton AutoVideoResizeCheckBox;
  TZSButton PlaylistCheckBox;
  TZSButton EqualizerCheckBox;
  TZSButton SettingsButton;
  TZSTimeDisplay TimeDisplay;
  // 0 stopped, 1 unused, 2 playing, 3 paused, 4 loading.
  std::array<TZSStatusPicture, 5> StatusPictures;
  TZSPopupBar PopupBar;
};

struct TZSPlaylist {
  TZSFrame Frame;
  TZSImage ResizeGrip;
  TZSCaptionbar Caption;
  QMargins Borders;  // list insets: left, top, right, bottom
  QString FontName;
  int FontSize = 8;
  QRgb NormalColor = 0;
  QRgb SelectedColor = 0;
  QRgb PlayedColor = 0;
  TZSRowStyle NormalBorderBgStyle;
  TZSRowStyle SelectedBorderBgStyle;
  TZSRowStyle NormalBorderStyle;
  TZSRowStyle SelectedBorderStyle;
  TZSScrollBar ScrollBar;
  TZSPopupBar PopupBar;
  TZSStatusBar StatusBar;
  TZSFileIcons FileIcons;
};

struct TZSMediaControls {
  static constexpr int BandCount = 10;
  TZSSurface Surface;
  TZSCaptionbar Caption;
  TZSSeekbar SpeedSeekbar;
  std::array<TZSSeekbar, BandCount> EqualizerBands;
  TZSPopupBar PopupBar;
};

struct TZSVideo {
  TZSFrame Frame;
  TZSImage ResizeGrip;
  TZSCaptionbar Caption;
  QMargins Borders;  // picture insets: left, top, right, bottom
  TZSPopupBar VideoPopupBar;
  TZSPopupBar DvdPopupBar;
};

struct TZSVideoFullscreenControl {
  TZSScreenPosition Position = spBottom;
  TZSSurface Surface;
  TZSButton CloseButton;
  TZSImage TitleBackground;
  TZSScrollLabel Title;
  TZSBar PositionBar;
  TZSSeekbar PositionSeekbar;
  TZSButton JumpBackButton;
  TZSButton PlayButton;
  TZSButton PauseButton;
  TZSButton StopButton;
  TZSButton JumpForwardButton;
  TZSBar VolumeBar;
  TZSSeekbar VolumeSeekbar;
  TZSButton MuteCheckBox;
  TZSTimeDisplay TimeDisplay;
};

// The whole skin.
struct TZGUI {
  bool Loaded = false;  // false during a load and after a failed one
  QRgb TransparentColor = qRgb(0, 255, 0);
  TZSMain Main;
  TZSPlaylist Playlist;
  TZSMediaControls MediaControls;
  TZSVideo Video;
  TZSVideoFullscreenControl VideoFullscreenControl;
};

// The program's one skin record.
TZGUI& GUI();

// The name that selects the built-in skin.
inline constexpr char kBuiltInSkinName[] = "base[default]";

// Sets every value to the built-in skin's, creates every piece (empty) and the scroll labels'
// drawing pictures, and clears the scroll-label texts.
void InitSkinDefaults(TZGUI& skin);

// Frees every picture the record holds.
void FreeSkinPictures(TZGUI& skin);

enum SkinLoadResult { slrFailed = 0, slrFilesMissing = 1, slrLoaded = 255 };

// How the skin picture is tinted before it is cut (the configuration's SkinColorBlend).
struct SkinBlend {
  int Level = 0;  // strength 0 (none) to 255 (full)
  QRgb Color = qRgb(255, 255, 0);
};

// Loads a skin into the record. With useBuiltIn false the name selects
// data/skins/<name>.zskz or the folder data/skins/<name>/ and its description is read over
// the record; with useBuiltIn true the built-in picture is cut with the record's current values
// and no file is read. Touches no window.
SkinLoadResult LoadSkin(TZGUI& skin, const QString& name, bool useBuiltIn,
                        const SkinBlend& blend = {});

// Tints a 24-bit picture towards a colour; pixels of the transparent colour stay as they are.
void SkinColorBlend(QImage& picture, QRgb blendColor, int strength, QRgb transparentColor);
