#include <gtest/gtest.h>

#include <QtEndian>

#include "playlist/playlistfiles.h"
#include "testsupport.h"

namespace {

QByteArray ZplRecord(const QByteArray& caption, const QByteArray& time, const QByteArray& fileName,
                     const QByteArray& track) {
  QByteArray record(kZplRecordSize, '\x7f');  // filler that readers must ignore
  const auto put = [&](int at, const QByteArray& text) {
    record[at] = static_cast<char>(text.size());
    record.replace(at + 1, text.size(), text);
  };
  put(0, caption);
  put(256, time);
  put(265, fileName);
  put(521, track);
  return record;
}

QByteArray Count(qint32 n) {
  QByteArray bytes(4, '\0');
  qToLittleEndian(n, bytes.data());
  return bytes;
}

struct PlaylistFiles : ::testing::Test {
  TZPlaylist Read(const QString& name, const QByteArray& content, bool clearFirst = true,
                  TPlaylistReadResult expected = prLoaded) {
    const QString path = folder.file(name);
    WriteBytes(path, content);
    TZPlaylist list;
    list.Add("old", "/old.mp3", false, "00", "00:00:00");
    EXPECT_EQ(ReadPlaylistFile(path, list, clearFirst), expected);
    return list;
  }
  ScratchFolder folder;
};

}  // namespace

TEST(PlaylistFormat, ChosenByExtensionIgnoringCase) {
  EXPECT_EQ(PlaylistFormatOf("/a/b.ZPL"), pfZpl);
  EXPECT_EQ(PlaylistFormatOf("/a/b.pls"), pfPls);
  EXPECT_EQ(PlaylistFormatOf("/a/b.M3u"), pfM3u);
  EXPECT_EQ(PlaylistFormatOf("/a/b.m3u8"), pfNone);
  EXPECT_EQ(PlaylistFormatOf("/a.zpl/b"), pfNone);
}

TEST_F(PlaylistFiles, ZplRoundTripHasFixedSizeAndClearsFlags) {
  TZPlaylist list;
  list.Add(QString::fromUtf8("Ærø – 東京 🎵"), "/music/ærø.mp3", true, "07", "00:03:15");
  list.Add("", "http://radio.example:8000/", false, "00", "00:00:00");
  list.Get(0)->Played = true;
  const QString path = folder.file("list.zpl");
  ASSERT_TRUE(WriteZplFile(path, list));
  EXPECT_EQ(ReadBytes(path).size(), 4 + 524 * 2);

  TZPlaylist back;
  ASSERT_EQ(ReadPlaylistFile(path, back, true), prLoaded);
  ASSERT_EQ(back.Count(), 2);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(back.Get(i)->Caption, list.Get(i)->Caption);
    EXPECT_EQ(back.Get(i)->FileName, list.Get(i)->FileName);
    EXPECT_EQ(back.Get(i)->Time, list.Get(i)->Time);
    EXPECT_EQ(back.Get(i)->Track, list.Get(i)->Track);
    EXPECT_FALSE(back.Get(i)->Selected);
    EXPECT_FALSE(back.Get(i)->Played);
  }
}

