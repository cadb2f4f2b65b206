// The host side of filter-graph scripts, on real graphs with media made at test time.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <algorithm>

#include "base/programpath.h"
#include "base/zdebug.h"
#include "components/dsp/zdsp.h"
#include "config/config.h"
#include "graphtest.h"
#include "playback/graphscripts.h"
#include "testsupport.h"

namespace {

class TestHost : public TZGraphScriptHost {
 public:
  ZGraph& Graph() override { return graph; }
  ZFilter VideoRenderer() override { return video; }
  ZFilter DspFilter() override { return dsp.Filter(); }
  void PrepareGraph() override { ++prepared; }
  void RebuildDvdMenus() override { ++dvdMenus; }
  void CheckDvdMode() override { ++dvdMode; }

  ZGraph graph;
  TZDspFilter dsp;
  ZFilter video = ZFilter::Create(QStringLiteral("fakesink"));
  int prepared = 0;
  int dvdMenus = 0;
  int dvdMode = 0;
};

// A program folder with its data folders, its log and the graph list.
class GraphScriptsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetProgramPath(scratch.path());
    for (const char* folder : {"data/dsgraphs", "data/dvdgraphs", "data/temp"}) {
      QDir().mkpath(scratch.file(folder));
    }
    SetZDebug(std::make_unique<TZDebug>(scratch.file("zephonic.log")));
    config.Graphs.clear();
    scripts.SetSettleTime(0);
  }
  void TearDown() override {
    scripts.UnregisterScriptFilters();
    filters.AttachToGraph(nullptr);
    SetZDebug(nullptr);
  }

  void WriteScript(const QString& name, const QString& text, const char* folder = "dsgraphs") {
    WriteBytes(scratch.file(QStringLiteral("data/%1/%2.zgraph").arg(folder, name)), text.toUtf8());
  }
  void Enable(const QString& type, const QString& script) {
    config.Graphs.push_back({type, script});
  }
  QStringList LogLines() const {
    QFile log(scratch.file("zephonic.log"));
    return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()).split("\r\n")
                                         : QStringList();
  }
  QString ScriptFor(const QString& file) const {
    const int index = scripts.ChooseScript(file);
    return index < 0 ? QString() : scripts.Catalogue()[index].Name;
  }

  ScratchFolder scratch;
  TZConfig config;
  TestHost host;
  TDynFilter filters;
  TZGraphScripts scripts{config, filters, host};
};

QString Filetypes(const QString& type, const QStringList& extensions,
                  const QStringList& names = {}) {
  QString text = QStringLiteral("void Filetypes() {\n  SetTypeName(\"%1\");\n").arg(type);
  for (const QString& extension : extensions) {
    text += QStringLiteral("  AddFileType(\"%1\");\n").arg(extension);
  }
  for (const QString& name : names) {
    text += QStringLiteral("  AddFileName(\"%1\");\n").arg(name);
  }
  return text + "}\n";
}

// Reads the file, decodes it and plays it through the DSP filter into the sound output.
const QString kToneScript =
    QString::fromUtf8(ReadBytes(QStringLiteral(ZGRAPH_TEST_SCRIPTS "/tone.zgraph")));

}  // namespace

