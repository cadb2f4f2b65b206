#include <gtest/gtest.h>

#include <QFile>
#include <QtEndian>

#include "id3builder.h"
#include "playlist/apetag.h"
#include "playlist/id3v1.h"
#include "playlist/id3v2.h"
#include "playlist/tagcaptions.h"
#include "playlist/tagtext.h"
#include "testsupport.h"

namespace {

const QByteArray kAudio = QByteArray("\xff\xfb\x90\x00", 4).repeated(300);

QByteArray Le32(quint32 value) {
  QByteArray bytes(4, '\0');
  qToLittleEndian(value, bytes.data());
  return bytes;
}

TID3v2 ParseV2(const QByteArray& tag) {
  TID3v2 v2;
  v2.ParseTag(tag, tag.size() + kAudio.size());
  return v2;
}

}  // namespace

TEST(ID3v1, ShortFileHasNoTagAndReadsFalse) {
  ScratchFolder folder;
  WriteBytes(folder.file("short.mp3"), QByteArray(100, 'x'));
  TID3v1 tag;
  EXPECT_FALSE(tag.ReadFromFile(folder.file("short.mp3")));
  EXPECT_FALSE(tag.Exists());
  EXPECT_FALSE(tag.ReadFromFile(folder.file("missing.mp3")));
  WriteBytes(folder.file("plain.mp3"), kAudio);
  EXPECT_TRUE(tag.ReadFromFile(folder.file("plain.mp3")));
  EXPECT_FALSE(tag.Exists());
  EXPECT_EQ(tag.GenreID(), 255);
}

TEST(ID3v1, Version11RoundTripKeepsTrackAnd28CharacterComment) {
  ScratchFolder folder;
  const QString path = folder.file("a.mp3");
  WriteBytes(path, kAudio);
  TID3v1 tag;
  tag.SetTitle(QString::fromUtf8("Ünïcode title   \t"));
  tag.SetArtist("An artist whose name is far longer than thirty characters");
  tag.SetAlbum(QString::fromUtf8("東京"));
  tag.SetYear("19991");
  tag.SetComment(QString(28, u'c'));
  tag.SetTrack(7);
  tag.SetGenreID(13);
  ASSERT_TRUE(tag.SaveToFile(path));
  ASSERT_TRUE(tag.SaveToFile(path));  // replaces, never stacks
  EXPECT_EQ(QFile(path).size(), kAudio.size() + 128);

  TID3v1 back;
  ASSERT_TRUE(back.ReadFromFile(path));
  ASSERT_TRUE(back.Exists());
  EXPECT_EQ(back.VersionID(), 2);
  EXPECT_EQ(back.Title(), QString::fromUtf8("Ünïcode title"));
  EXPECT_EQ(back.Artist(), QString("An artist whose name is far longer than thirty").left(30));
  EXPECT_EQ(back.Album(), QString::fromUtf8("東京"));
  EXPECT_EQ(back.Year(), "1999");
  EXPECT_EQ(back.Comment(), QString(28, u'c'));
  EXPECT_EQ(back.Track(), 7);
  EXPECT_EQ(back.Genre(), "Pop");

  ASSERT_TRUE(TID3v1::RemoveFromFile(path));
  EXPECT_EQ(ReadBytes(path), kAudio);
  EXPECT_TRUE(TID3v1::RemoveFromFile(path));  // nothing to remove is fine
}

TEST(ID3v1, TrackZeroKeepsAllThirtyCommentCharacters) {
  TID3v1 tag;
  tag.SetComment(QString(30, u'x'));
  TID3v1 back;
  ASSERT_TRUE(back.ParseTag(tag.BuildTag()));
  EXPECT_EQ(back.VersionID(), 1);
  EXPECT_EQ(back.Comment(), QString(30, u'x'));
  EXPECT_EQ(back.Track(), 0);
}

TEST(ID3v1, SavingNeedsAnExistingFileAndMakesReadOnlyFilesWritable) {
  ScratchFolder folder;
  TID3v1 tag;
  tag.SetTitle("t");
  EXPECT_FALSE(tag.SaveToFile(folder.file("missing.mp3")));
  EXPECT_FALSE(QFile::exists(folder.file("missing.mp3")));
  const QString path = folder.file("ro.mp3");
  WriteBytes(path, kAudio);
  QFile::setPermissions(path, QFileDevice::ReadOwner);
  EXPECT_TRUE(tag.SaveToFile(path));
  EXPECT_TRUE(tag.ReadFromFile(path));
  EXPECT_EQ(tag.Title(), "t");
}

