// Bad input, nothing lost: tag writes that cannot happen leave the file as it was; playlist
// files of garbage or of a gigabyte read what is valid within a bound; a damaged default
// playlist fails its read and is kept; web addresses the player cannot open are refused.

#include <gtest/gtest.h>
#include <sys/mount.h>

#include <QDir>
#include <QFile>
#include <QtEndian>
#include <random>

#include "playlist/addmedia/urlcheck.h"
#include "playlist/id3v1.h"
#include "playlist/id3v2.h"
#include "playlist/playlist.h"
#include "playlist/playlistfiles.h"
#include "testsupport.h"

namespace {

QByteArray Audio(int size) {
  QByteArray bytes(size, '\0');
  for (int i = 0; i < size; ++i) {
    bytes[i] = char(i * 7 + 3);
  }
  return bytes;
}

TID3v1 SomeV1Tag() {
  TID3v1 tag;
  tag.SetTitle("New Title");
  tag.SetTrack(4);
  tag.SetGenreID(13);
  return tag;
}

TID3v2 SomeV2Tag() {
  TID3v2 tag;
  tag.SetTitle("New Title");
  tag.SetArtist("New Artist");
  return tag;
}

// A tmpfs of a few pages, mounted for the test and filled to the last byte.
class FullDisk {
 public:
  explicit FullDisk(const QString& folder) : folder_(folder) {
    QDir().mkpath(folder_);
    mounted_ = mount("tmpfs", folder_.toUtf8().constData(), "tmpfs", 0, "size=64k") == 0;
  }
  ~FullDisk() {
    if (mounted_) {
      umount2(folder_.toUtf8().constData(), MNT_DETACH);
    }
  }
  bool Mounted() const { return mounted_; }
  // Fills what is left with a file of its own.
  void Fill() {
    QFile filler(folder_ + "/filler");
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
      return;
    }
    const QByteArray page(4096, 'f');
    while (filler.write(page) == page.size()) {
    }
  }

 private:
  QString folder_;
  bool mounted_ = false;
};

TEST(BadTagWrites, FailuresLeaveNoTraceAndReportFalse) {
  ScratchFolder scratch;
  // A path below a regular file can be neither opened nor created, even by root.
  const QString notAFolder = scratch.file("plain");
  WriteBytes(notAFolder, "x");
  const QString below = notAFolder + "/song.mp3";
  EXPECT_FALSE(SomeV1Tag().SaveToFile(below));
  EXPECT_FALSE(SomeV2Tag().SaveToFile(below));
  EXPECT_FALSE(TID3v2::RemoveFromFile(below));
  // A file that vanished is not created again.
  const QString vanished = scratch.file("vanished.mp3");
  EXPECT_FALSE(SomeV1Tag().SaveToFile(vanished));
  EXPECT_FALSE(SomeV2Tag().SaveToFile(vanished));
  EXPECT_FALSE(QFile::exists(vanished));
  EXPECT_EQ(QDir(scratch.path()).entryList(QDir::Files), QStringList{"plain"});
}

TEST(BadTagWrites, FullDiskLeavesTheFileAsItWas) {
  ScratchFolder scratch;
  FullDisk disk(scratch.file("disk"));
  ASSERT_TRUE(disk.Mounted()) << "mounting a tmpfs failed";
  // Whole pages, so that any growth needs a page the disk no longer has.
  const QString song = scratch.file("disk/song.mp3");
  const QByteArray original = Audio(8192);
  WriteBytes(song, original);
  const QString saved = scratch.file("disk/default.zpl");
  TZPlaylist playlist;
  playlist.Add("Old", "/music/old.mp3", false, "00", "00:00:00");
  ASSERT_TRUE(WriteZplFile(saved, playlist));
  const QByteArray oldList = ReadBytes(saved);
  disk.Fill();
  EXPECT_FALSE(SomeV1Tag().SaveToFile(song));
  EXPECT_EQ(ReadBytes(song), original);
  EXPECT_FALSE(SomeV2Tag().SaveToFile(song));  // needs a new file for the rewrite
  EXPECT_EQ(ReadBytes(song), original);
  // The playlist saved at shutdown: a small one fits the write buffer, so only the final flush
  // meets the full disk.
  for (int i = 0; i < 5; ++i) {
    playlist.Add("Song", "/music/song.mp3", false, "00", "00:00:00");
  }
  EXPECT_FALSE(WriteZplFile(saved, playlist));
  EXPECT_EQ(ReadBytes(saved), oldList);
  EXPECT_EQ(QDir(scratch.file("disk")).entryList(QDir::Files),
            (QStringList{"default.zpl", "filler", "song.mp3"}));
  // An ID3v1 tag that is there is rewritten in its place, which needs no room.
  QFile::remove(scratch.file("disk/filler"));
  const QByteArray tagged = original.left(8192 - kID3v1TagSize) + TID3v1().BuildTag();
  WriteBytes(song, tagged);
  disk.Fill();
  ASSERT_TRUE(SomeV1Tag().SaveToFile(song));
  TID3v1 back;
  ASSERT_TRUE(back.ReadFromFile(song));
  EXPECT_EQ(back.Title(), "New Title");
  EXPECT_EQ(back.Track(), 4);
  EXPECT_EQ(ReadBytes(song).left(8192 - kID3v1TagSize), tagged.left(8192 - kID3v1TagSize));
}

