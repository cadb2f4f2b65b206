#include <gtest/gtest.h>

#include <QStringList>
#include <algorithm>

#include "playlist/mediakind.h"
#include "playlist/playlist.h"

namespace {

QStringList Captions(const TZPlaylist& list) {
  QStringList captions;
  for (int i = 0; i < list.Count(); ++i) {
    captions << list.Get(i)->Caption;
  }
  return captions;
}

TZPlaylist ListOf(const QStringList& fileNames) {
  TZPlaylist list;
  for (const QString& name : fileNames) {
    list.Add(name, name, false, "00", "00:00:00");
  }
  return list;
}

}  // namespace

TEST(ClassifyMedia, LocalFilesByExtension) {
  EXPECT_EQ(ClassifyMedia("/music/a.MP3"), mkBassStream);
  EXPECT_EQ(ClassifyMedia("/music/a.mp3"), mkBassStream);
  EXPECT_EQ(ClassifyMedia("/music/a.Mp+"), mkBassStream);
  EXPECT_EQ(ClassifyMedia("/video/a.mpeg"), mkVideo);
  EXPECT_EQ(ClassifyMedia("/video/a.mpegx"), mkVideo);  // first five characters count
  EXPECT_EQ(ClassifyMedia("/music/a.flac"), mkUnknown);
  EXPECT_EQ(ClassifyMedia("/music/noextension"), mkUnknown);
  EXPECT_EQ(ClassifyMedia("/music.d/noextension"), mkUnknown);  // a dot in a folder is no extension
  EXPECT_EQ(ClassifyMedia("C:\\music.d\\noextension"), mkUnknown);
  EXPECT_EQ(ClassifyMedia("/dvd/VIDEO_TS/VIDEO_TS.IFO"), mkDvd);
  EXPECT_EQ(ClassifyMedia("/dev/sr0/Track03.cda"), mkMusicCd);
  EXPECT_EQ(ClassifyMedia("/music/song.imf"), mkAudio);  // the audio table is searched first
  EXPECT_EQ(ClassifyMedia("/music/song.xm"), mkAudio);
  EXPECT_EQ(ClassifyMedia("/video/movie.mkv"), mkVideo);
  EXPECT_EQ(ClassifyMedia(".ZEPHONIC_BASS_STREAM"), mkUnknown);  // group rows never match
  EXPECT_EQ(ClassifyMedia(""), mkUnknown);
}

TEST(ClassifyMedia, Urls) {
  EXPECT_EQ(ClassifyMedia("http://radio.example/stream"), mkBassUrlStream);
  EXPECT_EQ(ClassifyMedia("HTTP://radio.example/listen.avi"), mkBassUrlStream);
  EXPECT_EQ(ClassifyMedia("http://radio.example/song.mp3"), mkBassStream);
  EXPECT_EQ(ClassifyMedia("http://tv.example/show.asx"), mkVideoStream);
  EXPECT_EQ(ClassifyMedia("http://tv.example/show.ASX"), mkVideoStream);
  EXPECT_EQ(ClassifyMedia("mms://tv.example/show.wmv"), mkVideoStream);
  EXPECT_EQ(ClassifyMedia("MMS://tv.example/live"), mkVideoStream);
  EXPECT_EQ(ClassifyMedia("mms://tv.example/song.mp3"), mkBassStream);
}

TEST(MediaTables, SizesAndGroupRows) {
  EXPECT_EQ(BassStreamTable().size(), 14u);
  EXPECT_EQ(DirectShowAudioTable().size(), 26u);
  EXPECT_EQ(DirectShowVideoTable().size(), 29u);
  EXPECT_EQ(DvdTable().size(), 4u);
  EXPECT_EQ(CdTable().size(), 2u);
  EXPECT_EQ(PlaylistTable().size(), 4u);
  for (auto table : {BassStreamTable(), DirectShowAudioTable(), DirectShowVideoTable(), DvdTable(),
                     CdTable(), PlaylistTable()}) {
    EXPECT_GT(strlen(table[0].Extension), 5u);
    EXPECT_STREQ(table[0].Icon, "");
    for (size_t i = 1; i < table.size(); ++i) {
      EXPECT_EQ(table[i].Extension[0], '.');
      EXPECT_EQ(QString(table[i].Extension), QString(table[i].Extension).toUpper());
    }
  }
}

