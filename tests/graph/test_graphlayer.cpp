// The graph layer on real GStreamer graphs.

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <algorithm>

#include "components/graph/gstref.h"
#include "components/graph/zgraphnative.h"
#include "graphtest.h"
#include "testsupport.h"

namespace {

bool HasFilterOf(const ZGraph& graph, const QString& factory) {
  const auto filters = graph.Filters();
  return std::any_of(filters.begin(), filters.end(),
                     [&](const ZFilter& f) { return f.FactoryName() == factory; });
}

QString NegotiatedCaps(const ZFilter& filter, const char* pad) {
  GstObjectPtr<GstPad> native(gst_element_get_static_pad(ZNativeElement(filter), pad));
  GstCapsPtr caps(gst_pad_get_current_caps(native.get()));
  GCharPtr text(caps ? gst_caps_to_string(caps.get()) : nullptr);
  return QString::fromUtf8(text.get());
}

ZFilter Make(const QString& factory,
             std::initializer_list<std::pair<const char*, QVariant>> props = {}) {
  ZFilter filter = ZFilter::Create(factory);
  EXPECT_TRUE(filter) << factory.toStdString();
  for (const auto& [name, value] : props) {
    EXPECT_TRUE(filter.SetProperty(name, value)) << name;
  }
  return filter;
}

}  // namespace

TEST(GraphLayer, SystemCatalogueIsOrderedAndStable) {
  ASSERT_TRUE(ZGraphInit());
  EXPECT_TRUE(ZGraphVersion().startsWith(QLatin1String("1.")));
  const auto filters = ZSystemFilters();
  ASSERT_GT(filters.size(), 50u);
  EXPECT_TRUE(std::is_sorted(filters.begin(), filters.end(),
                             [](const auto& a, const auto& b) { return a.name < b.name; }));
  const auto convert = std::find_if(filters.begin(), filters.end(),
                                    [](const auto& f) { return f.name == "audioconvert"; });
  ASSERT_NE(convert, filters.end());
  EXPECT_EQ(convert->longName, QStringLiteral("Audio converter"));
  ASSERT_EQ(convert->pins.size(), 2u);
  const auto sink = std::find_if(convert->pins.begin(), convert->pins.end(),
                                 [](const auto& pin) { return pin.name == "sink"; });
  ASSERT_NE(sink, convert->pins.end());
  EXPECT_EQ(sink->direction, ZPinDirection::Input);
  EXPECT_EQ(convert->classId, ZFilterClassId("audioconvert"));
  EXPECT_NE(convert->classId, ZFilterClassId("audioresample"));
  EXPECT_TRUE(QRegularExpression("^\\{[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}\\}$")
                  .match(ZClassIdText(convert->classId))
                  .hasMatch());
}

TEST(GraphLayer, FactoriesAreFoundByLongOrShortNameIgnoringCase) {
  EXPECT_EQ(ZFindFilterFactory("AUDIO CONVERTER"), QStringLiteral("audioconvert"));
  EXPECT_EQ(ZFindFilterFactory("AudioConvert"), QStringLiteral("audioconvert"));
  EXPECT_EQ(ZFindFilterFactory("No Such Filter"), QString());
  EXPECT_EQ(ZFindFilterFactory(QString()), QString());
  EXPECT_FALSE(ZFilter::Create("No Such Filter"));
  const ZFilter tee = ZFilter::Create("tee", "splitter");
  EXPECT_EQ(tee.Name(), QStringLiteral("splitter"));
  // Pads that come on request are offered by their template's name after the existing ones.
  EXPECT_EQ(tee.Pins(), (std::vector<ZPinInfo>{{"sink", ZPinDirection::Input},
                                               {"src_%u", ZPinDirection::Output}}));
}

TEST(GraphLayer, PropertiesConvertFromPlainValues) {
  ZFilter source = ZFilter::Create("audiotestsrc");
  EXPECT_TRUE(source.SetProperty("freq", 440));
  EXPECT_DOUBLE_EQ(source.Property("freq").toDouble(), 440.0);
  EXPECT_TRUE(source.SetProperty("wave", QStringLiteral("square")));
  EXPECT_EQ(source.Property("wave").toInt(), 1);
  EXPECT_TRUE(source.SetProperty("is-live", true));
  EXPECT_TRUE(source.Property("is-live").toBool());
  EXPECT_FALSE(source.SetProperty("no-such-property", 1));
  EXPECT_FALSE(source.Property("no-such-property").isValid());
}

