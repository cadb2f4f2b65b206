// The video window pressed the way a person does: closing, the popup menu's commands and ticks,
// the presentations by double-click and menu, track and DVD choices, screenshots.
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QTest>

#include "controltest.h"
#include "lang/language.h"
#include "ui/mainvideomenu.h"
#include "ui/video/presentationform.h"
#include "ui/video/videopicture.h"
#include "videowintest.h"

namespace {

void DoubleClick(QWidget& widget) {
  const QPointF at(widget.width() / 2.0, widget.height() / 2.0);
  QMouseEvent press(QEvent::MouseButtonPress, at, widget.mapToGlobal(at), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QMouseEvent twice(QEvent::MouseButtonDblClick, at, widget.mapToGlobal(at), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&widget, &press);
  QApplication::sendEvent(&widget, &twice);
}

TEST_F(VideoWindowTest, PlayingAVideoShowsTheWindowAndEnablesTheVideoMenu) {
  EXPECT_FALSE(window_->VideoMenu().Menu->isEnabled());
  PlayVideo();
  EXPECT_TRUE(video_.isVisible());
  EXPECT_EQ(video_window_->DisplayMode(), dmWindow);
  EXPECT_TRUE(window_->VideoMenu().Menu->isEnabled());
  EXPECT_TRUE(window_->VideoMenu().Modes[2]->isChecked()) << "Window ticked in the main menu";
  EXPECT_TRUE(Item(280)->isChecked()) << "Window ticked in the popup menu";
  // 100 % of 320 x 240 is 300 x 200: the size is taken in whole hundreds of pixels.
  EXPECT_EQ(video_.size(), QSize(300, 200));
  EXPECT_TRUE(Item(261)->isVisible());
  EXPECT_FALSE(Item(260)->isVisible()) << "chapters are a DVD's";
  EXPECT_FALSE(Item(262)->isEnabled() && Item(263)->isEnabled());
}

TEST_F(VideoWindowTest, SystemCloseIsRefusedWhileCloseAndAltF4StopPlayback) {
  PlayVideo();
  QCloseEvent close;
  QApplication::sendEvent(&video_, &close);
  EXPECT_FALSE(close.isAccepted());
  EXPECT_TRUE(video_.isVisible());
  EXPECT_TRUE(window_->Player().Playing());

  video_.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&video_));
  QTest::keyClick(&video_, Qt::Key_F4, Qt::AltModifier);
  EXPECT_FALSE(window_->Player().Playing()) << "Alt+F4 is the menu's Close: playback stops";
  EXPECT_EQ(engine_.frees, 1);
  EXPECT_FALSE(video_.isVisible());

  PlayVideo();
  Item(276)->trigger();
  EXPECT_FALSE(window_->Player().Playing());
  EXPECT_EQ(engine_.frees, 2);
}

TEST_F(VideoWindowTest, PresentationsNeedAnActiveGraph) {
  // Nothing plays: neither the popup's nor the main window's "Fullscreen" changes anything.
  Item(278)->trigger();
  window_->VideoMenu().Modes[0]->trigger();
  EXPECT_EQ(video_window_->DisplayMode(), dmNone);
  EXPECT_EQ(video_window_->PresentationForm(), nullptr);
  EXPECT_FALSE(video_.isVisible());
  EXPECT_FALSE(Item(278)->isChecked());
  EXPECT_FALSE(window_->VideoMenu().Modes[0]->isChecked());
  EXPECT_TRUE(window_->OsdText().isEmpty());

  PlayVideo();
  engine_.active = false;
  Item(278)->trigger();
  EXPECT_EQ(video_window_->DisplayMode(), dmWindow);
  EXPECT_EQ(video_window_->PresentationForm(), nullptr);
  EXPECT_FALSE(Item(278)->isChecked());
  EXPECT_TRUE(Item(280)->isChecked());
}

