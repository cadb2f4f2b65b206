// The dialog's pages against the record: what they show, when Apply becomes possible, what
// Apply, OK, Cancel and Default do, and the numbers that fall back.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QTreeWidget>

#include "config/dialog/pageparts.h"
#include "dialogtest.h"

namespace {

TZConfig ChangedRecord() {
  TZConfig config;
  config.ShowZephonicIn = 2;
  config.SLMoveProg = 0;
  config.JumpInterval = 7000;
  config.AutoLiveUpdate = true;
  config.RememberLastPlayed = false;
  config.OFAReadID3Tag = true;
  config.PLDrawFileTypeIcons = true;
  config.SBTextAlign = taRight;
  config.PLOnDragDropMode = 7;
  config.Fader = {false, 2500};
  config.VolumeFader = {true, 300};
  config.NumTrysURLStream = 9;
  config.LSASFormatMask = "%ARTIST%";
  config.Speakers = 5;
  config.BassDevice = 3;
  config.AutoFullscreen = true;
  config.UserRatio = {2.35f, 1};
  config.VidBrightness = 2000;
  config.VidHue = -90;
  config.VidDefaultLanguage = "German";
  config.VideoFSControlActive = false;
  config.PlayModeIndex = 2;
  config.SpectrumType = stLines;
  config.ShowSpectrum = false;
  config.FallsOff = {2, 7};
  config.SkinColorBlend = {100, QColor(255, 0, 0)};
  return config;
}

}  // namespace

TEST_F(ConfigDialogTest, EveryPageShowsTheStoredValuesAndNothingIsPending) {
  config_ = ChangedRecord();
  Open();
  EXPECT_FALSE(ApplyEnabled());
  EXPECT_EQ(Control<QLabel>("lblBookTitle")->text(), "General");
  EXPECT_EQ(RadioIndex("rgG_ShowZephonic"), 2);
  EXPECT_EQ(RadioIndex("rgScolllabel"), 0);
  EXPECT_EQ(FieldText("edtTJCount"), "7000");
  EXPECT_TRUE(Control<QCheckBox>("cbAutoLiveUpdate")->isChecked());
  EXPECT_FALSE(Control<QCheckBox>("cbRememberLastPlayedIndex")->isChecked());
  EXPECT_TRUE(Control<QCheckBox>("cbOFAReadID3Tag")->isChecked());
  EXPECT_TRUE(Control<QCheckBox>("cbPLDrawFileTypeIcons")->isChecked());
  EXPECT_EQ(RadioIndex("rgPLSB"), 3);
  EXPECT_EQ(RadioIndex("rgPLOnDragDrop"), 1) << "a stored value above 2 shows as Add";
  EXPECT_FALSE(Control<QCheckBox>("cbFader")->isChecked());
  EXPECT_EQ(FieldText("edFaderCount"), "2500");
  EXPECT_FALSE(Control<QLineEdit>("edFaderCount")->isEnabled());
  EXPECT_TRUE(Control<QLineEdit>("edVFaderCount")->isEnabled());
  EXPECT_EQ(FieldText("edVFaderCount"), "300");
  EXPECT_EQ(FieldText("edURLMaxDelay"), "9");
  EXPECT_EQ(FieldText("edtLSASFormatmask"), "%ARTIST%");
  EXPECT_EQ(Control<QComboBox>("cbAudioSpeakers")->currentIndex(), 1);
  EXPECT_EQ(Control<QComboBox>("cbBassOutputDevice")->currentIndex(), 2);
  EXPECT_TRUE(Control<QCheckBox>("cbAutoFS")->isChecked());
  EXPECT_EQ(FieldText("edtUserDefRatioX"), "2,350000");
  EXPECT_EQ(FieldText("edtUserDefRatioY"), "1,000000");
  EXPECT_EQ(Control<QSlider>("tbVideoBrightness")->value(), 8000);
  EXPECT_EQ(Control<QSlider>("tbVideoHUE")->value(), -90);
  EXPECT_EQ(Control<QComboBox>("cbDefaultLanguage")->currentText(), "German");
  EXPECT_FALSE(Control<QCheckBox>("gbVideoFSControl_Enable")->isChecked());
  EXPECT_EQ(RadioIndex("rgPlaymode"), 2);
  EXPECT_TRUE(Control<QRadioButton>("rbAnalyzerLines")->isChecked());
  EXPECT_FALSE(Control<QSlider>("tbPeaksFallOff")->isEnabled());
  EXPECT_EQ(Control<QSlider>("tbLinesFallOff")->value(), 7);
  EXPECT_EQ(Control<QSlider>("tbSkinCBAlpha")->value(), 100);
  EXPECT_EQ(Control<QLabel>("lblLastSkin")->text(), "Skin: base[default]");
  EXPECT_EQ(Control<QLabel>("lblLastLanguage")->text(), "Language: english[default]");
  // The tree is always fully expanded.
  auto* tree = Control<QTreeWidget>("TreeView1");
  EXPECT_TRUE(tree->topLevelItem(0)->isExpanded());
  EXPECT_EQ(tree->topLevelItem(0)->child(1)->text(0), "Shortcuts");
}