TEST(ID3v1, GenreList) {
  const QStringList& genres = ID3v1Genres();
  ASSERT_EQ(genres.size(), 148);
  EXPECT_EQ(genres[0], "Blues");
  EXPECT_EQ(genres[67], "Psychadelic");
  EXPECT_EQ(genres[92], "Progessive Rock");
  EXPECT_EQ(genres[144], "Trash Metal");
  EXPECT_EQ(genres[147], "Synthpop");
}

TEST(ID3v2, GenreAndTrackConversions) {
  const auto genre = [](const char* text) {
    return ParseV2(Tag(3, Frame(3, "TCON", Latin1Text(text)))).Genre();
  };
  EXPECT_EQ(genre("(13)"), "");
  EXPECT_EQ(genre("(13)Pop"), "Pop");
  EXPECT_EQ(genre("Pop"), "Pop");
  TID3v2 track = ParseV2(Tag(3, Frame(3, "TRCK", Latin1Text("5/12"))));
  EXPECT_EQ(track.Track(), 5);
  EXPECT_EQ(track.TrackString(), "5/12");
  EXPECT_EQ(ParseV2(Tag(3, Frame(3, "TRCK", Latin1Text("A")))).Track(), 0);
}

TEST(ID3v2, TextEncodingsAndFallbackFrames) {
  const QByteArray utf16le =
      QByteArray("\x01\xff\xfe", 3) + QByteArray("T\0\xe9\0", 4) + QByteArray(2, '\0');
  const QByteArray utf16be = QByteArray("\x01\xfe\xff", 3) + QByteArray("\0A\0r", 4);
  const QByteArray utf8 = QByteArray(1, '\x03') + QString::fromUtf8("Ωmega").toUtf8();
  const TID3v2 tag =
      ParseV2(Tag(4, Frame(4, "TIT2", utf16le) + Frame(4, "TOPE", utf16be) +
                         Frame(4, "TALB", utf8) + Frame(4, "TDRC", Latin1Text("2004-05-06"))));
  EXPECT_TRUE(tag.Exists());
  EXPECT_EQ(tag.VersionID(), 4);
  EXPECT_EQ(tag.Title(), QString::fromUtf8("Té"));
  EXPECT_EQ(tag.Artist(), "Ar");
  EXPECT_EQ(tag.Album(), QString::fromUtf8("Ωmega"));
  EXPECT_EQ(tag.Year(), "2004");
}

TEST(ID3v2, Version22FramesCommentsAndLinks) {
  const auto frame22 = [](const char* id, const QByteArray& data) {
    return QByteArray(id) + QByteArray(1, '\0') + char(data.size() >> 8) + char(data.size()) + data;
  };
  const QByteArray frames =
      frame22("TT2", Latin1Text("Old title")) + frame22("TP1", Latin1Text("Old artist")) +
      frame22("COM", QByteArray("\0eng", 4) + "desc" + QByteArray(1, '\0') + "Said") +
      frame22("WXX", QByteArray(1, '\0') + "site" + QByteArray(1, '\0') + "http://x.example/");
  const TID3v2 tag = ParseV2(Tag(2, frames));
  EXPECT_EQ(tag.Title(), "Old title");
  EXPECT_EQ(tag.Artist(), "Old artist");
  EXPECT_EQ(tag.Comment(), "Said");
  EXPECT_EQ(tag.Link(), "http://x.example/");
}

TEST(ID3v2, OnlyTheFirst500BytesOfAFrameAreUsedAndLaterFramesStillRead) {
  const QByteArray frames =
      Frame(3, "TIT2", Latin1Text(QByteArray(700, 'a'))) + Frame(3, "TPE1", Latin1Text("after"));
  const TID3v2 tag = ParseV2(Tag(3, frames));
  EXPECT_EQ(tag.Title(), QString(499, u'a'));
  EXPECT_EQ(tag.Artist(), "after");
}

