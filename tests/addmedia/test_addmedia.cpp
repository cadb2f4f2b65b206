// Adding media: captions, tracks and times, folder scans over many files, playlists, CDs, DVDs.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSet>

#include "components/sound/zsound.h"
#include "config/config.h"
#include "playlist/addmedia/addmedia.h"
#include "playlist/addmedia/mediatime.h"
#include "playlist/id3v2.h"
#include "playlist/playlist.h"
#include "testsupport.h"

namespace {

// An ID3v1 tag: "TAG", title, artist, album (30 each), year, comment (28), 0, track, genre.
QByteArray Id3v1(const QByteArray& title, const QByteArray& artist, int track) {
  QByteArray tag = "TAG";
  tag += title.leftJustified(30, '\0');
  tag += artist.leftJustified(30, '\0');
  tag += QByteArray(30 + 4 + 28, '\0');
  tag += char(0);
  tag += char(track);
  tag += char(0);
  return tag;
}

class AddMediaTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(ZSoundInit(kZSoundMemoryDevice, 44100, 0)); }
  void TearDown() override { ZSoundFree(); }

  // 10,000 files in 20 folders: mp3 with tags, wav, wma, txt; one hidden folder.
  void MakeLibrary() {
    const QByteArray tag = Id3v1("Title", "Artist", 7);
    for (int folder = 0; folder < 20; ++folder) {
      const QString dir = scratch_.file(QStringLiteral("lib/f%1/").arg(folder));
      QDir().mkpath(dir);
      for (int i = 0; i < 500; ++i) {
        const char* extension = i % 4 == 0   ? ".wav"
                                : i % 4 == 1 ? ".wma"
                                : i % 4 == 2 ? ".txt"
                                             : ".mp3";
        QFile file(dir + QStringLiteral("song.%1").arg(i) + extension);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(tag);
      }
    }
    WriteBytes(scratch_.file("lib/.hidden/secret.mp3"), tag);
  }

  ScratchFolder scratch_;
  TZConfig config_;
  TZPlaylist playlist_;
};

}  // namespace

TEST(DefaultCaption, FileNamesAndDvdPaths) {
  ScratchFolder scratch;
  EXPECT_EQ(DefaultCaption("/music/Song.Title.mp3"), QStringLiteral("Song.Title"));
  EXPECT_EQ(DefaultCaption("/dvd/VIDEO_TS/VTS_01_1.VOB"),
            QStringLiteral("[ DVD File: VTS_01_1.VOB ]"));
  WriteBytes(scratch.file("Film1/VIDEO_TS/VIDEO_TS.IFO"), "DVDVIDEO-VMG");
  EXPECT_EQ(DefaultCaption(scratch.file("Film1/VIDEO_TS/VIDEO_TS.IFO")),
            QStringLiteral("[ DVD Directory: Film1 ]"));
  EXPECT_EQ(DefaultCaption("/nowhere/VIDEO_TS/VIDEO_TS.IFO"), QStringLiteral("[ DVD ]"));
}

