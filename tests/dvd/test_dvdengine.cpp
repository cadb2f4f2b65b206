// The DVD engine on a disc made at test time: the title menu and its buttons, titles, chapters,
// the disc's streams, the time read-out, the ISO image, and a missing disc.

#include <QSignalSpy>
#include <algorithm>

#include "dvdenginetest.h"
#include "testsupport.h"

namespace {

// The strongest bin of the DSP's spectrum.
int PeakBin(const std::array<int, 512>& spectrum) {
  return static_cast<int>(std::max_element(spectrum.begin() + 2, spectrum.end()) -
                          spectrum.begin());
}

// A point on the left edge of a button's outline, halfway down.
QPoint OnOutline(const QRect& button) {
  return {button.left() + TestDvd::kFrameWidth / 2, button.center().y()};
}

// The subtitle's white bar at its middle and near both ends: a moving picture is unlikely to be
// white at all three at once.
bool ShowsSubtitle(const QImage& frame) {
  const QPoint middle = TestDvd::kSubtitlePoint;
  return !frame.isNull() && IsWhite(frame, middle) && IsWhite(frame, middle - QPoint(90, 0)) &&
         IsWhite(frame, middle + QPoint(210, 0));
}

// The mean of the red, green and blue values over a grid across the picture; -1 without one.
double MeanLevel(const QImage& frame) {
  if (frame.isNull()) {
    return -1;
  }
  double sum = 0;
  int count = 0;
  for (int y = 8; y < frame.height(); y += 16) {
    for (int x = 8; x < frame.width(); x += 16) {
      const QColor color = frame.pixelColor(x, y);
      sum += color.red() + color.green() + color.blue();
      count += 3;
    }
  }
  return sum / count;
}

TEST_F(DvdEngineTest, MissingDiscFileIsReportedAndNothingPlays) {
  const QString missing = dvd_.Folder + QStringLiteral("-gone/VIDEO_TS/VIDEO_TS.IFO");
  const std::optional<TZOpenError> error = Open(missing);
  ASSERT_TRUE(error);
  EXPECT_EQ(error->Id, 1000);
  EXPECT_EQ(error->Tag, QStringLiteral("TZDVD"));
  EXPECT_EQ(error->Detail, missing);
  EXPECT_FALSE(engine_->Active());
  EXPECT_FALSE(engine_->DvdShowMenu(dmRoot));
  EXPECT_FALSE(engine_->DvdNextChapter());
  EXPECT_EQ(view_.sink.Frames(), 0);
}

TEST_F(DvdEngineTest, FolderWithoutADiscFailsToOpen) {
  ScratchFolder scratch;
  const QString ifo = scratch.file(QStringLiteral("VIDEO_TS/VIDEO_TS.IFO"));
  WriteBytes(ifo, QByteArray("not a video manager").repeated(200));
  const std::optional<TZOpenError> error = Open(ifo);
  ASSERT_TRUE(error);
  EXPECT_EQ(error->Tag, QStringLiteral("TZDVD"));
  EXPECT_NE(error->Id, 1000);
  EXPECT_FALSE(engine_->Active());
  EXPECT_EQ(ZDebug()->Level(), 0);
}

TEST_F(DvdEngineTest, TitleMenuShowsAndItsButtonStartsTitleTwo) {
  OpenMenu(dvd_.Ifo);
  EXPECT_TRUE(engine_->Active());
  EXPECT_TRUE(view_.pictureShown);
  EXPECT_EQ(view_.pictureSize, QSize(TestDvd::kWidth, TestDvd::kHeight));
  EXPECT_TRUE(view_.menuForDvd);
  EXPECT_FALSE(view_.paused);
  EXPECT_TRUE(windows_.videoMenu);
  EXPECT_TRUE(view_.filters.contains(QStringLiteral("rsndvdbin0")) ||
              std::any_of(view_.filters.begin(), view_.filters.end(),
                          [](const QString& name) { return name.startsWith("rsndvdbin"); }));
  // "Jump to": title 1 with three chapters, title 2 as a single entry.
  EXPECT_EQ(view_.jumpTargets, (std::vector<int>{3, 1}));
  const QString log = Log();
  for (const char* line :
       {"Playing...", "  FileName: ", "  DVD Graph Script not found, trying to autocreate.",
        "  Type: DVD (DirectShow)", "  Size: 720 x 480", "  DSP: TRUE", "  PlaylistIndex: [0]"}) {
    EXPECT_TRUE(log.contains(QLatin1String(line))) << line << "\n" << log.toStdString();
  }

  const QImage menu = view_.sink.Last();
  ASSERT_FALSE(menu.isNull());
  // The buttons' fills: yellow on the left, green on the right, over navy.
  const QColor left = menu.pixelColor(TestDvd::kTitle1Button);
  const QColor right = menu.pixelColor(TestDvd::kTitle2Button);
  EXPECT_GT(left.red(), 180);
  EXPECT_GT(left.green(), 180);
  EXPECT_LT(right.red(), 100);
  EXPECT_GT(right.green(), 90);

  QSignalSpy domain(engine_.get(), &TZDvdEngine::DomainChanged);
  engine_->DvdPointerMoved(TestDvd::kTitle2Button);
  engine_->DvdPointerReleased(TestDvd::kTitle2Button);
  ASSERT_TRUE(WaitWithEvents([this] { return engine_->State().Title == 2; }, 8000));
  EXPECT_FALSE(engine_->State().InMenu);
  ASSERT_GE(domain.count(), 1);
  EXPECT_FALSE(domain.last().at(0).toBool());
}

TEST_F(DvdEngineTest, KeysChooseTheOtherButton) {
  OpenMenu(dvd_.Ifo);
  // The first button is selected at the start; one step right selects title 2's.
  EXPECT_EQ(engine_->State().Button, 1);
  EXPECT_TRUE(engine_->DvdMenuKey(TZDvdEngine::Key::Right));
  ASSERT_TRUE(WaitWithEvents([this] { return engine_->State().Button == 2; }, 3000))
      << engine_->State().Button;
  EXPECT_TRUE(engine_->DvdMenuKey(TZDvdEngine::Key::Activate));
  ASSERT_TRUE(WaitWithEvents([this] { return engine_->State().Title == 2; }, 8000))
      << engine_->State().Title;
}

TEST_F(DvdEngineTest, MenuPictureOutlinesTheSelectedButton) {
  OpenMenu(dvd_.Ifo);
  const QPoint title1 = OnOutline(TestDvd::kTitle1Frame);
  const QPoint title2 = OnOutline(TestDvd::kTitle2Frame);
  // The first button starts selected: its outline is drawn, the other's not.
  ASSERT_TRUE(WaitWithEvents([&] { return IsWhite(view_.sink.Last(), title1); }, 3000))
      << qPrintable(view_.sink.Last().pixelColor(title1).name());
  EXPECT_FALSE(IsWhite(view_.sink.Last(), title2));
  // Away from the outline the button keeps its own fill.
  EXPECT_FALSE(IsWhite(view_.sink.Last(), TestDvd::kTitle1Button));

  // The highlight moves with the keys and with the pointer.
  EXPECT_TRUE(engine_->DvdMenuKey(TZDvdEngine::Key::Right));
  ASSERT_TRUE(WaitWithEvents(
      [&] {
        const QImage frame = view_.sink.Last();
        return IsWhite(frame, title2) && !IsWhite(frame, title1);
      },
      3000));
  SaveFrame(view_.sink.Last(), "menu.png");
  engine_->DvdPointerMoved(TestDvd::kTitle1Button);
  EXPECT_TRUE(WaitWithEvents(
      [&] {
        const QImage frame = view_.sink.Last();
        return IsWhite(frame, title1) && !IsWhite(frame, title2);
      },
      3000));
  EXPECT_TRUE(engine_->State().InMenu);
}

TEST_F(DvdEngineTest, ChosenSubtitleIsDrawnIntoThePictureAndHiddenOnRequest) {
  OpenMenu(dvd_.Ifo);
  PlayTitle(1);
  ASSERT_TRUE(WaitWithEvents([this] { return view_.subtitles.size() == 1; }, 3000));

  // Hidden: a second and a half of pictures (more than one subtitle's cycle) never show it.
  ASSERT_TRUE(engine_->DvdSelectSubpictureStream(0));
  ASSERT_TRUE(engine_->DvdSetSubpictureShown(false));
  ASSERT_TRUE(WaitWithEvents([this] { return !engine_->State().SubpictureShown; }, 2000));
  const int framesBefore = view_.sink.Frames();
  EXPECT_FALSE(WaitWithEvents([this] { return ShowsSubtitle(view_.sink.Last()); }, 1500));
  EXPECT_GT(view_.sink.Frames(), framesBefore + 20);

  ASSERT_TRUE(engine_->DvdSetSubpictureShown(true));
  ASSERT_TRUE(WaitWithEvents([this] { return engine_->State().SubpictureShown; }, 2000));
  QImage shown;
  ASSERT_TRUE(WaitWithEvents(
      [&] {
        shown = view_.sink.Last();
        return ShowsSubtitle(shown);
      },
      3000));
  SaveFrame(shown, "subtitle.png");
}

TEST_F(DvdEngineTest, TimeReadOutAdvancesWithinTheTitleTime) {
  OpenMenu(dvd_.Ifo);
  PlayTitle(2);
  ASSERT_TRUE(WaitWithEvents([this] { return engine_->State().PositionMs > 700; }, 5000));
  const qint64 titleTime = engine_->State().TitleTimeMs;
  EXPECT_NEAR(titleTime, 2000, 300);
  EXPECT_TRUE(windows_.barEnabled);
  EXPECT_EQ(windows_.bar.Maximum, titleTime);
  EXPECT_GT(windows_.bar.Position, 0);
  EXPECT_FALSE(windows_.timeRemaining);
  ASSERT_GE(windows_.times.size(), 2u);
  EXPECT_TRUE(std::is_sorted(windows_.times.begin(), windows_.times.end()));
  EXPECT_GT(windows_.times.back(), windows_.times.front());
  EXPECT_EQ(engine_->Duration(), titleTime * 10000);
  EXPECT_GT(engine_->Position(), 0);
  // Back in the menu the bar is refused again.
  ASSERT_TRUE(engine_->DvdShowMenu(dmTitle));
  ASSERT_TRUE(WaitWithEvents([this] { return engine_->State().InMenu; }, 5000));
  ASSERT_TRUE(WaitWithEvents([this] { return !windows_.barEnabled; }, 2000));
  EXPECT_EQ(windows_.bar.Maximum, 100);
}

TEST_F(DvdEngineTest, ChaptersStepForwardAndBack) {
  OpenMenu(dvd_.Ifo);
  PlayTitle(1);
  ASSERT_TRUE(WaitWithEvents([this] { return engine_->State().Chapter == 1; }, 3000))
      << engine_->State().Chapter;
  ASSERT_TRUE(engine_->DvdNextChapter());
  ASSERT_TRUE(WaitWithEvents([this] { return engine_->State().Chapter == 2; }, 3000))
      << engine_->State().Chapter;
  EXPECT_EQ(view_.checkedJump, std::make_pair(1, 2));
  ASSERT_TRUE(engine_->DvdPreviousChapter());
  ASSERT_TRUE(WaitWithEvents([this] { return engine_->State().Chapter == 1; }, 3000))
      << engine_->State().Chapter;
  EXPECT_EQ(view_.checkedJump, std::make_pair(1, 1));
}

TEST_F(DvdEngineTest, JumpToAChapterOfAnotherTitle) {
  OpenMenu(dvd_.Ifo);
  ASSERT_TRUE(engine_->DvdPlayChapter(1, 3));
  ASSERT_TRUE(WaitWithEvents(
      [this] { return engine_->State().Title == 1 && engine_->State().Chapter == 3; }, 8000))
      << engine_->State().Title << "/" << engine_->State().Chapter;
}

TEST_F(DvdEngineTest, SecondAudioStreamAndSubtitleAreChosen) {
  OpenMenu(dvd_.Ifo);
  PlayTitle(1);
  ASSERT_TRUE(WaitWithEvents(
      [this] { return view_.audio.size() == 2 && view_.subtitles.size() == 1; }, 3000));
  EXPECT_EQ(view_.audio, (QStringList{QStringLiteral("English"), QStringLiteral("German")}));
  EXPECT_EQ(view_.subtitles, QStringList{QStringLiteral("French")});
  EXPECT_EQ(engine_->State().AudioLanguages, (QStringList{"en", "de"}));
  ASSERT_TRUE(WaitWithEvents([this] { return view_.audioChecked == 0; }, 2000));

  std::array<int, 512> spectrum{};
  ASSERT_TRUE(WaitWithEvents(
      [&] { return engine_->SpectrumData(&spectrum) && PeakBin(spectrum) > 0; }, 2000));
  // 440 Hz in bins of 48000 / 1024 Hz.
  EXPECT_NEAR(PeakBin(spectrum), 9, 1);

  ASSERT_TRUE(engine_->DvdSelectAudioStream(1));
  ASSERT_TRUE(WaitWithEvents([this] { return engine_->State().AudioStream == 1; }, 2000));
  EXPECT_EQ(view_.audioChecked, 1);
  EXPECT_TRUE(WaitWithEvents(
      [&] { return engine_->SpectrumData(&spectrum) && std::abs(PeakBin(spectrum) - 19) <= 1; },
      2000))
      << PeakBin(spectrum);

  ASSERT_TRUE(engine_->DvdSelectSubpictureStream(0));
  ASSERT_TRUE(WaitWithEvents([this] { return engine_->State().SubpictureStream == 0; }, 2000));
  ASSERT_TRUE(engine_->DvdSetSubpictureShown(true));
  ASSERT_TRUE(WaitWithEvents([this] { return engine_->State().SubpictureShown; }, 2000));
  EXPECT_EQ(view_.subtitleChecked, 0);
  ASSERT_TRUE(engine_->DvdSetSubpictureShown(false));
  ASSERT_TRUE(WaitWithEvents([this] { return !engine_->State().SubpictureShown; }, 2000));
  EXPECT_EQ(view_.subtitleChecked, -1);
  EXPECT_FALSE(engine_->DvdSelectAudioStream(2));
}

TEST_F(DvdEngineTest, ColourControlsActOnTheDiscPicture) {
  OpenMenu(dvd_.Ifo);
  PlayTitle(1);
  ASSERT_TRUE(WaitWithEvents([this] { return engine_->State().PositionMs > 300; }, 5000));
  const double plain = MeanLevel(view_.sink.Last());
  ASSERT_GT(plain, 0);
  ASSERT_LT(plain, 180);

  TZColourControls brighter;
  brighter.Brightness = 5000;
  engine_->SetColourControls(brighter);
  double level = 0;
  EXPECT_TRUE(WaitWithEvents(
      [&] {
        level = MeanLevel(view_.sink.Last());
        return level > plain + 60;
      },
      3000))
      << plain << " -> " << level;

  // Back to the neutral controls: the disc's own levels again.
  engine_->SetColourControls(TZColourControls{});
  EXPECT_TRUE(WaitWithEvents(
      [&] {
        level = MeanLevel(view_.sink.Last());
        return std::abs(level - plain) < 25;
      },
      3000))
      << plain << " -> " << level;
}

TEST_F(DvdEngineTest, IsoImageOfTheDiscPlays) {
  TestDvd dvd = dvd_;
  QString error;
  ASSERT_TRUE(MakeTestDvdImage(&dvd, &error)) << error.toStdString();
  OpenMenu(dvd.Image);
  EXPECT_EQ(view_.jumpTargets, (std::vector<int>{3, 1}));
  PlayTitle(2);
}

// A program folder whose "DVDGraph" script builds the graph.
class DvdScriptTest : public DvdEngineTest {
 protected:
  void SetUp() override {
    DvdEngineTest::SetUp();
    config_.DVDGraph = QStringLiteral("Navigator Only");
  }
  void WriteScript(const QByteArray& text) {
    WriteBytes(programFolder_.file(QStringLiteral("data/dvdgraphs/Navigator Only.zgraph")), text);
  }
  // The script the player chooses by default, as shipped.
  void UseShippedScript() {
    config_.DVDGraph = TZConfig().DVDGraph;
    const QString name = QStringLiteral("/data/dvdgraphs/") + config_.DVDGraph + ".zgraph";
    ASSERT_TRUE(QDir().mkpath(programFolder_.file(QStringLiteral("data/dvdgraphs"))));
    ASSERT_TRUE(
        QFile::copy(QStringLiteral(ZEPHONIC_SOURCE_DIR) + name, programFolder_.path() + name));
  }
  // The script's navigator drives the menu as the engine's own does.
  void ChooseTitle2WithThePointer() {
    engine_->DvdPointerMoved(TestDvd::kTitle2Button);
    engine_->DvdPointerReleased(TestDvd::kTitle2Button);
    ASSERT_TRUE(WaitWithEvents([this] { return engine_->State().Title == 2; }, 8000));
    ASSERT_TRUE(WaitWithEvents([this] { return view_.audio.size() == 2; }, 3000));
  }
};

TEST_F(DvdScriptTest, ScriptChosenForDiscsBuildsTheGraph) {
  WriteScript(R"zg(
void Filter() {
  AddFilter("rsndvdbin");
  Export("[DVD Navigator]", "rsndvdbin");
}
void Connect() {
  ConnectPins("rsndvdbin", "video", "[Video Renderer]", "video");
  ConnectPins("rsndvdbin", "subpicture", "[Video Renderer]", "subpicture");
  ConnectPins("rsndvdbin", "audio", "[Video Renderer]", "audio");
}
)zg");
  OpenMenu(dvd_.Ifo);
  const QString log = Log();
  for (const QString& line :
       {QStringLiteral("  Use DVD Graph Script: Navigator Only"),
        QStringLiteral("    Compile script successfully."),
        QStringLiteral("    DVD Directory: ") + QFileInfo(dvd_.Ifo).absolutePath()}) {
    EXPECT_TRUE(log.contains(line)) << line.toStdString() << "\n" << log.toStdString();
  }
  EXPECT_FALSE(log.contains(QLatin1String("trying to autocreate")));
  ChooseTitle2WithThePointer();
}

// Discs are opened and freed again and again; each time the script builds a graph of its own.
TEST_F(DvdScriptTest, ShippedDefaultScriptPlaysTheDiscAndItsImage) {
  UseShippedScript();
  OpenMenu(dvd_.Ifo);
  EXPECT_TRUE(Log().contains(QStringLiteral("Use DVD Graph Script: ") + config_.DVDGraph));
  ChooseTitle2WithThePointer();
  engine_->Free(mkDvd, false);

  TestDvd dvd = dvd_;
  QString error;
  ASSERT_TRUE(MakeTestDvdImage(&dvd, &error)) << error.toStdString();
  OpenMenu(dvd.Image);
  EXPECT_TRUE(Log().contains(QStringLiteral("DVD Directory: ") + dvd.Image)) << Log().toStdString();
  EXPECT_EQ(view_.jumpTargets, (std::vector<int>{3, 1}));
  ChooseTitle2WithThePointer();
}

TEST_F(DvdScriptTest, ScriptThatDoesNotCompileFailsTheDisc) {
  WriteScript("void Filter( {\n");
  ReportCapture reports;
  const std::optional<TZOpenError> error = Open(dvd_.Ifo);
  ASSERT_TRUE(error);
  EXPECT_TRUE(error->Reported);  // the script host's messages are the only ones
  EXPECT_FALSE(engine_->Active());
  EXPECT_EQ(view_.sink.Frames(), 0);
  // The compiler's error, then the disc's: the script left no navigator.
  ASSERT_EQ(reports.reports().size(), 2u);
  EXPECT_TRUE(reports.reports()[1].text.contains(QLatin1String("TZDVD")))
      << reports.reports()[1].text.toStdString();
  EXPECT_TRUE(reports.reports().front().text.contains(QLatin1String("3100")) ||
              reports.reports().front().text.contains(QLatin1String("TZDirectShowScriptEngine")))
      << reports.reports().front().text.toStdString();
  EXPECT_TRUE(Log().contains(QLatin1String("Compile script failed, errors occured:")));
}

TEST_F(DvdScriptTest, ScriptWithoutANavigatorFailsTheDisc) {
  WriteScript("void Filter() {\n  AddFilter(\"fakesink\");\n}\nvoid Connect() {\n}\n");
  ReportCapture reports;
  const std::optional<TZOpenError> error = Open(dvd_.Ifo);
  ASSERT_TRUE(error);
  EXPECT_TRUE(error->Reported);
  EXPECT_FALSE(engine_->Active());
  EXPECT_EQ(view_.sink.Frames(), 0);
  EXPECT_EQ(reports.reports().size(), 1u);
}

TEST_F(DvdEngineTest, FreeStopsTheDiscAndHidesTheWindow) {
  OpenMenu(dvd_.Ifo);
  engine_->Free(mkDvd, true);
  EXPECT_FALSE(engine_->Active());
  EXPECT_TRUE(windows_.videoHidden);
  EXPECT_FALSE(windows_.videoMenu);
  EXPECT_TRUE(view_.sink.Last().isNull());
  EXPECT_TRUE(view_.jumpTargets.empty());
  EXPECT_FALSE(engine_->DvdPlayChapter(1, 1));
  EXPECT_EQ(engine_->Position(), 0);
}

}  // namespace
