// Playlist figures beside a baseline measured in the same run:
//   bench_playlist [scratch folder]
// ".zpl" save/load against plain file I/O of the same bytes, ".m3u"/".pls" parsing against
// reading the same lines, each sort order against copying the entries and ordering them with the
// standard algorithms, ClassifyMedia against the same rules over hash sets, and ID3v2 captions
// against TagLib on the same files.
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <random>
#include <span>
#include <vector>

#include "../support/benchtiming.h"
#include "base/text/textfile.h"
#include "playlist/mediakind.h"
#include "playlist/playlistfiles.h"
#include "playlist/tagcaptions.h"

namespace {

constexpr int kEntries = 100'000;
constexpr int kTagFiles = 1'000;
constexpr int kRuns = 5;

// The median of a few runs: the machine is shared, and the best run flatters whichever side
// happened to find the memory allocator in a friendly state.
double Measure(const std::function<void()>& work) {
  std::vector<double> times;
  for (int run = 0; run < kRuns; ++run) {
    times.push_back(Time<std::milli>(work));
  }
  return Median(times);
}

void Report(const char* what, double ours, const char* baselineName, double baseline) {
  std::printf("%-34s %9.2f ms   %-34s %9.2f ms   ratio %5.2f\n", what, ours, baselineName, baseline,
              ours / baseline);
}

QString Extension(int i) {
  static const char* const kExtensions[] = {".mp3", ".ogg", ".avi",  ".wma",  ".mkv",
                                            ".IFO", ".cda", ".flac", ".mpeg", ".txt"};
  return QString::fromLatin1(kExtensions[i % 10]);
}

QString PathOf(int i) {
  if (i % 17 == 0) {
    return QStringLiteral("http://radio.example/stream%1").arg(i);
  }
  return QStringLiteral("/home/user/Music/Artist %1/Album %2/%3 - Track title%4")
      .arg(i % 97)
      .arg(i % 13)
      .arg(i % 20, 2, 10, QChar(u'0'))
      .arg(Extension(i));
}

TZPlaylist MakePlaylist() {
  TZPlaylist list;
  for (int i = 0; i < kEntries; ++i) {
    const int seconds = (i * 7919) % 3600;
    list.Add(
        QStringLiteral("Artist %1 - Song number %2 (%3)").arg(i % 97).arg((i * 31) % 1000).arg(i),
        PathOf(i), false, QString::number(i % 30), FormatTimeText(0, seconds / 60, seconds % 60));
  }
  return list;
}

void WritePlainFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
    std::abort();
  }
}

QByteArray ReadPlainFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    std::abort();
  }
  return file.readAll();
}

constexpr char kColdLoad[] = "--cold-load";
constexpr char kColdRead[] = "--cold-read";

// Runs one load or plain read in a fresh process of this program (see main), in milliseconds.
// A fresh heap has nothing to reuse: every page of the entries is touched for the first time,
// as when the player reads its playlist at start-up.
double ColdRun(const char* mode, const QString& path) {
  return RunInFreshProcess(mode, path);
}

// The child's side of ColdRun.
int ColdRunChild(const char* mode, const QString& path) {
  const double ms = Time<std::milli>([&] {
    if (std::strcmp(mode, kColdLoad) == 0) {
      TZPlaylist back;
      if (ReadZplFile(path, back, true) != prLoaded) {
        std::abort();
      }
    } else if (ReadPlainFile(path).isEmpty()) {
      std::abort();
    }
  });
  std::printf("%.3f\n", ms);
  return 0;
}

