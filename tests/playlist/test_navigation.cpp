#include <gtest/gtest.h>

#include <vector>

#include "playlist/playlistnavigation.h"
#include "testsupport.h"

namespace {

// Stands in for the player core: keeps the Played invariant and records what it was asked.
class FakePlayer : public TZPlaylistPlayer {
 public:
  explicit FakePlayer(TZPlaylist& list) : list_(list) {}
  void PlayEntry(int index) override {
    list_.ClearPlayed();
    list_.Get(index)->Played = true;
    playing_ = true;
    played.push_back(index);
  }
  void Stop() override {
    list_.LastPlayedIndex = list_.PlayingIndex();
    list_.ClearPlayed();
    playing_ = false;
    ++stops;
  }
  bool Playing() const override { return playing_; }
  bool Paused() const override { return false; }

  std::vector<int> played;
  int stops = 0;

 private:
  TZPlaylist& list_;
  bool playing_ = false;
};

class FakeView : public TZPlaylistView {
 public:
  void CentreEntry(int index) override { centred.push_back(index); }
  std::vector<int> centred;
};

struct Stepping : ::testing::Test {
  void Fill(int n) {
    for (int i = 0; i < n; ++i) {
      list.Add(QString::number(i), "/f.mp3", false, "00", "00:00:00");
    }
  }
  void Playing(int index) { player.PlayEntry(index); }

  TZPlaylist list;
  FakePlayer player{list};
  FakeView view;
  TZPlaylistNavigator navigator{list, player, &view};
};

}  // namespace

TEST_F(Stepping, NothingPlayingStartsTheFirstEntryInEveryMode) {
  Fill(3);
  for (TPlayMode mode : {pmNone, pmRepeat, pmRandom, pmNextUntilEnd, pmNextUntilEndLoop}) {
    list.ClearPlayed();
    navigator.PlayNext(mode);
    EXPECT_EQ(list.PlayingIndex(), 0) << mode;
    list.ClearPlayed();
    navigator.PlayPrevious(mode);
    EXPECT_EQ(list.PlayingIndex(), 0) << mode;
  }
  EXPECT_EQ(view.centred.back(), 0);
}

TEST_F(Stepping, EmptyListOnlyStopsAPlayingPlayer) {
  navigator.PlayNext(pmNextUntilEndLoop);
  EXPECT_TRUE(player.played.empty());
  EXPECT_EQ(player.stops, 0);
  Fill(1);
  Playing(0);
  list.Clear();  // the list emptied under a playing player
  navigator.PlayPrevious(pmRepeat);
  EXPECT_EQ(player.stops, 1);
  EXPECT_EQ(player.played.size(), 1u);
}

TEST_F(Stepping, RepeatPlaysTheSameEntryBothWays) {
  Fill(3);
  Playing(1);
  navigator.PlayNext(pmRepeat);
  navigator.PlayPrevious(pmRepeat);
  EXPECT_EQ(player.played, (std::vector<int>{1, 1, 1}));
}

TEST_F(Stepping, NoneDoesNothingWhilePlaying) {
  Fill(3);
  Playing(1);
  navigator.PlayNext(pmNone);
  navigator.PlayPrevious(pmNone);
  EXPECT_EQ(player.played.size(), 1u);
  EXPECT_EQ(list.PlayingIndex(), 1);
}

TEST_F(Stepping, NextUntilEndStopsAtBothEnds) {
  Fill(3);
  Playing(1);
  navigator.PlayNext(pmNextUntilEnd);
  EXPECT_EQ(list.PlayingIndex(), 2);
  navigator.PlayNext(pmNextUntilEnd);
  EXPECT_EQ(list.PlayingIndex(), -1);
  EXPECT_EQ(player.stops, 1);
  Playing(1);
  navigator.PlayPrevious(pmNextUntilEnd);
  EXPECT_EQ(list.PlayingIndex(), 0);
  navigator.PlayPrevious(pmNextUntilEnd);
  EXPECT_EQ(list.PlayingIndex(), -1);
  EXPECT_EQ(player.stops, 2);
}

