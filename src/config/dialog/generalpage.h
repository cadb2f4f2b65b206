#pragma once
// The "General" page: tray and taskbar, the time jump, the title's scrolling, the update check,
// the remembered entry, memory trimming and the news window.

#include "config/dialog/settingspage.h"

class QCheckBox;
class TZNumberField;
class TZRadioGroup;

class TZGeneralPage : public TZSettingsPage {
  Q_OBJECT

 public:
  TZGeneralPage(TZConfig& config, TZConfigActions& actions, QWidget* parent = nullptr);

  void Fill() override;
  void ApplyGroup(TZConfigGroup group) override;

 private:
  TZRadioGroup* rgG_ShowZephonic;
  TZNumberField* edtTJCount;
  TZRadioGroup* rgScolllabel;
  QCheckBox* cbAutoLiveUpdate;
  QCheckBox* cbRememberLastPlayedIndex;
  QCheckBox* cbSwapMemoryMngt;
  QCheckBox* cbGNewsShowOnStartup;
};