TEST_F(ConfigDialogTest, OkWithoutAChangeAppliesNothing) {
  config_ = ChangedRecord();
  const TZConfig before = config_;
  Open();
  ClickButton("Button2");
  EXPECT_EQ(config_, before);
  EXPECT_TRUE(actions_.calls.isEmpty()) << actions_.calls.join(", ").toStdString();
  EXPECT_FALSE(dialog_->isVisible());
}

TEST_F(ConfigDialogTest, OnlyKeysThatMakeANumberMarkANumberField) {
  Open();
  ShowPage(cpAudio);
  Type("edFaderCount", "a");
  EXPECT_FALSE(ApplyEnabled()) << "a letter changes the text but marks nothing";
  PressKey("edFaderCount", Qt::Key_Comma);
  EXPECT_FALSE(ApplyEnabled()) << "only the ratio fields take the comma";
  PressKey("edFaderCount", Qt::Key_Backspace);
  EXPECT_TRUE(ApplyEnabled());
  EXPECT_TRUE(dialog_->Marked(TZConfigGroup::CrossFader));

  Reopen();
  EXPECT_FALSE(ApplyEnabled());
  PressKey("edURLTimeRetry", Qt::Key_7, Qt::KeypadModifier);
  EXPECT_TRUE(dialog_->Marked(TZConfigGroup::NetRadio));

  Reopen();
  ShowPage(cpVideo);
  PressKey("edtUserDefRatioX", Qt::Key_Comma);
  EXPECT_TRUE(dialog_->Marked(TZConfigGroup::Video));

  Reopen();
  ShowPage(cpGeneral);
  PressKey("edtTJCount", Qt::Key_Delete);
  EXPECT_TRUE(dialog_->Marked(TZConfigGroup::TimeJump));
  Apply();
  EXPECT_FALSE(ApplyEnabled()) << "Apply clears what was pending";
}

TEST_F(ConfigDialogTest, EachControlMarksItsOwnGroupOnly) {
  Open();
  ShowPage(cpPlaylist);
  ClickButton("cbOFPReadTime");
  ChooseRadio("rgPLSB", 0);
  EXPECT_TRUE(dialog_->Marked(TZConfigGroup::TimeReading));
  EXPECT_TRUE(dialog_->Marked(TZConfigGroup::StatusBar));
  EXPECT_FALSE(dialog_->Marked(TZConfigGroup::TagReading));
  EXPECT_FALSE(dialog_->Marked(TZConfigGroup::PlaylistDrawing));
  Apply();
  EXPECT_FALSE(config_.OFPReadTime);
  EXPECT_EQ(config_.OFAReadTime, TZConfig().OFAReadTime);
  EXPECT_EQ(config_.SBTextAlign, taNone);
  EXPECT_EQ(actions_.calls, QStringList{"RefreshPlaylist"});
}

TEST_F(ConfigDialogTest, CancelDropsTheEditsAndTheNextShowingStartsFromTheRecord) {
  const TZConfig before = config_;
  Open();
  ShowPage(cpAudio);
  ClickButton("cbFader");
  Type("edVFaderCount", "9");
  ShowPage(cpSystem);
  ChooseRadio("rgPlaymode", 0);
  ClickButton("Button3");
  EXPECT_FALSE(dialog_->isVisible());
  EXPECT_EQ(config_, before);
  EXPECT_TRUE(actions_.calls.isEmpty());
  dialog_->ShowCentred();
  EXPECT_FALSE(ApplyEnabled());
  EXPECT_TRUE(Control<QCheckBox>("cbFader")->isChecked());
  EXPECT_EQ(FieldText("edVFaderCount"), "500");
  EXPECT_EQ(RadioIndex("rgPlaymode"), 3);
}

