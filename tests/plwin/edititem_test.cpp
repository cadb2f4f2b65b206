// The item editor on real files: pages by extension, tags written and read back by our readers
// and by TagLib, the stream description, and the playing entry resumed after writing.

#include <gtest/gtest.h>
#include <taglib/id3v1tag.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>

#include "playlist/codecnames.h"
#include "playlist/id3v1.h"
#include "playlist/id3v2.h"
#include "playlist/window/edititem.h"
#include "playlist/window/streaminfo.h"
#include "testsupport.h"

namespace {

class FakeSuspender : public TZPlaybackSuspender {
 public:
  bool IsPlayingEntry(int index) const override { return index == playing; }
  void Suspend() override {
    events << QStringLiteral("suspend at %1").arg(position);
    remembered = position;
    position = -1;
  }
  void Resume() override {
    position = remembered;
    events << QStringLiteral("resume at %1").arg(position);
  }
  int playing = -1;
  qint64 position = 0;
  qint64 remembered = 0;
  QStringList events;
};

class EditItemTest : public ::testing::Test {
 protected:
  EditItemTest()
      : editor(
            playlist, language, [this] { ++redraws; }, &suspender) {}

  // One second of sound as an ".mp3" without any tag.
  QString MakeMp3(const QString& name) {
    const QString path = folder.file(name);
    EXPECT_EQ(RunProgram(QStringLiteral("ffmpeg"),
                         {"-v", "error", "-y", "-f", "lavfi", "-i", "sine=frequency=440:duration=1",
                          "-c:a", "libmp3lame", "-b:a", "64k", "-id3v2_version", "0",
                          "-write_id3v1", "0", "-map_metadata", "-1", path}),
              0);
    return path;
  }
  int AddEntry(const QString& path) {
    return playlist.Add(QStringLiteral("Caption"), path, false, QStringLiteral("07"),
                        QStringLiteral("00:00:01"));
  }

  ScratchFolder folder;
  TZPlaylist playlist;
  TZLanguage language;
  FakeSuspender suspender;
  int redraws = 0;
  TfrmEditItem editor;
};

}  // namespace

TEST_F(EditItemTest, OtherFilesShowOnlyTheInfoPage) {
  editor.OpenFirstPage(AddEntry(folder.file(QStringLiteral("song.wma"))));
  EXPECT_FALSE(editor.TagPagesShown());
  EXPECT_EQ(editor.memFileInfo->toPlainText(),
            QStringLiteral("Not supported mediafile or codec not found.\n"));
  EXPECT_EQ(editor.edtIndex->text(), QStringLiteral("0"));
  EXPECT_EQ(editor.edtPETrack->text(), QStringLiteral("07"));
  editor.OpenFirstPage(AddEntry(folder.file(QStringLiteral("SONG.MP3"))));
  EXPECT_TRUE(editor.TagPagesShown());
}

TEST_F(EditItemTest, UntaggedMp3SavesWithBothBoxesOffAndChangesNothing) {
  const QString mp3 = MakeMp3(QStringLiteral("plain.mp3"));
  const QByteArray before = ReadBytes(mp3);
  editor.Open(AddEntry(mp3));
  EXPECT_TRUE(editor.TagPagesShown());
  EXPECT_FALSE(editor.cbID3V1_Exists->isChecked());
  EXPECT_FALSE(editor.cbID3V2_Exists->isChecked());
  EXPECT_EQ(editor.cbID3V1_Genre->count(), 148);
  EXPECT_EQ(editor.cbID3V1_Genre->currentIndex(), 0);
  ReportCapture reports;
  editor.edtPECaption->setText(QStringLiteral("New caption"));
  EXPECT_TRUE(editor.Save());
  EXPECT_TRUE(reports.reports().empty());
  EXPECT_EQ(ReadBytes(mp3), before);
  EXPECT_EQ(playlist.Get(0)->Caption, QStringLiteral("New caption"));
  EXPECT_EQ(redraws, 1);
}

TEST_F(EditItemTest, GenreOutsideTheListShowsNoneAndSavesAsZero) {
  const QString mp3 = MakeMp3(QStringLiteral("genre.mp3"));
  TID3v1 tag;
  tag.SetTitle(QStringLiteral("Odd genre"));
  tag.SetGenreID(255);
  ASSERT_TRUE(tag.SaveToFile(mp3));
  editor.Open(AddEntry(mp3));
  EXPECT_TRUE(editor.cbID3V1_Exists->isChecked());
  EXPECT_EQ(editor.cbID3V1_Genre->currentIndex(), -1);
  editor.edtID3V1_Track->setText(QStringLiteral("3a"));
  ASSERT_TRUE(editor.Save());

  TID3v1 back;
  ASSERT_TRUE(back.ReadFromFile(mp3));
  EXPECT_EQ(back.GenreID(), 0);
  EXPECT_EQ(back.Track(), 0);
  EXPECT_EQ(back.Title(), QStringLiteral("Odd genre"));
  TagLib::MPEG::File file(mp3.toUtf8().constData());
  ASSERT_TRUE(file.hasID3v1Tag());
  EXPECT_EQ(file.ID3v1Tag()->genre().to8Bit(true), ID3v1Genres()[0].toStdString());
  EXPECT_EQ(file.ID3v1Tag()->track(), 0u);
}

