#pragma once
// The five skinned windows as hosts of their skinned controls. The controls carry the names the
// windows' behaviour refers to; the behaviour itself is added by each window's own module.

#include <array>

#include "skin/controls/popupbar.h"
#include "skin/controls/scrolllabel.h"
#include "skin/controls/skinbar.h"
#include "skin/controls/skinbutton.h"
#include "ui/skinwindow.h"

class TfrmMain : public TZSkinWindow {
  Q_OBJECT

 public:
  explicit TfrmMain(QWidget* parent = nullptr);

  TZSkinImage* imgCaptionbar;
  TZSkinButton* imgCloseButton;
  TZSkinButton* imgMinimizeButton;
  TZSkinImage* imgAnalyzer;
  TZSkinImage* imgScrollabelBackground;
  TZSkinScrollLabel* imgScrolllabel;
  TZSkinBar* imgProgressBar;
  TZSkinSeekbar* ProgressSeekbar;  // imgProgressSeekbarBackground, imgProgressSeekbarBar
  TZSkinButton* imgRewindButton;
  TZSkinButton* imgPlayButton;
  TZSkinButton* imgPauseButton;
  TZSkinButton* imgStopButton;
  TZSkinButton* imgForwardButton;
  TZSkinButton* imgEjectButton;
  TZSkinBar* imgVolume;
  TZSkinSeekbar* VolumeSeekbar;   // imgVolumeSeekbarBackground, imgVolumeSeekbarBar
  TZSkinSeekbar* BalanceSeekbar;  // imgBalanceBackground, imgBalanceBar
  TZSkinCheckBox* imgMuteCheckbox;
  TZSkinCheckBox* imgPlaymodeCheckbox;
  TZSkinCheckBox* imgAutofullscreenCheckbox;
  TZSkinCheckBox* imgAutoVideoResizeCheckbox;
  TZSkinCheckBox* imgPlaylistCheckbox;
  TZSkinCheckBox* imgEqualizerCheckbox;
  TZSkinButton* imgConfigButton;
  TZSkinImage* imgTime;
  TZSkinImage* imgStatus;
  TZSidePictureMenu* popmMain;
};

class TfrmPlaylist : public TZSkinFrameWindow {
  Q_OBJECT

 public:
  explicit TfrmPlaylist(QWidget* parent = nullptr);

  // Places the list area, the status bar and the thumb for the window's size.
  void LayoutPlaylist();
  // The list's area in window coordinates; the list itself draws there.
  QRect listRect() const { return listRect_; }

  TZSkinImage* imgCaptionbar;
  TZSkinImage* imgResizer;
  TZSkinImage* imgStatusBar;
  TZSkinThumb* ScrollThumb;  // imgScrollbar
  TZSidePictureMenu* popmPlaylist;

  // The skin the window lays itself out from; set by ApplySurfaces.
  const TZGUI* skin = nullptr;

 signals:
  // The list area moved or changed size.
  void listLayoutChanged(const QRect& list);

 protected:
  void layoutForSize() override;

 private:
  QRect listRect_;
};

class TfrmMediaControls : public TZSkinWindow {
  Q_OBJECT

 public:
  explicit TfrmMediaControls(QWidget* parent = nullptr);

  TZSkinImage* imgCaptionbar;
  TZSkinSeekbar* SpeedSeekbar;  // imgSpeedBackground, imgSpeedBar
  std::array<TZSkinSeekbar*, TZSMediaControls::BandCount> EqualizerBands;  // imgEQkBackground...
  TZSidePictureMenu* popmMediaControls;
};

class TfrmVideo : public TZSkinFrameWindow {
  Q_OBJECT

 public:
  explicit TfrmVideo(QWidget* parent = nullptr);

  TZSkinImage* imgCaptionBar;
  TZSkinImage* imgResizer;
  QWidget* DSVideoWindowEx;  // the picture control, black until video plays
  TZSidePictureMenu* popmVideo;

  const TZGUI* skin = nullptr;

 protected:
  void layoutForSize() override;
};

class TfrmVideoFullscreenControl : public TZSkinWindow {
  Q_OBJECT

 public:
  explicit TfrmVideoFullscreenControl(QWidget* parent = nullptr);

  TZSkinButton* imgCloseButton;
  TZSkinImage* imgScrollabelBackground;
  TZSkinScrollLabel* imgScrolllabel;
  TZSkinBar* imgProgressBar;
  TZSkinSeekbar* ProgressSeekbar;
  TZSkinButton* imgTJBackwardButton;
  TZSkinButton* imgPlayButton;
  TZSkinButton* imgPauseButton;
  TZSkinButton* imgStopButton;
  TZSkinButton* imgTJForwardButton;
  TZSkinBar* imgVolume;
  TZSkinSeekbar* VolumeSeekbar;
  TZSkinCheckBox* imgMuteCheckbox;
  TZSkinImage* imgTime;
};
