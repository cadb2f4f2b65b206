// Which entries a key press fires, and what each of the 51 actions asks of the windows.
#include <gtest/gtest.h>

#include "hotkeys/dispatch/hotkeydispatch.h"
#include "recordingtarget.h"

namespace {

constexpr std::uint16_t kUp = 38;
constexpr std::uint16_t kDown = 40;
constexpr std::uint16_t kPageDown = 34;
constexpr std::uint16_t kHome = 36;
constexpr std::uint16_t kDelete = 46;
constexpr std::uint16_t kSpace = 32;
constexpr std::uint16_t kF4 = 115;
constexpr std::uint16_t kF5 = 116;
constexpr std::uint16_t kA = 65;

class DispatchTest : public ::testing::Test {
 protected:
  QStringList Press(std::uint16_t key, std::uint8_t modifiers = 0) {
    target_.calls.clear();
    dispatcher_.Dispatch(key, modifiers);
    return target_.calls;
  }

  TZHotKeys table_;  // the default table unless a test changes it
  RecordingTarget target_;
  FixedFocus focus_;
  TZHotKeyDispatcher dispatcher_{table_, target_, focus_};
};

TEST_F(DispatchTest, EveryActionCodeAsksForItsEffect) {
  const QStringList expected{
      "transport 0", "transport 1", "transport 2", "transport 3", "transport 4",  // 1-5
      "volume 1", "volume -1", "brightness 50", "brightness -50", "jump 1", "jump -1",
      "presentation 0", "presentation 1", "presentation 2", "presentation 3",  // 12-15
      "search", "mute", "screenshot original", "screenshot shown",
      // caption, file name, time, track, then audio (5) before video (4), random, reverse
      "sort 0", "sort 1", "sort 2", "sort 3", "sort 5", "sort 4", "sort 6", "sort 7", "add 0",
      "add 1", "add 2", "add 3",  // files, directory, medium, URL
      "speed 1", "speed 2", "speed 3", "speed 4", "speed 5", "speed 6", "speed 7", "speed 8",
      "speed 9", "speed 10", "zoom 0", "zoom 25", "zoom 50", "zoom 75", "zoom 80",  // 32-46
      "record", "record stop", "front", "close"};
  // Codes 0 ("None") and those no table should hold do nothing.
  for (int action = 0; action <= 255; ++action) {
    dispatcher_.RunAction(action);
  }
  EXPECT_EQ(target_.calls, expected);
}

TEST_F(DispatchTest, PlaylistFocusLeavesListKeysToTheList) {
  focus_.window = THotKeyWindow::Playlist;
  EXPECT_TRUE(Press(kUp).isEmpty());
  EXPECT_TRUE(Press(kDown).isEmpty());
  // Space is not one of the list's keys: it pauses as anywhere else.
  EXPECT_EQ(Press(kSpace), QStringList{"transport 3"});

  // Ctrl + A, and the other list keys, bound locally: kept from the hotkeys too.
  table_.Add(kA, hmCtrl, false, haToggleMute);
  table_.Add(kPageDown, 0, false, haToggleMute);
  table_.Add(kHome, 0, false, haToggleMute);
  table_.Add(kDelete, 0, false, haToggleMute);
  for (const std::uint16_t key : {kPageDown, kHome, kDelete}) {
    EXPECT_TRUE(Press(key).isEmpty()) << key;
  }
  EXPECT_TRUE(Press(kA, hmCtrl).isEmpty());
  // With a modifier the arrow is not the list's: Shift + Up fires its own binding.
  table_.Add(kUp, hmShift, false, haJumpForward);
  EXPECT_EQ(Press(kUp, hmShift), QStringList{"jump 1"});
  // A system-wide binding of a list key fires whatever has the focus.
  table_.Add(kDown, 0, true, haNext);
  EXPECT_EQ(Press(kDown), QStringList{"transport 0"});
}

TEST_F(DispatchTest, ProgramWindowsTakeLocalKeysOthersDoNot) {
  for (const THotKeyWindow window : {THotKeyWindow::Main, THotKeyWindow::MediaControls,
                                     THotKeyWindow::VideoArea, THotKeyWindow::FullscreenControls}) {
    focus_.window = window;
    EXPECT_EQ(Press(kUp), QStringList{"volume 1"}) << static_cast<int>(window);
    // Ctrl + A is only the playlist's.
    table_.Add(kA, hmCtrl, false, haToggleMute);
    EXPECT_EQ(Press(kA, hmCtrl), QStringList{"mute"});
    table_.Delete(table_.Count() - 1);
  }
  for (const THotKeyWindow window : {THotKeyWindow::OtherProgram, THotKeyWindow::OtherWindow}) {
    focus_.window = window;
    EXPECT_TRUE(Press(kUp).isEmpty()) << static_cast<int>(window);
  }
}

TEST_F(DispatchTest, SystemWideEntryFiresElsewhereLocalOneDoesNot) {
  table_.Clear();
  table_.Add(kF5, hmCtrl, true, haNext);
  focus_.window = THotKeyWindow::OtherProgram;
  EXPECT_EQ(Press(kF5, hmCtrl), QStringList{"transport 0"});
  table_.Change(0, kF5, false, haNext, hmCtrl);
  EXPECT_TRUE(Press(kF5, hmCtrl).isEmpty());
  focus_.window = THotKeyWindow::Main;
  EXPECT_EQ(Press(kF5, hmCtrl), QStringList{"transport 0"});
}

TEST_F(DispatchTest, ModifiersMustMatchExactly) {
  // Return alone plays, Alt + Return toggles fullscreen, Ctrl + Alt + Return is unbound.
  EXPECT_EQ(Press(13), QStringList{"transport 4"});
  EXPECT_EQ(Press(13, hmAlt), QStringList{"presentation 0"});
  EXPECT_TRUE(Press(13, hmAlt | hmCtrl).isEmpty());
  EXPECT_TRUE(Press(kUp, hmShift).isEmpty());
}

TEST_F(DispatchTest, AltF4ClosesTheProgram) {
  EXPECT_EQ(Press(kF4, hmAlt), QStringList{"close"});
  EXPECT_TRUE(Press(kF4).isEmpty());
}

TEST_F(DispatchTest, EntriesOfOneKeyAllFireInTableOrder) {
  table_.Clear();
  table_.Add(kF5, 0, false, haToggleMute);
  table_.Add(kF5, 0, true, haBringToFront);
  table_.Add(kF5, hmShift, false, haClose);
  table_.Add(kF5, 0, false, haSortReverse);
  EXPECT_EQ(Press(kF5), (QStringList{"mute", "front", "sort 7"}));
  // Elsewhere only the system-wide one of them.
  focus_.window = THotKeyWindow::OtherProgram;
  EXPECT_EQ(Press(kF5), QStringList{"front"});
}

TEST_F(DispatchTest, RepeatedPressesRepeatTheAction) {
  for (int i = 0; i < 5; ++i) {
    dispatcher_.Dispatch(kUp, 0);
  }
  EXPECT_EQ(target_.calls, QStringList(5, "volume 1"));
}

TEST_F(DispatchTest, EmptyTableFiresNothing) {
  TZHotKeys loaded;
  ASSERT_TRUE(loaded.FromBytes(QByteArray(4, '\0')));  // count 0
  TZHotKeyDispatcher dispatcher(loaded, target_, focus_);
  for (std::uint16_t key = 0; key < 256; ++key) {
    for (std::uint8_t modifiers = 0; modifiers < 8; ++modifiers) {
      dispatcher.Dispatch(key, modifiers);
    }
  }
  EXPECT_TRUE(target_.calls.isEmpty());
}

TEST_F(DispatchTest, EmptyEntriesOfAShortFileNeverFire) {
  // Count 3 but one entry: the missing two are key 0, action 0.
  TZHotKeys loaded;
  EXPECT_FALSE(
      loaded.FromBytes(QByteArray::fromHex("03000000"
                                           "7400"
                                           "04"
                                           "01"
                                           "00"
                                           "00")));
  ASSERT_GE(loaded.Count(), 1);
  TZHotKeyDispatcher dispatcher(loaded, target_, focus_);
  dispatcher.Dispatch(0, 0);
  EXPECT_TRUE(target_.calls.isEmpty());
  dispatcher.Dispatch(kF5, hmCtrl);
  EXPECT_EQ(target_.calls, QStringList{"transport 0"});
}

}  // namespace