TEST(ID3v2, BrokenTagsExistButYieldNothing) {
  // Declared size beyond the file.
  QByteArray tag = Tag(3, Frame(3, "TIT2", Latin1Text("x")));
  TID3v2 v2;
  v2.ParseTag(tag, tag.size() - 1);
  EXPECT_TRUE(v2.Exists());
  EXPECT_EQ(v2.Size(), 0);
  EXPECT_EQ(v2.Title(), "");
  // Unknown version.
  EXPECT_EQ(ParseV2(Tag(5, Frame(3, "TIT2", Latin1Text("x")))).Title(), "");
  // Padding stops the walk; the compressed flag skips a frame.
  QByteArray compressed = Frame(3, "TIT2", Latin1Text("zip"));
  compressed[9] = char(0x80);
  EXPECT_EQ(ParseV2(Tag(3, compressed + Frame(3, "TIT1", Latin1Text("group")))).Title(), "group");
  // An extended header is skipped.
  QByteArray extended =
      Tag(3, BigEndian32(6) + QByteArray(6, '\0') + Frame(3, "TIT2", Latin1Text("ext")));
  extended[5] = 0x40;
  EXPECT_EQ(ParseV2(extended).Title(), "ext");
}

TEST(ID3v2, SaveRoundTripsEveryField) {
  ScratchFolder folder;
  const QString path = folder.file("a.mp3");
  WriteBytes(path, kAudio);
  TID3v2 tag;
  tag.SetTitle(QString::fromUtf8(" Заголовок "));
  tag.SetArtist("Artist");
  tag.SetAlbum(QString::fromUtf8("Café"));
  tag.SetTrack(12);
  tag.SetYear("2001");
  tag.SetGenre("Rock");
  tag.SetComment(QString::fromUtf8("ünïcödé ✓"));
  tag.SetComposer("Composer");
  tag.SetEncoder("Encoder");
  tag.SetCopyright("(c) someone");
  tag.SetLanguage("eng");
  tag.SetLink("http://example.org/");
  ASSERT_TRUE(tag.SaveToFile(path));

  TID3v2 back;
  ASSERT_TRUE(back.ReadFromFile(path));
  ASSERT_TRUE(back.Exists());
  EXPECT_EQ(back.VersionID(), 3);
  EXPECT_EQ(back.Size(), kID3v2RewriteSize);
  EXPECT_EQ(back.Title(), QString::fromUtf8("Заголовок"));
  EXPECT_EQ(back.Artist(), "Artist");
  EXPECT_EQ(back.Album(), QString::fromUtf8("Café"));
  EXPECT_EQ(back.Track(), 12);
  EXPECT_EQ(back.TrackString(), "12");
  EXPECT_EQ(back.Year(), "2001");
  EXPECT_EQ(back.Genre(), "Rock");
  EXPECT_EQ(back.Comment(), QString::fromUtf8("ünïcödé ✓"));
  EXPECT_EQ(back.Composer(), "Composer");
  EXPECT_EQ(back.Encoder(), "Encoder");
  EXPECT_EQ(back.Copyright(), "(c) someone");
  EXPECT_EQ(back.Language(), "eng");
  EXPECT_EQ(back.Link(), "http://example.org/");
  EXPECT_EQ(ReadBytes(path).mid(kID3v2RewriteSize), kAudio);
}

TEST(TagText, TextThatWouldReadBackDifferentlyIsNotWrittenAsLatin1) {
  // U+0091 as byte 0x91 would read back as the Windows-1252 quote U+2018; "Ã©" as Latin-1 bytes
  // would read back as the UTF-8 "é".
  for (const QString& title : {QStringLiteral("\u0091x"), QString::fromUtf8("Ã©")}) {
    TID3v2 tag;
    tag.SetTitle(title);
    const QByteArray frames = tag.BuildFrames();
    QByteArray bytes("ID3\x03\0\0\0\0\0", 10);
    bytes[9] = static_cast<char>(frames.size());
    bytes += frames;
    TID3v2 back;
    back.ParseTag(bytes, bytes.size());
    EXPECT_EQ(back.Title(), title);
    EXPECT_EQ(DecodeTagBytes(EncodeTagField(title, 30)), title);
  }
}