TEST(GraphLayer, ConnectInsertsConvertersWhereFormatsDiffer) {
  ZGraph graph;
  ZFilter source = Make("audiotestsrc", {{"num-buffers", 20}});
  ZFilter shape = Make("capsfilter");
  ASSERT_TRUE(shape.SetProperty("caps", "audio/x-raw,format=S16LE,rate=44100,channels=2"));
  // The sink must not hold the end of the stream back until someone pulls its buffers.
  ZFilter sink = Make("appsink", {{"sync", false}, {"wait-on-eos", false}});
  ASSERT_TRUE(sink.SetProperty("caps", "audio/x-raw,format=F32LE,rate=22050,channels=2"));
  for (const ZFilter& f : {source, shape, sink}) {
    ASSERT_TRUE(graph.Add(f));
  }
  EXPECT_FALSE(graph.Add(sink));
  ASSERT_TRUE(graph.Connect(source, ZPinDirection::Output, {}, shape, ZPinDirection::Input, {}));
  EXPECT_FALSE(HasFilterOf(graph, "audioconvert"));
  // Given in the other order, the output side still feeds the input side.
  ASSERT_TRUE(graph.Connect(sink, ZPinDirection::Input, {}, shape, ZPinDirection::Output, {}));
  EXPECT_TRUE(HasFilterOf(graph, "audioconvert"));
  EXPECT_TRUE(HasFilterOf(graph, "audioresample"));
  ASSERT_TRUE(PlayToEnd(graph, 10000));
  EXPECT_TRUE(NegotiatedCaps(sink, "sink").contains("rate=(int)22050"));
}

TEST(GraphLayer, ConnectThatCannotWorkLeavesNothingBehind) {
  ZGraph graph;
  ZFilter source = Make("audiotestsrc");
  ZFilter video = Make("videoconvert");
  ZFilter outsider = Make("fakesink");
  graph.Add(source);
  graph.Add(video);
  EXPECT_FALSE(graph.Connect(source, ZPinDirection::Output, {}, video, ZPinDirection::Input, {}));
  EXPECT_EQ(graph.Filters().size(), 2u);
  EXPECT_FALSE(source.PinConnected(0));
  // Both ends must be in the graph, and one must be an output.
  EXPECT_FALSE(
      graph.Connect(source, ZPinDirection::Output, {}, outsider, ZPinDirection::Input, {}));
  EXPECT_FALSE(graph.Connect(source, ZPinDirection::Output, {}, video, ZPinDirection::Output, {}));
  EXPECT_FALSE(
      graph.Connect(source, ZPinDirection::Output, "nomatch", video, ZPinDirection::Input, {}));
}

TEST(GraphLayer, RequestPinsAreTakenOneAfterTheOther) {
  ZGraph graph;
  ZFilter source = Make("audiotestsrc", {{"num-buffers", 5}});
  ZFilter tee = Make("tee");
  // Without queues behind the tee, sinks waiting for their first buffer would block each other.
  ZFilter first = Make("fakesink", {{"async", false}});
  ZFilter second = Make("fakesink", {{"async", false}});
  for (const ZFilter& f : {source, tee, first, second}) {
    graph.Add(f);
  }
  ASSERT_TRUE(graph.Connect(source, ZPinDirection::Output, {}, tee, ZPinDirection::Input, {}));
  ASSERT_TRUE(graph.Connect(tee, ZPinDirection::Output, "src", first, ZPinDirection::Input, {}));
  ASSERT_TRUE(graph.Connect(tee, ZPinDirection::Output, "src", second, ZPinDirection::Input, {}));
  const auto pins = tee.Pins();
  ASSERT_EQ(pins.size(), 4u);
  EXPECT_EQ(pins[1].name, QStringLiteral("src_0"));
  EXPECT_EQ(pins[2].name, QStringLiteral("src_1"));
  EXPECT_TRUE(tee.PinConnected(1));
  EXPECT_TRUE(tee.PinConnected(2));
  // The input is taken now.
  EXPECT_FALSE(graph.Connect(source, ZPinDirection::Output, {}, tee, ZPinDirection::Input, {}));
  EXPECT_TRUE(PlayToEnd(graph, 10000));
}

