// A disc played from the playlist through the program's wiring: the title menu shows in the real
// video window, and a click on a menu button there starts that title.

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QTest>

#include "app/programwiring.h"
#include "app/videowiring.h"
#include "dvdmedia.h"
#include "lang/language.h"
#include "mainwindowtest.h"
#include "testwatchdog.h"
#include "ui/video/videopicture.h"
#include "ui/video/videowindow.h"

namespace {

class DvdWindowTest : public MainWindowTest {
 protected:
  void SetUp() override {
    const TestDvd* dvd = SharedTestDvd();
    ASSERT_NE(dvd, nullptr);
    dvd_ = *dvd;
    MainWindowTest::SetUp();
    ASSERT_FALSE(HasFatalFailure());
    wiring_ = std::make_unique<TZProgramWiring>(*window_, skin_, config_, Language());
    ASSERT_NE(wiring_->Video(), nullptr);
  }
  void TearDown() override {
    window_->Player().Stop();
    wiring_.reset();
    MainWindowTest::TearDown();
  }

  TZVideoPicture& Picture() { return wiring_->Video()->Window().Picture(); }

  // The picture control's point that shows the given pixel of the disc's picture.
  QPoint ControlPoint(QPoint videoPoint) {
    const QRect shown = Picture().PictureRect();
    const QSize frame = Picture().Frame().size();
    return QPoint(shown.x() + videoPoint.x() * shown.width() / frame.width(),
                  shown.y() + videoPoint.y() * shown.height() / frame.height());
  }

  // Whether the "Jump to" entry of the title and chapter is ticked.
  bool JumpTicked(QPoint titleAndChapter) {
    for (QAction* action : wiring_->Video()->Window().PopupMenu().findChildren<QAction*>()) {
      if (action->isCheckable() && action->data() == QVariant(titleAndChapter)) {
        return action->isChecked();
      }
    }
    return false;
  }

  TestDvd dvd_;

  TestWatchdog watchdog_{std::chrono::seconds(90)};
  std::unique_ptr<TZProgramWiring> wiring_;
};

TEST_F(DvdWindowTest, MenuShowsInTheVideoWindowAndAClickOnAButtonStartsItsTitle) {
  playlist_.Add(QStringLiteral("Disc"), dvd_.Ifo, false, QString(), QString());
  window_->Player().PlayEntry(0);
  ASSERT_TRUE(window_->Player().Playing()) << LogLines().join('\n').toStdString();
  EXPECT_TRUE(video_.isVisible());

  // The navigator outlines the selected button once it knows where the buttons are; only then
  // does it take a click, as a person would wait to see the menu.
  const QPoint outline(TestDvd::kTitle1Frame.left() + TestDvd::kFrameWidth / 2,
                       TestDvd::kTitle1Frame.center().y());
  ASSERT_TRUE(WaitWithEvents(
      [&] {
        const QImage& frame = Picture().Frame();
        return !frame.isNull() && frame.pixelColor(outline).lightness() > 200;
      },
      10000))
      << Picture().Frame().pixelColor(outline).name().toStdString();
  EXPECT_EQ(Picture().Frame().size(), QSize(TestDvd::kWidth, TestDvd::kHeight));
  const QImage shot = video_.grab().toImage();
  ASSERT_TRUE(shot.save(TestOutputFolder() + QStringLiteral("dvd-window-menu.png")));
  // The window shows the menu's yellow button where the picture has it.
  const QColor button =
      shot.pixelColor(Picture().mapTo(&video_, ControlPoint(TestDvd::kTitle1Button)));
  EXPECT_GT(button.red(), 180);
  EXPECT_GT(button.green(), 180);
  EXPECT_LT(button.blue(), 100);

  const QPoint target = ControlPoint(TestDvd::kTitle2Button);
  // The control's pixels are coarser than the disc's: the point lands within a pixel or two.
  ASSERT_LE((Picture().VideoPoint(target).value_or(QPointF()).toPoint() - TestDvd::kTitle2Button)
                .manhattanLength(),
            2);
  QTest::mouseMove(&Picture(), target);
  QTest::mousePress(&Picture(), Qt::LeftButton, {}, target);
  QTest::mouseRelease(&Picture(), Qt::LeftButton, {}, target);
  EXPECT_TRUE(WaitWithEvents([&] { return JumpTicked(QPoint(2, 1)); }, 10000));
  EXPECT_FALSE(JumpTicked(QPoint(1, 0)));
}

}  // namespace