TEST_F(VideoWindowTest, DoubleClickTogglesFullscreenExceptDuringSoundLibraryItems) {
  PlayVideo();
  TZVideoPicture& picture = video_window_->Picture();
  // As while a CD track plays on the sound library with the graph still up.
  for (TMediaKind kind : {mkMusicCd, mkBassStream, mkBassUrlStream}) {
    window_->Player().State().Kind = kind;
    DoubleClick(picture);
    EXPECT_EQ(video_window_->DisplayMode(), dmWindow) << int(kind);
  }
  window_->Player().State().Kind = mkVideo;
  DoubleClick(picture);
  EXPECT_EQ(video_window_->DisplayMode(), dmFullscreen);
  ASSERT_NE(video_window_->PresentationForm(), nullptr);
  EXPECT_EQ(picture.window(), video_window_->PresentationForm());
  EXPECT_FALSE(video_.isVisible());
  EXPECT_EQ(video_window_->PresentationForm()->geometry(), video_.screen()->geometry());
  EXPECT_EQ(window_->OsdText(), Language().Text(26));
  EXPECT_TRUE(window_->VideoMenu().Modes[0]->isChecked());
  EXPECT_FALSE(window_->VideoMenu().Modes[2]->isChecked());

  DoubleClick(picture);
  EXPECT_EQ(video_window_->DisplayMode(), dmWindow);
  EXPECT_EQ(video_window_->PresentationForm(), nullptr);
  EXPECT_EQ(picture.window(), &video_);
  EXPECT_TRUE(video_.isVisible());
  EXPECT_EQ(window_->OsdText(), Language().Text(28));
}

TEST_F(VideoWindowTest, DesktopFallsBackToFullscreenWithoutX11) {
  ASSERT_FALSE(OnX11());
  PlayVideo();
  Item(279)->trigger();
  EXPECT_EQ(video_window_->DisplayMode(), dmFullscreen);
  ASSERT_NE(video_window_->PresentationForm(), nullptr);
  EXPECT_EQ(video_window_->PresentationForm()->kind(), TZPresentationForm::Fullscreen);
  EXPECT_TRUE(LogLines()
                  .join(QLatin1Char('\n'))
                  .contains(QStringLiteral(
                      "Desktop mode needs an X11 display; showing the video fullscreen instead")));
}

TEST_F(VideoWindowTest, StoppingInFullscreenTakesThePictureBackAndHidesEverything) {
  PlayVideo();
  Item(278)->trigger();
  ASSERT_EQ(video_window_->DisplayMode(), dmFullscreen);
  Item(264)->trigger();
  EXPECT_EQ(video_window_->PresentationForm(), nullptr);
  EXPECT_EQ(video_window_->Picture().window(), &video_);
  EXPECT_FALSE(video_.isVisible());
  EXPECT_FALSE(fullscreen_.isVisible());
  // The next video comes back in the presentation last chosen.
  PlayVideo();
  EXPECT_EQ(video_window_->DisplayMode(), dmFullscreen);
}

TEST_F(VideoWindowTest, RatioAndDigitalZoomItemsSetAndTickInBothMenus) {
  PlayVideo();
  window_->VideoMenu().Ratios[3]->trigger();  // "4:3"
  EXPECT_EQ(config_.Ratio, vr4To3);
  EXPECT_TRUE(Item(284)->isChecked());
  EXPECT_FALSE(Item(282)->isChecked());
  const QRect shown = video_window_->Picture().PictureRect();
  EXPECT_NEAR(double(shown.width()) / shown.height(), 4.0 / 3.0, 0.02);
  Item(281)->trigger();  // "Stretched"
  EXPECT_EQ(config_.Ratio, vrStretched);
  EXPECT_TRUE(window_->VideoMenu().Ratios[0]->isChecked());
  EXPECT_FALSE(window_->VideoMenu().Ratios[3]->isChecked());

  QMenu& digital = *Item(271)->menu();
  QAction* full = ItemCaption(digital, Language().Text(292));
  QAction* off = ItemCaption(digital, Language().Text(288));
  full->trigger();
  EXPECT_EQ(video_window_->Picture().DigitalZoom(), 80);
  EXPECT_TRUE(full->isChecked());
  EXPECT_FALSE(off->isChecked());
  off->trigger();
  EXPECT_EQ(video_window_->Picture().DigitalZoom(), 0);
  EXPECT_TRUE(off->isChecked());
  EXPECT_FALSE(full->isChecked());
}

