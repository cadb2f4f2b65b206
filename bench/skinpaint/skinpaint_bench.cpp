// The skinned main window composed again and painted, beside one blit of a picture of the
// window's size into the same target, measured in the same run; prints both and their ratio (CPU
// time), then the repaints of an already composed face beside their blit baselines.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPainter>
#include <QTemporaryDir>
#include <cstdio>
#include <map>
#include <string>

#include "benchskin.h"
#include "ui/samplestate.h"
#include "ui/surfaces.h"
#include "vis/spectrum_vis.h"

namespace {

// A window whose whole paint is one blit of a picture of its size.
class BlitWindow : public QWidget {
 public:
  explicit BlitWindow(const QImage& picture) : picture_(picture) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(picture.size());
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
  }

 private:
  QImage picture_;
};

struct Scene {
  TZGUI skin;
  TfrmMain main;
  TSpectrum spectrum{84, 25};
  TZWindows windows;
  QImage target;
  QImage face;
};

Scene* TheScene = nullptr;

void BM_BlitBaseline(benchmark::State& state) {
  Scene& scene = *TheScene;
  for (auto _ : state) {
    QPainter painter(&scene.target);
    painter.drawImage(0, 0, scene.face);
    painter.end();
    benchmark::DoNotOptimize(scene.target.constBits());
  }
}

// The toolkit's paint-event machinery around one blit: the baseline for BM_MainWindowRepaint.
void BM_BlitWindowRepaint(benchmark::State& state) {
  Scene& scene = *TheScene;
  BlitWindow window(scene.face);
  for (auto _ : state) {
    window.render(&scene.target, QPoint(), QRegion(), QWidget::DrawChildren);
    benchmark::DoNotOptimize(scene.target.constBits());
  }
}

// The same with the main window's shape: clipping to the shape costs the toolkit more than
// the blit itself.
void BM_ShapedBlitWindowRepaint(benchmark::State& state) {
  Scene& scene = *TheScene;
  BlitWindow window(scene.face);
  window.setMask(scene.main.mask());
  for (auto _ : state) {
    window.render(&scene.target, QPoint(), QRegion(), QWidget::DrawChildren);
    benchmark::DoNotOptimize(scene.target.constBits());
  }
}

// QWidget::render: the paint routine plus the toolkit's paint-event machinery.
void BM_MainWindowRepaint(benchmark::State& state) {
  Scene& scene = *TheScene;
  for (auto _ : state) {
    scene.main.render(&scene.target, QPoint(), QRegion(), QWidget::DrawChildren);
    benchmark::DoNotOptimize(scene.target.constBits());
  }
}

// The window's own paint routine over its whole area, as a full expose runs it.
void BM_MainWindowPaint(benchmark::State& state) {
  Scene& scene = *TheScene;
  const QRegion all(scene.main.rect());
  for (auto _ : state) {
    QPainter painter(&scene.target);
    scene.main.paintFace(painter, all);
    painter.end();
    benchmark::DoNotOptimize(scene.target.constBits());
  }
}

// Every control has changed: the whole face is composed again from the pictures, then painted.
void BM_MainWindowRecompose(benchmark::State& state) {
  Scene& scene = *TheScene;
  const QRegion all(scene.main.rect());
  for (auto _ : state) {
    scene.main.imgForm->update();
    QPainter painter(&scene.target);
    scene.main.paintFace(painter, all);
    painter.end();
    benchmark::DoNotOptimize(scene.target.constBits());
  }
}

BENCHMARK(BM_BlitBaseline);
BENCHMARK(BM_BlitWindowRepaint);
BENCHMARK(BM_ShapedBlitWindowRepaint);
BENCHMARK(BM_MainWindowRepaint);
BENCHMARK(BM_MainWindowPaint);
BENCHMARK(BM_MainWindowRecompose);

// Keeps the CPU time per iteration of each benchmark for the ratios: the machine is shared, so
// wall time says more about the neighbours than about the code.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration) {
        nanoseconds[run.benchmark_name()] =
            run.GetAdjustedCPUTime() * (run.time_unit == benchmark::kMicrosecond ? 1000.0 : 1.0);
      }
    }
  }
  std::map<std::string, double> nanoseconds;
};

}  // namespace

int main(int argc, char** argv) {
  ChooseOffscreenPlatform();
  QApplication app(argc, argv);
  QTemporaryDir home;
  Scene scene;
  if (!LoadBuiltInSkin(home, scene.skin)) {
    return 1;
  }
  scene.windows.Main = &scene.main;
  scene.windows.Spectrum = &scene.spectrum;
  ApplySurfaces(scene.skin, scene.windows);
  ShowSampleState(scene.skin, scene.windows);
  scene.target = QImage(scene.main.size(), QImage::Format_ARGB32_Premultiplied);
  scene.face = scene.main.grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
  TheScene = &scene;

  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  auto ratio = [&](const char* name, const char* baseline, const char* note) {
    const double time = reporter.nanoseconds[name];
    const double base = reporter.nanoseconds[baseline];
    if (time <= 0 || base <= 0) {
      std::fprintf(stderr, "no figure for %s or %s\n", name, baseline);
      return false;
    }
    std::printf("%-22s %7.0f ns  vs %-26s %7.0f ns  ratio %.2f %s\n", name, time, baseline, base,
                time / base, note);
    return true;
  };
  std::printf("main window %dx%d\n", scene.main.width(), scene.main.height());
  // The headline: the face composed again from the pictures and painted, the work a changed
  // window really does. The other figures paint a face that is already composed, so they meet
  // their ratio almost by construction.
  const bool ok = ratio("BM_MainWindowRecompose", "BM_BlitBaseline", "(headline, aim < 2)");
  ratio("BM_MainWindowPaint", "BM_BlitBaseline", "(face already composed)");
  ratio("BM_MainWindowRepaint", "BM_BlitWindowRepaint", "(face already composed)");
  ratio("BM_MainWindowRepaint", "BM_ShapedBlitWindowRepaint", "(face already composed)");
  benchmark::Shutdown();
  return ok ? 0 : 1;
}