TEST_F(ConfigDialogTest, DefaultResetsTheRecordButThePagesKeepTheirValuesUntilReopened) {
  config_.JumpInterval = 7000;
  config_.Volume = 100;
  config_.Skin = "blue";
  Open();
  ClickButton("Button4");
  TZConfig defaults;
  SetConfigDefaults(defaults);
  EXPECT_EQ(config_, defaults);
  EXPECT_EQ(actions_.calls, QStringList{"ApplyWindowLayout"});
  EXPECT_EQ(FieldText("edtTJCount"), "7000");
  Reopen();
  EXPECT_EQ(FieldText("edtTJCount"), "5000");
}

TEST_F(ConfigDialogTest, CountFieldsFallBackAndShowWhatWasStored) {
  Open();
  ShowPage(cpAudio);
  Clear("edFaderCount");
  Type("edFaderCount", "12a");
  Clear("edVFaderCount");
  Clear("edURLMaxDelay");
  Type("edURLMaxDelay", "x1");
  Clear("edURLTimeRetry");
  ShowPage(cpGeneral);
  Clear("edtTJCount");
  Type("edtTJCount", "1e3");
  Apply();
  EXPECT_EQ(config_.Fader.Time, 5000);
  EXPECT_EQ(FieldText("edFaderCount"), "5000");
  EXPECT_EQ(config_.VolumeFader.Time, 500);
  EXPECT_EQ(FieldText("edVFaderCount"), "500");
  EXPECT_EQ(config_.NumTrysURLStream, 3);
  EXPECT_EQ(FieldText("edURLMaxDelay"), "3");
  EXPECT_EQ(config_.TryURLTime, 1000);
  EXPECT_EQ(config_.JumpInterval, 5000);

  // Fade times are 16-bit: a larger count stops at the largest that fits.
  ShowPage(cpAudio);
  Clear("edFaderCount");
  Type("edFaderCount", "99999999999999999999999");
  Type("edtLSASFormatmask", "x");
  Apply();
  EXPECT_EQ(config_.Fader.Time, 32767);
  EXPECT_EQ(FieldText("edFaderCount"), "32767");
  EXPECT_EQ(config_.LSASFormatMask, "%TITLE%x");
}

TEST_F(ConfigDialogTest, RatioFieldsTakeACommaAndShowSixDecimals) {
  Open();
  ShowPage(cpVideo);
  Clear("edtUserDefRatioX");
  Type("edtUserDefRatioX", "2,35");
  Clear("edtUserDefRatioY");
  Type("edtUserDefRatioY", "1");
  Apply();
  EXPECT_FLOAT_EQ(config_.UserRatio.Width, 2.35f);
  EXPECT_FLOAT_EQ(config_.UserRatio.Height, 1.0f);
  EXPECT_EQ(FieldText("edtUserDefRatioX"), "2,350000");
  EXPECT_EQ(FieldText("edtUserDefRatioY"), "1,000000");

  Clear("edtUserDefRatioX");
  Type("edtUserDefRatioX", "1,2,3");
  Clear("edtUserDefRatioY");
  Type("edtUserDefRatioY", ",");
  Apply();
  EXPECT_EQ(config_.UserRatio, (TZUserRatio{1, 1}));
  EXPECT_EQ(FieldText("edtUserDefRatioX"), "1,000000");
  EXPECT_EQ(FieldText("edtUserDefRatioY"), "1,000000");
  EXPECT_TRUE(actions_.calls.contains("ApplyVideoPicture 1 3000"));
  EXPECT_TRUE(actions_.calls.contains("ShowToggles"));
}

TEST(RatioText, ReadsOnlyDigitsWithOneCommaAndNoZero) {
  EXPECT_EQ(ReadRatio("16"), 16.0);
  EXPECT_EQ(ReadRatio(",5"), 0.5);
  EXPECT_EQ(ReadRatio("4,"), 4.0);
  EXPECT_FALSE(ReadRatio("2.35"));
  EXPECT_FALSE(ReadRatio(""));
  EXPECT_FALSE(ReadRatio("0,0")) << "a ratio of zero has no picture";
  EXPECT_FALSE(ReadRatio(" 1"));
  EXPECT_EQ(RatioText(1.5), "1,500000");
}

