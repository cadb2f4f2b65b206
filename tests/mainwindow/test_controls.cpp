// The main window's controls pressed and released at their places in the built-in skin.
#include <QMenu>

#include "lang/language.h"
#include "mainwindowtest.h"

namespace {

QString Ready() {
  return Language().Text(4);
}

}  // namespace

TEST_F(MainWindowTest, TransportButtonsDriveThePlayer) {
  AddTones(3, 4.0);
  ClickControl(*main_.imgPlayButton);
  EXPECT_TRUE(window_->Player().Playing());
  EXPECT_EQ(PlayingIndex(), 0);
  EXPECT_EQ(window_->TitleText(), "[ tone0 is playing ]");
  EXPECT_TRUE(LogLines().contains("Playing..."));
  Run(1000);
  EXPECT_FALSE(main_.imgTime->displayed().isNull()) << "the time read-out runs";

  ClickControl(*main_.imgPauseButton);
  EXPECT_TRUE(window_->Player().Paused());
  EXPECT_EQ(window_->TitleText(), "Paused");
  // Play while paused resumes the same entry.
  ClickControl(*main_.imgPlayButton);
  EXPECT_FALSE(window_->Player().Paused());
  EXPECT_EQ(PlayingIndex(), 0);

  ClickControl(*main_.imgForwardButton);
  EXPECT_EQ(PlayingIndex(), 1);
  ClickControl(*main_.imgForwardButton);
  EXPECT_EQ(PlayingIndex(), 2);
  ClickControl(*main_.imgRewindButton);
  EXPECT_EQ(PlayingIndex(), 1);

  ClickControl(*main_.imgStopButton);
  EXPECT_FALSE(window_->Player().Playing());
  EXPECT_EQ(window_->TitleText(), Ready());
  EXPECT_EQ(playlist_.LastPlayedIndex, 1);
}

TEST_F(MainWindowTest, ReleaseAwayFromTheButtonDoesNothing) {
  AddTones(1, 2.0);
  Press(Centre(*main_.imgPlayButton));
  Move(Centre(*main_.imgAnalyzer));
  Release(Centre(*main_.imgAnalyzer));
  EXPECT_FALSE(window_->Player().Playing());
  EXPECT_EQ(window_->TitleText(), Ready());
  // The same press released over the button plays.
  ClickControl(*main_.imgPlayButton);
  EXPECT_TRUE(window_->Player().Playing());
}

TEST_F(MainWindowTest, EveryToggleFlipsItsSetting) {
  // The built-in skin hides the window toggles; a skin that shows them, as packages may.
  skin_.Main.PlaylistCheckBox.Visible = true;
  skin_.Main.EqualizerCheckBox.Visible = true;
  ApplySurfaces(skin_, windows_);
  window_->SkinChanged();
  main_.show();
  ASSERT_TRUE(playlistWindow_.isVisible());
  ASSERT_TRUE(mediaControls_.isVisible());
  const TZConfig before = config_;
  for (TZSkinCheckBox* box : {main_.imgPlaymodeCheckbox, main_.imgAutofullscreenCheckbox,
                              main_.imgAutoVideoResizeCheckbox, main_.imgPlaylistCheckbox,
                              main_.imgEqualizerCheckbox, main_.imgMuteCheckbox}) {
    ASSERT_TRUE(box->isVisible()) << box->objectName().toStdString();
    ClickControl(*box);
  }
  EXPECT_EQ(config_.PlayMode, !before.PlayMode);
  EXPECT_EQ(config_.AutoFullscreen, !before.AutoFullscreen);
  EXPECT_EQ(config_.AutoVideoResize, !before.AutoVideoResize);
  EXPECT_EQ(config_.PlaylistVis, !before.PlaylistVis);
  EXPECT_EQ(config_.MediaConVis, !before.MediaConVis);
  EXPECT_EQ(config_.Mute, !before.Mute);
  EXPECT_FALSE(playlistWindow_.isVisible());
  EXPECT_FALSE(mediaControls_.isVisible());
  EXPECT_TRUE(main_.imgMuteCheckbox->isChecked());
  EXPECT_EQ(main_.imgPlaylistCheckbox->isChecked(), config_.PlaylistVis);
  // A second round puts everything back.
  for (TZSkinCheckBox* box :
       {main_.imgPlaylistCheckbox, main_.imgEqualizerCheckbox, main_.imgMuteCheckbox}) {
    ClickControl(*box);
  }
  EXPECT_TRUE(playlistWindow_.isVisible());
  EXPECT_TRUE(mediaControls_.isVisible());
  EXPECT_FALSE(config_.Mute);
}

