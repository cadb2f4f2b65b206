#include "skin/skinpackage.h"

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
// files. A link planted in the folder must not carry the write elsewhere, so it is replaced.
bool WriteExtractedFile(const QString& path, const QByteArray& bytes) {
  if (QFileInfo(path).isSymLink() && !QFile::remove(path)) {
    return false;
  }
  QFile file(path);
  return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

struct EntryCloser {
  void operator()(zip_file_t* file) const { zip_fclose(file); }
};

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
    entries_.push_back({i, name, qint64(stat.size)});
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
  std::unique_ptr<zip_file_t, EntryCloser> file(
      zip_fopen_index(archive_.get(), zip_uint64_t(entry.index), 0));
  if (!file) {
    error_ = QString::fromUtf8(zip_strerror(archive_.get()));
    return false;
  }
  // One byte more than listed tells an entry that lies about its size.
  bytes->resize(entry.size + 1);
  qint64 done = 0;
  while (done < bytes->size()) {
    const zip_int64_t n =
        zip_fread(file.get(), bytes->data() + done, zip_uint64_t(bytes->size() - done));
    if (n < 0) {
      error_ = QString::fromUtf8(zip_file_strerror(file.get()));
      return false;
    }
    if (n == 0) {
      break;
    }
    done += n;
  }
  if (done != entry.size) {
    error_ = QStringLiteral("entry \"%1\" does not match its listed size").arg(entry.name);
    return false;
  }
  bytes->resize(done);
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
  const SkinPackage::Entry* picture = package.lastWithExtension(QStringLiteral(".bmp"));
  const SkinPackage::Entry* description = package.lastWithExtension(QStringLiteral(".zskn"));
  files->picture = picture ? folder + picture->name : QString();
  files->description = description ? folder + description->name : QString();
  return true;
}
