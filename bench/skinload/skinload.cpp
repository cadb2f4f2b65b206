// Loading a skin against decoding its picture alone with the image reader: the built-in skin and
// a packed skin made here. Prints each load's ratio to its baseline, and what unpacking alone
// costs against the decode.

#include <benchmark/benchmark.h>
#include <zip.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <map>
#include <string>

#include "base/programpath.h"
#include "skin/skindescription.h"
#include "skin/skinpackage.h"
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

// Unpacks the picture from the package as the load does, and hands its bytes to use().
template <typename Use>
void UnpackPicture(benchmark::State& state, Use use) {
  const QString package = ProgramPath() + QStringLiteral("data/skins/bench.zskz");
  for (auto _ : state) {
    SkinPackage archive;
    QByteArray bytes;
    const SkinPackage::Entry* entry = nullptr;
    if (!archive.open(package) || !(entry = archive.lastWithExtension(QStringLiteral(".bmp"))) ||
        !archive.read(*entry, &bytes)) {
      state.SkipWithError("package did not open");
      break;
    }
    use(bytes);
  }
}

// Unpacking alone: the share of any packed skin's load that no decoder can save.
void UnpackPackedPicture(benchmark::State& state) {
  Packed();
  UnpackPicture(state, [](QByteArray& bytes) { benchmark::DoNotOptimize(bytes.data()); });
}

// Inflating the picture is part of any packed skin: this second baseline shows what the load
// adds beyond unpacking and decoding.
void UnpackAndDecodePackedPicture(benchmark::State& state) {
  Packed();
  UnpackPicture(state, [](const QByteArray& bytes) {
    benchmark::DoNotOptimize(QImage::fromData(bytes, "BMP").convertToFormat(QImage::Format_RGB888));
  });
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
BENCHMARK(UnpackPackedPicture)->Unit(benchmark::kMillisecond);
BENCHMARK(UnpackAndDecodePackedPicture)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadPackedSkin)->Unit(benchmark::kMillisecond);

// Keeps each benchmark's time per iteration for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      times_[run.benchmark_name()] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
    }
  }

  // Real time is shown, but the ratio of CPU times is the steadier one on a busy machine.
  void printRatio(const std::string& load, const std::string& baseline) const {
    const auto l = times_.find(load);
    const auto b = times_.find(baseline);
    if (l == times_.end() || b == times_.end() || b->second.real <= 0 || b->second.cpu <= 0) {
      return;
    }
    std::printf("%-19s vs %-28s real %7.3f / %7.3f ms = %5.2f   cpu %7.3f / %7.3f ms = %5.2f\n",
                load.c_str(), baseline.c_str(), l->second.real, b->second.real,
                l->second.real / b->second.real, l->second.cpu, b->second.cpu,
                l->second.cpu / b->second.cpu);
  }

 private:
  struct Times {
    double real;
    double cpu;
  };
  std::map<std::string, Times> times_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.printRatio("LoadBuiltInSkin", "DecodeBuiltInPicture");
  reporter.printRatio("LoadPackedSkin", "DecodePackedPicture");
  reporter.printRatio("LoadPackedSkin", "UnpackAndDecodePackedPicture");
  reporter.printRatio("UnpackPackedPicture", "DecodePackedPicture");
  benchmark::Shutdown();
  return 0;
}