TEST(Playlist, AddCutsTimeAndTrackAndGetChecksBounds) {
  TZPlaylist list;
  EXPECT_EQ(list.Add("a", "/a.mp3", true, "123", "01:02:03:04"), 0);
  const TZPlaylistEntry* entry = list.Get(0);
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->Track, "12");
  EXPECT_EQ(entry->Time, "01:02:03");
  EXPECT_TRUE(entry->Selected);
  EXPECT_FALSE(entry->Played);
  EXPECT_EQ(list.Get(-1), nullptr);
  EXPECT_EQ(list.Get(1), nullptr);
  list.AddFromBytes("caf\xe9", "/caf\xc3\xa9.mp3", false, "00", "00:00:00");
  EXPECT_EQ(list.Get(1)->Caption, QString::fromUtf8("café"));
  EXPECT_EQ(list.Get(1)->FileName, QString::fromUtf8("/café.mp3"));
}

TEST(Playlist, SelectionOperations) {
  TZPlaylist list = ListOf({"a", "b", "c", "d", "e"});
  list.Get(1)->Selected = true;
  list.InvertSelection();
  EXPECT_FALSE(list.Get(1)->Selected);
  EXPECT_TRUE(list.Get(0)->Selected);
  list.SelectNone();
  list.SelectionAnchor = 3;
  list.SelectionEnd = 1;
  list.SelectRange();
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(list.Get(i)->Selected, i >= 1 && i <= 3) << i;
  }
  list.Get(4)->Selected = true;
  list.DeleteSelected();
  EXPECT_EQ(Captions(list), QStringList({"a"}));
  list.SelectAll();
  EXPECT_TRUE(list.Get(0)->Selected);
}

TEST(Playlist, EntriesStayPutThroughMovesDeletesAndClears) {
  QStringList names;
  for (int i = 0; i < 1000; ++i) {
    names << QString::number(i);
  }
  TZPlaylist first = ListOf(names);
  const TZPlaylistEntry* kept = first.Get(500);
  TZPlaylist second = std::move(first);
  EXPECT_EQ(second.Get(500), kept);  // the player holds such pointers
  TZPlaylist third = ListOf({"old"});
  third = std::move(second);  // "old" goes back to its own pool before that pool goes
  ASSERT_EQ(third.Count(), 1000);
  EXPECT_EQ(third.Get(500)->Caption, "500");
  for (int i = 0; i < 1000; i += 2) {
    third.Get(i)->Selected = true;
  }
  third.DeleteSelected();
  third.Add("new", "/new.mp3", false, "00", "00:00:00");
  ASSERT_EQ(third.Count(), 501);
  EXPECT_EQ(third.Get(0)->Caption, "1");
  EXPECT_EQ(third.Get(500)->Caption, "new");
  third.Clear();
  third.Add("again", "/again.mp3", false, "00", "00:00:00");
  EXPECT_EQ(Captions(third), QStringList({"again"}));
  first.Add("reused", "/reused.mp3", false, "00", "00:00:00");  // a moved-from list still works
  EXPECT_EQ(Captions(first), QStringList({"reused"}));
}

TEST(Playlist, ClearPlaylistResetsIndicesButKeepsLastPlayed) {
  TZPlaylist list = ListOf({"a", "b"});
  list.PlaylistCursor = 1;
  list.SelectionAnchor = 0;
  list.SelectionEnd = 1;
  list.LastPlayedIndex = 1;
  list.ClearPlaylist();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.PlaylistCursor, -1);
  EXPECT_EQ(list.SelectionAnchor, -1);
  EXPECT_EQ(list.SelectionEnd, -1);
  EXPECT_EQ(list.LastPlayedIndex, 1);
}