TEST_F(GraphScriptsTest, CatalogueHoldsScriptsThatClaimFilesAndTheLastEnabledOneWins) {
  WriteScript("a", Filetypes("Video", {".avi"}));
  WriteScript("b", Filetypes("Video", {".AVI"}));
  WriteScript("c", Filetypes("Video", {}));
  WriteScript("d", "void Filetypes() {\n  SetTypeName(\"Video\")\n");
  WriteScript("e", Filetypes("Named", {}, {"movie.xyz"}));
  WriteScript("f", "void Filter() {\n}\n");
  Enable("video", "A");
  Enable("Video", "b");
  Enable("Named", "e");
  scripts.BuildScriptCatalogue();
  ASSERT_EQ(scripts.Catalogue().size(), 3u);
  EXPECT_EQ(scripts.Catalogue()[0].Name, QStringLiteral("a"));
  EXPECT_EQ(scripts.Catalogue()[1].FileTypes, QStringList{".AVI"});
  EXPECT_EQ(scripts.Catalogue()[2].FileNames, QStringList{"movie.xyz"});
  EXPECT_EQ(ScriptFor("/films/clip.avi"), QStringLiteral("b"));
  EXPECT_EQ(ScriptFor("/films/MOVIE.XYZ"), QStringLiteral("e"));
  EXPECT_EQ(ScriptFor("/films/clip.mkv"), QString());
  EXPECT_EQ(ScriptFor("/films/avi"), QString());
  // A script that is not enabled for its type is never chosen.
  config.Graphs.removeAt(1);
  EXPECT_EQ(ScriptFor("/films/clip.avi"), QStringLiteral("a"));
  config.Graphs.clear();
  EXPECT_EQ(ScriptFor("/films/clip.avi"), QString());
}

TEST_F(GraphScriptsTest, ScriptPlaysAFileThroughTheDspFilterToItsEnd) {
  const QString wav = MakeToneFile(scratch.file("tone.wav"), 0.5);
  WriteScript("tone", kToneScript);
  Enable("Tone", "tone");
  scripts.BuildScriptCatalogue();
  ASSERT_TRUE(scripts.OpenMediaWithScript(wav));
  EXPECT_FALSE(scripts.ScriptError());
  EXPECT_EQ(scripts.SourceFilter().Property("location").toString(), wav);
  EXPECT_TRUE(LogLines().contains("Use Media Graph Script: tone"));
  EXPECT_TRUE(LogLines().contains("  Compile script successfully."));
  EXPECT_EQ(ZDebug()->Level(), 0);
  // The unused video renderer left the graph; the others are in it.
  EXPECT_FALSE(host.graph.Contains(host.video));
  EXPECT_TRUE(host.graph.Contains(host.dsp.Filter()));
  EXPECT_EQ(filters.IndexOf("[video renderer]"), 4);
  EXPECT_EQ(host.prepared, 0);
  ASSERT_TRUE(PlayToEnd(host.graph, 10000));
  std::array<int, kDspSpectrumSize> spectrum{};
  EXPECT_TRUE(host.dsp.SpectrumData(&spectrum));
}

TEST_F(GraphScriptsTest, ScriptDeletedAfterTheCatalogueWasBuiltTakesThePlainPath) {
  const QString file = MakeToneFile(scratch.file("tone.wav"), 0.3);
  WriteScript("tone", kToneScript);
  Enable("Tone", "tone");
  scripts.BuildScriptCatalogue();
  ASSERT_TRUE(QFile::remove(scratch.file("data/dsgraphs/tone.zgraph")));
  ASSERT_TRUE(scripts.OpenMediaWithScript(file));
  EXPECT_FALSE(LogLines().join("\n").contains("Use Media Graph Script"));
  EXPECT_EQ(host.prepared, 1);
  EXPECT_TRUE(PlayToEnd(host.graph, 10000));
  // The file's sound went through the DSP filter; it has no picture for the renderer.
  EXPECT_TRUE(host.graph.Contains(host.dsp.Filter()));
  EXPECT_FALSE(host.graph.Contains(host.video));
}

TEST_F(GraphScriptsTest, FirstExportOfANameStaysIgnoringCase) {
  const QString wav = MakeToneFile(scratch.file("tone.wav"), 0.2);
  WriteScript("tone", Filetypes("Tone", {".wav"}) + R"zg(
void Filter() {
  AddFilter("filesrc");
  AddFilter("fakesink");
  Export("[FileSource]", "filesrc");
  Export("[filesource]", "fakesink");
  Export("Other", "fakesink");
}
void Connect() {
  ConnectPinsAuto("filesrc", "fakesink");
}
)zg");
  Enable("Tone", "tone");
  scripts.BuildScriptCatalogue();
  ASSERT_TRUE(scripts.OpenMediaWithScript(wav));
  ASSERT_EQ(scripts.Exports().size(), 2u);
  EXPECT_EQ(scripts.Exports()[0].FilterName, QStringLiteral("filesrc"));
  EXPECT_EQ(scripts.SourceFilter().FactoryName(), QStringLiteral("filesrc"));
}