TEST_F(Stepping, LoopWrapsAround) {
  Fill(3);
  Playing(2);
  navigator.PlayNext(pmNextUntilEndLoop);
  EXPECT_EQ(list.PlayingIndex(), 0);
  navigator.PlayPrevious(pmNextUntilEndLoop);
  EXPECT_EQ(list.PlayingIndex(), 2);
  navigator.PlayPrevious(pmNextUntilEndLoop);
  EXPECT_EQ(list.PlayingIndex(), 1);
  EXPECT_EQ(view.centred.back(), 1);
}

TEST_F(Stepping, RandomNeverPicksTheLastEntry) {
  Fill(2);
  Playing(1);
  for (int i = 0; i < 20; ++i) {
    navigator.PlayNext(pmRandom);
    EXPECT_EQ(list.PlayingIndex(), 0);
  }
  Fill(3);  // five entries now
  std::vector<int> seen(5, 0);
  for (int i = 0; i < 200; ++i) {
    navigator.PlayNext(pmRandom);
    ++seen[static_cast<size_t>(list.PlayingIndex())];
  }
  EXPECT_EQ(seen[4], 0);
  EXPECT_GT(seen[0] + seen[1] + seen[2] + seen[3], 0);
}

TEST_F(Stepping, RandomPreviousReturnsToTheLastStoppedEntry) {
  Fill(4);
  navigator.SetRandomSource([](int bound) { return bound - 1; });
  Playing(3);
  navigator.PlayPrevious(pmRandom);  // no history yet
  EXPECT_EQ(list.PlayingIndex(), 3);
  player.Stop();
  Playing(0);
  navigator.PlayPrevious(pmRandom);
  EXPECT_EQ(list.PlayingIndex(), 3);
  navigator.PlayNext(pmRandom);
  EXPECT_EQ(list.PlayingIndex(), 2);
}

TEST_F(Stepping, PlayEntryCentredIgnoresIndicesOutsideTheList) {
  Fill(2);
  navigator.PlayEntryCentred(2);
  navigator.PlayEntryCentred(-1);
  EXPECT_TRUE(player.played.empty());
  EXPECT_TRUE(view.centred.empty());
}

TEST_F(Stepping, PlayCursorEntryStartsEntryZeroWithoutCursor) {
  Fill(2);
  navigator.PlayCursorEntry(false);
  EXPECT_EQ(player.played, std::vector<int>{0});
  EXPECT_EQ(list.PlaylistCursor, 0);
  list.PlaylistCursor = 5;
  navigator.PlayCursorEntry(false);
  EXPECT_EQ(player.played.size(), 1u);
  EXPECT_TRUE(view.centred.empty());  // the Play command does not centre
}

TEST_F(Stepping, PlayCursorEntryReportsMissingLocalFilesOnlyWhenAsked) {
  ScratchFolder folder;
  WriteBytes(folder.file("there.mp3"), "x");
  list.Add("gone", folder.file("gone.mp3"), false, "00", "");
  list.Add("there", folder.file("there.mp3"), false, "00", "");
  list.Add("radio", "http://radio.example/", false, "00", "");
  list.Add("cd", "/dev/sr0/Track01.cda", false, "00", "");
  ReportCapture reports;
  list.PlaylistCursor = 0;
  navigator.PlayCursorEntry(true);
  ASSERT_EQ(reports.reports().size(), 1u);
  EXPECT_TRUE(reports.reports()[0].text.contains("Can't find file 'gone.mp3'"));
  EXPECT_TRUE(player.played.empty());
  for (int i = 1; i < 4; ++i) {
    list.PlaylistCursor = i;
    navigator.PlayCursorEntry(true);
  }
  list.PlaylistCursor = 0;
  navigator.PlayCursorEntry(false);
  EXPECT_EQ(player.played, (std::vector<int>{1, 2, 3, 0}));
  EXPECT_EQ(reports.reports().size(), 1u);
}
