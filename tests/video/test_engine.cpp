// The graph engine through the player core: each kind opens, plays to its end and hands over to
// the next entry; the controls act on the graph; failures give the catalogue's errors.

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "base/programpath.h"

#include "videotest.h"

namespace {

bool HasLine(const QStringList& lines, const QString& line) {
  return lines.contains(line);
}

}  // namespace

TEST_F(VideoTest, MatroskaPlaysWithItsTracksAndTheOggFileFollows) {
  Add(MakeMatroska("film.mkv"));
  Add(MakeOgg("clip.ogm"));
  config_.PlayModeIndex = pmNextUntilEnd;
  player_->PlayEntry(0);
  ASSERT_TRUE(Playing(0)) << windows_.title.toStdString();
  EXPECT_TRUE(engine_->Active());

  EXPECT_TRUE(view_.shown);
  EXPECT_EQ(view_.nativeSize, QSize(160, 120));
  EXPECT_EQ(view_.mode, dmWindow);
  EXPECT_EQ(view_.audio, QStringList({"English - Director", "German"}));
  EXPECT_EQ(view_.audioChecked, 0);
  EXPECT_EQ(view_.subtitles, QStringList({"English"}));
  EXPECT_EQ(view_.subtitleChecked, -1);  // "VidDefaultSubtitleFailed" is off
  const QStringList log = LogLines();
  for (const char* line :
       {"  FileName: ", "  Type: Video (DirectShow)", "  Size: 160 x 120",
        "  Audio tracks:", "    English - Director", "    German",
        "  Subtitle tracks:", "          English", "  DSP: TRUE", "  PlaylistIndex: [0]"}) {
    const QString wanted = QString::fromUtf8(line);
    EXPECT_TRUE(wanted.endsWith(": ") ? log.filter(wanted).size() == 1 : HasLine(log, wanted))
        << line;
  }
  EXPECT_EQ(log.indexOf("  DSP: TRUE") + 1, log.indexOf("  PlaylistIndex: [0]"));

  // Pictures reach the window while it plays; then the Ogg file starts by itself.
  EXPECT_TRUE(PlayUntil([&] { return view_.frames.count > 10; }, 5000));
  ASSERT_TRUE(PlayUntil([&] { return Playing(1); }, 10000));
  EXPECT_EQ(view_.audio, QStringList({"Deutsch"}));
  EXPECT_TRUE(view_.subtitles.isEmpty());
  EXPECT_TRUE(HasLine(LogLines(), "  PlaylistIndex: [1]"));
  // And the list ends after it.
  EXPECT_TRUE(PlayUntil([&] { return !player_->State().ItemLoaded; }, 10000));
  EXPECT_FALSE(engine_->Active());
}

TEST_F(VideoTest, PauseSeekVolumeBalanceAndSpeedActOnTheGraph) {
  Add(MakeMatroska("long.mkv", 6));
  player_->PlayEntry(0);
  ASSERT_TRUE(Playing(0));
  ASSERT_TRUE(PlayUntil([&] { return engine_->Position() > 3000000; }, 5000));

  player_->TogglePause();
  EXPECT_TRUE(view_.paused);
  const qint64 pausedAt = engine_->Position();
  PlayUntil([] { return false; }, 400);
  EXPECT_LT(std::abs(engine_->Position() - pausedAt), 200000);
  player_->TogglePause();
  EXPECT_FALSE(view_.paused);
  EXPECT_TRUE(PlayUntil([&] { return engine_->Position() > pausedAt + 2000000; }, 3000));

  // The position bar at 5 of 6 seconds.
  windows_.bar.Position = 5;
  player_->SeekToBar();
  EXPECT_TRUE(PlayUntil([&] { return engine_->Position() >= 50000000; }, 3000));

  GstElement* volume = FindElement("volume");
  GstElement* panorama = FindElement("audiopanorama");
  ASSERT_TRUE(volume && panorama);
  double level = 0;
  g_object_get(volume, "volume", &level, nullptr);
  EXPECT_DOUBLE_EQ(level, 1.0);
  for (int i = 0; i < 5; ++i) {
    player_->VolumeDown();
  }
  g_object_get(volume, "volume", &level, nullptr);
  EXPECT_GT(level, 0.0);
  EXPECT_LT(level, 1.0);

  windows_.balance = 150;  // towards the right: the left channel goes down
  player_->ApplyBalance();
  float pan = 0;
  g_object_get(panorama, "panorama", &pan, nullptr);
  EXPECT_GT(pan, 0.0f);
  windows_.balance = 0;  // fully left
  player_->ApplyBalance();
  g_object_get(panorama, "panorama", &pan, nullptr);
  EXPECT_FLOAT_EQ(pan, -1.0f);

  player_->SetSpeed(8);  // twice normal
  EXPECT_DOUBLE_EQ(engine_->Graph().Rate(), 2.0);
}