TEST_F(GraphScriptsTest, FailuresAreLoggedAndTheScriptRunsOnButTheOpenFails) {
  const QString wav = MakeToneFile(scratch.file("tone.wav"), 0.2);
  WriteScript("tone", Filetypes("Tone", {".wav"}) + R"zg(
void Filter() {
  AddFilter("No Such Filter");
  AddFilter("audiotestsrc");
  AddFilter("audiotestsrc");
}
void Connect() {
  AddFilter("fakesink");
}
)zg");
  Enable("Tone", "tone");
  scripts.BuildScriptCatalogue();
  EXPECT_FALSE(scripts.OpenMediaWithScript(wav));
  const QStringList log = LogLines();
  EXPECT_TRUE(log.contains("  AddFilter: No Such Filter failed."));
  EXPECT_TRUE(log.contains("  AddFilter: audiotestsrc failed."));
  EXPECT_EQ(scripts.FailedFilters(), (QStringList{"No Such Filter", "audiotestsrc"}));
  EXPECT_TRUE(filters.FilterOf("audiotestsrc"));
  // Connect is not called after a failed Filter.
  EXPECT_EQ(filters.IndexOf("fakesink"), -1);
  EXPECT_TRUE(host.graph.Filters().empty());
}

TEST_F(GraphScriptsTest, ConnectFailuresAreLoggedWithTheirPins) {
  const QString wav = MakeToneFile(scratch.file("tone.wav"), 0.2);
  WriteScript("tone", Filetypes("Tone", {".wav"}) + R"zg(
void Filter() {
  AddFilter("audiotestsrc");
  AddFilter("videoconvert");
}
void Connect() {
  ConnectPins("audiotestsrc", "src", "videoconvert", "sink");
  ConnectPinsAuto("audiotestsrc", "nothing");
}
)zg");
  Enable("Tone", "tone");
  scripts.BuildScriptCatalogue();
  EXPECT_FALSE(scripts.OpenMediaWithScript(wav));
  const QStringList log = LogLines();
  EXPECT_TRUE(log.contains("  ConnectPins:  audiotestsrc [src] > videoconvert [sink] failed."));
  EXPECT_TRUE(log.contains("  ConnectPinsAuto:  audiotestsrc > nothing failed."));
}

TEST_F(GraphScriptsTest, ScriptThatDoesNotCompileIsReportedAndNotPlayedOtherwise) {
  const QString wav = MakeToneFile(scratch.file("tone.wav"), 0.2);
  WriteScript("tone", Filetypes("Tone", {".wav"}));
  Enable("Tone", "tone");
  scripts.BuildScriptCatalogue();
  ASSERT_EQ(scripts.Catalogue().size(), 1u);
  // Broken after the catalogue was built.
  WriteScript("tone", "void Filter() {\n  AddFilter(\"filesrc\")\n}\n");
  ReportCapture reports;
  EXPECT_FALSE(scripts.OpenMediaWithScript(wav));
  ASSERT_EQ(reports.reports().size(), 1u);
  EXPECT_TRUE(reports.reports()[0].text.contains("Syntax error in directshow graph script:"));
  EXPECT_TRUE(reports.reports()[0].text.contains("TZDirectShowScriptEngine"));
  EXPECT_TRUE(reports.reports()[0].text.contains("tone.zgraph:2:"));
  const QStringList log = LogLines();
  const int failed = log.indexOf("  Compile script failed, errors occured:");
  ASSERT_GE(failed, 0);
  EXPECT_TRUE(log[failed + 1].contains("tone.zgraph:2:"));
  EXPECT_EQ(host.prepared, 0);
  EXPECT_TRUE(host.graph.Filters().empty());
}