TEST(ScanFolder, FilesBeforeSubFoldersHiddenFoldersAndLinks) {
  ScratchFolder scratch;
  const QString root = scratch.file("music/");
  WriteBytes(root + "a.mp3", "x");
  WriteBytes(root + QString::fromUtf8("\xc3\x86r\xc3\xb8.ogg"), "x");
  WriteBytes(root + ".hidden.wav", "x");  // hidden files are listed
  WriteBytes(root + "sub/b.MP3", "x");
  WriteBytes(root + "sub/deeper/c.txt", "x");
  WriteBytes(root + ".secret/d.mp3", "x");  // hidden folders are not entered
  WriteBytes(scratch.file("elsewhere/e.mp3"), "x");
  ASSERT_TRUE(QFile::link(scratch.file("elsewhere"), root + "linked"));
  ASSERT_TRUE(QFile::link(scratch.file("elsewhere/e.mp3"), root + "e.mp3"));
  ASSERT_TRUE(QFile::link(scratch.file("missing.mp3"), root + "broken.mp3"));

  QStringList all;
  ScanFolder(scratch.file("music"), QStringLiteral("*.*"), true, &all);
  // A folder's own files, in the file system's order, come before its sub-folders' files; a
  // linked folder is neither entered nor listed, linked files (even broken ones) are files.
  ASSERT_EQ(all.size(), 7) << all.join(u' ').toStdString();
  const QStringList top{root + "a.mp3", root + QString::fromUtf8("\xc3\x86r\xc3\xb8.ogg"),
                        root + ".hidden.wav", root + "e.mp3", root + "broken.mp3"};
  EXPECT_EQ(QSet<QString>(all.begin(), all.begin() + 5), QSet<QString>(top.begin(), top.end()));
  EXPECT_EQ(all[5], root + "sub/b.MP3");
  EXPECT_EQ(all[6], root + "sub/deeper/c.txt");

  QStringList masked;
  ScanFolder(root, QStringLiteral("*.mp3"), true, &masked);
  EXPECT_EQ(
      QSet<QString>(masked.begin(), masked.end()),
      (QSet<QString>{root + "a.mp3", root + "e.mp3", root + "broken.mp3", root + "sub/b.MP3"}));
  QStringList flat;
  ScanFolder(root, QStringLiteral("*.*"), false, &flat);
  EXPECT_EQ(flat.size(), 5);
  QStringList none;
  ScanFolder(scratch.file("nowhere"), QStringLiteral("*.*"), true, &none);
  EXPECT_TRUE(none.isEmpty());
}

TEST(MediaTime, RoundsHalvesToEvenAndCdTracksTruncate) {
  EXPECT_EQ(DurationText(2.5), QStringLiteral("00:00:02"));
  EXPECT_EQ(DurationText(3.5), QStringLiteral("00:00:04"));
  EXPECT_EQ(DurationText(90061), QStringLiteral("25:01:01"));
  EXPECT_EQ(CdDurationText((61 * 60 + 40) * 176400LL + 176399), QStringLiteral("01:01:40"));
}

TEST_F(AddMediaTest, AFolderOfTenThousandFilesWithoutTags) {
  MakeLibrary();
  TZMediaAdder adder(playlist_, config_);
  EXPECT_EQ(adder.AddFolder(scratch_.file("lib")), 7500);  // ".txt" is no medium
  QSet<QString> names;
  for (int i = 0; i < playlist_.Count(); ++i) {
    const TZPlaylistEntry* entry = playlist_.Get(i);
    names.insert(entry->FileName);
    EXPECT_FALSE(entry->FileName.contains("/.hidden/"));
    EXPECT_EQ(entry->Time, QStringLiteral("00:00:00"));
    EXPECT_EQ(entry->Track, QStringLiteral("00"));
  }
  EXPECT_EQ(names.size(), 7500);
  EXPECT_EQ(playlist_.Get(0)->Caption, QFileInfo(playlist_.Get(0)->FileName).completeBaseName());
}

TEST_F(AddMediaTest, AFolderOfTenThousandFilesWithTagsAndTimes) {
  MakeLibrary();
  const QString real = scratch_.file("lib/f0/real.wav");
  ASSERT_EQ(RunProgram("sox", {"-n", "-r", "44100", "-c", "2", "-b", "16", real, "synth", "2.5",
                               "sine", "440"}),
            0);
  config_.OFAReadID3Tag = true;
  config_.OFAReadTime = true;
  TZMediaAdder adder(playlist_, config_);
  EXPECT_EQ(adder.AddFolder(scratch_.file("lib")), 7501);
  int tagged = 0;
  for (int i = 0; i < playlist_.Count(); ++i) {
    const TZPlaylistEntry* entry = playlist_.Get(i);
    if (entry->FileName.endsWith(".mp3")) {
      EXPECT_EQ(entry->Caption, QStringLiteral("Artist - Title"));
      EXPECT_EQ(entry->Track, QStringLiteral("7"));
      ++tagged;
    } else {
      EXPECT_EQ(entry->Track, QStringLiteral("00"));
    }
    EXPECT_EQ(entry->Time,
              entry->FileName == real ? QStringLiteral("00:00:02") : QStringLiteral("00:00:00"));
  }
  EXPECT_EQ(tagged, 2500);
}

