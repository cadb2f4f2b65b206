#include "skin/skinpackage.h"

#include <libdeflate.h>
#include <zip.h>

#include <QFile>
#include <QFileInfo>

namespace {

// The entry's file name without folders; empty for folders and for names that would step out.
QString FlatName(const char* rawName) {
  QString name = QString::fromUtf8(rawName);
  name = name.mid(qMax(name.lastIndexOf(u'/'), name.lastIndexOf(u'\\')) + 1);
  if (name == QLatin1String(".") || name == QLatin1String("..")) {
    return {};
  }
  return name;
}

QString ZipErrorText(int code) {
  zip_error_t error;
  zip_error_init_with_code(&error, code);
  const QString text = QString::fromUtf8(zip_error_strerror(&error));
  zip_error_fini(&error);
  return text;
}

QString ExtensionOf(const QString& name) {
  const qsizetype dot = name.lastIndexOf(u'.');
  return dot < 0 ? QString() : name.mid(dot).toLower();
}

// Unpacked files are scratch copies: no need for the atomic, synced writes of the program's own
// files. A file that is there already is overwritten in place and then cut to length: truncating
// it first would make the file system flush it on close (ext4 does so for a file truncated to
// nothing). A link planted in the folder must not carry the write elsewhere, so it is replaced.
bool WriteExtractedFile(const QString& path, const QByteArray& bytes) {
  if (QFileInfo(path).isSymLink() && !QFile::remove(path)) {
    return false;
  }
  QFile file(path);
  return file.open(QIODevice::ReadWrite) && file.write(bytes) == bytes.size() &&
         file.resize(bytes.size());
}

struct EntryCloser {
  void operator()(zip_file_t* file) const { zip_fclose(file); }
};
using EntryFile = std::unique_ptr<zip_file_t, EntryCloser>;

// Reads until the buffer is full or the entry ends; the count read, or -1 on an error.
qint64 ReadAll(zip_file_t* file, QByteArray* buffer) {
  qint64 done = 0;
  while (done < buffer->size()) {
    const zip_int64_t n =
        zip_fread(file, buffer->data() + done, zip_uint64_t(buffer->size() - done));
    if (n < 0) {
      return -1;
    }
    if (n == 0) {
      break;
    }
    done += n;
  }
  return done;
}

struct DecompressorFree {
  void operator()(libdeflate_decompressor* decompressor) const {
    libdeflate_free_decompressor(decompressor);
  }
};

// Inflates a raw deflate stream that must fill the output exactly.
bool InflateExactly(const QByteArray& packed, QByteArray* bytes) {
  const std::unique_ptr<libdeflate_decompressor, DecompressorFree> decompressor(
      libdeflate_alloc_decompressor());
  return decompressor && libdeflate_deflate_decompress(
                             decompressor.get(), packed.constData(), size_t(packed.size()),
                             bytes->data(), size_t(bytes->size()), nullptr) == LIBDEFLATE_SUCCESS;
}

}  // namespace

void SkinPackage::Closer::operator()(zip* archive) const {
  zip_discard(archive);
}

bool SkinPackage::open(const QString& path, const SkinPackageLimits& limits) {
  archive_.reset();
  entries_.clear();
  int code = 0;
  archive_.reset(zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &code));
  if (!archive_) {
    error_ = ZipErrorText(code);
    return false;
  }
  const zip_int64_t count = zip_get_num_entries(archive_.get(), 0);
  if (count < 0 || count > limits.maxEntries) {
    error_ = QStringLiteral("too many entries");
    return false;
  }
  qint64 total = 0;
  for (zip_int64_t i = 0; i < count; ++i) {
    zip_stat_t stat;
    if (zip_stat_index(archive_.get(), zip_uint64_t(i), 0, &stat) != 0 ||
        !(stat.valid & ZIP_STAT_NAME) || !(stat.valid & ZIP_STAT_SIZE)) {
      error_ = QStringLiteral("unreadable entry");
      return false;
    }
    const QString name = FlatName(stat.name);
    if (name.isEmpty()) {
      continue;
    }
    if (stat.size > zip_uint64_t(limits.maxEntrySize)) {
      error_ = QStringLiteral("entry \"%1\" is too large").arg(name);
      return false;
    }
    total += qint64(stat.size);
    if (total > limits.maxTotalSize) {
      error_ = QStringLiteral("package inflates beyond %1 bytes").arg(limits.maxTotalSize);
      return false;
    }
    constexpr zip_uint64_t kDeflateFields =
        ZIP_STAT_COMP_SIZE | ZIP_STAT_COMP_METHOD | ZIP_STAT_CRC | ZIP_STAT_ENCRYPTION_METHOD;
    const bool plainDeflate = (stat.valid & kDeflateFields) == kDeflateFields &&
                              stat.comp_method == ZIP_CM_DEFLATE &&
                              stat.encryption_method == ZIP_EM_NONE;
    entries_.push_back(
        {i, name, qint64(stat.size), qint64(stat.comp_size), stat.crc, plainDeflate});
  }
  return true;
}

