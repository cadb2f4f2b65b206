// Key presses typed into the program's own windows: which window counts as focused, and that
// each press reaches the dispatch once, repeats included and releases not.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <memory>

#include "hotkeys/dispatch/hotkeydispatch.h"
#include "hotkeys/dispatch/localkeys.h"
#include "hotkeys/dispatch/windowfocus.h"
#include "recordingtarget.h"

namespace {

// Stand-ins for the program's windows: a main window with a button row, a playlist window with
// its list, a video window whose video area is one child among others, and a settings dialog.
class LocalKeysTest : public ::testing::Test {
 protected:
  void SetUp() override {
    main_ = MakeWindow(&mainChild_);
    playlist_ = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(playlist_.get());
    list_ = new QListWidget;
    list_->addItems({"one", "two", "three"});
    list_->setCurrentRow(0);
    layout->addWidget(list_);
    video_ = MakeWindow(&videoOther_);
    videoArea_ = new QLineEdit;
    video_->layout()->addWidget(videoArea_);
    // Owned by the main window, as the program's dialogs are: typing in it is still no hotkey.
    settings_ = std::make_unique<QDialog>(main_.get());
    settingsField_ = new QLineEdit(settings_.get());

    focus_.Register(main_.get(), THotKeyWindow::Main);
    focus_.Register(playlist_.get(), THotKeyWindow::Playlist);
    focus_.Register(videoArea_, THotKeyWindow::VideoArea);
    qApp->installEventFilter(&keys_);
  }
  void TearDown() override { qApp->removeEventFilter(&keys_); }

  static std::unique_ptr<QWidget> MakeWindow(QLineEdit** child) {
    auto window = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(window.get());
    *child = new QLineEdit;
    layout->addWidget(*child);
    return window;
  }

  // Shows and activates the window and puts the focus on `widget`.
  static void Focus(QWidget* window, QWidget* widget) {
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    widget->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), widget);
  }

  std::unique_ptr<QWidget> main_, playlist_, video_;
  std::unique_ptr<QDialog> settings_;
  QLineEdit* mainChild_ = nullptr;
  QLineEdit* videoOther_ = nullptr;
  QLineEdit* videoArea_ = nullptr;
  QLineEdit* settingsField_ = nullptr;
  QListWidget* list_ = nullptr;

  TZHotKeys table_;
  RecordingTarget target_;
  TZWindowFocus focus_;
  TZHotKeyDispatcher dispatcher_{table_, target_, focus_};
  TZLocalKeys keys_{
      [this](TZKeyStroke stroke) { dispatcher_.Dispatch(stroke.Key, stroke.Modifiers); }};
};

TEST_F(LocalKeysTest, FocusIsFoundThroughTheParents) {
  Focus(main_.get(), mainChild_);
  EXPECT_EQ(focus_.FocusedWindow(), THotKeyWindow::Main);
  Focus(playlist_.get(), list_);
  EXPECT_EQ(focus_.FocusedWindow(), THotKeyWindow::Playlist);
  Focus(video_.get(), videoArea_);
  EXPECT_EQ(focus_.FocusedWindow(), THotKeyWindow::VideoArea);
  // The video window outside its video area takes no local hotkeys.
  Focus(video_.get(), videoOther_);
  EXPECT_EQ(focus_.FocusedWindow(), THotKeyWindow::OtherWindow);
  Focus(settings_.get(), settingsField_);
  EXPECT_EQ(focus_.FocusedWindow(), THotKeyWindow::OtherWindow);
}

TEST_F(LocalKeysTest, UpRaisesTheVolumeInTheMainWindowAndScrollsThePlaylist) {
  Focus(main_.get(), mainChild_);
  QTest::keyClick(mainChild_, Qt::Key_Up);
  EXPECT_EQ(target_.calls, QStringList{"volume 1"});

  target_.calls.clear();
  Focus(playlist_.get(), list_);
  QTest::keyClick(list_, Qt::Key_Down);
  EXPECT_TRUE(target_.calls.isEmpty());
  EXPECT_EQ(list_->currentRow(), 1);  // the key still reached the list
}

TEST_F(LocalKeysTest, AltF4InTheMainWindowCloses) {
  Focus(main_.get(), mainChild_);
  QTest::keyClick(mainChild_, Qt::Key_F4, Qt::AltModifier);
  EXPECT_EQ(target_.calls, QStringList{"close"});
  // A key without a virtual-key code reaches nothing.
  QKeyEvent unknown(QEvent::KeyPress, Qt::Key_LaunchG, Qt::NoModifier);
  QApplication::sendEvent(mainChild_, &unknown);
  EXPECT_EQ(target_.calls, QStringList{"close"});
}

TEST_F(LocalKeysTest, SettingsDialogTakesNoLocalHotkeys) {
  Focus(settings_.get(), settingsField_);
  QTest::keyClicks(settingsField_, "xcv");
  EXPECT_TRUE(target_.calls.isEmpty());
  EXPECT_EQ(settingsField_->text(), "xcv");
}

TEST_F(LocalKeysTest, IgnoredPressTravellingToParentsCountsOnce) {
  // A line edit ignores Up, so the press goes on to its parents: still one volume step.
  Focus(main_.get(), mainChild_);
  QTest::keyClick(mainChild_, Qt::Key_Up);
  QTest::keyClick(mainChild_, Qt::Key_Up);
  EXPECT_EQ(target_.calls, QStringList(2, "volume 1"));
}

TEST_F(LocalKeysTest, AutoRepeatFiresEveryTimeReleasesNever) {
  Focus(main_.get(), mainChild_);
  QTest::keyPress(mainChild_, Qt::Key_Down);
  for (int i = 0; i < 3; ++i) {
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(mainChild_, &repeat);
  }
  QTest::keyRelease(mainChild_, Qt::Key_Down);
  EXPECT_EQ(target_.calls, QStringList(4, "volume -1"));
}

}  // namespace