TEST_F(MainWindowTest, RightClickOnThePlayModeToggleWithPlayModeOffChecksNone) {
  config_.PlayMode = true;
  ClickControl(*main_.imgPlaymodeCheckbox);
  ASSERT_FALSE(config_.PlayMode);
  Click(Centre(*main_.imgPlaymodeCheckbox), Qt::RightButton);
  QMenu& menu = window_->PlayModeMenu();
  EXPECT_TRUE(menu.isVisible());
  ASSERT_EQ(menu.actions().size(), 5);
  EXPECT_EQ(menu.actions()[0]->text(), "None");
  EXPECT_TRUE(menu.actions()[0]->isChecked());
  // Choosing "Random" turns the play mode on with that mode.
  menu.actions()[2]->trigger();
  menu.hide();
  EXPECT_TRUE(config_.PlayMode);
  EXPECT_EQ(config_.PlayModeIndex, pmRandom);
  EXPECT_TRUE(main_.imgPlaymodeCheckbox->isChecked());
  Click(Centre(*main_.imgPlaymodeCheckbox), Qt::RightButton);
  EXPECT_TRUE(menu.actions()[2]->isChecked());
  EXPECT_FALSE(menu.actions()[0]->isChecked());
  menu.hide();
}

TEST_F(MainWindowTest, VolumeDragShowsThePercentage) {
  AddTones(1, 3.0);
  ClickControl(*main_.imgPlayButton);
  QPoint from;
  QPoint to;
  if (main_.VolumeSeekbar->isVisible()) {
    from = Centre(*main_.VolumeSeekbar->knob());
    const QRect track = main_.VolumeSeekbar->background()->geometry();
    to = QPoint(track.left() + track.width() / 4, track.center().y());
  } else {
    const QRect bar = main_.imgVolume->geometry();
    from = QPoint(bar.right() - 1, bar.center().y());
    to = QPoint(bar.left() + bar.width() / 4, bar.center().y());
  }
  Press(from);
  Move(to);
  Release(to);
  ASSERT_LT(config_.Volume, 5000) << "the drag lowered the volume";
  ASSERT_GT(config_.Volume, 0);
  EXPECT_EQ(config_.Volume % 100, 0);
  const QString expected = QString::asprintf("[ Volume %.1f %% ]", config_.Volume / 100.0);
  EXPECT_EQ(window_->TitleText(), expected);
  EXPECT_EQ(window_->OsdText(), expected);
  EXPECT_EQ(window_->Player().State().TargetVolume, config_.Volume / 100);
  // The status text gives way to the title again after a second.
  Run(1100);
  EXPECT_EQ(window_->TitleText(), "[ tone0 is playing ]");
}

TEST_F(MainWindowTest, BalanceDragNamesTheSideAndTheMiddleIsCentre) {
  AddTones(1, 3.0);
  ClickControl(*main_.imgPlayButton);
  TZSkinSeekbar& balance = *main_.BalanceSeekbar;
  ASSERT_TRUE(balance.isVisible());
  const QRect track = balance.background()->geometry();
  Press(Centre(*balance.knob()));
  Move(QPoint(track.right() + 20, track.center().y()));
  EXPECT_EQ(window_->BalancePosition(), 200);
  EXPECT_EQ(window_->TitleText(), "[ Balance Right 100 % ]");
  EXPECT_EQ(window_->Player().State().Pan, 100);
  Move(QPoint(track.left() - 20, track.center().y()));
  EXPECT_EQ(window_->TitleText(), "[ Balance Left 100 % ]");
  // Sweep back until the value is exactly the middle.
  bool centred = false;
  for (int x = track.left(); x <= track.right() && !centred; ++x) {
    Move(QPoint(x, track.center().y()));
    centred = window_->BalancePosition() == 100;
  }
  Release(QPoint(track.center().x(), track.center().y()));
  ASSERT_TRUE(centred);
  EXPECT_EQ(window_->TitleText(), "[ Balance Center ]");
  EXPECT_EQ(window_->OsdText(), "[ Balance Center ]");
  EXPECT_EQ(config_.Balance, 100);

  // A right click anywhere on the slider centres it.
  Press(Centre(*balance.knob()));
  Move(QPoint(track.left(), track.center().y()));
  Release(QPoint(track.left(), track.center().y()));
  ASSERT_LT(window_->BalancePosition(), 100);
  Click(Centre(*balance.knob()), Qt::RightButton);
  EXPECT_EQ(window_->BalancePosition(), 100);
  EXPECT_EQ(config_.Balance, 100);
  EXPECT_EQ(window_->TitleText(), "[ Balance Center ]");
}