TEST_F(PlaylistFiles, ZplManyEntriesKeepTheirOwnTimesAndTracks) {
  // Thousands of distinct times and tracks, many repeated, some empty or one character long:
  // a reader that shares equal texts must still give every entry exactly its own.
  TZPlaylist list;
  for (int i = 0; i < 20000; ++i) {
    const QString track = i % 7 == 0 ? QString() : QString::number(i % (i % 3 == 0 ? 10 : 100));
    const QString time =
        i % 11 == 0 ? QString() : FormatTimeText(i / 3600 % 24, i / 60 % 60, i % 60);
    list.Add(QString::number(i), QStringLiteral("/m/%1.mp3").arg(i), false, track, time);
  }
  const QString path = folder.file("many.zpl");
  ASSERT_TRUE(WriteZplFile(path, list));
  TZPlaylist back;
  ASSERT_EQ(ReadPlaylistFile(path, back, true), prLoaded);
  ASSERT_EQ(back.Count(), list.Count());
  for (int i = 0; i < list.Count(); ++i) {
    ASSERT_EQ(back.Get(i)->Time, list.Get(i)->Time) << i;
    ASSERT_EQ(back.Get(i)->Track, list.Get(i)->Track) << i;
    ASSERT_EQ(back.Get(i)->FileName, list.Get(i)->FileName) << i;
  }
  // Texts that differ only by NUL bytes are still different texts.
  const TZPlaylist nul =
      Read("nul.zpl", Count(2) + ZplRecord("a", "", "/a", "") +
                          ZplRecord("b", QByteArray(1, '\0'), "/b", QByteArray(2, '\0')));
  ASSERT_EQ(nul.Count(), 2);
  EXPECT_EQ(nul.Get(0)->Time.size(), 0);
  EXPECT_EQ(nul.Get(0)->Track.size(), 0);
  EXPECT_EQ(nul.Get(1)->Time.size(), 1);
  EXPECT_EQ(nul.Get(1)->Track.size(), 2);
}

TEST_F(PlaylistFiles, ZplEmptyListIsFourZeroBytes) {
  const QString path = folder.file("empty.zpl");
  ASSERT_TRUE(WriteZplFile(path, TZPlaylist()));
  EXPECT_EQ(ReadBytes(path), QByteArray(4, '\0'));
  EXPECT_EQ(Read("empty2.zpl", QByteArray(4, '\0')).Count(), 0);
  EXPECT_EQ(Read("empty3.zpl", QByteArray(4, '\0'), false).Count(), 1);
}

TEST_F(PlaylistFiles, ZplLongCaptionsAreCutAtWholeCharacters) {
  TZPlaylist list;
  const QString longAscii(300, u'a');
  const QString longWide = QString(127, u'x') + QString(10, QChar(0x00E9));  // é is two bytes
  list.Add(longAscii, longWide, false, "00", "00:00:00");
  TZPlaylist back;
  ASSERT_TRUE(DecodeZpl(EncodeZpl(list), back, true));
  EXPECT_EQ(back.Get(0)->Caption, QString(255, u'a'));
  // 127 + 2 x 64 = 255 bytes: 64 whole characters fit, the 65th would be cut in half.
  EXPECT_EQ(back.Get(0)->FileName, QString(127, u'x') + QString(10, QChar(0x00E9)).left(64));
}

TEST_F(PlaylistFiles, ZplLoneSurrogateIsSavedAsReplacementCharacter) {
  TZPlaylist list;
  list.Add(QString("a") + QChar(0xD800) + "b", "/f", false, "00", "");
  TZPlaylist back;
  ASSERT_TRUE(DecodeZpl(EncodeZpl(list), back, true));
  EXPECT_EQ(back.Get(0)->Caption, QString("a") + QChar(QChar::ReplacementCharacter) + "b");
}

TEST_F(PlaylistFiles, ZplWindows1252FieldsReadCorrectly) {
  const QByteArray data =
      Count(1) + ZplRecord("Caf\xe9 \x80", "00:01:00", "C:\\M\xfcsik\\a.mp3", "3");
  const TZPlaylist list = Read("cp.zpl", data);
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Get(0)->Caption, QString::fromUtf8("Café €"));
  EXPECT_EQ(list.Get(0)->FileName, QString::fromUtf8("C:\\Müsik\\a.mp3"));
  EXPECT_EQ(list.Get(0)->Track, "3");
}

