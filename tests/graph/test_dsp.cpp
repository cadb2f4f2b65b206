// The DSP filter in real graphs: its equalizer's gains and the analyser's data.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "components/dsp/zdsp.h"
#include "components/graph/gstref.h"
#include "components/graph/zgraphnative.h"
#include "components/sound/zsound.h"
#include "graphtest.h"
#include "testsupport.h"

namespace {

constexpr int kBuffers = 40;
constexpr int kFramesPerBuffer = 1024;
constexpr int kBand1k = 4;

struct Level {
  double sumSquares = 0;
  long samples = 0;
  int buffers = 0;
  double Rms() const { return samples ? std::sqrt(sumSquares / samples) : 0; }
};

// Adds the squares of the second half of the stream: by then a new gain has glided in.
GstPadProbeReturn Measure(GstPad*, GstPadProbeInfo* info, gpointer data) {
  auto* level = static_cast<Level*>(data);
  if (++level->buffers <= kBuffers / 2) {
    return GST_PAD_PROBE_OK;
  }
  GstMapInfo map;
  GstBuffer* buffer = GST_PAD_PROBE_INFO_BUFFER(info);
  if (gst_buffer_map(buffer, &map, GST_MAP_READ)) {
    const auto* samples = reinterpret_cast<const float*>(map.data);
    const size_t count = map.size / sizeof(float);
    for (size_t i = 0; i < count; ++i) {
      level->sumSquares += double(samples[i]) * samples[i];
    }
    level->samples += static_cast<long>(count);
    gst_buffer_unmap(buffer, &map);
  }
  return GST_PAD_PROBE_OK;
}

// The level of a tone of `frequency` after the DSP filter set up by `configure`.
double ToneLevelThrough(const std::function<void(TZDspFilter&)>& configure, int frequency = 1000) {
  ZGraph graph;
  TZDspFilter dsp;
  EXPECT_TRUE(dsp.Filter());
  configure(dsp);
  ZFilter source = ZFilter::Create("audiotestsrc");
  source.SetProperty("freq", frequency);
  source.SetProperty("volume", 0.25);
  source.SetProperty("num-buffers", kBuffers);
  source.SetProperty("samplesperbuffer", kFramesPerBuffer);
  ZFilter shape = ZFilter::Create("capsfilter");
  shape.SetProperty("caps", "audio/x-raw,format=F32LE,rate=44100,channels=2");
  ZFilter sink = ZFilter::Create("fakesink");
  sink.SetProperty("sync", false);
  for (const ZFilter& f : {source, shape, dsp.Filter(), sink}) {
    graph.Add(f);
  }
  EXPECT_TRUE(graph.Connect(source, ZPinDirection::Output, {}, shape, ZPinDirection::Input, {}));
  EXPECT_TRUE(
      graph.Connect(shape, ZPinDirection::Output, {}, dsp.Filter(), ZPinDirection::Input, {}));
  EXPECT_TRUE(
      graph.Connect(dsp.Filter(), ZPinDirection::Output, {}, sink, ZPinDirection::Input, {}));
  Level level;
  GstObjectPtr<GstPad> pad(gst_element_get_static_pad(ZNativeElement(sink), "sink"));
  gst_pad_add_probe(pad.get(), GST_PAD_PROBE_TYPE_BUFFER, Measure, &level, nullptr);
  EXPECT_TRUE(PlayToEnd(graph, 10000));
  EXPECT_GT(level.samples, 0);
  return level.Rms();
}

int PeakBin(const float* values, int count) {
  return static_cast<int>(std::max_element(values, values + count) - values);
}

}  // namespace

TEST(DspFilter, SixDecibelsOnTheKilohertzBandDoubleATone) {
  const double flat = ToneLevelThrough([](TZDspFilter&) {});
  EXPECT_NEAR(flat, 0.25 / std::sqrt(2.0), 0.005);
  // Position 18 of the band's bar: +6 dB.
  const double raised = ToneLevelThrough([](TZDspFilter& dsp) {
    dsp.SetEqualizerBand(kBand1k, static_cast<int>(18 * 200.0 / 24 - 100));
  });
  EXPECT_NEAR(raised / flat, std::pow(10.0, 6.0 / 20), 0.02);
  const double lowered =
      ToneLevelThrough([](TZDspFilter& dsp) { dsp.SetEqualizerBand(kBand1k, -100); });
  EXPECT_NEAR(20 * std::log10(lowered / flat), -12.0, 0.3);
  // A band far away leaves the tone alone.
  const double other = ToneLevelThrough([](TZDspFilter& dsp) { dsp.SetEqualizerBand(0, 100); });
  EXPECT_NEAR(other / flat, 1.0, 0.03);
}

