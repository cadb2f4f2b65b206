#pragma once
// Packed skins (.zskz): ZIP archives whose entries are taken without their folder names.

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

struct zip;

// Bounds that keep a hostile package from filling the disk or the memory.
struct SkinPackageLimits {
  qint64 maxEntrySize = qint64(64) << 20;
  qint64 maxTotalSize = qint64(256) << 20;
  int maxEntries = 1024;
};

class SkinPackage {
 public:
  struct Entry {
    qint64 index = 0;
    QString name;  // the file name alone, folders stripped
    qint64 size = 0;
    qint64 packedSize = 0;
    quint32 crc = 0;
    bool plainDeflate = false;  // deflated and not encrypted: inflated here in one step
  };

  // Opens the archive and lists its file entries. Fails for a broken archive and for one that
  // breaks the limits, before anything is read from it.
  bool open(const QString& path, const SkinPackageLimits& limits = {});
  const QString& error() const { return error_; }
  const std::vector<Entry>& entries() const { return entries_; }

  // The last entry whose extension, lower-cased, is the given one (with its dot); null if none.
  const Entry* lastWithExtension(const QString& extension) const;

  // Reads an entry whole; fails when it inflates to another size than listed or its checksum
  // disagrees.
  bool read(const Entry& entry, QByteArray* bytes);

 private:
  bool readStream(const Entry& entry, QByteArray* bytes);
  bool inflateWhole(const Entry& entry, QByteArray* bytes);

  struct Closer {
    void operator()(zip* archive) const;
  };
  std::unique_ptr<zip, Closer> archive_;
  std::vector<Entry> entries_;
  QString error_;
};

// The two files of a skin; a name is empty when the skin lacks that file. A package's files are
// also kept in memory as they were extracted, so they need not be read back.
struct SkinFiles {
  QString picture;
  QString description;
  std::optional<QByteArray> pictureBytes;
  std::optional<QByteArray> descriptionBytes;
};

// Extracts every entry of a package flat into the folder (which must exist), overwriting files
// of the same name, and names the extracted picture (last ".bmp") and description (last
// ".zskn"). Nothing is written outside the folder. Returns false with *error set when the
// package is broken or too large; then nothing has been written.
bool ExtractSkinPackage(const QString& packagePath, const QString& folder, SkinFiles* files,
                        QString* error);
