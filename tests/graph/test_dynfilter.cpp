// The dynamic filter list on real GStreamer graphs.

#include <gtest/gtest.h>

#include <algorithm>

#include "graphtest.h"
#include "playback/dynfilter.h"
#include "testsupport.h"

namespace {

const auto kOut = ZPinDirection::Output;
const auto kIn = ZPinDirection::Input;

// A list whose filters are in a graph, with the test plugin's splitter loaded.
class DynFilterTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(ZLoadPluginFile(TestPluginFile())); }
  void TearDown() override {
    list.AttachToGraph(nullptr);
    ZForgetPluginFile(TestPluginFile());
  }
  void Add(const QString& filter, const QString& name) {
    ASSERT_TRUE(list.AddFromCategory(kDirectShowFilters, filter, name)) << filter.toStdString();
  }

  ZGraph graph;
  TDynFilter list;
};

}  // namespace

TEST_F(DynFilterTest, NamesAreUniqueIgnoringCase) {
  Add("Audio converter", QString());
  EXPECT_FALSE(list.AddFromCategory(kDirectShowFilters, "Audio converter"));
  EXPECT_FALSE(list.AddFromCategory(kDirectShowFilters, "audioresample", "AUDIO CONVERTER"));
  ASSERT_EQ(list.Items().size(), 1u);
  EXPECT_EQ(list.Items()[0].ScriptName, QStringLiteral("Audio converter"));
  EXPECT_EQ(list.Items()[0].Category, kDirectShowFilters);
  EXPECT_EQ(list.IndexOf("audio CONVERTER"), 0);

  ASSERT_TRUE(list.AddFromCategory(kAudioRenderers, kDefaultSoundDevice, "[Audio Renderer]"));
  EXPECT_EQ(list.IndexOf("[audio renderer]"), 1);
  EXPECT_EQ(list.FilterOf("[AUDIO RENDERER]").FactoryName(), QStringLiteral("autoaudiosink"));
  EXPECT_EQ(list.IndexOf("[Video Renderer]"), -1);
  EXPECT_FALSE(list.FilterOf("[Video Renderer]"));

  const ZFilter sink = ZFilter::Create("fakesink");
  EXPECT_TRUE(list.AddExisting(sink, "[DSP Filter]"));
  EXPECT_FALSE(list.AddExisting(ZFilter::Create("fakesink"), "[dsp filter]"));
  EXPECT_TRUE(list.Items()[2].Category.isEmpty());
  EXPECT_TRUE(list.Items()[2].BaseFilter == sink);
  EXPECT_TRUE(list.FilterOf("[DSP Filter]") == sink);
}

TEST_F(DynFilterTest, FiltersThatCannotBeBoundStayListed) {
  EXPECT_FALSE(list.AddFromCategory(kDirectShowFilters, "No Such Filter"));
  EXPECT_FALSE(list.AddFromCategory("No Such Category", "audioconvert", "convert"));
  // An audio renderer must be a sound output.
  EXPECT_FALSE(list.AddFromCategory(kAudioRenderers, "audioconvert", "not a renderer"));
  ASSERT_EQ(list.Items().size(), 3u);
  for (const TDynFilterItem& item : list.Items()) {
    EXPECT_FALSE(item.Ok);
    EXPECT_FALSE(item.FilterObject);
  }
  EXPECT_FALSE(list.AddFromCategory(QString(), "audioconvert"));
  EXPECT_FALSE(list.AddFromCategory(kDirectShowFilters, QString()));
  EXPECT_EQ(list.Items().size(), 3u);
  EXPECT_TRUE(list.AddExisting(ZFilter(), "nothing"));
  EXPECT_FALSE(list.Items().back().Ok);
  list.ClearFilters();
  EXPECT_TRUE(list.Items().empty());
}

