#pragma once
// The "Audio" page: both faders, the connection retries of internet streams, saving of live
// streams, the output device and the speaker set-up.

#include "config/dialog/settingspage.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TZNumberField;
class TZRadioGroup;

class TZAudioPage : public TZSettingsPage {
  Q_OBJECT

 public:
  TZAudioPage(TZConfig& config, TZConfigActions& actions, QWidget* parent = nullptr);

  void Fill() override;
  void ApplyGroup(TZConfigGroup group) override;

  // The folder browser's choice replaces the output path and marks the group.
  void SetOutputPath(const QString& folder);

 private:
  QLayout* FaderRow(QCheckBox* active, TZNumberField* count, QLabel* unit);
  QLayout* NetRadioLayout();
  QLayout* SavingLayout();
  void ChooseOutputPath();
  void EnableFaderCounts();

  QCheckBox* cbFader;
  TZNumberField* edFaderCount;
  QLabel* lblFaderUnit;
  QCheckBox* cbVFader;
  TZNumberField* edVFaderCount;
  QLabel* lblVFaderUnit;
  TZNumberField* edURLMaxDelay;
  TZNumberField* edURLTimeRetry;
  TZRadioGroup* rgbLSASConvertTo;
  QCheckBox* cbLSASAutoChangeTitle;
  QCheckBox* cbLSASAutoRecord;
  QLineEdit* edtLSASFormatmask;
  QLineEdit* edtLSASOutputPath;
  QPushButton* btnLSASChooseOutputPath;
  QComboBox* cbBassOutputDevice;
  QComboBox* cbAudioSpeakers;
};