TEST_F(EditItemTest, TagsWrittenAreReadBackByTagLib) {
  const QString mp3 = MakeMp3(QStringLiteral("tags.mp3"));
  editor.Open(AddEntry(mp3));
  editor.cbID3V1_Exists->setChecked(true);
  editor.edtID3V1_Track->setText(QStringLiteral("12"));
  editor.edtID3V1_Title->setText(QStringLiteral("Short title"));
  editor.edtID3V1_Artist->setText(QStringLiteral("The Artist"));
  editor.cbID3V1_Genre->setCurrentIndex(editor.cbID3V1_Genre->findText(QStringLiteral("Jazz")));
  editor.ID3v1ToID3v2();
  EXPECT_TRUE(editor.cbID3V2_Exists->isChecked());
  editor.edtID3V2_Title->setText(QStringLiteral("A much longer title than thirty characters fit"));
  editor.edtID3V2_Composer->setText(QStringLiteral("Composer"));
  editor.edtID3V2_URL->setText(QStringLiteral("http://127.0.0.1/"));
  ASSERT_TRUE(editor.Save());

  TID3v2 v2;
  ASSERT_TRUE(v2.ReadFromFile(mp3));
  EXPECT_EQ(v2.Composer(), QStringLiteral("Composer"));
  EXPECT_EQ(v2.Link(), QStringLiteral("http://127.0.0.1/"));
  TagLib::MPEG::File file(mp3.toUtf8().constData());
  ASSERT_TRUE(file.hasID3v2Tag());
  ASSERT_TRUE(file.hasID3v1Tag());
  EXPECT_EQ(file.ID3v2Tag()->title().to8Bit(true),
            "A much longer title than thirty characters fit");
  EXPECT_EQ(file.ID3v2Tag()->artist().to8Bit(true), "The Artist");
  EXPECT_EQ(file.ID3v2Tag()->genre().to8Bit(true), "Jazz");
  EXPECT_EQ(file.ID3v2Tag()->track(), 12u);
  EXPECT_EQ(file.ID3v1Tag()->title().to8Bit(true), "Short title");
  EXPECT_EQ(file.ID3v1Tag()->genre().to8Bit(true), "Jazz");
  EXPECT_EQ(file.ID3v1Tag()->track(), 12u);
  // The pages were read again from the file.
  EXPECT_EQ(editor.edtID3V2_Genre->text(), QStringLiteral("Jazz"));

  editor.cbID3V1_Exists->setChecked(false);
  editor.cbID3V2_Exists->setChecked(false);
  ASSERT_TRUE(editor.Save());
  TagLib::MPEG::File stripped(mp3.toUtf8().constData());
  EXPECT_FALSE(stripped.hasID3v1Tag());
  EXPECT_FALSE(stripped.hasID3v2Tag());
}

TEST_F(EditItemTest, ID3v2ToID3v1ChoosesTheGenreOrTheFirstItem) {
  editor.Open(AddEntry(folder.file(QStringLiteral("missing.mp3"))));
  editor.edtID3V2_Genre->setText(QStringLiteral("synthpop"));
  editor.edtID3V2_Title->setText(QStringLiteral("0123456789012345678901234567890123"));
  editor.ID3v2ToID3v1();
  EXPECT_EQ(editor.cbID3V1_Genre->currentText(), QStringLiteral("Synthpop"));
  EXPECT_EQ(editor.edtID3V1_Title->text().size(), 30);
  EXPECT_TRUE(editor.cbID3V1_Exists->isChecked());
  editor.edtID3V2_Genre->setText(QStringLiteral("Not a genre"));
  editor.ID3v2ToID3v1();
  EXPECT_EQ(editor.cbID3V1_Genre->currentIndex(), 0);
  QStringList items;
  for (int i = 0; i < editor.cbID3V1_Genre->count(); ++i) {
    items << editor.cbID3V1_Genre->itemText(i);
  }
  QStringList sorted = items;
  sorted.sort(Qt::CaseInsensitive);
  EXPECT_EQ(items, sorted);
}

TEST_F(EditItemTest, SavingThePlayingEntryResumesWhereItWas) {
  const QString mp3 = MakeMp3(QStringLiteral("playing.mp3"));
  AddEntry(mp3);
  const int index = AddEntry(mp3);
  suspender.playing = index;
  suspender.position = 4321;
  editor.Open(index);
  editor.cbID3V2_Exists->setChecked(true);
  editor.edtID3V2_Title->setText(QStringLiteral("Live"));
  ASSERT_TRUE(editor.Save());
  EXPECT_EQ(suspender.events,
            (QStringList{QStringLiteral("suspend at 4321"), QStringLiteral("resume at 4321")}));
  TID3v2 v2;
  ASSERT_TRUE(v2.ReadFromFile(mp3));
  EXPECT_EQ(v2.Title(), QStringLiteral("Live"));

  suspender.events.clear();
  editor.Open(0);
  ASSERT_TRUE(editor.Save());
  EXPECT_TRUE(suspender.events.isEmpty());
}