TEST_F(DynFilterTest, AttachingMovesFiltersInAndOutWithoutFreeingThem) {
  Add("audiotestsrc", "source");
  Add("fakesink", "sink");
  list.AttachToGraph(&graph);
  EXPECT_EQ(list.Graph(), &graph);
  EXPECT_EQ(graph.Filters().size(), 2u);
  ASSERT_TRUE(list.ConnectByDirection("source", kOut, kIn, "sink"));
  list.AttachToGraph(nullptr);
  EXPECT_TRUE(graph.Filters().empty());
  ASSERT_TRUE(list.FilterOf("source"));
  EXPECT_EQ(list.FilterOf("source").FactoryName(), QStringLiteral("audiotestsrc"));
  // Without a graph nothing connects.
  EXPECT_FALSE(list.ConnectByDirection("source", kOut, kIn, "sink"));
  ZGraph other;
  list.AttachToGraph(&other);
  EXPECT_EQ(other.Filters().size(), 2u);
  list.ClearFilters();
  EXPECT_TRUE(other.Filters().empty());
}

TEST_F(DynFilterTest, BusyOutputPinsAreSkippedAndPartialNamesMatch) {
  Add("audiotestsrc", "source");
  Add("Zephonic Test Splitter", "split");
  Add("fakesink", "first");
  Add("fakesink", "second");
  // Not a sink, so that its free input does not keep the end of the stream from the bus.
  Add("queue", "third");
  list.AttachToGraph(&graph);
  list.FilterOf("source").SetProperty("num-buffers", 10);
  // The splitter has no queues: sinks that waited for their first buffer would block it.
  for (const char* sink : {"first", "second"}) {
    list.FilterOf(sink).SetProperty("async", false);
  }
  ASSERT_TRUE(list.ConnectByPinName("source", "src", "put", "split"));
  // "Out" is part of the longer pin names "Output1" and "Output2".
  ASSERT_TRUE(list.ConnectByPinName("split", "Out", QString(), "first"));
  const ZFilter split = list.FilterOf("split");
  const auto pins = split.Pins();
  ASSERT_EQ(pins.size(), 3u);
  EXPECT_EQ(pins[1].name, QStringLiteral("Output1"));
  EXPECT_TRUE(split.PinConnected(1));
  EXPECT_FALSE(split.PinConnected(2));
  // The first output is taken: the next free output of the same direction is used.
  ASSERT_TRUE(list.ConnectByDirection("split", kOut, kIn, "second"));
  EXPECT_TRUE(split.PinConnected(2));
  EXPECT_FALSE(list.ConnectByDirection("split", kOut, kIn, "third"));
  EXPECT_FALSE(list.ConnectByPinName("split", "Out", QString(), "missing"));
  EXPECT_TRUE(PlayToEnd(graph, 10000));
}

TEST_F(DynFilterTest, DefaultSoundDevicePlaysATone) {
  ScratchFolder scratch;
  const QString wav = MakeToneFile(scratch.file("tone.wav"), 0.3);
  Add("File Source", "reader");
  Add("Audio converter", "convert");
  ASSERT_TRUE(
      list.AddFromCategory(kAudioRenderers, "default directsound device", "[Audio Renderer]"));
  list.AttachToGraph(&graph);
  ASSERT_TRUE(list.FilterOf("reader").LoadSourceFile(wav));
  ASSERT_TRUE(list.ConnectByDirection("reader", kOut, kIn, "convert"));
  ASSERT_TRUE(list.ConnectByDirection("convert", kOut, kIn, "[Audio Renderer]"));
  EXPECT_TRUE(PlayToEnd(graph, 10000));
}

TEST(DynFilterCatalogue, ListsEveryFactoryWithItsPins) {
  const TDynFilterDSFilters filters = TDynFilter::ListSystemFilters();
  const auto all = ZSystemFilters();
  ASSERT_EQ(filters.size(), all.size());
  const auto tee = std::find_if(filters.begin(), filters.end(),
                                [](const auto& f) { return f.Name == "Tee pipe fitting"; });
  ASSERT_NE(tee, filters.end());
  EXPECT_EQ(tee->ClassId, ZFilterClassId("tee"));
  ASSERT_EQ(tee->Pins.size(), 2u);
  const int outputs = std::count_if(tee->Pins.begin(), tee->Pins.end(),
                                    [](const auto& pin) { return pin.Direction == 1; });
  EXPECT_EQ(outputs, 1);
  // The same order on every call.
  const TDynFilterDSFilters again = TDynFilter::ListSystemFilters();
  ASSERT_EQ(again.size(), filters.size());
  EXPECT_TRUE(std::equal(filters.begin(), filters.end(), again.begin(),
                         [](const auto& a, const auto& b) { return a.ClassId == b.ClassId; }));
}