TEST_F(GraphScriptsTest, ScriptWithoutFilterOrConnectFails) {
  const QString wav = MakeToneFile(scratch.file("tone.wav"), 0.2);
  WriteScript("tone", Filetypes("Tone", {".wav"}) + "void Filter() {\n}\n");
  Enable("Tone", "tone");
  scripts.BuildScriptCatalogue();
  EXPECT_FALSE(scripts.OpenMediaWithScript(wav));
  WriteScript("tone", Filetypes("Tone", {".wav"}) + "void Connect() {\n}\n");
  EXPECT_FALSE(scripts.OpenMediaWithScript(wav));
}

TEST_F(GraphScriptsTest, RegisteredFilterFilesAreFoundUsedAndForgotten) {
  const QString wav = MakeToneFile(scratch.file("tone.wav"), 0.2);
  const QString plugin = scratch.file("filters/extra/libgstzephonictest.so");
  QDir().mkpath(scratch.file("filters/extra"));
  ASSERT_TRUE(QFile::copy(TestPluginFile(), plugin));
  WriteScript("tone", Filetypes("Tone", {".wav"}) + R"zg(
void Filter() {
  RegisterFilter("LIBGSTZEPHONICTEST.SO");
  RegisterFilter("missing.so");
  AddFilter("audiotestsrc");
  AddFilter("Zephonic Test Splitter");
  AddFilter("fakesink");
}
void Connect() {
  ConnectPinsAuto("audiotestsrc", "Zephonic Test Splitter");
  ConnectPins("Zephonic Test Splitter", "Out", "fakesink", "");
}
)zg");
  Enable("Tone", "tone");
  scripts.BuildScriptCatalogue();
  ASSERT_TRUE(scripts.OpenMediaWithScript(wav));
  EXPECT_EQ(scripts.RegisteredFilters(), QStringList{plugin});
  EXPECT_TRUE(LogLines().contains("  Register Filter: " + plugin));
  // "Out" is part of the pin name "Output1".
  EXPECT_TRUE(filters.FilterOf("Zephonic Test Splitter").PinConnected(1));

  scripts.UnregisterScriptFilters();
  EXPECT_TRUE(LogLines().contains("UnRegister Filter: " + plugin));
  EXPECT_TRUE(scripts.RegisteredFilters().isEmpty());
  EXPECT_TRUE(ZFindFilterFactory("Zephonic Test Splitter").isEmpty());
  // A script that does not register the file again no longer finds its filter.
  WriteScript("tone", Filetypes("Tone", {".wav"}) + R"zg(
void Filter() {
  AddFilter("Zephonic Test Splitter");
}
void Connect() {
}
)zg");
  EXPECT_FALSE(scripts.OpenMediaWithScript(wav));
  EXPECT_TRUE(LogLines().contains("  AddFilter: Zephonic Test Splitter failed."));
}