TEST_F(MainWindowTest, ProgressDragSeeksOnRelease) {
  AddTones(1, 10.0);
  ClickControl(*main_.imgPlayButton);
  Run(400);
  const TZBarState start = window_->PositionBar();
  ASSERT_GT(start.Maximum, 0);
  ASSERT_LT(start.Position, start.Maximum / 10);
  QPoint from;
  QPoint to;
  if (main_.ProgressSeekbar->isVisible()) {
    from = Centre(*main_.ProgressSeekbar->knob());
    const QRect track = main_.ProgressSeekbar->background()->geometry();
    to = QPoint(track.center().x(), track.center().y());
  } else {
    const QRect bar = main_.imgProgressBar->geometry();
    from = QPoint(bar.left() + 1, bar.center().y());
    to = bar.center();
  }
  Press(from);
  Move(to);
  EXPECT_TRUE(window_->PositionBarDragging());
  // While dragging the play timer leaves the bar alone.
  const qint64 dragged = window_->PositionBar().Position;
  Run(700);
  EXPECT_EQ(window_->PositionBar().Position, dragged);
  Release(to);
  EXPECT_FALSE(window_->PositionBarDragging());
  EXPECT_EQ(window_->TitleText(), "[ tone0 is playing ]") << "the saved title is back";
  Run(400);
  const TZBarState after = window_->PositionBar();
  const double share = double(after.Position) / double(after.Maximum);
  EXPECT_GT(share, 0.4);
  EXPECT_LT(share, 0.65);
}

TEST_F(MainWindowTest, TimeAndAnalyserClicksSwitchTheirModes) {
  AddTones(1, 3.0);
  ClickControl(*main_.imgPlayButton);
  main_.show();
  Run(500);
  const QImage elapsed = main_.imgTime->displayed();
  ASSERT_EQ(config_.TimeMode, tmElapsed);
  ClickControl(*main_.imgTime);
  EXPECT_EQ(config_.TimeMode, tmRemaining);
  EXPECT_NE(main_.imgTime->displayed(), elapsed) << "remaining time shows at once";
  ClickControl(*main_.imgTime);
  EXPECT_EQ(config_.TimeMode, tmElapsed);

  const TSpectrumType type = config_.SpectrumType;
  ClickControl(*main_.imgAnalyzer);
  EXPECT_NE(config_.SpectrumType, type);
  EXPECT_EQ(spectrum_.Mode,
            config_.SpectrumType == stBars ? TSpectrum::dmBars : TSpectrum::dmLines);
  ClickControl(*main_.imgAnalyzer);
  EXPECT_EQ(config_.SpectrumType, type);
}

TEST_F(MainWindowTest, LongTitlesScrollAndShortOnesStandStill) {
  main_.show();
  config_.SLMoveProg = 1;
  window_->ApplyWindowLayout();
  Run(200);
  TZSkinScrollLabel& label = *main_.imgScrolllabel;
  const QImage still = label.picture();
  Run(500);
  EXPECT_EQ(label.picture(), still) << "\"Ready\" fits and stands still";

  window_->SetTitleText("A title far longer than the label of the main window can show at once");
  ASSERT_GT(label.textWidth(), label.width());
  const QImage first = label.picture();
  const int start = label.state().Position1;
  Run(450);
  EXPECT_NE(label.state().Position1, start);
  EXPECT_NE(label.picture(), first);
  // Back to a short title, and after a while to a long one again: it runs again.
  window_->SetTitleText("Ready");
  Run(1000);
  window_->SetTitleText("Another title far longer than the label of the main window can show");
  const int again = label.state().Position1;
  Run(450);
  EXPECT_NE(label.state().Position1, again);
}
