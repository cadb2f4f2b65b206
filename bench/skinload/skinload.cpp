// Loading a skin against decoding its picture alone: the built-in skin and a packed skin made
// here. Prints each load's ratio to its baseline.

#include <benchmark/benchmark.h>
#include <zip.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <map>
#include <string>

#include "app/programpath.h"
#include "skin/skindescription.h"
#include "skin/skinresource.h"
#include "skin/zgui.h"

namespace {

const QString kPackedName = QStringLiteral("bench");

QByteArray PictureBytes() {
  QImage picture(591, 567, QImage::Format_RGB888);
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      picture.setPixel(x, y, qRgb(x & 0xff, y & 0xff, (x ^ y) & 0xff));
    }
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  picture.save(&buffer, "BMP");
  return bytes;
}

QByteArray DescriptionBytes() {
  TZGUI skin;
  InitSkinDefaults(skin);
  QByteArray bytes;
  for (const QString& line : WriteSkinDescription(skin, {"Bench", "Zephonic", "-", "-"})) {
    bytes += line.toUtf8() + "\r\n";
  }
  return bytes;
}

// A program folder holding data/skins/bench.zskz; the picture's bytes stay for the baseline.
struct PackedSkin {
  QTemporaryDir home;
  QByteArray picture = PictureBytes();
  QByteArray description = DescriptionBytes();

  PackedSkin() {
    SetProgramPath(home.path());
    QDir().mkpath(home.path() + "/data/skins");
    const QByteArray path = QFile::encodeName(home.path() + "/data/skins/bench.zskz");
    int code = 0;
    zip_t* archive = zip_open(path.constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!archive) {
      std::abort();
    }
    zip_file_add(archive, "bench.bmp",
                 zip_source_buffer(archive, picture.constData(), picture.size(), 0), 0);
    zip_file_add(archive, "bench.zskn",
                 zip_source_buffer(archive, description.constData(), description.size(), 0), 0);
    if (zip_close(archive) != 0) {
      std::abort();
    }
  }
};

PackedSkin& Packed() {
  static PackedSkin packed;
  return packed;
}

void DecodeBuiltInPicture(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(BuiltInSkinPicture());
  }
}

void LoadBuiltInSkin(benchmark::State& state) {
  TZGUI skin;
  InitSkinDefaults(skin);
  for (auto _ : state) {
    if (LoadSkin(skin, QString::fromLatin1(kBuiltInSkinName), true) != slrLoaded) {
      state.SkipWithError("built-in skin did not load");
    }
  }
}

void DecodePackedPicture(benchmark::State& state) {
  const QByteArray& bytes = Packed().picture;
  for (auto _ : state) {
    benchmark::DoNotOptimize(QImage::fromData(bytes, "BMP").convertToFormat(QImage::Format_RGB888));
  }
}

void LoadPackedSkin(benchmark::State& state) {
  Packed();
  TZGUI skin;
  InitSkinDefaults(skin);
  for (auto _ : state) {
    if (LoadSkin(skin, kPackedName, false) != slrLoaded) {
      state.SkipWithError("packed skin did not load");
    }
  }
}

BENCHMARK(DecodeBuiltInPicture)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadBuiltInSkin)->Unit(benchmark::kMillisecond);
BENCHMARK(DecodePackedPicture)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadPackedSkin)->Unit(benchmark::kMillisecond);

// Keeps each benchmark's time per iteration for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      times_[run.benchmark_name()] = run.GetAdjustedRealTime();
    }
  }

  void printRatio(const std::string& load, const std::string& baseline) const {
    const auto l = times_.find(load);
    const auto b = times_.find(baseline);
    if (l != times_.end() && b != times_.end() && b->second > 0) {
      std::printf("%-16s %8.3f ms  baseline %-20s %8.3f ms  ratio %.2f (aim below 3)\n",
                  load.c_str(), l->second, baseline.c_str(), b->second, l->second / b->second);
    }
  }

 private:
  std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.printRatio("LoadBuiltInSkin", "DecodeBuiltInPicture");
  reporter.printRatio("LoadPackedSkin", "DecodePackedPicture");
  benchmark::Shutdown();
  return 0;
}