TEST_F(GraphScriptsTest, HostFunctionsCalledDirectly) {
  auto functions = scripts.HostFunctions();
  const auto call = [&](const char* name, std::vector<TZScriptValue> args = {}) {
    return functions.at(name)(args);
  };
  call("AddFilterScanDir", {TZScriptValue::String("\\filters\\extra")});
  EXPECT_TRUE(scripts.SearchFolders().contains("/filters/extra"));
  EXPECT_EQ(call("GetFilterCount").number, 0);
  ASSERT_TRUE(filters.AddFromCategory(kDirectShowFilters, "audiotestsrc", "source"));
  ASSERT_TRUE(filters.AddFromCategory(kDirectShowFilters, "Tee pipe fitting"));
  filters.AttachToGraph(&host.graph);
  call("GetFilters");
  ASSERT_EQ(call("GetFilterCount").number, 2);
  for (const qint64 index : {qint64(-1), qint64(2)}) {
    const TZScriptValue none = call("GetFilter", {TZScriptValue::Int(index)});
    ASSERT_EQ(none.fields.size(), 3u);
    EXPECT_EQ(none.fields[0].first, "name");
    EXPECT_TRUE(none.fields[0].second.text.isEmpty());
    EXPECT_TRUE(none.fields[1].second.text.isEmpty());
    EXPECT_EQ(none.fields[2].second.number, 0);
  }
  const TZScriptValue source = call("GetFilter", {TZScriptValue::Int(0)});
  EXPECT_EQ(source.fields[0].second.text, "source");
  EXPECT_EQ(QString::fromUtf8(source.fields[1].second.text),
            ZClassIdText(ZFilterClassId("audiotestsrc")));
  EXPECT_EQ(source.fields[2].second.number, 1);
  const TZScriptValue tee = call("GetFilter", {TZScriptValue::Int(1)});
  EXPECT_EQ(tee.fields[0].second.text, "Tee pipe fitting");
  EXPECT_EQ(tee.fields[2].second.number, 2);
  const TZScriptValue pin = call("GetPin", {TZScriptValue::Int(1), TZScriptValue::Int(1)});
  EXPECT_EQ(pin.fields[0].second.text, "src_%u");
  EXPECT_EQ(pin.fields[1].second.number, 1);
  for (const auto& [f, p] : {std::pair{-1, 0}, {1, 2}, {2, 0}}) {
    const TZScriptValue outside = call("GetPin", {TZScriptValue::Int(f), TZScriptValue::Int(p)});
    EXPECT_TRUE(outside.fields[0].second.text.isEmpty());
    EXPECT_EQ(outside.fields[1].second.number, 0);
  }
  EXPECT_LT(call("strcomp", {TZScriptValue::String("A"), TZScriptValue::String("a")}).number, 0);
  EXPECT_EQ(call("strcomp", {TZScriptValue::String("ab"), TZScriptValue::String("ab")}).number, 0);
  EXPECT_GT(call("strcomp", {TZScriptValue::String("b"), TZScriptValue::String("a")}).number, 0);
}

TEST_F(GraphScriptsTest, LongTypeNamesAreCut) {
  WriteScript("long", Filetypes(QString(300, 'T'), {"." + QString(300, 'x')}));
  Enable(QString(255, 'T'), "long");
  scripts.BuildScriptCatalogue();
  ASSERT_EQ(scripts.Catalogue().size(), 1u);
  EXPECT_EQ(scripts.Catalogue()[0].TypeName.size(), 255);
  EXPECT_EQ(scripts.Catalogue()[0].FileTypes[0].size(), 255);
}

TEST_F(GraphScriptsTest, DvdWithoutItsScriptIsBuiltAutomatically) {
  ReportCapture reports;
  config.DVDGraph = QStringLiteral("missing");
  EXPECT_FALSE(scripts.OpenDvdWithScript(scratch.file("nodisc/VIDEO_TS/VIDEO_TS.IFO")));
  EXPECT_TRUE(LogLines().contains("DVD Graph Script not found, trying to autocreate."));
  ASSERT_EQ(reports.reports().size(), 1u);
  EXPECT_TRUE(
      reports.reports()[0].text.contains("The specified DVD volume to be played does not exist."));
  EXPECT_EQ(host.dvdMenus, 0);
}

TEST_F(GraphScriptsTest, DvdScriptWithoutNavigatorFails) {
  ReportCapture reports;
  QDir().mkpath(scratch.file("disc/VIDEO_TS"));
  config.DVDGraph = QStringLiteral("GPL MPEG 1-2 & AC3Filter");
  WriteScript(config.DVDGraph, "void Filter() {\n}\nvoid Connect() {\n}\n", "dvdgraphs");
  EXPECT_FALSE(scripts.OpenDvdWithScript(scratch.file("disc/VIDEO_TS/VIDEO_TS.IFO")));
  const QStringList log = LogLines();
  EXPECT_TRUE(log.contains("Use DVD Graph Script: GPL MPEG 1-2 & AC3Filter"));
  EXPECT_TRUE(log.contains("  DVD Directory: " + scratch.file("disc/VIDEO_TS")));
  EXPECT_EQ(reports.reports().size(), 1u);
  EXPECT_TRUE(host.graph.Filters().empty());
}