TEST(BadPlaylistFiles, GarbageReadsOnlyItsTextLines) {
  ScratchFolder scratch;
  std::mt19937 random(20261209);
  QByteArray garbage;
  for (int block = 0; block < 64; ++block) {
    for (int i = 0; i < 16384; ++i) {
      garbage.append(char(random()));
    }
    garbage.append(QByteArrayLiteral("\n/music/song ") + QByteArray::number(block) + ".mp3\n");
  }
  for (const QString& name : {QStringLiteral("garbage.m3u"), QStringLiteral("garbage.pls")}) {
    const QString path = scratch.file(name);
    WriteBytes(path, garbage);
    TZPlaylist playlist;
    ReadPlaylistFile(path, playlist, true);
    for (int i = 0; i < playlist.Count(); ++i) {
      const QString& file = playlist.Get(i)->FileName;
      EXPECT_FALSE(
          std::any_of(file.begin(), file.end(), [](QChar c) { return c < u' ' && c != u'\t'; }));
      EXPECT_LE(file.size(), 4096);
    }
    if (name.endsWith(".m3u")) {
      QStringList songs;
      for (int i = 0; i < playlist.Count(); ++i) {
        if (playlist.Get(i)->FileName.startsWith("/music/")) {
          songs << playlist.Get(i)->FileName;
        }
      }
      EXPECT_EQ(songs.size(), 64);
      EXPECT_EQ(songs.value(63), "/music/song 63.mp3");
    }
  }
}

TEST(BadPlaylistFiles, GigabytePlaylistIsReadToABound) {
  ScratchFolder scratch;
  for (const QString& name : {QStringLiteral("huge.m3u"), QStringLiteral("huge.pls")}) {
    const QString path = scratch.file(name);
    const QByteArray head = name.endsWith(".m3u")
                                ? QByteArray("#EXTM3U\n/music/first.mp3\n/music/second.mp3\n")
                                : QByteArray(
                                      "[playlist]\nNumberOfEntries=2\nFile1=/music/"
                                      "first.mp3\nFile2=/music/second.mp3\n");
    WriteBytes(path, head);
    QFile file(path);
    ASSERT_TRUE(file.resize(qint64(1) << 30));  // sparse: a gigabyte of zeros after the head
    TZPlaylist playlist;
    EXPECT_EQ(ReadPlaylistFile(path, playlist, true), prLoaded);
    ASSERT_EQ(playlist.Count(), 2);
    EXPECT_EQ(playlist.Get(1)->FileName, "/music/second.mp3");
  }
  // Long text without a line break ends the read at the bound and adds nothing.
  const QString endless = scratch.file("endless.m3u");
  WriteBytes(endless, QByteArray(32 << 20, 'a'));
  TZPlaylist playlist;
  EXPECT_EQ(ReadPlaylistFile(endless, playlist, true), prLoaded);
  EXPECT_EQ(playlist.Count(), 0);
}

QByteArray ZplCount(qint32 count) {
  QByteArray bytes(4, '\0');
  qToLittleEndian(count, bytes.data());
  return bytes;
}