const SkinPackage::Entry* SkinPackage::lastWithExtension(const QString& extension) const {
  for (auto it = entries_.rbegin(); it != entries_.rend(); ++it) {
    if (ExtensionOf(it->name) == extension) {
      return &*it;
    }
  }
  return nullptr;
}

bool SkinPackage::read(const Entry& entry, QByteArray* bytes) {
  // Deflate never grows data by more than a few bytes per block; a listing that claims more is
  // left to the library rather than trusted with the allocation.
  const bool inflateHere =
      entry.plainDeflate && entry.packedSize <= entry.size + entry.size / 64 + 1024;
  return inflateHere ? inflateWhole(entry, bytes) : readStream(entry, bytes);
}

// The library reads the entry through its stream of layers (decryption, any method, checksum).
bool SkinPackage::readStream(const Entry& entry, QByteArray* bytes) {
  EntryFile file(zip_fopen_index(archive_.get(), zip_uint64_t(entry.index), 0));
  if (!file) {
    error_ = QString::fromUtf8(zip_strerror(archive_.get()));
    return false;
  }
  // One byte more than listed tells an entry that lies about its size.
  bytes->resize(entry.size + 1);
  const qint64 done = ReadAll(file.get(), bytes);
  if (done < 0) {
    error_ = QString::fromUtf8(zip_file_strerror(file.get()));
    return false;
  }
  if (done != entry.size) {
    error_ = QStringLiteral("entry \"%1\" does not match its listed size").arg(entry.name);
    return false;
  }
  bytes->resize(done);
  return true;
}

// The packed bytes in one read, inflated in one step into a buffer of the listed size by a
// whole-buffer inflater: for a picture of a megabyte this takes about half the time of the
// library's stream in small steps, which is most of what loading a packed skin costs.
bool SkinPackage::inflateWhole(const Entry& entry, QByteArray* bytes) {
  EntryFile file(zip_fopen_index(archive_.get(), zip_uint64_t(entry.index), ZIP_FL_COMPRESSED));
  if (!file) {
    error_ = QString::fromUtf8(zip_strerror(archive_.get()));
    return false;
  }
  QByteArray packed(entry.packedSize, Qt::Uninitialized);
  const qint64 done = ReadAll(file.get(), &packed);
  if (done < 0) {
    error_ = QString::fromUtf8(zip_file_strerror(file.get()));
    return false;
  }
  bytes->resize(entry.size);
  if (done != entry.packedSize || !InflateExactly(packed, bytes) ||
      libdeflate_crc32(0, bytes->constData(), size_t(bytes->size())) != entry.crc) {
    error_ =
        QStringLiteral("entry \"%1\" is damaged or does not match its listed size").arg(entry.name);
    return false;
  }
  return true;
}

bool ExtractSkinPackage(const QString& packagePath, const QString& folder, SkinFiles* files,
                        QString* error) {
  SkinPackage package;
  if (!package.open(packagePath)) {
    *error = package.error();
    return false;
  }
  // Read everything before writing anything, so a bad entry leaves the folder as it was.
  std::vector<QByteArray> contents(package.entries().size());
  for (size_t i = 0; i < contents.size(); ++i) {
    if (!package.read(package.entries()[i], &contents[i])) {
      *error = package.error();
      return false;
    }
  }
  for (size_t i = 0; i < contents.size(); ++i) {
    const QString target = folder + package.entries()[i].name;
    if (!WriteExtractedFile(target, contents[i])) {
      *error = QStringLiteral("cannot write \"%1\"").arg(target);
      return false;
    }
  }
  const auto name = [&](const QString& extension, std::optional<QByteArray>* bytes) {
    const SkinPackage::Entry* entry = package.lastWithExtension(extension);
    if (!entry) {
      return QString();
    }
    *bytes = std::move(contents[size_t(entry - package.entries().data())]);
    return folder + entry->name;
  };
  files->picture = name(QStringLiteral(".bmp"), &files->pictureBytes);
  files->description = name(QStringLiteral(".zskn"), &files->descriptionBytes);
  return true;
}