TEST(DspFilter, SwitchedOffItPassesTheSoundUntouched) {
  const double flat = ToneLevelThrough([](TZDspFilter&) {});
  const double off = ToneLevelThrough([](TZDspFilter& dsp) {
    dsp.SetEqualizerBand(kBand1k, 100);
    dsp.SetEqualizerEnabled(false);
  });
  EXPECT_NEAR(off / flat, 1.0, 0.001);
  const double notProcessing = ToneLevelThrough([](TZDspFilter& dsp) {
    dsp.SetEqualizerBand(kBand1k, 100);
    dsp.SetProcessing(false);
  });
  EXPECT_NEAR(notProcessing / flat, 1.0, 0.001);
}

TEST(DspFilter, BandValuesAreKeptInRange) {
  TZDspFilter dsp;
  dsp.SetEqualizerBand(3, 250);
  EXPECT_EQ(dsp.EqualizerBand(3), 100);
  dsp.SetEqualizerBand(3, -250);
  EXPECT_EQ(dsp.EqualizerBand(3), -100);
  dsp.SetEqualizerBand(kDspBands, 50);
  EXPECT_EQ(dsp.EqualizerBand(kDspBands), 0);
  EXPECT_EQ(ZFindFilterFactory(kDspFilterName), QStringLiteral("zephonicdsp"));
}

TEST(DspFilter, AnalyserSeesTheToneInTheSameBinAsThroughTheSoundLibrary) {
  ScratchFolder scratch;
  const QString wav = MakeToneFile(scratch.file("tone.wav"), 0.5, 1000);

  ZGraph graph;
  TZDspFilter dsp;
  std::array<int, kDspSpectrumSize> graphValues{};
  EXPECT_FALSE(dsp.SpectrumData(&graphValues));
  ZFilter sink = ZFilter::Create("fakesink");
  sink.SetProperty("sync", false);
  ASSERT_TRUE(graph.RenderFile(wav, {dsp.Filter(), sink}, ZFilter()));
  ASSERT_TRUE(PlayToEnd(graph, 10000));
  ASSERT_TRUE(dsp.SpectrumData(&graphValues));
  std::vector<float> fromGraph(graphValues.begin(), graphValues.end());
  for (float& v : fromGraph) {
    v /= 1000;  // as the analyser takes them
  }

  ASSERT_TRUE(ZSoundInit(kZSoundMemoryDevice, 44100, 0));
  const ZSoundHandle channel = ZSoundOpenFile(wav.toStdString(), 0);
  ASSERT_NE(channel, 0u);
  ZSoundPlay(channel, false);
  std::vector<float> mixed;
  ZSoundRenderMemory(4096, &mixed);
  std::vector<float> fromSound;
  ASSERT_TRUE(ZSoundGetFft(channel, &fromSound));
  ZSoundFree();

  const int peak = PeakBin(fromSound.data(), 512);
  EXPECT_EQ(PeakBin(fromGraph.data(), 512), peak);
  EXPECT_EQ(peak, std::lround(1000.0 * 1024 / 44100));
  EXPECT_NEAR(fromGraph[peak], fromSound[peak], fromSound[peak] * 0.1);

  dsp.ClearSpectrumData();
  EXPECT_FALSE(dsp.SpectrumData(&graphValues));
}

TEST(DspFilter, NoAnalyserDataWhileCaptureIsOff) {
  TZDspFilter dsp;
  dsp.SetVisualEnabled(false);
  ZGraph graph;
  ZFilter source = ZFilter::Create("audiotestsrc");
  source.SetProperty("num-buffers", 20);
  ZFilter sink = ZFilter::Create("fakesink");
  sink.SetProperty("sync", false);
  for (const ZFilter& f : {source, dsp.Filter(), sink}) {
    graph.Add(f);
  }
  // The test source's format is converted on the way in.
  ASSERT_TRUE(
      graph.Connect(source, ZPinDirection::Output, {}, dsp.Filter(), ZPinDirection::Input, {}));
  ASSERT_TRUE(
      graph.Connect(dsp.Filter(), ZPinDirection::Output, {}, sink, ZPinDirection::Input, {}));
  ASSERT_TRUE(PlayToEnd(graph, 10000));
  std::array<int, kDspSpectrumSize> values{};
  EXPECT_FALSE(dsp.SpectrumData(&values));
  dsp.SetVisualEnabled(true);
  EXPECT_FALSE(dsp.SpectrumData(&values));
}
