// The control strip over fullscreen video: where it sits, when it shows and hides (InUse,
// HideRequested, the two timers, the idle check) and what its controls do.
#include <QApplication>

#include "controltest.h"
#include "lang/language.h"
#include "ui/video/presentationform.h"
#include "ui/video/videopicture.h"
#include "videowintest.h"

namespace {

TEST(FullscreenPlace, EveryAlignValue) {
  const QSize screen(1024, 768);
  const QSize control(300, 100);
  EXPECT_EQ(FullscreenControlPlace(spTopLeft, screen, control), QPoint(0, 0));
  EXPECT_EQ(FullscreenControlPlace(spTop, screen, control), QPoint(362, 0));
  EXPECT_EQ(FullscreenControlPlace(spTopRight, screen, control), QPoint(724, 0));
  EXPECT_EQ(FullscreenControlPlace(spLeft, screen, control), QPoint(0, 334));
  EXPECT_EQ(FullscreenControlPlace(spRight, screen, control), QPoint(724, 334));
  EXPECT_EQ(FullscreenControlPlace(spCenter, screen, control), QPoint(362, 334));
  EXPECT_EQ(FullscreenControlPlace(spBottomLeft, screen, control), QPoint(0, 668));
  EXPECT_EQ(FullscreenControlPlace(spBottom, screen, control), QPoint(362, 668));
  EXPECT_EQ(FullscreenControlPlace(spBottomRight, screen, control), QPoint(724, 668));
  // Halves are whole pixels.
  EXPECT_EQ(FullscreenControlPlace(spCenter, {1023, 767}, {301, 101}), QPoint(361, 333));
}

class FullscreenTest : public VideoWindowTest {
 protected:
  void GoFullscreen() {
    PlayVideo();
    video_window_->SetPresentation(dmFullscreen);
    ASSERT_EQ(video_window_->DisplayMode(), dmFullscreen);
  }
  void ClickControl(const TZSkinControl& control) {
    const QPoint at = control.geometry().center();
    ControlMouse(QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
    ControlMouse(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    ControlMouse(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
  }
  bool CursorHidden() { return video_window_->Picture().cursor().shape() == Qt::BlankCursor; }
};

TEST_F(FullscreenTest, TopRightOnA1024By768Screen) {
  skin_.VideoFullscreenControl.Position = spTopRight;
  fullscreen_.setFixedSize(300, 100);
  controls_->PlaceFullscreenControl({0, 0}, {1024, 768});
  EXPECT_EQ(fullscreen_.pos(), QPoint(724, 0));
  // On a second monitor the place is relative to that monitor.
  controls_->PlaceFullscreenControl({1024, 0}, {1024, 768});
  EXPECT_EQ(fullscreen_.pos(), QPoint(1748, 0));
}

TEST_F(FullscreenTest, ShownWhileThePointerMovesAndHiddenWhenItRests) {
  GoFullscreen();
  EXPECT_FALSE(fullscreen_.isVisible()) << "not before the pointer moves";
  WigglePicture();
  clock_.Advance(TZVideoWindow::kIdleTickMs);
  EXPECT_TRUE(fullscreen_.isVisible());
  const QRect screen = video_.screen()->geometry();
  EXPECT_EQ(fullscreen_.pos(),
            screen.topLeft() + FullscreenControlPlace(skin_.VideoFullscreenControl.Position,
                                                      screen.size(), fullscreen_.size()));
  EXPECT_FALSE(CursorHidden());
  clock_.Advance(TZVideoWindow::kCursorDelayMs + TZFullscreenControls::kMoveInterval);
  EXPECT_TRUE(CursorHidden());
  EXPECT_FALSE(fullscreen_.isVisible());
  WigglePicture();
  EXPECT_FALSE(CursorHidden());
  clock_.Advance(TZVideoWindow::kIdleTickMs);
  EXPECT_TRUE(fullscreen_.isVisible());
}

TEST_F(FullscreenTest, NeverShownWithHideCursorOff) {
  video_window_->SetCursorHideDelay(0);
  GoFullscreen();
  for (int i = 0; i < 10; ++i) {
    WigglePicture();
    clock_.Advance(500);
    EXPECT_FALSE(fullscreen_.isVisible());
  }
  EXPECT_FALSE(CursorHidden());
}

TEST_F(FullscreenTest, NeverShownWithTheControlsSwitchedOff) {
  config_.VideoFSControlActive = false;
  GoFullscreen();
  for (int i = 0; i < 10; ++i) {
    WigglePicture();
    clock_.Advance(500);
    EXPECT_FALSE(fullscreen_.isVisible());
  }
  clock_.Advance(TZVideoWindow::kCursorDelayMs);
  EXPECT_TRUE(CursorHidden()) << "the cursor still hides";
}

TEST_F(FullscreenTest, RestingOnPauseKeepsItAndLeavingHidesOnTheNextMoveTick) {
  GoFullscreen();
  WigglePicture();
  clock_.Advance(TZVideoWindow::kIdleTickMs);
  ASSERT_TRUE(fullscreen_.isVisible());
  EnterControl(*fullscreen_.imgPauseButton);
  EXPECT_TRUE(controls_->InUse());
  clock_.Advance(TZVideoWindow::kCursorDelayMs + 1000);
  EXPECT_TRUE(CursorHidden());
  EXPECT_TRUE(controls_->HideRequested());
  EXPECT_TRUE(fullscreen_.isVisible()) << "in use";
  LeaveControls();
  EXPECT_FALSE(controls_->InUse());
  EXPECT_TRUE(fullscreen_.isVisible()) << "until the next MoveTimer tick";
  clock_.Advance(TZFullscreenControls::kMoveInterval);
  EXPECT_FALSE(fullscreen_.isVisible());
  EXPECT_FALSE(controls_->MoveTimer().IsActive());
}

TEST_F(FullscreenTest, LeavingPlayOnlyStopsThePendingEndOfUse) {
  GoFullscreen();
  EnterControl(*fullscreen_.imgMuteCheckbox);
  ControlMouse(QEvent::MouseButtonPress, fullscreen_.imgMuteCheckbox->geometry().center(),
               Qt::LeftButton, Qt::LeftButton);
  EXPECT_TRUE(controls_->InUse()) << "pressing the mute box";
  ControlMouse(QEvent::MouseButtonRelease, fullscreen_.imgMuteCheckbox->geometry().center(),
               Qt::LeftButton, Qt::NoButton);
  EXPECT_TRUE(controls_->IsControledTimer().IsActive());
  EnterControl(*fullscreen_.imgPlayButton);
  LeaveControls();
  EXPECT_FALSE(controls_->IsControledTimer().IsActive());
  EXPECT_TRUE(controls_->InUse()) << "leaving play keeps InUse";
  EnterControl(*fullscreen_.imgStopButton);
  LeaveControls();
  EXPECT_FALSE(controls_->InUse());
}

TEST_F(FullscreenTest, CloseButtonReturnsToTheWindowAndHidesTheStrip) {
  GoFullscreen();
  WigglePicture();
  clock_.Advance(TZVideoWindow::kIdleTickMs);
  ASSERT_TRUE(fullscreen_.isVisible());
  ClickControl(*fullscreen_.imgCloseButton);
  EXPECT_EQ(video_window_->DisplayMode(), dmWindow);
  EXPECT_FALSE(fullscreen_.isVisible());
  EXPECT_TRUE(video_.isVisible());
  EXPECT_EQ(video_window_->PresentationForm(), nullptr);
  QCloseEvent close;
  QApplication::sendEvent(&fullscreen_, &close);
  EXPECT_FALSE(close.isAccepted()) << "the strip never closes";
}

TEST_F(FullscreenTest, TransportButtonsMuteAndTimeActOnThePlayer) {
  GoFullscreen();
  ClickControl(*fullscreen_.imgPauseButton);
  EXPECT_TRUE(window_->Player().Paused());
  ClickControl(*fullscreen_.imgPlayButton);
  EXPECT_FALSE(window_->Player().Paused());
  EXPECT_TRUE(window_->Player().Playing());

  const bool muted = config_.Mute;
  ClickControl(*fullscreen_.imgMuteCheckbox);
  EXPECT_NE(config_.Mute, muted);
  EXPECT_EQ(main_.imgMuteCheckbox->isChecked(), config_.Mute);

  const TTimeMode mode = config_.TimeMode;
  ClickControl(*fullscreen_.imgTime);
  EXPECT_NE(config_.TimeMode, mode);

  ClickControl(*fullscreen_.imgStopButton);
  EXPECT_FALSE(window_->Player().Playing());
  EXPECT_EQ(video_window_->PresentationForm(), nullptr);
}

TEST_F(FullscreenTest, VolumeBarSetsTheVolumeEverywhereAndShowsIt) {
  GoFullscreen();
  TZSkinBar& bar = *fullscreen_.imgVolume;
  ASSERT_TRUE(bar.isVisible());
  const QPoint at(bar.geometry().left() + bar.width() / 4, bar.geometry().center().y());
  ControlMouse(QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
  ControlMouse(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
  EXPECT_TRUE(controls_->InUse());
  ControlMouse(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
  const qint64 position = bar.range().Position;
  EXPECT_LT(position, bar.range().Max);
  EXPECT_EQ(window_->VolumeControl().Position, position);
  EXPECT_TRUE(window_->OsdText().startsWith(QStringLiteral("[ Volume ")))
      << window_->OsdText().toStdString();
  EXPECT_TRUE(controls_->IsControledTimer().IsActive());
  clock_.Advance(TZFullscreenControls::kIsControledInterval);
  EXPECT_FALSE(controls_->InUse());
}

}  // namespace

namespace {

TEST_F(FullscreenTest, PositionBarSeeksTheItemOnRelease) {
  GoFullscreen();
  const bool seekbar = fullscreen_.ProgressSeekbar->isVisible();
  const TZSkinControl& control =
      seekbar ? static_cast<const TZSkinControl&>(*fullscreen_.ProgressSeekbar->knob())
              : *fullscreen_.imgProgressBar;
  const QPoint from = control.geometry().center();
  const QPoint to = seekbar
                        ? from + QPoint(fullscreen_.ProgressSeekbar->background()->width() / 2, 0)
                        : QPoint(control.geometry().left() + control.width() * 3 / 4, from.y());
  ControlMouse(QEvent::MouseMove, from, Qt::NoButton, Qt::NoButton);
  ControlMouse(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
  EXPECT_TRUE(controls_->InUse());
  EXPECT_TRUE(window_->PositionBarDragging()) << "the player leaves the bars alone";
  ControlMouse(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
  ControlMouse(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
  EXPECT_FALSE(window_->PositionBarDragging());
  ASSERT_FALSE(engine_.seeks.empty());
  EXPECT_GT(engine_.seeks.back(), 0.4);
  EXPECT_EQ(window_->PositionBar().Position, fullscreen_.imgProgressBar->range().Position);
  EXPECT_TRUE(controls_->IsControledTimer().IsActive());
}

}  // namespace