TEST_F(VideoTest, AudioFileHidesTheVideoAndHandsOverAtItsEnd) {
  Add(MakeAiff("sound.aiff"));
  Add(MakeAiff("after.aiff"));
  config_.PlayModeIndex = pmNextUntilEnd;
  view_.shown = true;
  player_->PlayEntry(0);
  ASSERT_TRUE(Playing(0));
  EXPECT_FALSE(view_.shown);
  EXPECT_TRUE(view_.audio.isEmpty());
  const QStringList log = LogLines();
  EXPECT_TRUE(HasLine(log, "  Type: Audio (DirectSound)"));
  EXPECT_TRUE(log.filter("Size:").isEmpty());
  // The analyser gets its data from the DSP element in the graph.
  std::array<int, 512> spectrum{};
  EXPECT_TRUE(PlayUntil([&] { return engine_->SpectrumData(&spectrum); }, 3000));
  EXPECT_TRUE(PlayUntil([&] { return Playing(1); }, 6000));
}

TEST_F(VideoTest, DspOffLeavesTheFilterOutAndSaysSo) {
  config_.DCDSPFilterActive = false;
  Add(MakeAiff("plain.aiff", 1));
  player_->PlayEntry(0);
  ASSERT_TRUE(Playing(0));
  EXPECT_TRUE(HasLine(LogLines(), "  DSP: FALSE"));
  EXPECT_EQ(FindElement("zephonicdsp"), nullptr);
  std::array<int, 512> spectrum{};
  EXPECT_FALSE(engine_->SpectrumData(&spectrum));
}

TEST_F(VideoTest, NetworkVideoPlaysFromAServerAndEnds) {
  FileServer server(ReadBytes(MakeMatroska("net.mkv")));
  const QString url = QStringLiteral("http://127.0.0.1:%1/live.asx").arg(server.Port());
  playlist_.Add("live", url, false, "00", "00:00:00");
  Add(MakeAiff("next.aiff", 1));
  config_.PlayModeIndex = pmNextUntilEnd;
  player_->PlayEntry(0);
  ASSERT_TRUE(Playing(0)) << windows_.title.toStdString();
  EXPECT_TRUE(windows_.titles.contains("Connecting..."));
  EXPECT_FALSE(windows_.barEnabled);
  EXPECT_TRUE(HasLine(LogLines(), "  FileName: " + url));
  EXPECT_EQ(view_.audio.size(), 2);
  EXPECT_TRUE(PlayUntil([&] { return Playing(1); }, 8000));
  EXPECT_GT(view_.frames.count, 25);
}

TEST_F(VideoTest, VideoCdSequencePlaysToItsEnd) {
  Add(MakeVideoCd("VCD"));
  player_->PlayEntry(0);
  ASSERT_TRUE(Playing(0)) << windows_.title.toStdString();
  EXPECT_EQ(view_.nativeSize, QSize(352, 288));
  EXPECT_TRUE(PlayUntil([&] { return !player_->State().ItemLoaded; }, 10000));
  EXPECT_GT(view_.frames.count, 20);
}

TEST_F(VideoTest, BrokenAndMissingItemsGiveTheCatalogueErrors) {
  ReportCapture reports;
  WriteBytes(scratch_.file("broken.avi"), QByteArray(4096, 'x'));
  Add(scratch_.file("broken.avi"));
  Add(scratch_.file("MPEG2/AVSEQ01.MPG"));
  playlist_.Add("dead", "mms://127.0.0.1:1/none", false, "00", "00:00:00");
  windows_.SetTitleText("Before");

  player_->PlayEntry(0);
  EXPECT_FALSE(player_->State().ItemLoaded);
  EXPECT_EQ(windows_.title, "Before");
  EXPECT_EQ(windows_.status, spStopped);
  player_->PlayEntry(1);
  player_->PlayEntry(2);
  ASSERT_EQ(reports.reports().size(), 3u);
  EXPECT_TRUE(reports.reports()[0].text.contains("broken.avi"));
  EXPECT_FALSE(reports.reports()[0].text.contains(scratch_.path()));
  EXPECT_TRUE(reports.reports()[1].text.contains(
      "SVCD can´t load because medium is not inserted or codec not found."));
  EXPECT_TRUE(reports.reports()[2].text.contains("mms://127.0.0.1:1/none"));
  for (const auto& report : reports.reports()) {
    EXPECT_TRUE(report.text.contains("1001")) << report.text.toStdString();
    EXPECT_FALSE(report.fatal);
  }
  EXPECT_FALSE(engine_->Active());
  const QStringList log = LogLines();
  // A stream logs its block only once it could be rendered.
  EXPECT_EQ(log.count("Playing..."), 2);
  EXPECT_TRUE(HasLine(log, "  FileName: " + scratch_.file("broken.avi")));
}