TEST(BadPlaylistFiles, DamagedDefaultPlaylistFailsAndIsKept) {
  ScratchFolder scratch;
  TZPlaylist two;
  two.Add("one", "/1.mp3", false, "01", "00:00:01");
  two.Add("two", "/2.mp3", false, "02", "00:00:02");
  const QByteArray records = EncodeZpl(two).mid(4);
  const QString path = scratch.file("default.zpl");
  for (const QByteArray& damaged :
       {ZplCount(-3) + records, ZplCount(5) + records, QByteArray("\x01\x00", 2)}) {
    QDir(scratch.path()).removeRecursively();
    QDir().mkpath(scratch.path());
    WriteBytes(path, damaged);
    TZPlaylist playlist;
    QString why;
    EXPECT_EQ(ReadDefaultPlaylist(path, playlist, &why), prFailed);
    EXPECT_FALSE(why.isEmpty());
    EXPECT_EQ(ReadBytes(path + ".damaged"), damaged);
    EXPECT_EQ(ReadBytes(path), damaged);
    // A second damaged start keeps the first copy too.
    EXPECT_EQ(ReadDefaultPlaylist(path, playlist), prFailed);
    EXPECT_EQ(ReadBytes(path + ".damaged.2"), damaged);
    EXPECT_EQ(ReadBytes(path + ".damaged"), damaged);
  }
  // A whole file loads, with no copy.
  QDir(scratch.path()).removeRecursively();
  QDir().mkpath(scratch.path());
  ASSERT_TRUE(WriteZplFile(path, two));
  TZPlaylist playlist;
  playlist.Add("stale", "/stale.mp3", false, "00", "00:00:00");
  EXPECT_EQ(ReadDefaultPlaylist(path, playlist), prLoaded);
  ASSERT_EQ(playlist.Count(), 2);
  EXPECT_EQ(playlist.Get(1)->Caption, "two");
  EXPECT_FALSE(QFile::exists(path + ".damaged"));
}

TEST(UrlCheck, AcceptsTheThreeSchemesAndNothingElse) {
  for (const char* good :
       {"http://radio.example/live", "https://radio.example:8443/a.mp3?x=1",
        "HTTPS://Radio.Example/", "mms://media.example/stream", "MMS://media.example/",
        "http://[::1]:8000/live", "https://user@radio.example/live"}) {
    EXPECT_TRUE(IsAcceptedUrl(good)) << good;
  }
  const QString tooLong = "https://radio.example/" + QString(10000, u'a');
  for (const QString& bad :
       {QString("ftp://radio.example/live"), QString("radio.example/live"), QString("http://"),
        QString("https:///path"), QString("http://radio example/live"),
        QString("http://radio.example/a b"), QString(" http://radio.example/"),
        QString("http://radio.example/\t"), QString("https://radio.example/\x01"),
        QString("file:///music/a.mp3"), QString("httpx://radio.example/"), tooLong}) {
    EXPECT_FALSE(IsAcceptedUrl(bad)) << bad.left(60).toStdString();
  }
  EXPECT_TRUE(IsAcceptedUrl("https://radio.example/" + QString(kMaxUrlLength - 22, u'a')));
}

TEST(UrlCheck, RefusedUrlWarnsAndAddsNothing) {
  TZPlaylist playlist;
  ReportCapture reports;
  const QString tooLong = "http://radio.example/" + QString(10000, u'x');
  for (const QString& bad : {QString("ftp://radio.example/"), QString("http://a b/"), tooLong}) {
    EXPECT_FALSE(AddUrlEntry(playlist, bad));
  }
  EXPECT_EQ(playlist.Count(), 0);
  ASSERT_EQ(reports.reports().size(), 3u);
  EXPECT_TRUE(
      reports.reports()[0].text.contains("URL 'ftp://radio.example/' is not a valid link."));
  EXPECT_FALSE(reports.reports()[0].fatal);

  ASSERT_TRUE(AddUrlEntry(playlist, "https://radio.example/live"));
  ASSERT_EQ(playlist.Count(), 1);
  const TZPlaylistEntry* entry = playlist.Get(0);
  EXPECT_EQ(entry->Caption, "https://radio.example/live");
  EXPECT_EQ(entry->FileName, "https://radio.example/live");
  EXPECT_EQ(entry->Time, "00:00:00");
  EXPECT_EQ(entry->Track, "00");
  EXPECT_EQ(reports.reports().size(), 3u);
}

}  // namespace