TEST_F(AddMediaTest, PlaylistFilesAreReadOnlyWhenAsked) {
  WriteBytes(scratch_.file("list.m3u"), "#EXTM3U\r\n/music/a.mp3\r\n/music/b.ogg\r\n");
  TZMediaAdder adder(playlist_, config_);
  EXPECT_FALSE(adder.AddPath(scratch_.file("list.m3u")));
  EXPECT_EQ(playlist_.Count(), 0);
  config_.OFAReadPlaylistFiles = true;
  EXPECT_FALSE(adder.AddPath(scratch_.file("list.m3u")));
  ASSERT_EQ(playlist_.Count(), 2);
  EXPECT_EQ(playlist_.Get(1)->FileName, QStringLiteral("/music/b.ogg"));
  EXPECT_TRUE(adder.AddPath(scratch_.file("missing.wma")));  // existence is not the adder's test
  EXPECT_FALSE(adder.AddPath(scratch_.file("notes.txt")));
}

TEST_F(AddMediaTest, CdTracksFromAnImage) {
  // Two audio tracks of 2 and 3 seconds in a raw image described by a cue sheet.
  QByteArray audio(5 * 176400, '\0');
  for (qsizetype i = 0; i < audio.size(); i += 4) {
    audio[i + 1] = static_cast<char>((i / 4) % 100 < 50 ? 0x20 : 0xe0);
    audio[i + 3] = audio[i + 1];
  }
  WriteBytes(scratch_.file("disc.bin"), audio);
  WriteBytes(scratch_.file("disc.cue"),
             "FILE \"disc.bin\" BINARY\r\n  TRACK 01 AUDIO\r\n    INDEX 01 00:00:00\r\n"
             "  TRACK 02 AUDIO\r\n    INDEX 01 00:02:00\r\n");
  config_.OFAReadTime = true;
  TZMediaAdder adder(playlist_, config_);
  const QString drive = scratch_.file("disc.cue");
  EXPECT_EQ(adder.AddDisc(drive, QStringLiteral("Disc")), 2);
  ASSERT_EQ(playlist_.Count(), 2);
  EXPECT_EQ(playlist_.Get(0)->Caption, QStringLiteral("Track 01"));
  EXPECT_EQ(playlist_.Get(1)->FileName, drive + QStringLiteral("/Track02.cda"));
  EXPECT_EQ(playlist_.Get(1)->Track, QStringLiteral("02"));
  EXPECT_EQ(playlist_.Get(0)->Time, QStringLiteral("00:00:02"));
  EXPECT_EQ(playlist_.Get(1)->Time, QStringLiteral("00:00:03"));
  EXPECT_EQ(ClassifyMedia(playlist_.Get(1)->FileName), mkMusicCd);
  EXPECT_TRUE(adder.AddPath(drive + QStringLiteral("/Track07.cda")));
  EXPECT_EQ(playlist_.Get(2)->Track, QStringLiteral("07"));
}

TEST_F(AddMediaTest, DiscsWithVideoFoldersBecomeOneEntry) {
  WriteBytes(scratch_.file("dvd/VIDEO_TS/VIDEO_TS.IFO"), "DVDVIDEO-VMG");
  QDir().mkpath(scratch_.file("vcd/MPEGAV"));
  TZMediaAdder adder(playlist_, config_);
  EXPECT_EQ(adder.AddDisc(scratch_.file("dvd"), QStringLiteral("Movie")), 1);
  EXPECT_EQ(adder.AddDisc(scratch_.file("vcd"), QStringLiteral("Clip")), 1);
  ASSERT_EQ(playlist_.Count(), 2);
  EXPECT_EQ(playlist_.Get(0)->Caption, QStringLiteral("[ DVD: Movie ]"));
  EXPECT_EQ(ClassifyMedia(playlist_.Get(0)->FileName), mkDvd);
  EXPECT_EQ(playlist_.Get(1)->FileName, scratch_.file("vcd/MPEGAV/AVSEQ01.DAT"));
  EXPECT_TRUE(adder.AddPath(scratch_.file("dvd/VIDEO_TS/VIDEO_TS.IFO")));
  EXPECT_EQ(playlist_.Get(2)->Caption, QStringLiteral("[ DVD Directory: dvd ]"));
}