TEST_F(GraphScriptsTest, DvdWithoutItsScriptPlaysThroughTheAutomaticGraph) {
  const QString ifo = MakeDvd(scratch.path() + "media");
  config.DVDGraph = QStringLiteral("missing");
  ASSERT_TRUE(scripts.OpenDvdWithScript(ifo));
  EXPECT_TRUE(LogLines().contains("DVD Graph Script not found, trying to autocreate."));
  EXPECT_TRUE(scripts.DvdNavigator());
  EXPECT_EQ(host.dvdMenus, 1);
  EXPECT_EQ(host.dvdMode, 1);
  EXPECT_TRUE(ProcessEventsUntil([&] { return host.graph.Position() > 300'000'000; }, 10000));
  // Opening it again while the graph is active carries on with it instead of building anew.
  const auto decoders = [&] {
    const auto all = host.graph.Filters();
    return std::count_if(all.begin(), all.end(),
                         [](const ZFilter& f) { return f.FactoryName() == "uridecodebin"; });
  };
  EXPECT_EQ(decoders(), 1);
  ASSERT_TRUE(scripts.OpenDvdWithScript(ifo));
  EXPECT_EQ(host.dvdMenus, 2);
  EXPECT_EQ(decoders(), 1);
}

TEST_F(GraphScriptsTest, ScriptSeesTheGraphThroughTheSnapshot) {
  const QString wav = MakeToneFile(scratch.file("tone.wav"), 0.2);
  WriteScript("tone", Filetypes("Tone", {".wav"}) + R"zg(
void Filter() {
  AddFilter("audiotestsrc");
  AddFilter("Tee pipe fitting");
}
void Connect() {
  GetFilters();
  sDSFilter = GetFilter(-1);
  if (strcomp(sDSFilter.name, "") == 0 && strcomp(sDSFilter.guid, "") == 0 &&
      sDSFilter.numpins == 0) {
    sDSFilter = GetFilter(1);
    sDSPin = GetPin(1, 0);
    if (strcomp(sDSFilter.name, "Tee pipe fitting") == 0 && sDSPin.dir == 0)
      ConnectPins("audiotestsrc", "", "Tee pipe fitting", sDSPin.name);
  }
}
)zg");
  Enable("Tone", "tone");
  scripts.BuildScriptCatalogue();
  ASSERT_TRUE(scripts.OpenMediaWithScript(wav));
  EXPECT_TRUE(filters.FilterOf("audiotestsrc").PinConnected(0));
}

TEST_F(GraphScriptsTest, LogThatCannotBeWrittenDoesNotStopTheGraph) {
  const QString wav = MakeToneFile(scratch.file("tone.wav"), 0.2);
  WriteScript("tone", kToneScript);
  Enable("Tone", "tone");
  scripts.BuildScriptCatalogue();
  SetZDebug(std::make_unique<TZDebug>(scratch.file("missing/folder/zephonic.log")));
  ASSERT_THROW(ZLog("probe"), std::runtime_error);
  EXPECT_TRUE(scripts.OpenMediaWithScript(wav));
  EXPECT_TRUE(PlayToEnd(host.graph, 10000));
}

TEST_F(GraphScriptsTest, ShippedScriptsAreCatalogued) {
  const QDir shipped(QStringLiteral(ZEPHONIC_SOURCE_DIR "/data/dsgraphs"));
  for (const QString& file : shipped.entryList({"*.zgraph"}, QDir::Files)) {
    ASSERT_TRUE(QFile::copy(shipped.filePath(file), scratch.file("data/dsgraphs/" + file)));
  }
  scripts.BuildScriptCatalogue();
  ASSERT_EQ(scripts.Catalogue().size(),
            static_cast<size_t>(shipped.entryList({"*.zgraph"}).size()));
  EXPECT_TRUE(std::any_of(scripts.Catalogue().begin(), scripts.Catalogue().end(),
                          [](const TFilterGraphScript& s) { return s.TypeName == "Tracker"; }));
  // The default graph list enables the tracker script.
  config.Graphs = TZConfig::DefaultGraphs();
  EXPECT_EQ(ScriptFor("/music/song.xm"), QStringLiteral("Tracker"));
}
