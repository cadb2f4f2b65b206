#pragma once
// The "Playlist" page: what is read when a file is added or starts playing, how the list draws
// its rows, the search window, the status bar and what a drop on the list does.

#include "config/dialog/settingspage.h"

class QCheckBox;
class TZRadioGroup;

class TZPlaylistPage : public TZSettingsPage {
  Q_OBJECT

 public:
  TZPlaylistPage(TZConfig& config, TZConfigActions& actions, QWidget* parent = nullptr);

  void Fill() override;
  void ApplyGroup(TZConfigGroup group) override;

 private:
  QCheckBox* cbOFAReadID3Tag;
  QCheckBox* cbOFAReadTime;
  QCheckBox* cbOFACheckIsValidFile;
  QCheckBox* cbOFAReadPlaylistFiles;
  QCheckBox* cbOFPReadID3Tag;
  QCheckBox* cbOFPReadTime;
  QCheckBox* cbPLDrawNumbers;
  QCheckBox* cbPLDrawTime;
  QCheckBox* cbPLDrawFileTypeIcons;
  QCheckBox* cbSearchHideOnPlay;
  TZRadioGroup* rgPLSB;
  TZRadioGroup* rgPLOnDragDrop;
};
