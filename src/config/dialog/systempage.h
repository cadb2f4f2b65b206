#pragma once
// The "System" page: the play mode and the spectrum analyser.

#include "config/dialog/settingspage.h"

class QCheckBox;
class QLabel;
class QRadioButton;
class QSlider;
class TZRadioGroup;

class TZSystemPage : public TZSettingsPage {
  Q_OBJECT

 public:
  TZSystemPage(TZConfig& config, TZConfigActions& actions, QWidget* parent = nullptr);

  void Fill() override;
  void ApplyGroup(TZConfigGroup group) override;

  // The play-mode choice shows the stored mode: the mode when it is on, else the first item.
  void ShowPlayMode();

 private:
  void EnableAnalyzerControls();

  TZRadioGroup* rgPlaymode;
  QRadioButton* rbAnalyzerLines;
  QRadioButton* rbAnalyzerBars;
  QCheckBox* cbAnalyzerShowPeaks;
  QCheckBox* cbAnalyzerShowSpectrum;
  QCheckBox* cbAnalyzerMotionBlur;
  QLabel* lblPeaksFallOff;
  QSlider* tbPeaksFallOff;
  QLabel* lblLinesFallOff;
  QSlider* tbLinesFallOff;
};
