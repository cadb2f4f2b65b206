#pragma once
// What the video window and the hotkeys ask of the running graph: track choice, colour controls,
// screenshots and the DVD operations. The video engine implements it; every call does nothing
// (or returns false) while no graph runs or the graph lacks what the call needs.

#include <QPointF>
#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>

#include "config/config.h"

// The picture's colour controls in the ranges the settings use.
struct TZColourControls {
  int Brightness = 0;      // 0 to 10000
  int Contrast = 10000;    // 0 to 20000
  int Hue = 0;             // -180 to 180
  int Saturation = 10000;  // 0 to 20000
  int Sharpness = 5;       // 0 to 10
  int Gamma = 1;           // 1 to 500
  bool operator==(const TZColourControls&) const = default;
};

// The colour controls as the settings hold them, and back.
inline TZColourControls ColourControlsOf(const TZConfig& config) {
  return {config.VidBrightness, config.VidContrast,  config.VidHue,
          config.VidSaturation, config.VidSharpness, config.VidGamma};
}
inline void StoreColourControls(const TZColourControls& controls, TZConfig& config) {
  config.VidBrightness = controls.Brightness;
  config.VidContrast = controls.Contrast;
  config.VidHue = controls.Hue;
  config.VidSaturation = controls.Saturation;
  config.VidSharpness = controls.Sharpness;
  config.VidGamma = controls.Gamma;
}

// The DVD menus by the numbers of the "Show menu" items.
enum TZDvdMenu {
  dmTitle = 2,
  dmRoot = 3,
  dmSubpicture = 4,
  dmAudio = 5,
  dmAngle = 6,
  dmChapter = 7
};

class TZVideoCommands {
 public:
  virtual ~TZVideoCommands() = default;

  // Index into the captions last given to the view; -1 for "Off".
  virtual bool SelectAudioTrack(int index) = 0;
  virtual bool SelectSubtitleTrack(int index) = 0;
  virtual void SetColourControls(const TZColourControls& controls) = 0;
  // Writes a PNG of the current frame into data/images/; the file name, or nothing after
  // reporting error 3003. `adjusted`: at `pictureSize` instead of the video's own size.
  virtual std::optional<QString> TakeScreenshot(bool adjusted, QSize pictureSize) = 0;

  // DVD navigation.
  virtual bool DvdPlayForwards(double speed) = 0;
  virtual bool DvdPlayBackwards(double speed) = 0;
  virtual bool DvdShowMenu(TZDvdMenu menu) = 0;
  virtual bool DvdSetSubpictureShown(bool shown) = 0;
  virtual bool DvdSelectAudioStream(int stream) = 0;
  virtual bool DvdSelectSubpictureStream(int stream) = 0;
  virtual bool DvdPlayChapter(int title, int chapter) = 0;
  virtual bool DvdPreviousChapter() = 0;
  virtual bool DvdNextChapter() = 0;
  // Pointer over or released on the picture, in the video's own pixel coordinates.
  virtual void DvdPointerMoved(QPointF videoPoint) = 0;
  virtual void DvdPointerReleased(QPointF videoPoint) = 0;
};