TEST_F(AddMediaTest, RefreshingTagsFallsBackToId3v1WhereId3v2LeftSomethingOut) {
  const QString path = scratch_.file("c.mp3");
  WriteBytes(path, Id3v1("Old Song", "Old Band", 7));
  TID3v2 v2;
  v2.SetArtist(QStringLiteral("New Band"));
  v2.SetTitle(QStringLiteral("New Song"));
  ASSERT_TRUE(v2.SaveToFile(path));
  TZMediaAdder adder(playlist_, config_, [](const QString&) {});
  ASSERT_TRUE(adder.AddPath(path));
  adder.RefreshTags();
  // The ID3v2 tag has no track, so the complete ID3v1 tag decides caption and track.
  EXPECT_EQ(playlist_.Get(0)->Caption, QStringLiteral("Old Band - Old Song"));
  EXPECT_EQ(playlist_.Get(0)->Track, QStringLiteral("7"));

  v2.SetTrack(123);
  ASSERT_TRUE(v2.SaveToFile(path));
  adder.RefreshTags();
  EXPECT_EQ(playlist_.Get(0)->Caption, QStringLiteral("New Band - New Song"));
  EXPECT_EQ(playlist_.Get(0)->Track, QStringLiteral("12"));  // cut to two characters
}

TEST(AddFilesFilter, ListsEveryTableAndThePlaylistsInQtsForm) {
  const QStringList types = AddFilesFilter().split(QStringLiteral(";;"));
  ASSERT_EQ(types.size(), 7);
  EXPECT_TRUE(types[0].startsWith(QStringLiteral("All media files (*.WAV *.MP1 *.MP2 *.MP3 ")));
  EXPECT_TRUE(types[0].endsWith(QStringLiteral(" *.IFO *.AC3 *.DTS *.CDA)")));
  EXPECT_TRUE(types[1].startsWith(QStringLiteral("Audio streams (*.WAV ")));
  EXPECT_EQ(types[2], QStringLiteral("Music CD files (*.CDA)"));
  EXPECT_TRUE(types[3].startsWith(QStringLiteral("DirectX Audio files (*.AIF ")));
  EXPECT_TRUE(types[4].contains(QStringLiteral(" *.MKV ")));
  EXPECT_EQ(types[5], QStringLiteral("DVD files (*.IFO *.AC3 *.DTS)"));
  EXPECT_EQ(types[6], QStringLiteral("Playlist files (*.zpl *.pls *.m3u)"));
  EXPECT_FALSE(AddFilesFilter().contains(u'|'));
}

TEST_F(AddMediaTest, RefreshingTagsRereadsEveryEntryAndSaysSo) {
  WriteBytes(scratch_.file("a.mp3"), Id3v1("Song", "Band", 4));
  WriteBytes(scratch_.file("b.ape"), Id3v1("Song", "Band", 4));
  QStringList titles;
  TZMediaAdder adder(playlist_, config_, [&](const QString& text) { titles << text; });
  ASSERT_TRUE(adder.AddPath(scratch_.file("a.mp3")));
  ASSERT_TRUE(adder.AddPath(scratch_.file("b.ape")));
  EXPECT_EQ(playlist_.Get(0)->Caption, QStringLiteral("a"));  // "OFAReadID3Tag" is off
  adder.RefreshTags();
  EXPECT_EQ(playlist_.Get(0)->Caption, QStringLiteral("Band - Song"));
  EXPECT_EQ(playlist_.Get(0)->Track, QStringLiteral("4"));
  EXPECT_EQ(playlist_.Get(1)->Caption, QStringLiteral("b"));  // ".ape" is left alone
  EXPECT_EQ(titles, QStringList{QStringLiteral("Refreshing ID3 Tag(s)...")});
}