TEST_F(ConfigDialogTest, SwitchesEnableTheControlsThatDependOnThem) {
  Open();
  ShowPage(cpSystem);
  const char* analyser[] = {"rbAnalyzerLines",      "rbAnalyzerBars", "cbAnalyzerShowPeaks",
                            "cbAnalyzerMotionBlur", "tbPeaksFallOff", "tbLinesFallOff"};
  ClickButton("cbAnalyzerShowSpectrum");
  for (const char* name : analyser) {
    EXPECT_FALSE(Control<QWidget>(name)->isEnabled()) << name;
  }
  ClickButton("cbAnalyzerShowSpectrum");
  for (const char* name : analyser) {
    EXPECT_TRUE(Control<QWidget>(name)->isEnabled()) << name;
  }
  ShowPage(cpAudio);
  ClickButton("cbFader");
  EXPECT_FALSE(Control<QWidget>("edFaderCount")->isEnabled());
  EXPECT_TRUE(Control<QWidget>("edVFaderCount")->isEnabled());
  ClickButton("cbVFader");
  EXPECT_FALSE(Control<QWidget>("edVFaderCount")->isEnabled());
}

TEST_F(ConfigDialogTest, ChoicesMapOntoTheirKeys) {
  config_.Speakers = 9;
  Open();
  EXPECT_EQ(Control<QComboBox>("cbAudioSpeakers")->currentIndex(), 0)
      << "above 8 the list keeps its selection";
  ShowPage(cpSystem);
  ChooseRadio("rgPlaymode", 0);
  Apply();
  EXPECT_FALSE(config_.PlayMode);
  EXPECT_EQ(config_.PlayModeIndex, 3) << "None keeps the mode for the next time";
  ChooseRadio("rgPlaymode", 4);
  ClickButton("rbAnalyzerLines");
  Apply();
  EXPECT_TRUE(config_.PlayMode);
  EXPECT_EQ(config_.PlayModeIndex, 4);
  EXPECT_EQ(config_.SpectrumType, stLines);
  EXPECT_TRUE(actions_.calls.contains("ApplyAnalyzer"));

  ShowPage(cpAudio);
  auto* speakers = Control<QComboBox>("cbAudioSpeakers");
  speakers->setCurrentIndex(2);
  emit speakers->activated(2);
  auto* device = Control<QComboBox>("cbBassOutputDevice");
  device->setCurrentIndex(1);
  emit device->activated(1);
  ShowPage(cpGeneral);
  ChooseRadio("rgG_ShowZephonic", 1);
  actions_.calls.clear();
  Apply();
  EXPECT_EQ(config_.Speakers, 6);
  EXPECT_EQ(config_.BassDevice, 2);
  EXPECT_EQ(config_.ShowZephonicIn, 1);
  EXPECT_EQ(actions_.messages,
            QStringList{"To see a effect on your change \"Audio output device\", you must "
                        "restart Zephonic."});
  // Groups run in their fixed order: Display before Output device before Speakers.
  EXPECT_EQ(actions_.calls, (QStringList{"ApplyTray", "ApplyScrollLabel", "ApplySpeakers"}));
}

TEST_F(ConfigDialogTest, ColourBarsStoreTheirValuesAndResetPutsTheDefaultsBack) {
  Open();
  ShowPage(cpVideo);
  Control<QSlider>("tbVideoBrightness")->setValue(3000);
  Control<QSlider>("tbVideoGamma")->setValue(250);
  Apply();
  EXPECT_EQ(config_.VidBrightness, 7000) << "the brightness bar runs the other way";
  EXPECT_EQ(config_.VidGamma, 250);
  EXPECT_EQ(actions_.colours.Brightness, 7000);
  EXPECT_EQ(actions_.colours.Gamma, 250);
  ClickButton("btnSetColorControlsDefault");
  EXPECT_TRUE(ApplyEnabled());
  Apply();
  EXPECT_EQ(actions_.colours, TZColourControls{});
  EXPECT_EQ(config_.VidBrightness, 0);
  EXPECT_EQ(Control<QSlider>("tbVideoBrightness")->value(), 10000);
}
