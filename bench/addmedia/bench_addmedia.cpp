// Adding a folder of 10,000 small files to the playlist, against a plain directory walk of the
// same folder in the same run; then with tags and times read, in files per second.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "../support/benchtiming.h"
#include "components/sound/zsound.h"
#include "config/config.h"
#include "playlist/addmedia/addmedia.h"
#include "playlist/playlist.h"

namespace {

constexpr int kFolders = 20;
constexpr int kFilesPerFolder = 500;

// ID3v1 tag with artist, title and track 3: what every ".mp3" of the folder holds.
QByteArray Tag() {
  QByteArray tag = "TAG" + QByteArray("Title").leftJustified(30, '\0') +
                   QByteArray("Artist").leftJustified(30, '\0') + QByteArray(62, '\0');
  tag += QByteArray("\0\3\0", 3);
  return tag;
}

void MakeFolder(const QString& root) {
  const QByteArray tag = Tag();
  for (int f = 0; f < kFolders; ++f) {
    const QString dir = root + QStringLiteral("/d%1/").arg(f);
    QDir().mkpath(dir);
    for (int i = 0; i < kFilesPerFolder; ++i) {
      QFile file(dir + QStringLiteral("track%1.%2").arg(i).arg(i % 2 ? "mp3" : "ogg"));
      if (file.open(QIODevice::WriteOnly)) {
        file.write(tag);
      }
    }
  }
}

constexpr int kRuns = 7;

size_t Walk(const QString& root) {
  size_t walked = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root.toStdString())) {
    walked += entry.is_regular_file() ? 1 : 0;
  }
  return walked;
}

int AddFolder(const QString& root, const TZConfig& config) {
  TZPlaylist playlist;
  return TZMediaAdder(playlist, config).AddFolder(root);
}

constexpr char kColdWalk[] = "--cold-walk";
constexpr char kColdAdd[] = "--cold-add";

// One walk or one AddFolder in a fresh process of this program (see main), in seconds. The heap
// has nothing to reuse: every page the new entries need is touched for the first time, which
// the walk does not pay for.
double ColdRun(const char* mode, const QString& root) {
  return RunInFreshProcess(mode, root);
}

// The child's side of ColdRun. A first run over an empty folder settles what any first call
// costs (symbol binding, the language table), so that the timed run shows the fresh heap.
int ColdRunChild(const char* mode, const QString& root) {
  const TZConfig plain;
  const auto run = [&](const QString& folder) {
    if (std::strcmp(mode, kColdWalk) == 0) {
      Walk(folder);
    } else {
      AddFolder(folder, plain);
    }
  };
  const QTemporaryDir empty;
  run(empty.path());
  std::printf("%.6f\n", Time([&] { run(root); }));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc == 3 && (std::strcmp(argv[1], kColdWalk) == 0 || std::strcmp(argv[1], kColdAdd) == 0)) {
    return ColdRunChild(argv[1], QString::fromLocal8Bit(argv[2]));
  }
  QTemporaryDir temp;
  const QString root = temp.path() + QStringLiteral("/library");
  MakeFolder(root);
  const int files = kFolders * kFilesPerFolder;
  ZSoundInit(kZSoundMemoryDevice, 44100, 0);

  // The walk and the adder take turns, so a change in the machine's load falls on both.
  size_t walked = 0;
  int added = 0;
  TZConfig plain;
  std::vector<double> walks;
  std::vector<double> adds;
  std::vector<double> coldWalks;
  std::vector<double> coldAdds;
  for (int run = 0; run < kRuns; ++run) {
    walks.push_back(Time([&] { walked = Walk(root); }));
    adds.push_back(Time([&] { added = AddFolder(root, plain); }));
    coldWalks.push_back(ColdRun(kColdWalk, root));
    coldAdds.push_back(ColdRun(kColdAdd, root));
  }
  const double walk = Median(walks);
  const double add = Median(adds);
  const double bestWalk = *std::min_element(walks.begin(), walks.end());
  const double bestAdd = *std::min_element(adds.begin(), adds.end());
  TZConfig reading;
  reading.OFAReadID3Tag = true;
  reading.OFAReadTime = true;
  std::vector<double> taggedRuns;
  for (int run = 0; run < kRuns; ++run) {
    taggedRuns.push_back(Time([&] { AddFolder(root, reading); }));
  }
  const double tagged = Median(taggedRuns);
  ZSoundFree();

  std::printf("files in the folder:                 %d (walk saw %zu, added %d)\n", files, walked,
              added);
  std::printf("median of %d runs, best in brackets\n", kRuns);
  std::printf("baseline: plain directory walk       %8.2f ms  %10.0f files/s  (%.2f ms)\n",
              walk * 1000, files / walk, bestWalk * 1000);
  std::printf("AddFolder, no tags, no times         %8.2f ms  %10.0f files/s  (%.2f ms)\n",
              add * 1000, files / add, bestAdd * 1000);
  std::printf("ratio AddFolder / walk               %8.2f x   (%.2f x)   (aim: within 2x)\n",
              add / walk, bestAdd / bestWalk);
  std::printf("in fresh processes: walk %.2f ms, AddFolder %.2f ms, ratio %.2f x\n",
              Median(coldWalks) * 1000, Median(coldAdds) * 1000,
              Median(coldAdds) / Median(coldWalks));
  std::printf("AddFolder, OFAReadID3Tag+OFAReadTime %8.2f ms  %10.0f files/s\n", tagged * 1000,
              files / tagged);
  std::printf("ratio with tags and times / walk     %8.2f x\n", tagged / walk);
  return 0;
}