void BenchZpl(const TZPlaylist& list, const QString& folder) {
  const QString zpl = folder + "/list.zpl";
  const QString plain = folder + "/plain.bin";
  const QByteArray same(4 + qsizetype(kZplRecordSize) * list.Count(), 'x');
  // Ours and the baselines take turns, so a change in the machine's load falls on all of them.
  // Each read follows the write of its own file in the same run: both files are in the page
  // cache, written the same way.
  std::vector<double> save, plainWrite, atomicWrite, load, plainRead, chunkedRead, coldLoad,
      coldRead;
  for (int run = 0; run < kRuns; ++run) {
    save.push_back(Time<std::milli>([&] {
      if (!WriteZplFile(zpl, list)) {
        std::abort();
      }
    }));
    load.push_back(Time<std::milli>([&] {
      TZPlaylist back;
      if (ReadZplFile(zpl, back, true) != prLoaded || back.Count() != list.Count()) {
        std::abort();
      }
    }));
    plainWrite.push_back(Time<std::milli>([&] { WritePlainFile(plain, same); }));
    atomicWrite.push_back(Time<std::milli>([&] {
      if (!WriteFileAtomically(plain, same)) {
        std::abort();
      }
    }));
    plainRead.push_back(Time<std::milli>([&] {
      if (ReadPlainFile(plain).size() != same.size()) {
        std::abort();
      }
    }));
    chunkedRead.push_back(Time<std::milli>([&] {
      QFile file(plain);
      if (!file.open(QIODevice::ReadOnly)) {
        std::abort();
      }
      QByteArray chunk(1 << 16, Qt::Uninitialized);
      while (file.read(chunk.data(), chunk.size()) > 0) {
      }
    }));
    coldLoad.push_back(ColdRun(kColdLoad, zpl));
    coldRead.push_back(ColdRun(kColdRead, plain));
  }
  // Our save writes a temporary file, syncs it and renames it over the old one; the plain write
  // does none of that, the atomic write all of it.
  const char* const kSave = ".zpl save, 100,000 entries";
  const char* const kLoad = ".zpl load, 100,000 entries";
  Report(kSave, Median(save), "plain write: no sync, no rename", Median(plainWrite));
  Report(kSave, Median(save), "atomic write: temp, sync, rename", Median(atomicWrite));
  Report(kLoad, Median(load), "plain read of the bytes to memory", Median(plainRead));
  Report(kLoad, Median(load), "plain read, 64 KiB chunks reused", Median(chunkedRead));
  Report(".zpl load in a fresh process", Median(coldLoad), "plain read in a fresh process",
         Median(coldRead));
  const char* const kBoth = ".zpl save + load (aim: 1.5)";
  Report(kBoth, Median(save) + Median(load), "plain write + plain read",
         Median(plainWrite) + Median(plainRead));
  Report(kBoth, Median(save) + Median(load), "atomic write + plain read",
         Median(atomicWrite) + Median(plainRead));
  Report(kBoth, Median(save) + Median(coldLoad), "plain write + read, fresh processes",
         Median(plainWrite) + Median(coldRead));
  Report(kBoth, Median(save) + Median(coldLoad), "atomic write + read, fresh processes",
         Median(atomicWrite) + Median(coldRead));

  // The same work without the disk: what the format itself costs.
  QByteArray encoded;
  const double encode = Measure([&] { encoded = EncodeZpl(list); });
  const double copy = Measure([&] {
    QByteArray bytes(same.size(), Qt::Uninitialized);
    std::copy(same.begin(), same.end(), bytes.begin());
  });
  Report("EncodeZpl in memory", encode, "copying the same bytes", copy);
  const double decode = Measure([&] {
    TZPlaylist back;
    DecodeZpl(encoded, back, true);
  });
  Report("DecodeZpl in memory", decode, "copying the same bytes", copy);
}

void BenchTextPlaylists(const TZPlaylist& list, const QString& folder) {
  QStringList m3u{"#EXTM3U"};
  QStringList pls{"[playlist]", QStringLiteral("NumberOfEntries=%1").arg(list.Count())};
  for (int i = 0; i < list.Count(); ++i) {
    const TZPlaylistEntry* e = list.Get(i);
    m3u << QStringLiteral("#EXTINF:%1,%2").arg(i % 600).arg(e->Caption) << e->FileName;
    pls << QStringLiteral("File%1=%2").arg(i + 1).arg(e->FileName)
        << QStringLiteral("Title%1=%2").arg(i + 1).arg(e->Caption)
        << QStringLiteral("Length%1=-1").arg(i + 1);
  }
  pls << "Version=2";
  for (const auto& [name, lines] :
       {std::pair{QStringLiteral("list.m3u"), m3u}, std::pair{QStringLiteral("list.pls"), pls}}) {
    const QString path = folder + "/" + name;
    if (!WriteTextLines(path, lines)) {
      std::abort();
    }
    const double ours = Measure([&] {
      TZPlaylist back;
      if (ReadPlaylistFile(path, back, true) != prLoaded || back.Count() != list.Count()) {
        std::abort();
      }
    });
    const double lineRead = Measure([&] {
      QStringList read;
      if (!ReadTextLines(path, &read)) {
        std::abort();
      }
    });
    Report(qPrintable(name + " read, 100,000 entries"), ours, "reading its lines alone", lineRead);
  }
}

// The straightforward way to hold a playlist: every entry on the heap of its own.
using PlainEntries = std::vector<std::unique_ptr<TZPlaylistEntry>>;