TEST_F(PlaylistFiles, ZplTruncatedFileStopsAtLastWholeRecord) {
  const QByteArray two =
      ZplRecord("one", "00:00:01", "/1.mp3", "1") + ZplRecord("two", "00:00:02", "/2.mp3", "2");
  const TZPlaylist list = Read("short.zpl", Count(5) + two + QByteArray(100, 'x'));
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Get(1)->Caption, "two");
  // Length bytes beyond a field's capacity are clamped to the field.
  QByteArray bad = ZplRecord("c", "", "/f", "");
  bad[256] = char(200);
  bad[521] = char(255);
  const TZPlaylist clamped = Read("bad.zpl", Count(1) + bad);
  ASSERT_EQ(clamped.Count(), 1);
  EXPECT_EQ(clamped.Get(0)->Time.size(), 8);
  EXPECT_EQ(clamped.Get(0)->Track.size(), 2);
  EXPECT_EQ(Read("neg.zpl", Count(-3) + two).Count(), 0);
}

TEST_F(PlaylistFiles, ZplTooShortOrMissingFailsWithoutChange) {
  const TZPlaylist list = Read("tiny.zpl", "ab", true, prFailed);
  EXPECT_EQ(list.Count(), 1);
  TZPlaylist other;
  QString error;
  EXPECT_EQ(ReadPlaylistFile(folder.file("missing.zpl"), other, true, &error), prFailed);
  EXPECT_FALSE(error.isEmpty());
  EXPECT_EQ(ReadPlaylistFile(folder.file("x.txt"), other, true), prFailed);
}

TEST_F(PlaylistFiles, ZplWriteIntoMissingFolderFails) {
  EXPECT_FALSE(WriteZplFile(folder.file("no/such/folder/list.zpl"), TZPlaylist()));
}

// Failures that hold for root too, whom read-only files do not stop.
TEST_F(PlaylistFiles, ZplFailedSavesKeepTheOldFileAndThePlaylist) {
  TZPlaylist old;
  old.Add("old", "/old.mp3", false, "01", "00:01:00");
  const QString path = folder.file("list.zpl");
  ASSERT_TRUE(WriteZplFile(path, old));
  const QByteArray before = ReadBytes(path);
  TZPlaylist list;
  for (const char* name : {"a", "b", "c"}) {
    list.Add(name, QStringLiteral("/music/%1.mp3").arg(name), false, "02", "00:02:00");
  }
  const QByteArray listBytes = EncodeZpl(list);
  {
    // The disk fills up after the first new record.
    FileSizeLimit limit(before.size() + kZplRecordSize);
    EXPECT_FALSE(WriteZplFile(path, list));
  }
  EXPECT_EQ(ReadBytes(path), before);
  EXPECT_EQ(FolderEntries(folder.path()), QStringList({"list.zpl"}));  // no temporary left

  EXPECT_FALSE(WriteZplFile(PathBelowAFile(folder, "list.zpl"), list));
  EXPECT_EQ(ReadBytes(folder.file("a-file")), "not a folder");
  EXPECT_EQ(EncodeZpl(list), listBytes);
}

TEST_F(PlaylistFiles, PlsReadsEntriesWithTitlesAndFileNameCaptions) {
  const TZPlaylist list = Read("a.pls",
                               "[playlist]\r\nNumberOfEntries=3\r\nFile1=/music/one.mp3\r\n"
                               "Title1=First\r\nLength1=-1\r\nFile2=http://radio.example:8000/"
                               "live\r\nTitle2=\r\nFile3=C:\\music\\three.mp3\r\nVersion=2\r\n");
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Get(0)->Caption, "First");
  EXPECT_EQ(list.Get(0)->FileName, "/music/one.mp3");
  EXPECT_EQ(list.Get(0)->Time, "00:00:00");
  EXPECT_EQ(list.Get(0)->Track, "00");
  EXPECT_EQ(list.Get(1)->Caption, "live");
  EXPECT_EQ(list.Get(2)->Caption, "three.mp3");
}

TEST_F(PlaylistFiles, PlsCountZeroChangesNothingEvenWithClearFirst) {
  EXPECT_EQ(
      Read("z.pls", "[playlist]\nNumberOfEntries=0\nFile1=/a.mp3\n", true, prUnchanged).Count(), 1);
}

