// Opening the settings dialog: the first time (creating it, filling every page, showing it) and
// again (hiding it and showing it refilled), beside a plain dialog with as many widgets made and
// shown the same way in the same run. Prints the medians in milliseconds and their ratios.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>

#include "base/programpath.h"
#include "benchtiming.h"
#include "config/dialog/configdialog.h"
#include "lang/language.h"
#include "skin/zgui.h"

namespace {

// A program that takes every request and does nothing with it.
class QuietProgram : public TZConfigActions {
 public:
  void BeginSkinChange() override {}
  void ApplySkinSurfaces() override {}
  void EndSkinChange() override {}
  void ApplyWindowLayout() override {}
  void ShowToggles() override {}
  void RefreshPlaylist() override {}
  void ApplyAnalyzer() override {}
  void ApplyTray() override {}
  void ApplyScrollLabel() override {}
  void ApplyVideoPicture(bool, int) override {}
  void ApplyColourControls(const TZColourControls&) override {}
  void ApplySpeakers() override {}
  void LanguageChanged() override {}
  void ShowCaptionsInactive() override {}
  void ShowMessage(const QString&) override {}
  QStringList OutputDevices() const override { return {QStringLiteral("Default device")}; }
};

struct Scene {
  TZConfig config;
  TZGUI skin;
  QuietProgram program;
  int widgetCount = 0;
};

Scene* TheScene = nullptr;

std::unique_ptr<TfrmConfig> OpenSettings() {
  auto dialog = std::make_unique<TfrmConfig>(TheScene->config, TheScene->skin, TheScene->program);
  dialog->show();
  return dialog;
}

// A frameless dialog of the same size holding as many plain labels as the settings dialog has
// widgets.
std::unique_ptr<QDialog> OpenPlain() {
  auto dialog = std::make_unique<QDialog>(nullptr, Qt::Dialog | Qt::FramelessWindowHint);
  dialog->setFixedSize(TfrmConfig::kWidth, TfrmConfig::kHeight);
  for (int index = 0; index < TheScene->widgetCount; ++index) {
    auto* label = new QLabel(QString::number(index), dialog.get());
    label->move((index * 37) % TfrmConfig::kWidth, (index * 11) % TfrmConfig::kHeight);
  }
  dialog->show();
  return dialog;
}

template <typename Dialog>
void Reshow(Dialog& dialog) {
  dialog.hide();
  dialog.show();
  QCoreApplication::processEvents();
}

void BM_OpenSettingsFirstTime(benchmark::State& state) {
  for (auto _ : state) {
    auto dialog = OpenSettings();
    QCoreApplication::processEvents();
    benchmark::DoNotOptimize(dialog.get());
  }
}

void BM_OpenPlainDialogFirstTime(benchmark::State& state) {
  for (auto _ : state) {
    auto dialog = OpenPlain();
    QCoreApplication::processEvents();
    benchmark::DoNotOptimize(dialog.get());
  }
}

void BM_OpenSettingsAgain(benchmark::State& state) {
  auto dialog = OpenSettings();
  for (auto _ : state) {
    Reshow(*dialog);
  }
}

void BM_OpenPlainDialogAgain(benchmark::State& state) {
  auto dialog = OpenPlain();
  for (auto _ : state) {
    Reshow(*dialog);
  }
}

BENCHMARK(BM_OpenSettingsFirstTime)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenPlainDialogFirstTime)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenSettingsAgain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenPlainDialogAgain)->Unit(benchmark::kMillisecond);

template <typename Open>
double MedianFirstOpenMs(Open open, int runs) {
  std::vector<double> times;
  for (int run = 0; run < runs; ++run) {
    times.push_back(Time<std::milli>([&] {
      auto dialog = open();
      QCoreApplication::processEvents();
    }));
  }
  return Median(times);
}

template <typename Open>
double MedianReopenMs(Open open, int runs) {
  auto dialog = open();
  std::vector<double> times;
  for (int run = 0; run < runs; ++run) {
    times.push_back(Time<std::milli>([&] { Reshow(*dialog); }));
  }
  return Median(times);
}

void PrintFigures() {
  constexpr int kRuns = 30;
  const double first = MedianFirstOpenMs(OpenSettings, kRuns);
  const double plainFirst = MedianFirstOpenMs(OpenPlain, kRuns);
  const double again = MedianReopenMs(OpenSettings, kRuns);
  const double plainAgain = MedianReopenMs(OpenPlain, kRuns);
  std::printf("settings dialog, %d widgets (median of %d, ms):\n", TheScene->widgetCount, kRuns);
  std::printf("  first opening   %8.3f   plain dialog %8.3f   ratio %.2f\n", first, plainFirst,
              first / plainFirst);
  std::printf("  opening again   %8.3f   plain dialog %8.3f   ratio %.2f\n", again, plainAgain,
              again / plainAgain);
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTemporaryDir home;
  SetProgramPath(home.path() + QStringLiteral("/"));
  Scene scene;
  InitSkinDefaults(scene.skin);
  TheScene = &scene;
  scene.widgetCount = int(OpenSettings()->findChildren<QWidget*>().size());
  PrintFigures();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