TEST_F(VideoWindowTest, GripDoubleClickGivesTheMinimumSize) {
  PlayVideo();
  video_.resize(500, 400);
  SendMouse(video_.imgResizer, QEvent::MouseButtonDblClick, {2, 2}, Qt::LeftButton, Qt::LeftButton);
  EXPECT_EQ(video_.size(), video_.minimumSize());
}

TEST_F(VideoWindowTest, TrackMenusOpenOnlyWithEntriesAndTellTheirChoice) {
  PlayVideo();
  QMenu& popup = video_window_->PopupMenu();
  emit popup.aboutToShow();
  QAction* audio = Item(273);
  QAction* subtitles = Item(274);
  EXPECT_FALSE(audio->isEnabled());
  EXPECT_FALSE(subtitles->isEnabled());

  QAction* filters = ItemCaption(popup, QStringLiteral("Filter"));
  EXPECT_FALSE(filters->isEnabled());
  video_window_->SetFilterMenu({QStringLiteral("Video sink"), QStringLiteral("Audio sink")});
  video_window_->SetAudioTracks({QStringLiteral("English"), QStringLiteral("&German")}, 0);
  video_window_->SetSubtitleTracks({QStringLiteral("English")}, -1);
  emit popup.aboutToShow();
  EXPECT_TRUE(audio->isEnabled());
  EXPECT_TRUE(filters->isEnabled());
  EXPECT_EQ(filters->menu()->actions().size(), 2);
  ASSERT_EQ(audio->menu()->actions().size(), 2);
  EXPECT_TRUE(audio->menu()->actions()[0]->isChecked());
  // "Off", a separator, the stream.
  ASSERT_EQ(subtitles->menu()->actions().size(), 3);
  EXPECT_EQ(subtitles->menu()->actions()[0]->text(), Language().Text(300));
  EXPECT_TRUE(subtitles->menu()->actions()[0]->isChecked());

  audio->menu()->actions()[1]->trigger();
  EXPECT_EQ(commands_.calls.last(), QStringLiteral("audio 1"));
  EXPECT_TRUE(audio->menu()->actions()[1]->isChecked());
  EXPECT_FALSE(audio->menu()->actions()[0]->isChecked());
  EXPECT_EQ(window_->OsdText(), QStringLiteral("Changed Audiostream to 'German'"));

  subtitles->menu()->actions()[2]->trigger();
  EXPECT_EQ(commands_.calls.last(), QStringLiteral("subtitle 0"));
  EXPECT_EQ(window_->OsdText(), QStringLiteral("Changed Subtitlestream to 'English'"));

  // A choice the engine cannot carry out leaves the ticks and the text alone.
  commands_.refuse = true;
  audio->menu()->actions()[0]->trigger();
  EXPECT_TRUE(audio->menu()->actions()[1]->isChecked());
  EXPECT_EQ(window_->OsdText(), QStringLiteral("Changed Subtitlestream to 'English'"));
}

