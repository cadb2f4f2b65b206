#pragma once
// The video pages: "Video" (start of a video, the picture while it plays, the colour controls and
// the user-defined ratio), "Default" (preferred audio and subtitle languages) and "Fullscreen
// Control".

#include <array>

#include "config/dialog/settingspage.h"

class QCheckBox;
class QComboBox;
class QPushButton;
class QSlider;
class TZNumberField;

// How long the pointer rests over the video picture before it hides, for "HideCursor"; 0 is never.
int CursorHideDelayMs(bool hideCursor);

class TZVideoPage : public TZSettingsPage {
  Q_OBJECT

 public:
  TZVideoPage(TZConfig& config, TZConfigActions& actions, QWidget* parent = nullptr);

  void Fill() override;
  void ApplyGroup(TZConfigGroup group) override;

 private:
  QLayout* ColourLayout();
  void ApplyVideo();
  void ApplyColourControls();
  void SetColourDefaults();

  QCheckBox* cbAutoFS;
  QCheckBox* cbAutoVideoResize;
  QCheckBox* cbCenterVideo;
  QCheckBox* cbScreensaverDisabled;
  QCheckBox* cbHideCursor;
  TZNumberField* edtUserDefRatioX;
  TZNumberField* edtUserDefRatioY;
  // Brightness, contrast, hue, saturation, sharpness, gamma.
  std::array<QSlider*, 6> colourBars_;
  QPushButton* btnSetColorControlsDefault;
};

class TZVideoDefaultPage : public TZSettingsPage {
  Q_OBJECT

 public:
  TZVideoDefaultPage(TZConfig& config, TZConfigActions& actions, QWidget* parent = nullptr);

  void Fill() override;
  void ApplyGroup(TZConfigGroup group) override;

 private:
  QComboBox* cbDefaultLanguage;
  QComboBox* cbDefaultSubtitle;
  QCheckBox* cbVideoDefaultSubtitleDefaultFailed;
};

class TZVideoFSControlPage : public TZSettingsPage {
  Q_OBJECT

 public:
  TZVideoFSControlPage(TZConfig& config, TZConfigActions& actions, QWidget* parent = nullptr);

  void Fill() override;
  void ApplyGroup(TZConfigGroup group) override;

 private:
  QCheckBox* gbVideoFSControl_Enable;
};