TEST_F(PlaylistFiles, PlsStructuralFaultsReport1050AndKeepTheList) {
  for (const QByteArray& content :
       {QByteArray("NumberOfEntries=1\nFile1=/a.mp3\n"), QByteArray("[playlist]\nFile1=/a.mp3\n"),
        QByteArray("[playlist]\nNumberOfEntries=\nFile1=/a.mp3\n"),
        QByteArray("[playlist]\nNumberOfEntries=-1\nFile1=/a.mp3\n"),
        QByteArray("[playlist]\nNumberOfEntries=2x\n")}) {
    ReportCapture reports;
    const TZPlaylist list = Read("bad.pls", content, true, prUnchanged);
    EXPECT_EQ(list.Count(), 1) << content.constData();
    ASSERT_EQ(reports.reports().size(), 1u) << content.constData();
    EXPECT_TRUE(reports.reports()[0].text.contains("Invalid ShoutCast Playlist."));
  }
}

TEST_F(PlaylistFiles, PlsLookupIsAFirstMatchSubstringSearchIgnoringCase) {
  // Only File2 exists: one entry.
  EXPECT_EQ(Read("a.pls", "[playlist]\nNumberOfEntries=2\nFile2=/two.mp3\n").Count(), 1);
  // No File1 line, but File10 above: entry 1 takes the path of entry 10.
  const TZPlaylist list =
      Read("b.pls", "[playlist]\nFILE10=/ten.mp3\nNumberOfEntries=1\nfile1=/one.mp3\n");
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Get(0)->FileName, "/ten.mp3");
  const TZPlaylist appended = Read("c.pls", "[Playlist]\nnumberofentries=1\nFILE1=/x.mp3\n", false);
  ASSERT_EQ(appended.Count(), 2);
  EXPECT_EQ(appended.Get(1)->FileName, "/x.mp3");
}

TEST_F(PlaylistFiles, PlsHugeCountDoesNotLoopForever) {
  const TZPlaylist list =
      Read("h.pls", "[playlist]\nNumberOfEntries=99999999999999999999999\nFile7=/7.mp3\n");
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Get(0)->FileName, "/7.mp3");
}

TEST_F(PlaylistFiles, M3uExtinfGivesCaptionAndTime) {
  const TZPlaylist list = Read("a.m3u",
                               "#EXTM3U\r\n#EXTINF:125,Artist - Song\r\n/music/song.mp3\r\n\r\n"
                               "/music/plain.name.ogg\r\n#extinf:90000,Day\r\nday.mp3\r\n"
                               "#EXTINF:-1,Radio\r\nhttp://radio.example/\r\n"
                               "#EXTINF:abc\r\n#EXTINF,Odd: one\r\n\\music\\win.mp3\r\n");
  ASSERT_EQ(list.Count(), 5);
  EXPECT_EQ(list.Get(0)->Caption, "Artist - Song");
  EXPECT_EQ(list.Get(0)->Time, "00:02:05");
  EXPECT_EQ(list.Get(1)->Caption, "plain.name");
  EXPECT_EQ(list.Get(1)->Time, "00:00:00");
  EXPECT_EQ(list.Get(2)->Time, "01:00:00");  // 25 hours, taken modulo a day
  EXPECT_EQ(list.Get(3)->Caption, "Radio");
  EXPECT_EQ(list.Get(3)->Time, "00:00:00");
  EXPECT_EQ(list.Get(4)->Caption, "Odd: one");
  EXPECT_EQ(list.Get(4)->FileName, "C:\\music\\win.mp3");
}

TEST_F(PlaylistFiles, M3uAppendsWithoutClearFirstAndSkipsByteOrderMark) {
  const TZPlaylist list = Read("b.m3u", "\xef\xbb\xbf#EXTM3U\n/a.mp3\n", false);
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Get(1)->FileName, "/a.mp3");
  EXPECT_EQ(list.Get(1)->Caption, "a");
}