PlainEntries PlainCopy(const TZPlaylist& list) {
  PlainEntries entries;
  entries.reserve(size_t(list.Count()));
  for (int i = 0; i < list.Count(); ++i) {
    entries.push_back(std::make_unique<TZPlaylistEntry>(*list.Get(i)));
  }
  return entries;
}

// The standard algorithms with the comparisons the sort orders are defined by.
void PlainSort(PlainEntries& entries, TPlaylistSortOrder order) {
  const auto by = [&](auto key) {
    std::stable_sort(entries.begin(), entries.end(),
                     [&](const auto& a, const auto& b) { return key(*a) < key(*b); });
  };
  const auto partition = [&](bool (*first)(TMediaKind)) {
    std::stable_partition(entries.begin(), entries.end(),
                          [&](const auto& e) { return first(ClassifyMedia(e->FileName)); });
  };
  switch (order) {
    case psoCaption:
      return by([](const TZPlaylistEntry& e) -> const QString& { return e.Caption; });
    case psoFileName:
      return by([](const TZPlaylistEntry& e) -> const QString& { return e.FileName; });
    case psoTime:
      return by([](const TZPlaylistEntry& e) -> const QString& { return e.Time; });
    case psoTrack:
      return by([](const TZPlaylistEntry& e) { return e.Track.toLongLong(); });
    case psoVideo:
      return partition(IsVideoKind);
    case psoAudio:
      return partition(IsAudioKind);
    case psoRandom:
      std::shuffle(entries.begin(), entries.end(), std::mt19937(std::random_device()()));
      return;
    case psoReverse:
      std::reverse(entries.begin(), entries.end());
      return;
  }
}

void BenchSort(const TZPlaylist& list) {
  static const char* const kOrders[] = {"Caption", "FileName", "Time",   "Track",
                                        "Video",   "Audio",    "Random", "Reverse"};
  // Both sides copy every entry, then order the copies.
  for (int order = psoCaption; order <= psoReverse; ++order) {
    const auto sortOrder = static_cast<TPlaylistSortOrder>(order);
    TZPlaylist ours;
    PlainEntries plain;
    const double oursMs = Measure([&] {
      ours.ClearPlaylist();
      for (int i = 0; i < list.Count(); ++i) {
        const TZPlaylistEntry* e = list.Get(i);
        ours.Add(e->Caption, e->FileName, false, e->Track, e->Time);
      }
      ours.Sort(sortOrder);
    });
    const double plainMs = Measure([&] {
      plain = PlainCopy(list);
      PlainSort(plain, sortOrder);
    });
    if (sortOrder != psoRandom) {
      for (int i = 0; i < ours.Count(); ++i) {
        if (ours.Get(i)->Caption != plain[size_t(i)]->Caption) {
          std::fprintf(stderr, "the baseline sorts by %s differently\n", kOrders[order]);
          std::abort();
        }
      }
    }
    Report(qPrintable(QStringLiteral("copy + Sort by %1").arg(kOrders[order])), oursMs,
           "copy + std algorithm, own entries", plainMs);
  }
}

// The same rules as ClassifyMedia over upper-cased extensions in hash sets.
class PlainClassifier {
 public:
  PlainClassifier()
      : stream_(Set(BassStreamTable())),
        audio_(Set(DirectShowAudioTable())),
        video_(Set(DirectShowVideoTable())),
        dvd_(Set(DvdTable())),
        cd_(Set(CdTable())) {}