TEST_F(VideoWindowTest, DvdMenusJumpShowMenusAndFollowThePointer) {
  engine_.native = QSize(720, 576);
  playlist_.Add(QStringLiteral("disc"), scratch_.file("VIDEO_TS/VIDEO_TS.IFO"), false, "00",
                "00:00:00");
  WriteBytes(scratch_.file("VIDEO_TS/VIDEO_TS.IFO"), "DVDVIDEO-VMG");
  window_->Player().PlayEntry(playlist_.Count() - 1);
  ASSERT_EQ(window_->Player().State().Kind, mkDvd);
  EXPECT_TRUE(Item(260)->isVisible());
  EXPECT_FALSE(Item(261)->isVisible());

  video_window_->SetJumpTargets({1, 3});
  QAction* jump = Item(275);
  ASSERT_EQ(jump->menu()->actions().size(), 2);
  QAction* single = jump->menu()->actions()[0];
  EXPECT_EQ(single->text(), QStringLiteral("Title 1"));
  EXPECT_EQ(single->menu(), nullptr) << "one chapter: a single entry";
  QMenu* chapters = jump->menu()->actions()[1]->menu();
  ASSERT_NE(chapters, nullptr);
  EXPECT_EQ(chapters->actions().size(), 3);
  single->trigger();
  EXPECT_EQ(commands_.calls.last(), QStringLiteral("chapter 101"));
  EXPECT_EQ(window_->OsdText(), QStringLiteral("Jump to chapter 1 in title 1"));
  chapters->actions()[2]->trigger();
  EXPECT_EQ(commands_.calls.last(), QStringLiteral("chapter 203"));
  EXPECT_TRUE(chapters->actions()[2]->isChecked());
  EXPECT_FALSE(single->isChecked());

  Item(294)->trigger();  // the root menu
  EXPECT_EQ(commands_.calls.last(), QStringLiteral("menu 3"));
  ItemCaption(video_window_->PopupMenu(), QStringLiteral("1/2X"))->trigger();
  EXPECT_EQ(commands_.calls.last(), QStringLiteral("forwards 500"));

  // DVD subtitles start with "Show subtitles", which switches the subpicture.
  video_window_->SetSubtitleTracks({QStringLiteral("English")}, 0);
  QMenu* subtitles = Item(274)->menu();
  EXPECT_EQ(subtitles->actions()[0]->text(), Language().Text(299));
  subtitles->actions()[0]->trigger();
  EXPECT_EQ(commands_.calls.last(), QStringLiteral("subpicture shown 1"));
  EXPECT_TRUE(subtitles->actions()[0]->isChecked());

  // The pointer over the picture reaches the navigator in the video's own pixels.
  video_.resize(720 + 40, 576 + 60);
  QApplication::processEvents();
  TZVideoPicture& picture = video_window_->Picture();
  Present(QImage(720, 576, QImage::Format_RGB32));
  WigglePicture();
  ASSERT_EQ(commands_.moved.size(), 1u);
  const QPointF expected =
      *picture.VideoPoint(QPointF(picture.width() / 2.0, picture.height() / 2.0));
  EXPECT_EQ(commands_.moved[0], expected);
  EXPECT_NEAR(commands_.moved[0].x(), 360, 1);
}

TEST_F(VideoWindowTest, ScreenshotsShowTheirNameAndFailuresShowNothing) {
  PlayVideo();
  ItemCaption(video_window_->PopupMenu(), Language().Text(304))->trigger();
  ASSERT_FALSE(commands_.calls.isEmpty());
  EXPECT_EQ(
      commands_.calls.last(),
      QStringLiteral("screenshot adjusted %1").arg(video_window_->Picture().PictureRect().width()));
  EXPECT_EQ(window_->OsdText(),
            QStringLiteral("Screenshot saved as 'data/images/clip.avi.001.png'"));
  ItemCaption(video_window_->PopupMenu(), Language().Text(303))->trigger();
  EXPECT_EQ(window_->OsdText(),
            QStringLiteral("Screenshot saved as 'data/images/clip.avi.002.png'"));

  commands_.refuse = true;
  window_->ShowOsdText(QString(), 10);
  EXPECT_FALSE(video_window_->TakeScreenshot(false).has_value());
  EXPECT_TRUE(window_->OsdText().isEmpty());
}

TEST_F(VideoWindowTest, BrightnessStepsStayInRangeAndReachTheColourControls) {
  PlayVideo();
  video_window_->StepBrightness(50);
  video_window_->StepBrightness(50);
  EXPECT_EQ(config_.VidBrightness, 100);
  EXPECT_EQ(commands_.colours.Brightness, 100);
  EXPECT_EQ(window_->OsdText(), QStringLiteral("Brightness 1 %"));
  config_.VidBrightness = 9980;
  video_window_->StepBrightness(50);
  EXPECT_EQ(commands_.colours.Brightness, 10000);
  config_.VidBrightness = 20;
  video_window_->StepBrightness(-50);
  EXPECT_EQ(commands_.colours.Brightness, 0);
}

TEST_F(VideoWindowTest, OnScreenTextFollowsTheMainWindowOnlyWhenEnabled) {
  PlayVideo();
  window_->ShowOsdText(QStringLiteral("hello"), 2000);
  EXPECT_EQ(video_window_->Picture().OsdText(), QStringLiteral("hello"));
  clock_.Advance(2000);
  EXPECT_TRUE(video_window_->Picture().OsdText().isEmpty()) << "OSDResetTimer removed it";
  config_.OSDEnabled = false;
  window_->ShowOsdText(QStringLiteral("hidden"), 2000);
  EXPECT_TRUE(video_window_->Picture().OsdText().isEmpty());
}

}  // namespace
