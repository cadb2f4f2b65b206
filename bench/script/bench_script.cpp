// Script compilation beside a baseline measured in the same run:
//   bench_script
// Compiling each of three graph scripts (with the prelude, from its file) against reading the
// same file from disk, per file, as a median of several runs of many repetitions.
#include <QCoreApplication>
#include <QFile>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "../support/benchtiming.h"
#include "components/script/zscript.h"
#include "components/script/zscriptprelude.h"

namespace {

constexpr int kRuns = 7;
constexpr int kRepetitions = 300;

// Median over runs of the time of one repetition, in microseconds.
double PerRepetition(const std::function<void()>& once) {
  std::vector<double> runs;
  for (int run = 0; run < kRuns; ++run) {
    runs.push_back(Time<std::micro>([&] {
                     for (int i = 0; i < kRepetitions; ++i) {
                       once();
                     }
                   }) /
                   kRepetitions);
  }
  return Median(runs);
}

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    std::abort();
  }
  return file.readAll();
}

void BenchScript(const char* name) {
  const QString path = QStringLiteral(ZEPHONIC_BENCH_SCRIPTS "/") + QLatin1StringView(name);
  TZScriptCompiler compiler("/", "/tmp/");
  compiler.SetPrelude(FilterGraphPrelude());
  if (!compiler.CompileFile(path)) {
    std::fprintf(stderr, "%s\n", qPrintable(compiler.ErrorText()));
    std::abort();
  }
  const double compile = PerRepetition([&] {
    if (!compiler.CompileFile(path)) {
      std::abort();
    }
  });
  qsizetype bytes = 0;
  const double read = PerRepetition([&] { bytes += ReadFile(path).size(); });
  std::printf("%-12s %5lld lines  compile %8.1f us   read %8.1f us   ratio %5.2f\n", name,
              static_cast<long long>(ReadFile(path).count('\n')), compile, read, compile / read);
  if (bytes == 0) {
    std::abort();
  }
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  std::printf("median of %d runs of %d repetitions\n", kRuns, kRepetitions);
  for (const char* script : {"avi.zgraph", "ogg.zgraph", "dvd.zgraph"}) {
    BenchScript(script);
  }
  return 0;
}
