// Opening a file through a filter-graph script against opening it through the automatic path,
// each up to a graph that is ready to play (paused with its first buffer). The fixed 500 ms wait
// that both paths make once is left out of both and printed apart.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

#include "../support/benchtiming.h"
#include "base/programpath.h"
#include "components/dsp/zdsp.h"
#include "config/config.h"
#include "playback/graphscripts.h"

namespace {

constexpr int kRuns = 15;

class Host : public TZGraphScriptHost {
 public:
  ZGraph& Graph() override { return graph; }
  ZFilter VideoRenderer() override { return ZFilter(); }
  ZFilter DspFilter() override { return dsp.Filter(); }
  void PrepareGraph() override {}
  void RebuildDvdMenus() override {}
  void CheckDvdMode() override {}

  ZGraph graph;
  TZDspFilter dsp;
};

// Opens the file, waits until the graph is ready to play, and empties it again.
double TimeOpen(TZGraphScripts& scripts, TDynFilter& filters, Host& host, const QString& file) {
  const double seconds = Time<std::milli>([&] {
    if (!scripts.OpenMediaWithScript(file) || !host.graph.SetState(ZGraphState::Paused) ||
        !host.graph.WaitForState(ZGraphState::Paused, 10000)) {
      std::abort();
    }
  });
  filters.AttachToGraph(nullptr);
  filters.ClearFilters();
  host.graph.Clear();
  return seconds;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QTemporaryDir home;
  SetProgramPath(home.path() + '/');
  QDir().mkpath(home.filePath("data/dsgraphs"));
  // The tests' script that plays a ".wav" file through the DSP filter.
  if (!QFile::copy(ZGRAPH_TEST_SCRIPTS "/tone.zgraph",
                   home.filePath("data/dsgraphs/tone.zgraph"))) {
    return 1;
  }
  const QString file = home.filePath("tone.wav");
  if (QProcess::execute("sox", {"-n", "-r", "44100", "-c", "2", "-b", "16", file, "synth", "5",
                                "sine", "1000"}) != 0) {
    return 1;
  }
  TZConfig config;
  config.Graphs = {{"Tone", "tone"}};
  Host host;
  TDynFilter filters;
  TZGraphScripts scripts(config, filters, host);
  scripts.SetSettleTime(0);
  scripts.BuildScriptCatalogue();

  std::vector<double> scripted;
  std::vector<double> automatic;
  for (int i = 0; i < kRuns; ++i) {
    config.Graphs = {{"Tone", "tone"}};
    scripted.push_back(TimeOpen(scripts, filters, host, file));
    config.Graphs.clear();
    automatic.push_back(TimeOpen(scripts, filters, host, file));
  }
  const double viaScript = Median(scripted);
  const double viaAutomatic = Median(automatic);
  std::printf("open through a script:        %.2f ms (median of %d)\n", viaScript, kRuns);
  std::printf("open through the automatic path: %.2f ms (median of %d)\n", viaAutomatic, kRuns);
  std::printf("ratio script / automatic: %.2f\n", viaScript / viaAutomatic);
  std::printf("not included: the fixed wait of %d ms that each path makes once\n",
              TZGraphScripts::kFixedWaitMs);
  return 0;
}
