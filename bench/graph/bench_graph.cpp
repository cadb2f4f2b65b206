// The DSP filter's cost per second of 48 kHz stereo against GStreamer's own ten-band equalizer,
// both in the same pipeline shape, caps and buffer size and with every band raised, so that
// neither passes through. Each figure is the median CPU time of several runs less that of the
// same pipeline without an element; the runs of the four pipelines take turns, so that a change
// in the machine's load meets all of them alike.

#include <QCoreApplication>
#include <QEventLoop>
#include <cstdio>
#include <functional>
#include <vector>

#include "../support/benchtiming.h"
#include "components/dsp/zdsp.h"
#include "components/graph/zgraph.h"

namespace {

constexpr int kRate = 48000;
constexpr int kFramesPerBuffer = 4800;
constexpr int kBuffers = 600;  // one minute of audio
constexpr double kAudioSeconds = double(kBuffers) * kFramesPerBuffer / kRate;
constexpr int kRuns = 9;

// Runs test source ! format ! `middle` ! sink to its end and returns the CPU seconds of the whole
// process (the streaming thread does the work); the graph is built before timing.
double TimePipeline(const std::function<ZFilter()>& middle) {
  ZGraph graph;
  ZFilter source = ZFilter::Create("audiotestsrc");
  source.SetProperty("num-buffers", kBuffers);
  source.SetProperty("samplesperbuffer", kFramesPerBuffer);
  ZFilter format = ZFilter::Create("capsfilter");
  format.SetProperty("caps", "audio/x-raw,format=F32LE,rate=48000,channels=2,layout=interleaved");
  ZFilter sink = ZFilter::Create("fakesink");
  sink.SetProperty("sync", false);
  std::vector<ZFilter> chain{source, format};
  if (ZFilter element = middle()) {
    chain.push_back(element);
  }
  chain.push_back(sink);
  for (size_t i = 0; i < chain.size(); ++i) {
    graph.Add(chain[i]);
    if (i > 0) {
      graph.Connect(chain[i - 1], ZPinDirection::Output, {}, chain[i], ZPinDirection::Input, {});
    }
  }
  // The loop sleeps until the end: polling for it would add CPU time that grows with the run's
  // wall time, and so with the machine's load.
  QEventLoop loop;
  bool ended = false;
  QObject::connect(&graph, &ZGraph::EndOfStream, &loop, [&] {
    ended = true;
    loop.quit();
  });
  const double start = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
  graph.SetState(ZGraphState::Playing);
  if (!ended) {
    loop.exec();
  }
  return CpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - start;
}

// Median CPU seconds of each pipeline, the runs taking turns.
std::vector<double> Medians(const std::vector<std::function<ZFilter()>>& middles) {
  std::vector<std::vector<double>> runs(middles.size());
  for (int run = 0; run < kRuns; ++run) {
    for (size_t i = 0; i < middles.size(); ++i) {
      runs[i].push_back(TimePipeline(middles[i]));
    }
  }
  std::vector<double> medians;
  for (const std::vector<double>& times : runs) {
    medians.push_back(Median(times));
  }
  return medians;
}

// The element keeps its settings after the controlling object is gone.
ZFilter OwnDsp(bool analyser) {
  TZDspFilter dsp;
  for (int band = 0; band < kDspBands; ++band) {
    dsp.SetEqualizerBand(band, 25);  // +3 dB
  }
  dsp.SetVisualEnabled(analyser);
  return dsp.Filter();
}

ZFilter GStreamerEqualizer() {
  ZFilter equalizer = ZFilter::Create("equalizer-10bands");
  for (int band = 0; band < 10; ++band) {
    equalizer.SetProperty(QStringLiteral("band%1").arg(band).toUtf8().constData(), 3.0);
  }
  return equalizer;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (!ZGraphInit()) {
    return 1;
  }
  const std::vector<double> medians =
      Medians({[] { return ZFilter(); }, [] { return OwnDsp(true); }, [] { return OwnDsp(false); },
               GStreamerEqualizer});
  const double empty = medians[0];
  const double ours = medians[1] - empty;
  const double equalizerOnly = medians[2] - empty;
  const double theirs = medians[3] - empty;
  std::printf("pipeline without an element: %.1f ms CPU for %.0f s of audio\n", empty * 1000,
              kAudioSeconds);
  std::printf("DSP filter:          %.3f ms per second of 48 kHz stereo\n",
              ours * 1000 / kAudioSeconds);
  std::printf("  without analyser:  %.3f ms per second of 48 kHz stereo\n",
              equalizerOnly * 1000 / kAudioSeconds);
  std::printf("equalizer-10bands:   %.3f ms per second of 48 kHz stereo\n",
              theirs * 1000 / kAudioSeconds);
  // The equalizer alone does the same work as equalizer-10bands: that ratio is the aim (<= 1).
  std::printf("ratio DSP filter / equalizer-10bands: %.2f (without analyser %.2f, aim <= 1)\n",
              ours / theirs, equalizerOnly / theirs);
  return 0;
}