TEST(Playlist, PlayingIndexFindAndTotalTime) {
  TZPlaylist list;
  list.Add("one", "/1.mp3", false, "00", "01:00:00");
  list.Add("two", "/2.mp3", false, "00", "00:02:05");
  list.Add("three", "/3.mp3", false, "00", "");
  list.Add("Two", "/4.mp3", false, "00", "garbage");
  EXPECT_EQ(list.PlayingIndex(), -1);
  list.Get(2)->Played = true;
  list.Get(3)->Played = true;
  EXPECT_EQ(list.PlayingIndex(), 2);
  list.ClearPlayed();
  EXPECT_EQ(list.PlayingIndex(), -1);
  EXPECT_EQ(list.FindByCaption("Two"), 3);
  EXPECT_EQ(list.FindByCaption("tw"), -1);
  EXPECT_EQ(list.TotalTimeMs(), (3600 + 125) * 1000LL);
}

TEST(PlaylistSort, TextOrdersAreCodeUnitComparisons) {
  TZPlaylist list;
  list.Add("b", "/z", false, "00", "00:10:00");
  list.Add("B", "/y", false, "00", "00:09:59");
  list.Add("a", "/x", false, "00", "01:00:00");
  list.Sort(psoCaption);
  EXPECT_EQ(Captions(list), QStringList({"B", "a", "b"}));
  list.Sort(psoFileName);
  EXPECT_EQ(Captions(list), QStringList({"a", "B", "b"}));
  list.Sort(psoTime);
  EXPECT_EQ(Captions(list), QStringList({"B", "b", "a"}));
}

TEST(PlaylistSort, TrackComparesNumbersAndEmptyTracksAsZero) {
  TZPlaylist list;
  list.Add("ten", "/1", false, "10", "");
  list.Add("two", "/2", false, "2", "");
  list.Add("none", "/3", false, "", "");
  list.Sort(psoTrack);
  EXPECT_EQ(Captions(list), QStringList({"none", "two", "ten"}));
}

TEST(PlaylistSort, VideoAndAudioArePartitionsThatKeepOrder) {
  TZPlaylist list;
  list.Add("A1", "/a1.mp3", false, "00", "");
  list.Add("V1", "/v1.avi", false, "00", "");
  list.Add("A2", "/a2.wma", false, "00", "");
  list.Add("D1", "/dvd/VIDEO_TS.IFO", false, "00", "");
  list.Get(1)->Selected = true;
  list.Sort(psoVideo);
  EXPECT_EQ(Captions(list), QStringList({"V1", "D1", "A1", "A2"}));
  EXPECT_TRUE(list.Get(0)->Selected);  // flags travel with their entries
  list.Sort(psoAudio);
  EXPECT_EQ(Captions(list), QStringList({"A1", "A2", "V1", "D1"}));
}

TEST(PlaylistSort, ReverseTwiceAndRandomKeepEveryEntry) {
  TZPlaylist list = ListOf({"a", "b", "c", "d"});
  list.Sort(psoReverse);
  EXPECT_EQ(Captions(list), QStringList({"d", "c", "b", "a"}));
  list.Sort(psoReverse);
  EXPECT_EQ(Captions(list), QStringList({"a", "b", "c", "d"}));

  // Sixty entries: a shuffle that leaves them in order, or two shuffles of the same order that
  // agree, would each happen by chance once in 60! tries.
  QStringList names;
  for (int i = 0; i < 60; ++i) {
    names << QString::number(i);
  }
  TZPlaylist big = ListOf(names);
  TZPlaylist other = ListOf(names);
  const TZPlaylistEntry* first = big.Get(0);
  big.Sort(psoRandom);
  other.Sort(psoRandom);
  EXPECT_NE(Captions(big), names);
  EXPECT_NE(Captions(big), Captions(other));
  QStringList sorted = Captions(big);
  std::sort(sorted.begin(), sorted.end(),
            [](const QString& a, const QString& b) { return a.toInt() < b.toInt(); });
  EXPECT_EQ(sorted, names);
  // Entries move, they are not copied: the player's reference stays valid.
  ASSERT_NE(big.FindByCaption("0"), -1);
  EXPECT_EQ(big.Get(big.FindByCaption("0")), first);
}

TEST(TimeText, ParseAndFormat) {
  qint64 ms = 0;
  EXPECT_TRUE(ParseTimeText("1:2:3", &ms));
  EXPECT_EQ(ms, 3723000);
  EXPECT_FALSE(ParseTimeText("12:30", &ms));
  EXPECT_FALSE(ParseTimeText("", &ms));
  EXPECT_EQ(FormatTimeText(1, 2, 3), "01:02:03");
}
