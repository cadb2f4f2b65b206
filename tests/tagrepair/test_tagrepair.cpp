// Real-world damaged and unusual ID3 tags: broken or oversized frames, compressed frames, text
// frames holding only a byte-order mark, multi-value text, plain 2.4 frame sizes; ID3v1 tags
// whose comment grows when written. Results are checked by reading the file back and by TagLib.

#include <gtest/gtest.h>
#include <taglib/fileref.h>
#include <taglib/id3v1tag.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>
#include <taglib/textidentificationframe.h>
#include <zlib.h>

#include <QtEndian>

#include "id3builder.h"
#include "playlist/id3v1.h"
#include "playlist/id3v2.h"
#include "testsupport.h"

namespace {

// One MPEG audio frame of silence (MPEG-1 layer III, 128 kbit/s, 44.1 kHz), so that TagLib
// takes the file for an MP3.
QByteArray AudioFrame() {
  QByteArray frame(417, '\0');
  frame[0] = char(0xFF);
  frame[1] = char(0xFB);
  frame[2] = char(0x90);
  frame[3] = char(0x64);
  return frame;
}

// A string literal with its embedded NULs (without the terminating one).
template <size_t N>
QByteArray Bytes(const char (&literal)[N]) {
  return QByteArray(literal, N - 1);
}

QByteArray Deflate(const QByteArray& data) {
  uLongf size = compressBound(uLong(data.size()));
  QByteArray out(qsizetype(size), '\0');
  EXPECT_EQ(compress(reinterpret_cast<Bytef*>(out.data()), &size,
                     reinterpret_cast<const Bytef*>(data.constData()), uLong(data.size())),
            Z_OK);
  out.truncate(qsizetype(size));
  return out;
}

struct TagFiles : ::testing::Test {
  QString Write(const QString& name, const QByteArray& bytes) {
    const QString path = folder.file(name);
    WriteBytes(path, bytes);
    return path;
  }
  static TID3v2 ReadV2(const QString& path) {
    TID3v2 tag;
    EXPECT_TRUE(tag.ReadFromFile(path));
    return tag;
  }
  static QString TagLibTitle(const QString& path) {
    TagLib::FileRef file(path.toUtf8().constData());
    return file.isNull() ? QStringLiteral("<unreadable>")
                         : QString::fromStdWString(file.tag()->title().toWString());
  }
  ScratchFolder folder;
};

TEST_F(TagFiles, BrokenLaterFrameKeepsTheWholeFramesBeforeIt) {
  const QByteArray frames = Frame(3, "TIT2", Latin1Text("Whole Title")) +
                            Frame(3, "TPE1", Latin1Text("Whole Artist")) +
                            Frame(3, "TALB", Latin1Text("Cut"), 0, 0x7FFFFF);
  const QString path = Write("broken.mp3", Tag(3, frames) + AudioFrame());
  const TID3v2 tag = ReadV2(path);
  EXPECT_EQ(tag.Title(), "Whole Title");
  EXPECT_EQ(tag.Artist(), "Whole Artist");
  EXPECT_EQ(tag.Album(), "");  // the broken frame itself is not read
  EXPECT_EQ(TagLibTitle(path), tag.Title());
}

TEST_F(TagFiles, TagRunningPastTheEndOfTheFileKeepsTheFramesThatAreThere) {
  const QByteArray frames =
      Frame(4, "TIT2", Latin1Text("Short File")) + Frame(4, "TPE1", Latin1Text("Band"));
  const QString path = Write("short.mp3", Tag(4, frames, 0, 100000));
  const TID3v2 tag = ReadV2(path);
  EXPECT_TRUE(tag.Exists());
  EXPECT_EQ(tag.Size(), 0);  // unusable as a whole
  EXPECT_EQ(tag.Title(), "Short File");
  EXPECT_EQ(tag.Artist(), "Band");
}

TEST_F(TagFiles, CompressedFramesAreInflated) {
  const QByteArray title = Latin1Text("Compressed Title");
  // 2.3: the inflated size, then the zlib stream.
  const QByteArray v3 =
      Frame(3, "TIT2", BigEndian32(quint32(title.size())) + Deflate(title), char(0x80));
  const QString path3 =
      Write("v23.mp3", Tag(3, v3 + Frame(3, "TPE1", Latin1Text("After"))) + AudioFrame());
  EXPECT_EQ(ReadV2(path3).Title(), "Compressed Title");
  EXPECT_EQ(ReadV2(path3).Artist(), "After");
  EXPECT_EQ(TagLibTitle(path3), "Compressed Title");
  // 2.4: compression with the data length indicator, after a group byte.
  const QByteArray v4 =
      Frame(4, "TIT2", QByteArray(1, char(7)) + Syncsafe(quint32(title.size())) + Deflate(title),
            char(0x40 | 0x08 | 0x01));
  const QString path4 = Write("v24.mp3", Tag(4, v4) + AudioFrame());
  EXPECT_EQ(ReadV2(path4).Title(), "Compressed Title");
  // Damaged zlib data reads as no frame, not as garbage.
  QByteArray broken = Deflate(title);
  broken[0] = '\0';  // not a zlib header
  const QString bad =
      Write("bad.mp3", Tag(3, Frame(3, "TIT2", BigEndian32(17) + broken, char(0x80)) +
                                  Frame(3, "TPE1", Latin1Text("Still Read"))));
  EXPECT_EQ(ReadV2(bad).Title(), "");
  EXPECT_EQ(ReadV2(bad).Artist(), "Still Read");
}

TEST_F(TagFiles, CompressedFrameInflatesOnlyAsFarAsTheFieldNeeds) {
  // Eight megabytes of text in a frame of a few kilobytes.
  const QByteArray huge = Latin1Text(QByteArray(8 << 20, 'a'));
  const QByteArray frame =
      Frame(3, "TIT2", BigEndian32(quint32(huge.size())) + Deflate(huge), char(0x80));
  ASSERT_LT(frame.size(), 64 * 1024);
  const TID3v2 tag = ReadV2(Write("bomb.mp3", Tag(3, frame)));
  EXPECT_EQ(tag.Title(), QString(499, u'a'));  // the first 500 bytes, encoding byte included
}

TEST_F(TagFiles, ByteOrderMarksAloneReadAsEmptyText) {
  struct Case {
    QByteArray data;
    QString expected;
  } cases[] = {
      {QByteArray("\x01\xFF\xFE", 3), ""},               // UTF-16, the mark alone
      {QByteArray("\x01\xFE\xFF", 3), ""},               // big-endian mark alone
      {QByteArray("\x01\xFF\xFE\x41", 4), ""},           // odd length: half a character
      {QByteArray("\x01\xFF\xFE\x41\x00\x42", 6), "A"},  // odd length after a character
      {QByteArray("\x00\xFE\xFF", 3), ""},               // a mark in a frame marked 8-bit
      {QByteArray("\x00\xFF\xFE\x48\x00\x69\x00", 7), "Hi"},
      {QByteArray("\x03\xEF\xBB\xBF", 4), ""},  // the UTF-8 mark alone
      {QByteArray("\x03\xEF\xBB\xBFOk", 6), "Ok"},
  };
  for (const Case& c : cases) {
    const QString path = Write("bom.mp3", Tag(3, Frame(3, "TIT2", c.data)) + AudioFrame());
    const QString title = ReadV2(path).Title();
    EXPECT_EQ(title, c.expected) << c.data.toHex().toStdString();
    EXPECT_FALSE(title.contains(u'\u00FE') || title.contains(u'\u00FF') ||
                 title.contains(QChar(0xFEFF)));
  }
}

TEST_F(TagFiles, MultiValueTextFramesGiveTheirFirstValue) {
  const QByteArray utf8 = Frame(4, "TPE1", Bytes("\x03One\0Two\0Three"));
  const QByteArray utf16 = Frame(4, "TIT2", Bytes("\x01\xFF\xFEO\0n\0e\0\0\0\xFF\xFET\0w\0o\0"));
  const QByteArray latin = Frame(4, "TALB",
                                 Bytes("\x00"
                                       "First\0Last"));
  const QString path = Write("multi.mp3", Tag(4, utf8 + utf16 + latin) + AudioFrame());
  const TID3v2 tag = ReadV2(path);
  EXPECT_EQ(tag.Artist(), "One");
  EXPECT_EQ(tag.Title(), "One");
  EXPECT_EQ(tag.Album(), "First");
  // TagLib sees the same first value.
  TagLib::MPEG::File file(path.toUtf8().constData());
  ASSERT_TRUE(file.isValid() && file.ID3v2Tag());
  const auto& titles = file.ID3v2Tag()->frameListMap()["TIT2"];
  ASSERT_FALSE(titles.isEmpty());
  const auto* text = dynamic_cast<TagLib::ID3v2::TextIdentificationFrame*>(titles.front());
  ASSERT_TRUE(text && !text->fieldList().isEmpty());
  EXPECT_EQ(QString::fromStdWString(text->fieldList().front().toWString()), "One");
}

TEST_F(TagFiles, PlainFrameSizesInVersion4AreRecognised) {
  // 256 bytes: syncsafe "00 00 02 00", written plainly as "00 00 01 00" (which as syncsafe is
  // 128, landing inside the text).
  const QByteArray title = Latin1Text(QByteArray(255, 'x'));
  const QByteArray frame = QByteArray("TIT2") + BigEndian32(256) + QByteArray(2, '\0') + title;
  const QString path =
      Write("plain.mp3", Tag(4, frame + Frame(4, "TPE1", Latin1Text("Artist"))) + AudioFrame());
  const TID3v2 tag = ReadV2(path);
  EXPECT_EQ(tag.Title(), QString(255, u'x'));
  EXPECT_EQ(tag.Artist(), "Artist");
}

TEST_F(TagFiles, Id3v2WrittenTextReadsBackHereAndInTagLib) {
  const QString path = Write("write.mp3", AudioFrame());
  TID3v2 tag;
  tag.SetTitle(QString::fromUtf8("Ünïcödé Ω €"));
  tag.SetArtist(QString::fromUtf8("Café"));
  tag.SetTrack(9);
  ASSERT_TRUE(tag.SaveToFile(path));
  const TID3v2 back = ReadV2(path);
  EXPECT_EQ(back.Title(), tag.Title());
  EXPECT_EQ(back.Artist(), tag.Artist());
  EXPECT_EQ(back.Track(), 9);
  TagLib::FileRef file(path.toUtf8().constData());
  ASSERT_FALSE(file.isNull());
  EXPECT_EQ(QString::fromStdWString(file.tag()->title().toWString()), tag.Title());
  EXPECT_EQ(QString::fromStdWString(file.tag()->artist().toWString()), tag.Artist());
  EXPECT_EQ(file.tag()->track(), 9u);
}

QByteArray V1Tag(const QByteArray& comment, char genre) {
  QByteArray tag(kID3v1TagSize, '\0');
  tag.replace(0, 3, "TAG");
  tag.replace(3, 5, "Title");
  tag.replace(33, 6, "Artist");
  tag.replace(97, comment.size(), comment);
  tag[127] = genre;
  return tag;
}

TEST_F(TagFiles, Id3v1CommentThatGrowsNeverBecomesATrack) {
  // Read as Windows-1252, the comment's first byte is the euro sign; written back it must not
  // shift a blank and an "@" (64) into the two bytes before the genre.
  const QByteArray comment = "\x80" + QByteArray(25, 'a') + " @xx";
  ASSERT_EQ(comment.size(), 30);
  TID3v1 tag;
  ASSERT_TRUE(tag.ParseTag(V1Tag(comment, 13)));
  ASSERT_EQ(tag.Track(), 0);
  TID3v1 back;
  ASSERT_TRUE(back.ParseTag(tag.BuildTag()));
  EXPECT_EQ(back.Track(), 0);
  EXPECT_EQ(back.Comment(), tag.Comment());

  // A comment set by the user with a character outside the 8-bit range: its UTF-8 form would
  // put a blank and "@" there; it is cut before them instead.
  const QString path = Write("v1.mp3", AudioFrame());
  TID3v1 typed;
  typed.SetTitle("Title");
  typed.SetComment(QString::fromUtf8("Ω") + QString(26, u'a') + " @");
  typed.SetGenreID(13);
  ASSERT_TRUE(typed.SaveToFile(path));
  TID3v1 read;
  ASSERT_TRUE(read.ReadFromFile(path));
  EXPECT_EQ(read.Track(), 0);
  EXPECT_EQ(read.Comment(), QString::fromUtf8("Ω") + QString(26, u'a'));
  TagLib::MPEG::File file(path.toUtf8().constData());
  ASSERT_TRUE(file.isValid() && file.ID3v1Tag());
  EXPECT_EQ(file.ID3v1Tag()->track(), 0u);
  EXPECT_EQ(file.ID3v1Tag()->genre(), TagLib::String("Pop"));
}

TEST_F(TagFiles, Id3v1FieldsSurviveAWriteExactly) {
  // Windows-1252 text, a full 30-byte comment without a track, and a v1.1 tag with one.
  const QByteArray cp1252Title = "Caf\xE9 \x93quoted\x94 \x80";
  QByteArray bytes = V1Tag(QByteArray(28, 'c') + "de", 17);
  bytes.replace(3, cp1252Title.size(), cp1252Title);
  QByteArray withTrack = V1Tag(QByteArray(28, 'z'), 1);
  withTrack[126] = char(7);
  for (const QByteArray& original : {bytes, withTrack}) {
    TID3v1 tag;
    ASSERT_TRUE(tag.ParseTag(original));
    EXPECT_EQ(tag.BuildTag(), original);  // the same bytes again
    const QString path = Write("exact.mp3", AudioFrame() + original);
    TagLib::MPEG::File file(path.toUtf8().constData());
    ASSERT_TRUE(file.isValid() && file.ID3v1Tag());
    EXPECT_EQ(file.ID3v1Tag()->track(), unsigned(tag.Track()));
    EXPECT_EQ(file.ID3v1Tag()->comment().size(), unsigned(tag.Comment().size()));
  }
}

}  // namespace