TEST(ID3v2, SaveInPlaceKeepsTheOldTagSize) {
  ScratchFolder folder;
  const QString path = folder.file("a.mp3");
  const QByteArray frames =
      Frame(3, "TIT2", Latin1Text("old")) + Frame(3, "APIC", QByteArray(100, 'p'));
  const QByteArray old = Tag(3, frames, 2048 - 10 - int(frames.size()));
  ASSERT_EQ(old.size(), 2048);
  WriteBytes(path, old + kAudio);
  TID3v2 tag;
  tag.SetTitle("new");
  ASSERT_TRUE(tag.SaveToFile(path));
  const QByteArray bytes = ReadBytes(path);
  EXPECT_EQ(bytes.size(), 2048 + kAudio.size());
  EXPECT_EQ(bytes.mid(2048), kAudio);
  TID3v2 back;
  ASSERT_TRUE(back.ReadFromFile(path));
  EXPECT_EQ(back.Size(), 2048);
  EXPECT_EQ(back.Title(), "new");
  EXPECT_FALSE(bytes.contains("APIC"));  // other frames are not kept
}

TEST(ID3v2, SaveRewritesWhenTheOldTagIsTooSmallOrTooLarge) {
  ScratchFolder folder;
  const QString path = folder.file("a.mp3");
  TID3v2 tag;
  tag.SetTitle(QString(100, u't'));
  for (int oldPadding : {0, 5000}) {
    WriteBytes(path, Tag(3, Frame(3, "TIT2", Latin1Text("x")), oldPadding) + kAudio);
    ASSERT_TRUE(tag.SaveToFile(path));
    const QByteArray bytes = ReadBytes(path);
    EXPECT_EQ(bytes.size(), kID3v2RewriteSize + kAudio.size()) << oldPadding;
    EXPECT_EQ(bytes.mid(kID3v2RewriteSize), kAudio);
  }
  EXPECT_FALSE(QFile::exists(path + "~"));
}

TEST(ID3v2, RemoveAndFailures) {
  ScratchFolder folder;
  const QString path = folder.file("a.mp3");
  WriteBytes(path, kAudio);
  EXPECT_FALSE(TID3v2::RemoveFromFile(path));  // no tag
  TID3v2 tag;
  tag.SetArtist("a");
  EXPECT_FALSE(tag.SaveToFile(folder.file("missing.mp3")));
  QFile::setPermissions(path, QFileDevice::ReadOwner);
  ASSERT_TRUE(tag.SaveToFile(path));
  ASSERT_TRUE(TID3v2::RemoveFromFile(path));
  EXPECT_EQ(ReadBytes(path), kAudio);
  TID3v2 none;
  EXPECT_TRUE(none.ReadFromFile(path));
  EXPECT_FALSE(none.Exists());
  WriteBytes(folder.file("tiny.mp3"), "ID3");
  EXPECT_FALSE(none.ReadFromFile(folder.file("tiny.mp3")));
}

TEST(ID3v2, ReadsTagsMadeByFfmpeg) {
  ASSERT_TRUE(HaveProgram("ffmpeg"));
  ScratchFolder folder;
  const QString path = folder.file("tone.mp3");
  QString output;
  ASSERT_EQ(
      RunProgram("ffmpeg",
                 {"-v", "error", "-f", "lavfi", "-i", "sine=frequency=440:duration=0.3",
                  "-id3v2_version", "3", "-metadata", "title=Le Tôn", "-metadata", "artist=Сигнал",
                  "-metadata", "track=4/9", "-metadata", "album=Tests", path},
                 &output),
      0)
      << output.toStdString();
  TID3v2 tag;
  ASSERT_TRUE(tag.ReadFromFile(path));
  EXPECT_TRUE(tag.Exists());
  EXPECT_EQ(tag.Title(), QString::fromUtf8("Le Tôn"));
  EXPECT_EQ(tag.Artist(), QString::fromUtf8("Сигнал"));
  EXPECT_EQ(tag.Track(), 4);
  EXPECT_EQ(ID3Caption(path), QString::fromUtf8("Сигнал - Le Tôn"));
  EXPECT_EQ(ID3Track(path), "4");
}

