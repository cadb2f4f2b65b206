#include <gtest/gtest.h>

#include <QStringList>

#include "app/program.h"
#include "config/config.h"
#include "playlist/playlist.h"
#include "printers.h"

namespace {

// A playlist of n entries as the program's playlist for the test's duration.
class ProgramPlaylist : public ::testing::Test {
 protected:
  void Fill(int n) {
    auto playlist = std::make_unique<TZPlaylist>();
    for (int i = 0; i < n; ++i) {
      playlist->Add(QString::number(i), "/m/" + QString::number(i) + ".mp3", true, "00",
                    "00:00:00");
    }
    SetPlaylist(std::move(playlist));
  }
  void TearDown() override {
    SetPlaylist(nullptr);
    SetConfigDefaults(Config());
  }
  int SelectedCount() const {
    int count = 0;
    for (int i = 0; i < Playlist()->Count(); ++i) {
      count += Playlist()->Get(i)->Selected ? 1 : 0;
    }
    return count;
  }
};

}  // namespace

TEST(ProgramEvent, HandlersRunInOrderWhileTheirHandleLives) {
  QStringList calls;
  ProgramEventHandle main = AddProgramEventHandler([&](const QString& e) { calls << "main " + e; });
  auto video = std::make_unique<ProgramEventHandle>(
      AddProgramEventHandler([&](const QString& e) { calls << "video " + e; }));
  ProgramEvent(kSkinChange);
  EXPECT_EQ(calls, QStringList({"main SKINCHANGE", "video SKINCHANGE"}));

  video.reset();
  calls.clear();
  ProgramEvent(kProgramEnd);
  EXPECT_EQ(calls, QStringList({"main PROGRAMEND"}));

  // A handler that drops another during the event: the dropped one is not called.
  calls.clear();
  ProgramEventHandle later;
  ProgramEventHandle dropper = AddProgramEventHandler([&](const QString&) {
    calls << "dropper";
    later = ProgramEventHandle();
  });
  later = AddProgramEventHandler([&](const QString&) { calls << "later"; });
  ProgramEvent(kProgramStart);
  EXPECT_EQ(calls, QStringList({"main PROGRAMMSTART", "dropper"}));
}

TEST_F(ProgramPlaylist, StartSelectsOnlyTheRememberedEntryAndPlaysNothing) {
  Fill(4);
  Playlist()->Get(2)->Played = true;
  Playlist()->LastPlayedIndex = 3;
  Config().RememberLastPlayed = true;
  ProgramEvent(kProgramStart);
  EXPECT_EQ(SelectedCount(), 1);
  EXPECT_TRUE(Playlist()->Get(3)->Selected);
  EXPECT_EQ(Playlist()->PlayingIndex(), -1);
}

TEST_F(ProgramPlaylist, StaleOrForgottenIndexSelectsNothingNew) {
  Fill(3);
  Playlist()->LastPlayedIndex = 3;  // the playlist shrank since
  Config().RememberLastPlayed = true;
  ProgramEvent(kProgramStart);
  EXPECT_EQ(SelectedCount(), 3);

  Playlist()->LastPlayedIndex = 1;
  Config().RememberLastPlayed = false;
  ProgramEvent(kProgramStart);
  EXPECT_EQ(SelectedCount(), 3);
}

TEST_F(ProgramPlaylist, EndStoresTheLastPlayedIndexInTheConfiguration) {
  Fill(3);
  Playlist()->LastPlayedIndex = 2;
  ProgramEvent(kProgramEnd);
  EXPECT_EQ(Config().LastPlayedIndex, 2);
}