TEST(GraphLayer, FileReaderIsDecodedBeforeRawInputs) {
  ScratchFolder scratch;
  const QString wav = MakeToneFile(scratch.file("tone.wav"), 0.5);
  ZGraph graph;
  ZFilter reader = Make("filesrc");
  ASSERT_TRUE(reader.HasSourceInterface());
  ASSERT_TRUE(reader.LoadSourceFile(wav));
  EXPECT_FALSE(Make("audioconvert").HasSourceInterface());
  ZFilter convert = Make("audioconvert");
  ZFilter sink = Make("fakesink", {{"sync", false}});
  for (const ZFilter& f : {reader, convert, sink}) {
    graph.Add(f);
  }
  ASSERT_TRUE(graph.Connect(reader, ZPinDirection::Output, {}, convert, ZPinDirection::Input, {}));
  EXPECT_TRUE(HasFilterOf(graph, "decodebin"));
  ASSERT_TRUE(graph.Connect(convert, ZPinDirection::Output, {}, sink, ZPinDirection::Input, {}));
  EXPECT_TRUE(PlayToEnd(graph, 10000));
}

TEST(GraphLayer, AutomaticPathPlaysSeeksAndChangesRate) {
  ScratchFolder scratch;
  const QString wav = MakeToneFile(scratch.file("tone.wav"), 2.0);
  ZGraph graph;
  ZFilter sink = Make("fakesink", {{"sync", true}});
  ASSERT_TRUE(graph.RenderFile(wav, {sink}, ZFilter()));
  ASSERT_TRUE(graph.SetState(ZGraphState::Paused));
  ASSERT_TRUE(graph.WaitForState(ZGraphState::Paused, 5000));
  EXPECT_NEAR(graph.Duration() / 1e9, 2.0, 0.05);
  ASSERT_TRUE(graph.Seek(qint64(1.5e9)));
  ASSERT_TRUE(graph.WaitForState(ZGraphState::Paused, 5000));
  EXPECT_NEAR(graph.Position() / 1e9, 1.5, 0.05);
  ASSERT_TRUE(graph.SetRate(2.0));
  EXPECT_DOUBLE_EQ(graph.Rate(), 2.0);
  ZGraphState reported = ZGraphState::Stopped;
  QObject::connect(&graph, &ZGraph::StateChanged, [&](ZGraphState s) { reported = s; });
  // Half a second of media at double speed: the end comes well within a second.
  ASSERT_TRUE(PlayToEnd(graph, 3000));
  EXPECT_EQ(reported, ZGraphState::Playing);
  EXPECT_EQ(graph.State(), ZGraphState::Playing);
  graph.Clear();
  EXPECT_TRUE(graph.Filters().empty());
  EXPECT_EQ(graph.State(), ZGraphState::Stopped);
}

TEST(GraphLayer, MissingFileIsReportedOnTheBus) {
  ScratchFolder scratch;
  ZGraph graph;
  ASSERT_TRUE(graph.RenderFile(scratch.file("missing.wav"), {Make("fakesink")}, ZFilter()));
  QString error;
  QObject::connect(&graph, &ZGraph::ErrorOccurred,
                   [&](const QString&, const QString& message) { error = message; });
  graph.SetState(ZGraphState::Playing);
  EXPECT_TRUE(ProcessEventsUntil([&] { return !error.isEmpty(); }, 5000));
}

TEST(GraphLayer, PluginFilesAreLoadedAndForgotten) {
  const QString plugin = TestPluginFile();
  EXPECT_TRUE(ZFindFilterFactory("Zephonic Test Splitter").isEmpty());
  ASSERT_TRUE(ZLoadPluginFile(plugin));
  EXPECT_EQ(ZFindFilterFactory("zephonic test splitter"), QStringLiteral("zephonictestsplitter"));
  EXPECT_EQ(ZFilter::Create("Zephonic Test Splitter").Pins().size(), 3u);
  ZForgetPluginFile(plugin);
  EXPECT_TRUE(ZFindFilterFactory("Zephonic Test Splitter").isEmpty());
  EXPECT_FALSE(ZFilter::Create("zephonictestsplitter"));
  const auto all = ZSystemFilters();
  EXPECT_TRUE(std::none_of(all.begin(), all.end(),
                           [](const auto& f) { return f.name == "zephonictestsplitter"; }));
  // Loading the file again brings it back.
  ASSERT_TRUE(ZLoadPluginFile(plugin));
  EXPECT_TRUE(ZFilter::Create("zephonictestsplitter"));
  ZForgetPluginFile(plugin);
  EXPECT_FALSE(ZLoadPluginFile(plugin + ".missing"));
}