  TMediaKind operator()(const QString& path) const {
    const qsizetype dot = path.lastIndexOf(u'.');
    const qsizetype folder =
        std::max({path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'), path.lastIndexOf(u':')});
    const QString full = dot > folder ? path.mid(dot).toUpper() : QString();
    const QString extension = full.left(5);
    if (stream_.contains(extension)) {
      return mkBassStream;
    }
    const bool http = path.startsWith(QLatin1String("http://"), Qt::CaseInsensitive);
    const bool mms = path.startsWith(QLatin1String("mms://"), Qt::CaseInsensitive);
    const bool asx = full == QLatin1String(".ASX");
    if (http && !asx) {
      return mkBassUrlStream;
    }
    if (!http && !mms && audio_.contains(extension)) {
      return mkAudio;
    }
    if (!http && !mms && video_.contains(extension)) {
      return mkVideo;
    }
    if ((http && asx) || mms) {
      return mkVideoStream;
    }
    if (dvd_.contains(extension)) {
      return mkDvd;
    }
    return cd_.contains(extension) ? mkMusicCd : mkUnknown;
  }

 private:
  static QSet<QString> Set(std::span<const TMediaTableRow> table) {
    QSet<QString> set;
    for (const TMediaTableRow& row : table) {
      set.insert(QString::fromLatin1(row.Extension));
    }
    return set;
  }

  QSet<QString> stream_, audio_, video_, dvd_, cd_;
};

void BenchClassify() {
  QStringList paths;
  for (int i = 0; i < kEntries; ++i) {
    paths << PathOf(i);
  }
  std::vector<TMediaKind> ours(paths.size());
  std::vector<TMediaKind> plain(paths.size());
  const double oursMs = Measure([&] {
    for (qsizetype i = 0; i < paths.size(); ++i) {
      ours[size_t(i)] = ClassifyMedia(paths[i]);
    }
  });
  const PlainClassifier classify;
  const double plainMs = Measure([&] {
    for (qsizetype i = 0; i < paths.size(); ++i) {
      plain[size_t(i)] = classify(paths[i]);
    }
  });
  if (ours != plain) {
    std::fputs("the baseline classifies differently\n", stderr);
    std::abort();
  }
  Report("ClassifyMedia, 100,000 paths", oursMs, "same rules, suffix + hash sets", plainMs);
}

bool MakeTaggedFiles(const QString& folder, QStringList* files) {
  struct Variant {
    const char* version;
    const char* title;
    const char* artist;
  };
  const Variant variants[] = {{"3", "Plain title", "Plain artist"},
                              {"4", "Plain title", "Plain artist"},
                              {"3", "Ünïcödé tïtle", "Ärtist"},
                              {"4", "Заголовок", "Исполнитель"},
                              {"3", "東京の夜", "歌手"}};
  QStringList bases;
  for (size_t v = 0; v < std::size(variants); ++v) {
    const QString base = folder + QStringLiteral("/base%1.mp3").arg(v);
    const int code = QProcess::execute(
        "ffmpeg", {"-v", "error", "-y", "-f", "lavfi", "-i", "sine=frequency=440:duration=1",
                   "-id3v2_version", variants[v].version, "-metadata",
                   "title=" + QString::fromUtf8(variants[v].title), "-metadata",
                   "artist=" + QString::fromUtf8(variants[v].artist), "-metadata",
                   "album=Benchmark", "-metadata", "track=3/12", base});
    if (code != 0) {
      return false;
    }
    bases << base;
  }
  for (int i = 0; i < kTagFiles; ++i) {
    const QString file = folder + QStringLiteral("/file%1.mp3").arg(i);
    if (!QFile::copy(bases[i % bases.size()], file)) {
      return false;
    }
    *files << file;
  }
  return true;
}

void BenchTags(const QString& folder) {
  QStringList files;
  if (!MakeTaggedFiles(folder, &files)) {
    std::puts("ID3v2 captions: could not make the MP3 files with ffmpeg");
    return;
  }
  qsizetype oursLength = 0;
  qsizetype taglibLength = 0;
  const double ours = Measure([&] {
    oursLength = 0;
    for (const QString& file : files) {
      oursLength += ID3Caption(file).size();
    }
  });
  const double taglib = Measure([&] {
    taglibLength = 0;
    for (const QString& file : files) {
      TagLib::MPEG::File mp3(QFile::encodeName(file).constData(), false);
      TagLib::ID3v2::Tag* tag = mp3.ID3v2Tag();
      if (!tag) {
        continue;
      }
      const QString caption = QString::fromStdWString(tag->artist().toWString()) + " - " +
                              QString::fromStdWString(tag->title().toWString());
      taglibLength += caption.size();
    }
  });
  Report("ID3v2 captions, 1,000 MP3 files", ours, "TagLib on the same files", taglib);
  if (oursLength != taglibLength) {
    std::printf("  note: caption lengths differ (ours %lld, TagLib %lld)\n", qlonglong(oursLength),
                qlonglong(taglibLength));
  }
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc == 3 && (std::strcmp(argv[1], kColdLoad) == 0 || std::strcmp(argv[1], kColdRead) == 0)) {
    return ColdRunChild(argv[1], QString::fromLocal8Bit(argv[2]));
  }
  QTemporaryDir scratch(argc > 1 ? QString::fromLocal8Bit(argv[1]) + "/bench_playlist-XXXXXX"
                                 : QDir::tempPath() + "/bench_playlist-XXXXXX");
  if (!scratch.isValid()) {
    return 1;
  }
  std::printf("median of %d runs; scratch folder %s\n", kRuns, qPrintable(scratch.path()));
  const TZPlaylist list = MakePlaylist();
  BenchZpl(list, scratch.path());
  BenchTextPlaylists(list, scratch.path());
  BenchSort(list);
  BenchClassify();
  BenchTags(scratch.path());
  return 0;
}