TEST(TagCaptions, FallBackFromID3v2ToID3v1ToNothing) {
  ScratchFolder folder;
  const QString path = folder.file("a.mp3");
  WriteBytes(path, kAudio);
  EXPECT_EQ(ID3Caption(path), "");
  EXPECT_EQ(ID3Track(path), "00");
  TID3v1 v1;
  v1.SetArtist("One");
  v1.SetTitle("Song");
  v1.SetTrack(3);
  ASSERT_TRUE(v1.SaveToFile(path));
  TID3v2 v2;
  v2.SetTitle("Only a title");
  ASSERT_TRUE(v2.SaveToFile(path));
  EXPECT_EQ(ID3Caption(path), "One - Song");
  EXPECT_EQ(ID3Track(path), "0");  // the ID3v2 tag exists, without a track
}

namespace {

QByteArray ApeItem(const char* key, const QByteArray& value) {
  return Le32(value.size()) + Le32(0) + QByteArray(key) + QByteArray(1, '\0') + value;
}

QByteArray ApeTag(int version, const QList<QByteArray>& items) {
  QByteArray body;
  for (const QByteArray& item : items) {
    body += item;
  }
  return body + "APETAGEX" + Le32(version) + Le32(body.size() + 32) + Le32(items.size()) + Le32(0) +
         QByteArray(8, '\0');
}

}  // namespace

TEST(APEtag, ReadsVersion2ItemsBeforeAnID3v1Tag) {
  ScratchFolder folder;
  const QString path = folder.file("a.ape");
  const QByteArray ape =
      ApeTag(2000, {ApeItem("TITLE", QString::fromUtf8("Ünïcode ✓").toUtf8()),
                    ApeItem("artist", " Someone "), ApeItem("Track", "3/10"),
                    ApeItem("Cover Art (Front)", QByteArray(400, 'x')), ApeItem("Year", "1987"),
                    ApeItem("Comment", QByteArray(300, 'c'))});
  TID3v1 v1;
  v1.SetTitle("v1");
  WriteBytes(path, kAudio + ape + v1.BuildTag());
  TAPEtag tag;
  ASSERT_TRUE(tag.ReadFromFile(path));
  ASSERT_TRUE(tag.Exists());
  EXPECT_EQ(tag.Version(), 2000);
  EXPECT_EQ(tag.Size(), ape.size());
  EXPECT_EQ(tag.Title(), QString::fromUtf8("Ünïcode ✓"));
  EXPECT_EQ(tag.Artist(), "Someone");
  EXPECT_EQ(tag.Track(), 3);
  EXPECT_EQ(tag.Year(), "1987");
  EXPECT_EQ(tag.Comment(), QString(250, u'c'));
  EXPECT_EQ(APECaption(path), QString::fromUtf8("Someone - Ünïcode ✓"));
  EXPECT_EQ(APETrack(path), "3");
}

TEST(APEtag, Version1TextAndMalformedUtf8) {
  TAPEtag v1;
  v1.ParseTag(ApeTag(1000, {ApeItem("Title", "Caf\xe9")}));
  EXPECT_EQ(v1.Title(), QString::fromUtf8("Café"));
  TAPEtag v2;
  v2.ParseTag(ApeTag(2000, {ApeItem("Title", "ok\xc3"), ApeItem("Album",
                                                                "a\xff"
                                                                "b")}));
  EXPECT_EQ(v2.Title(), "ok");
  EXPECT_EQ(v2.Album(), "a");
}

TEST(APEtag, NoTagOversizedTagAndShortFiles) {
  ScratchFolder folder;
  WriteBytes(folder.file("plain"), kAudio);
  TAPEtag tag;
  EXPECT_TRUE(tag.ReadFromFile(folder.file("plain")));
  EXPECT_FALSE(tag.Exists());
  EXPECT_EQ(APETrack(folder.file("plain")), "00");
  WriteBytes(folder.file("short"), "APETAGEX");
  EXPECT_FALSE(tag.ReadFromFile(folder.file("short")));
  QByteArray oversized = ApeTag(2000, {ApeItem("Title", "x"), ApeItem("Artist", "y")});
  qToLittleEndian<quint32>(1u << 30, oversized.data() + oversized.size() - 20);
  WriteBytes(folder.file("big"), oversized);
  EXPECT_TRUE(tag.ReadFromFile(folder.file("big")));
  EXPECT_TRUE(tag.Exists());
  EXPECT_EQ(tag.Title(), "x");
}