TEST_F(EditItemTest, EmptyFieldsAndVanishedEntriesChangeNothing) {
  editor.Open(AddEntry(folder.file(QStringLiteral("a.ogg"))));
  editor.edtPETime->clear();
  editor.edtPECaption->setText(QStringLiteral("Changed"));
  EXPECT_FALSE(editor.Save());
  EXPECT_EQ(playlist.Get(0)->Caption, QStringLiteral("Caption"));
  editor.Reload();
  EXPECT_EQ(editor.edtPETime->text(), QStringLiteral("00:00:01"));
  editor.edtPETrack->setText(QStringLiteral("5"));
  editor.cbPESelected->setChecked(true);
  ASSERT_TRUE(editor.Save());
  EXPECT_EQ(playlist.Get(0)->Track, QStringLiteral("5"));
  EXPECT_TRUE(playlist.Get(0)->Selected);
  playlist.ClearPlaylist();
  EXPECT_FALSE(editor.Save());
  EXPECT_EQ(playlist.Count(), 0);
}

TEST(StreamInfo, DescribesAudioAndVideoStreams) {
  ScratchFolder folder;
  const QString wav = folder.file(QStringLiteral("tone.wav"));
  ASSERT_EQ(
      RunProgram(QStringLiteral("ffmpeg"), {"-v", "error", "-f", "lavfi", "-i",
                                            "sine=frequency=300:duration=1.5:sample_rate=22050",
                                            "-ac", "1", "-c:a", "pcm_s16le", wav}),
      0);
  EXPECT_EQ(DescribeMediaFile(wav),
            QStringLiteral("Media length: 1.500 sec.\nAudio format: %1, 352.800 kBit/s, 22.050 "
                           "kHz, Mono\n")
                .arg(WaveFormatName(1)));

  const QString avi = folder.file(QStringLiteral("clip.avi"));
  ASSERT_EQ(
      RunProgram(QStringLiteral("ffmpeg"), {"-v",        "error",
                                            "-f",        "lavfi",
                                            "-i",        "testsrc=size=64x48:rate=25:duration=2",
                                            "-f",        "lavfi",
                                            "-i",        "sine=duration=2",
                                            "-shortest", "-c:v",
                                            "mpeg4",     "-vtag",
                                            "XVID",      "-c:a",
                                            "pcm_s16le", "-ac",
                                            "2",         avi}),
      0);
  const QStringList lines = DescribeMediaFile(avi).split(QLatin1Char('\n'));
  ASSERT_EQ(lines.size(), 4);
  EXPECT_EQ(lines[0], QStringLiteral("Media length: 2.000 sec."));
  EXPECT_EQ(lines[1], QStringLiteral("Video format: 64 x 48, 12 Bits, 50 Frames, 25 Frames/Sec, ") +
                          CodecName(FourCC("XVID")));
  EXPECT_TRUE(lines[2].startsWith(QStringLiteral("Audio format: %1, 1411.200 kBit/s, 44.100 kHz, "
                                                 "Stereo")
                                      .arg(WaveFormatName(1))))
      << lines[2].toStdString();
  EXPECT_TRUE(lines[3].isEmpty());
}

TEST(StreamInfo, MeasuresAndSpecialFiles) {
  EXPECT_EQ(FormatMeasure(25), QStringLiteral("25"));
  EXPECT_EQ(FormatMeasure(29.97), QStringLiteral("29.970"));
  EXPECT_EQ(FormatMeasure(0), QStringLiteral("0"));
  ScratchFolder folder;
  WriteBytes(folder.file(QStringLiteral("x.mpc")), "whatever");
  EXPECT_TRUE(DescribeMediaFile(folder.file(QStringLiteral("x.mpc"))).isEmpty());
  WriteBytes(folder.file(QStringLiteral("junk.avi")), QByteArray(64, '\x01'));
  EXPECT_EQ(DescribeMediaFile(folder.file(QStringLiteral("junk.avi"))),
            QStringLiteral("Not supported mediafile or codec not found.\n"));
}

TEST_F(EditItemTest, EditorScreenshot) {
  const QString mp3 = MakeMp3(QStringLiteral("shot.mp3"));
  editor.OpenFirstPage(AddEntry(mp3));
  ASSERT_FALSE(editor.memFileInfo->toPlainText().isEmpty());
  EXPECT_TRUE(editor.memFileInfo->toPlainText().startsWith(QStringLiteral("Media length: ")));
  EXPECT_TRUE(editor.grab().save(TestOutputFolder() + QStringLiteral("plwin-edititem.png")));
  editor.pcPages->setCurrentIndex(2);
  EXPECT_TRUE(editor.grab().save(TestOutputFolder() + QStringLiteral("plwin-edititem-id3v2.png")));
}
