// What is read from the disc before it plays (the title table, the ISO image's video manager,
// the disc of an entry) and the stream announcements with their language names.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "dvdmedia.h"
#include "playback/dvd/dvddisc.h"
#include "playback/dvd/dvdlanguages.h"
#include "testsupport.h"

namespace {

TZDiscReader Reader(const QByteArray& bytes) {
  return [bytes](qint64 offset, int size) { return bytes.mid(offset, size); };
}

// A video manager whose title table sits in sector 1 and lists `counts`.
QByteArray VideoManager(const std::vector<int>& counts, quint32 tableSector = 1) {
  QByteArray bytes(4096, '\0');
  bytes.replace(0, 12, "DVDVIDEO-VMG");
  for (int i = 0; i < 4; ++i) {
    bytes[0xC4 + i] = static_cast<char>(tableSector >> (24 - 8 * i));
  }
  bytes[2048] = 0;
  bytes[2049] = static_cast<char>(counts.size());
  for (size_t t = 0; t < counts.size(); ++t) {
    const int at = 2048 + 8 + static_cast<int>(t) * 12;
    bytes[at + 2] = static_cast<char>(counts[t] >> 8);
    bytes[at + 3] = static_cast<char>(counts[t]);
  }
  return bytes;
}

TEST(DvdDisc, TitleTableGivesChapterCounts) {
  EXPECT_EQ(DvdChapterCounts(Reader(VideoManager({3, 1, 300}))), (std::vector<int>{3, 1, 300}));
  // Not a video manager, no titles, a table beyond the file, a cut-off table.
  QByteArray wrongMagic = VideoManager({2});
  wrongMagic[4] = 'X';
  EXPECT_FALSE(DvdChapterCounts(Reader(wrongMagic)));
  EXPECT_FALSE(DvdChapterCounts(Reader(VideoManager({}))));
  EXPECT_FALSE(DvdChapterCounts(Reader(VideoManager({2}, 40))));
  EXPECT_FALSE(DvdChapterCounts(Reader(VideoManager({2}, 0))));
  const std::vector<int> many(50, 1);
  EXPECT_FALSE(DvdChapterCounts(Reader(VideoManager(many).left(2048 + 8 + 12 * 10))));
  EXPECT_FALSE(DvdChapterCounts(Reader(QByteArray("DVDVIDEO-VMG"))));
}

TEST(DvdDisc, EntryPathsNameTheDiscRootOrTheImage) {
  ScratchFolder scratch;
  WriteBytes(scratch.file(QStringLiteral("disc/VIDEO_TS/VIDEO_TS.IFO")), "x");
  WriteBytes(scratch.file(QStringLiteral("movie.ISO")), "x");
  const QString root = QDir(scratch.file(QStringLiteral("disc"))).absolutePath();
  for (const char* path : {"disc/VIDEO_TS/VIDEO_TS.IFO", "disc/VIDEO_TS", "disc"}) {
    const std::optional<TZDvdDisc> disc = DvdDiscOf(scratch.file(QLatin1String(path)));
    ASSERT_TRUE(disc) << path;
    EXPECT_EQ(disc->Device, root) << path;
    EXPECT_FALSE(disc->Image);
  }
  const std::optional<TZDvdDisc> image = DvdDiscOf(scratch.file(QStringLiteral("movie.ISO")));
  ASSERT_TRUE(image);
  EXPECT_TRUE(image->Image);
  EXPECT_FALSE(DvdDiscOf(scratch.file(QStringLiteral("gone/VIDEO_TS/VIDEO_TS.IFO"))));
  // A folder without a readable table still plays; "Jump to" stays empty.
  EXPECT_TRUE(DvdDiscChapterCounts(*DvdDiscOf(scratch.file(QStringLiteral("disc")))).empty());
}

TEST(DvdDisc, MadeDiscAndItsImageListTheirTitles) {
  ScratchFolder scratch;
  TestDvd dvd;
  QString error;
  ASSERT_TRUE(MakeTestDvd(scratch.file(QStringLiteral("media")), &dvd, &error))
      << error.toStdString();
  EXPECT_EQ(DvdDiscChapterCounts(*DvdDiscOf(dvd.Ifo)), (std::vector<int>{3, 1}));
  ASSERT_TRUE(MakeTestDvdImage(&dvd, &error)) << error.toStdString();
  EXPECT_EQ(DvdDiscChapterCounts(*DvdDiscOf(dvd.Image)), (std::vector<int>{3, 1}));
  // The folder's table and the one inside the image are the same bytes.
  const QByteArray image = ReadBytes(dvd.Image);
  const std::optional<QByteArray> manager = DvdIsoVideoManager(Reader(image));
  ASSERT_TRUE(manager);
  EXPECT_EQ(*manager, ReadBytes(dvd.Ifo));
  // Damaged images: no volume descriptor, no VIDEO_TS folder.
  EXPECT_FALSE(DvdIsoVideoManager(Reader(image.left(16 * 2048 + 100))));
  QByteArray renamed = image;
  renamed.replace("VIDEO_TS", "WIDEO_TS");
  EXPECT_FALSE(DvdIsoVideoManager(Reader(renamed)));
}

TEST(DvdStreams, AnnouncementListsStreamsWithTheirLanguages) {
  const TZDvdStreams streams = DvdStreamsOf(QStringLiteral(
      "application/x-gst-dvd, event=(string)dvd-lang-codes, audio-0-stream=(int)0, "
      "audio-0-format=(int)2, audio-0-language=(string)en, audio-1-stream=(int)1, "
      "audio-1-language=(string)de, audio-2-stream=(int)3, subpicture-0-stream=(int)0, "
      "subpicture-0-language=(string)fr;"));
  EXPECT_EQ(streams.Audio, (std::vector<TZDvdStream>{{0, "en"}, {1, "de"}, {3, ""}}));
  EXPECT_EQ(streams.Subpicture, (std::vector<TZDvdStream>{{0, "fr"}}));
  // Other events and broken text list nothing.
  EXPECT_EQ(DvdStreamsOf(QStringLiteral("application/x-gst-dvd, event=(string)dvd-set-audio-"
                                        "track, audio-0-stream=(int)0;")),
            TZDvdStreams());
  EXPECT_EQ(DvdStreamsOf(QStringLiteral("not a structure, =")), TZDvdStreams());
}

TEST(DvdStreams, LanguageNamesFromTwoLetterCodes) {
  EXPECT_EQ(DvdLanguageName(QStringLiteral("de"), QString()), QStringLiteral("German"));
  EXPECT_EQ(DvdLanguageName(QStringLiteral("en"), QString()), QStringLiteral("English"));
  EXPECT_EQ(DvdLanguageName(QStringLiteral("zz"), QString()), QStringLiteral("Unknown (zz)"));
  EXPECT_EQ(DvdLanguageName(QString(), QStringLiteral("Audio Track 2")),
            QStringLiteral("Audio Track 2"));
}

}  // namespace
