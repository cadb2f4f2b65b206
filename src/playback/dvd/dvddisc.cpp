// The disc's title table. A video manager (VIDEO_TS.IFO) starts with "DVDVIDEO-VMG"; the 32-bit
// big-endian word at 0xC4 is the sector of the title search pointer table: a 16-bit title count,
// two reserved bytes, the table's last byte, then twelve bytes per title with the chapter count
// as a 16-bit word at offset 2. ISO 9660 images keep their root folder's record in the primary
// volume descriptor (sector 16, offset 156); folder records give each entry's extent and size in
// little-endian words.

#include "playback/dvd/dvddisc.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

constexpr int kSector = 2048;
constexpr int kMaxTitles = 99;
constexpr int kTitleEntrySize = 12;
constexpr int kTableSectorOffset = 0xC4;
constexpr qint64 kMaxFolderSize = 1 << 20;
constexpr qint64 kMaxIfoSize = 1 << 22;

quint32 BigEndian(const QByteArray& bytes, int at, int width) {
  quint32 value = 0;
  for (int i = 0; i < width; ++i) {
    value = value << 8 | static_cast<quint8>(bytes[at + i]);
  }
  return value;
}

quint32 LittleEndian32(const QByteArray& bytes, int at) {
  quint32 value = 0;
  for (int i = 3; i >= 0; --i) {
    value = value << 8 | static_cast<quint8>(bytes[at + i]);
  }
  return value;
}

struct IsoEntry {
  qint64 Offset = 0;
  qint64 Size = 0;
  bool Folder = false;
};

IsoEntry EntryOf(const QByteArray& record) {
  return {static_cast<qint64>(LittleEndian32(record, 2)) * kSector, LittleEndian32(record, 10),
          (static_cast<quint8>(record[25]) & 0x02) != 0};
}

// The entry named `name` (ignoring case and a ";1" version) in the folder `folder`.
std::optional<IsoEntry> FindIsoEntry(const TZDiscReader& image, const IsoEntry& folder,
                                     const QString& name) {
  if (!folder.Folder || folder.Size <= 0 || folder.Size > kMaxFolderSize) {
    return std::nullopt;
  }
  const QByteArray bytes = image(folder.Offset, static_cast<int>(folder.Size));
  int at = 0;
  while (at < bytes.size()) {
    const int length = static_cast<quint8>(bytes[at]);
    if (length == 0) {
      // Records never cross a sector; the rest of this one is padding.
      at = (at / kSector + 1) * kSector;
      continue;
    }
    if (length < 34 || at + length > bytes.size()) {
      return std::nullopt;
    }
    const QByteArray record = bytes.mid(at, length);
    const int nameLength = static_cast<quint8>(record[32]);
    if (33 + nameLength <= length) {
      const QString entryName = QString::fromLatin1(record.mid(33, nameLength)).section(';', 0, 0);
      if (entryName.compare(name, Qt::CaseInsensitive) == 0) {
        return EntryOf(record);
      }
    }
    at += length;
  }
  return std::nullopt;
}

TZDiscReader FileReader(const QString& path) {
  auto file = std::make_shared<QFile>(path);
  if (!file->open(QIODevice::ReadOnly)) {
    return [](qint64, int) { return QByteArray(); };
  }
  return [file](qint64 offset, int size) {
    return file->seek(offset) ? file->read(size) : QByteArray();
  };
}

TZDiscReader BytesReader(QByteArray bytes) {
  return [bytes = std::move(bytes)](qint64 offset, int size) {
    return offset < 0 || offset >= bytes.size() ? QByteArray() : bytes.mid(offset, size);
  };
}

}  // namespace

std::optional<std::vector<int>> DvdChapterCounts(const TZDiscReader& ifo) {
  const QByteArray head = ifo(0, kTableSectorOffset + 4);
  if (head.size() < kTableSectorOffset + 4 || !head.startsWith("DVDVIDEO-VMG")) {
    return std::nullopt;
  }
  const qint64 table = static_cast<qint64>(BigEndian(head, kTableSectorOffset, 4)) * kSector;
  const QByteArray header = ifo(table, 8);
  if (table == 0 || header.size() < 8) {
    return std::nullopt;
  }
  const int titles = static_cast<int>(BigEndian(header, 0, 2));
  if (titles < 1 || titles > kMaxTitles) {
    return std::nullopt;
  }
  const QByteArray entries = ifo(table + 8, titles * kTitleEntrySize);
  if (entries.size() < titles * kTitleEntrySize) {
    return std::nullopt;
  }
  std::vector<int> counts;
  for (int t = 0; t < titles; ++t) {
    counts.push_back(static_cast<int>(BigEndian(entries, t * kTitleEntrySize + 2, 2)));
  }
  return counts;
}

std::optional<QByteArray> DvdIsoVideoManager(const TZDiscReader& image) {
  const QByteArray volume = image(16 * kSector, kSector);
  if (volume.size() < kSector || volume[0] != 1 || volume.mid(1, 5) != "CD001") {
    return std::nullopt;
  }
  const IsoEntry root = EntryOf(volume.mid(156, 34));
  const std::optional<IsoEntry> folder = FindIsoEntry(image, root, QStringLiteral("VIDEO_TS"));
  if (!folder) {
    return std::nullopt;
  }
  const std::optional<IsoEntry> ifo = FindIsoEntry(image, *folder, QStringLiteral("VIDEO_TS.IFO"));
  if (!ifo || ifo->Folder || ifo->Size > kMaxIfoSize) {
    return std::nullopt;
  }
  return image(ifo->Offset, static_cast<int>(ifo->Size));
}

std::optional<TZDvdDisc> DvdDiscOf(const QString& path) {
  const QFileInfo info(path);
  if (!info.exists()) {
    return std::nullopt;
  }
  if (info.isFile() && info.suffix().compare(QLatin1String("iso"), Qt::CaseInsensitive) == 0) {
    return TZDvdDisc{info.absoluteFilePath(), true};
  }
  // The navigator wants the folder that holds VIDEO_TS.
  QDir folder(info.isDir() ? info.absoluteFilePath() : info.absolutePath());
  if (folder.dirName().compare(QLatin1String("VIDEO_TS"), Qt::CaseInsensitive) == 0) {
    folder.cdUp();
  }
  return TZDvdDisc{folder.absolutePath(), false};
}

std::vector<int> DvdDiscChapterCounts(const TZDvdDisc& disc) {
  std::optional<std::vector<int>> counts;
  if (disc.Image) {
    if (const std::optional<QByteArray> ifo = DvdIsoVideoManager(FileReader(disc.Device))) {
      counts = DvdChapterCounts(BytesReader(*ifo));
    }
  } else {
    const QDir root(disc.Device);
    for (const QString& name : root.entryList(QDir::Dirs)) {
      if (name.compare(QLatin1String("VIDEO_TS"), Qt::CaseInsensitive) == 0) {
        counts =
            DvdChapterCounts(FileReader(root.filePath(name + QStringLiteral("/VIDEO_TS.IFO"))));
      }
    }
  }
  return counts.value_or(std::vector<int>{});
}