// The Matroska script of the program's data folder builds the graph on a real file: the
// demuxer shows its pins only as patterns until data flows, and those pins are connected when
// they appear.
class MatroskaScriptVideoTest : public VideoTest {
 protected:
  void SetUp() override {
    VideoTest::SetUp();
    const QString folder = DataPath() + "dsgraphs/";
    QDir().mkpath(folder);
    ASSERT_TRUE(QFile::copy(ZEPHONIC_SOURCE_DIR "/data/dsgraphs/Matroska.zgraph",
                            folder + "Matroska.zgraph"));
    config_.Graphs = {{"Matroska", "Matroska"}};
    engine_->Scripts().BuildScriptCatalogue();
  }
};

TEST_F(MatroskaScriptVideoTest, ConnectsTheDemuxerPinsWhenTheyAppear) {
  const QString film = MakeMatroska("scripted.mkv", 2);
  ASSERT_GE(engine_->Scripts().ChooseScript(film), 0);
  Add(film);
  Add(MakeAiff("after.aiff", 1));
  config_.PlayModeIndex = pmNextUntilEnd;
  player_->PlayEntry(0);
  ASSERT_TRUE(Playing(0)) << windows_.title.toStdString();
  EXPECT_FALSE(engine_->Scripts().ScriptError());
  const QStringList log = LogLines();
  EXPECT_TRUE(HasLine(log, "  Use Media Graph Script: Matroska"));
  EXPECT_TRUE(HasLine(log, "  Type: Video (DirectShow)"));
  EXPECT_EQ(view_.nativeSize, QSize(160, 120));
  EXPECT_NE(FindElement("zephonicdsp"), nullptr);
  EXPECT_TRUE(PlayUntil([&] { return view_.frames.count > 25; }, 4000));
  std::array<int, 512> spectrum{};
  EXPECT_TRUE(engine_->SpectrumData(&spectrum));
  EXPECT_TRUE(PlayUntil([&] { return Playing(1); }, 5000));
}

// The demuxer offers a sound pin pattern for every file; in a file without sound nothing ever
// feeds the sound chain connected to it, and the graph must still start and reach its end.
TEST_F(MatroskaScriptVideoTest, VideoWithoutSoundOpensAndEnds) {
  const QString film = MakeSilentMatroska("mute.mkv", 2);
  ASSERT_GE(engine_->Scripts().ChooseScript(film), 0);
  Add(film);
  Add(MakeAiff("after.aiff", 1));
  config_.PlayModeIndex = pmNextUntilEnd;
  ReportCapture reports;
  player_->PlayEntry(0);
  ASSERT_TRUE(Playing(0)) << windows_.title.toStdString();
  EXPECT_TRUE(reports.reports().empty());
  EXPECT_EQ(view_.nativeSize, QSize(160, 120));
  EXPECT_TRUE(view_.audio.isEmpty());
  EXPECT_TRUE(PlayUntil([&] { return view_.frames.count > 25; }, 4000));
  EXPECT_TRUE(PlayUntil([&] { return Playing(1); }, 5000));
}

TEST_F(VideoTest, DebugSettingWritesTheGraphsOwnMessagesToDxlog) {
  const QString dxlog = scratch_.file("dxlog.txt");
  Add(MakeAiff("quiet.aiff", 1));
  player_->PlayEntry(0);
  ASSERT_TRUE(Playing(0));
  player_->Stop();
  EXPECT_FALSE(QFileInfo::exists(dxlog));

  config_.DebugEnabled = true;
  player_->PlayEntry(0);
  ASSERT_TRUE(Playing(0));
  player_->Stop();
  const QByteArray text = ReadBytes(dxlog);
  // Lines name the elements of our graph, such as the decoder of the automatic path.
  EXPECT_TRUE(text.contains("uridecodebin3")) << text.left(400).toStdString();
}

// H.264 with reordered frames and AAC sound, like most files people play: the decoder holds its
// last frames until the demuxer ends, which waits for the sound, so those frames come late. They
// must still reach the window, and each picture only once (the prerolled one is not handed over
// again when play starts).
TEST_F(VideoTest, EveryFrameOfAFileWithSoundReachesTheWindowOnce) {
  const QString film = scratch_.file("reordered.mkv");
  ASSERT_EQ(RunProgram("ffmpeg", {"-v", "error", "-f", "lavfi", "-i",
                                  "testsrc=size=160x120:rate=25:duration=2", "-f", "lavfi", "-i",
                                  "sine=f=440:d=2", "-c:v", "libx264", "-preset", "veryfast",
                                  "-pix_fmt", "yuv420p", "-c:a", "aac", film}),
            0);
  QString probe;
  ASSERT_EQ(RunProgram("ffprobe",
                       {"-v", "error", "-select_streams", "v:0", "-count_packets", "-show_entries",
                        "stream=nb_read_packets", "-of", "csv=p=0", film},
                       &probe),
            0);
  const int frames = probe.trimmed().toInt();
  ASSERT_EQ(frames, 50);

  Add(film);
  player_->PlayEntry(0);
  ASSERT_TRUE(Playing(0));
  EXPECT_EQ(view_.frames.count, 1) << "the prerolled picture";
  ASSERT_TRUE(PlayUntil([&] { return !player_->State().ItemLoaded; }, 10000));
  EXPECT_EQ(view_.frames.count, frames);
}
