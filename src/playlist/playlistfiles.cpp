#include "playlist/playlistfiles.h"

#include <QFile>
#include <QSaveFile>
#include <QtEndian>
#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

#include <fcntl.h>

#include "base/errorcatalogue.h"
#include "base/text/textcodec.h"
#include "base/text/textfile.h"

namespace {

// The four length-prefixed fields of a ".zpl" record: offset and size (length byte included).
struct ZplField {
  int offset;
  int size;
};
constexpr ZplField kCaptionField{0, 256};
constexpr ZplField kTimeField{256, 9};
constexpr ZplField kFileNameField{265, 256};
constexpr ZplField kTrackField{521, 3};

// Writes text as UTF-8 into a field, cut at a whole character when it does not fit. Encodes in
// place: a save touches every entry, and a temporary per field would cost more than the work.
void PutField(char* record, ZplField field, const QString& text) {
  auto* out = reinterpret_cast<unsigned char*>(record + field.offset + 1);
  const int capacity = field.size - 1;
  const char16_t* c = reinterpret_cast<const char16_t*>(text.constData());
  const char16_t* const end = c + text.size();
  // ASCII, by far the most common text, is one byte per code unit.
  const qsizetype asciiLimit = std::min<qsizetype>(text.size(), capacity);
  int length = 0;
  while (length < asciiLimit && c[length] < 0x80) {
    out[length] = static_cast<unsigned char>(c[length]);
    ++length;
  }
  c += length;
  while (c < end) {
    char32_t code = *c;
    int units = 1;
    if (QChar::isHighSurrogate(code) && c + 1 < end && QChar::isLowSurrogate(c[1])) {
      code = QChar::surrogateToUcs4(c[0], c[1]);
      units = 2;
    } else if (QChar::isSurrogate(code)) {
      code = QChar::ReplacementCharacter;  // a lone half of a pair
    }
    const int bytes = code < 0x80 ? 1 : code < 0x800 ? 2 : code < 0x10000 ? 3 : 4;
    if (length + bytes > capacity) {
      break;
    }
    if (bytes == 1) {
      out[length] = static_cast<unsigned char>(code);
    } else {
      for (int k = bytes - 1; k > 0; --k, code >>= 6) {
        out[length + k] = 0x80 | (code & 0x3F);
      }
      out[length] = static_cast<unsigned char>((0xF00 >> bytes) | code);
    }
    length += bytes;
    c += units;
  }
  record[field.offset] = static_cast<char>(length);
}

// The used bytes of a field: its length byte, clamped to the field.
QByteArrayView FieldBytes(const char* record, ZplField field) {
  const int length = std::min(static_cast<unsigned char>(record[field.offset]) + 0, field.size - 1);
  return QByteArrayView(record + field.offset + 1, length);
}

bool IsAscii(QByteArrayView bytes) {
  unsigned char any = 0;
  for (const char c : bytes) {
    any |= static_cast<unsigned char>(c);
  }
  return any < 0x80;
}

// ASCII reads the same as UTF-8 and as Windows-1252, so it skips DecodeText's validation pass.
QString FieldText(QByteArrayView bytes) {
  return IsAscii(bytes) ? QString::fromLatin1(bytes.data(), bytes.size()) : DecodeText(bytes);
}

// Times and tracks repeat across a playlist ("00:00:00", "00", the same few song lengths), so
// entries share one string per recent value instead of each allocating its own. A slot keeps
// the last value that hashed to it; a clash only costs a fresh string. Values are at most eight
// bytes, so the bytes themselves are the key.
static_assert(kTimeField.size - 1 <= 8 && kTrackField.size - 1 <= 8);
class ShortTextCache {
 public:
  explicit ShortTextCache(qint64 records)
      : slots_(std::bit_ceil(static_cast<size_t>(std::clamp<qint64>(records, 16, 4096)))) {}

  QString Text(QByteArrayView bytes) {
    quint64 key = 0;
    std::memcpy(&key, bytes.data(), static_cast<size_t>(bytes.size()));
    const size_t hash =
        static_cast<size_t>(((key + quint64(bytes.size())) * 0x9E3779B97F4A7C15ULL) >> 32);
    Slot& slot = slots_[hash & (slots_.size() - 1)];
    if (slot.key != key || slot.length != bytes.size()) {
      slot.key = key;
      slot.length = bytes.size();
      slot.text = FieldText(bytes);
    }
    return slot.text;
  }

 private:
  struct Slot {
    quint64 key = 0;
    qsizetype length = -1;
    QString text;
  };
  std::vector<Slot> slots_;
};

// Fills a whole record, filler included, so every byte written is defined.
void EncodeZplRecord(const TZPlaylistEntry& entry, char* record) {
  std::fill_n(record, kZplRecordSize, '\0');
  PutField(record, kCaptionField, entry.Caption);
  PutField(record, kTimeField, entry.Time);
  PutField(record, kFileNameField, entry.FileName);
  PutField(record, kTrackField, entry.Track);
}

void DecodeZplRecord(const char* record, TZPlaylist& playlist, ShortTextCache& shortTexts) {
  playlist.Add(FieldText(FieldBytes(record, kCaptionField)),
               FieldText(FieldBytes(record, kFileNameField)), false,
               shortTexts.Text(FieldBytes(record, kTrackField)),
               shortTexts.Text(FieldBytes(record, kTimeField)));
}

// The count is trusted only as far as the data holds whole records.
qint64 RecordsToRead(qint32 declared, qint64 recordBytes) {
  return std::min<qint64>(std::max<qint32>(declared, 0), recordBytes / kZplRecordSize);
}

// Records go through a small reused buffer rather than one buffer for the whole file: large
// fresh allocations cost more than the encoding itself.
constexpr int kRecordsPerChunk = 128;

// A large save hands its data to the disk as it goes rather than all in the sync before the
// rename: the sync then has little left to wait for, and the file is as safe as before.
constexpr qint64 kWriteBackBytes = qint64(2) << 20;

void StartWriteBack(QSaveFile& file) {
  if (file.flush()) {
    ::sync_file_range(file.handle(), 0, 0, SYNC_FILE_RANGE_WRITE);
  }
}

// The file-name part of a path or URL: what follows the last "/", "\" or ":".
QString FileNamePart(const QString& path) {
  qsizetype i = path.size();
  while (i > 0 && path[i - 1] != u'/' && path[i - 1] != u'\\' && path[i - 1] != u':') {
    --i;
  }
  return path.mid(i);
}

QString WithoutExtension(const QString& name) {
  const qsizetype dot = name.lastIndexOf(u'.');
  return dot < 0 ? name : name.left(dot);
}

bool AllDigits(QStringView text) {
  return !text.isEmpty() &&
         std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// Decimal digits as a number that saturates instead of overflowing.
quint64 DigitsValue(QStringView digits) {
  quint64 value = 0;
  for (QChar c : digits) {
    const quint64 digit = c.unicode() - u'0';
    if (value > (UINT64_MAX - digit) / 10) {
      return UINT64_MAX;
    }
    value = value * 10 + digit;
  }
  return value;
}

// Everything after the first "=" of a ".pls" line; empty when it has none.
QString PlsValue(const QString& line) {
  const qsizetype equals = line.indexOf(u'=');
  return equals < 0 ? QString() : line.mid(equals + 1);
}

char16_t AsciiLower(char16_t c) {
  return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
}

// Where key (lower-case ASCII) occurs in text from 'from' on, ignoring the case
// of ASCII letters; -1 when it does not.
qsizetype FindNoCase(QStringView text, QLatin1StringView key, qsizetype from = 0) {
  const qsizetype last = text.size() - key.size();
  for (qsizetype i = from; i <= last; ++i) {
    qsizetype k = 0;
    while (k < key.size() && AsciiLower(text[i + k].unicode()) == key[k].unicode()) {
      ++k;
    }
    if (k == key.size()) {
      return i;
    }
  }
  return -1;
}

int FirstLineContaining(const QStringList& lines, QLatin1StringView key) {
  for (int i = 0; i < lines.size(); ++i) {
    if (FindNoCase(lines[i], key) >= 0) {
      return i;
    }
  }
  return -1;
}

// For a ".pls" key prefix such as "file": the first line that contains prefix + i for every
// i in 1 ... maxIndex, in ascending i. A line holding "File123" contains "File1", "File12" and
// "File123", so all prefixes of the digits after each occurrence count. This gives the same
// answers as searching the lines for each key in turn, without the quadratic cost.
std::vector<std::pair<quint64, int>> FirstLinesByIndex(const QStringList& lines,
                                                       QLatin1StringView prefix, quint64 maxIndex) {
  std::vector<std::pair<quint64, int>> found;  // in line order
  for (int li = 0; li < lines.size(); ++li) {
    const QString& line = lines[li];
    for (qsizetype at = FindNoCase(line, prefix); at >= 0; at = FindNoCase(line, prefix, at + 1)) {
      qsizetype pos = at + prefix.size();
      if (pos >= line.size() || line[pos] == u'0') {
        continue;  // indices have no leading zero
      }
      quint64 index = 0;
      for (; pos < line.size() && line[pos] >= u'0' && line[pos] <= u'9'; ++pos) {
        index = index * 10 + (line[pos].unicode() - u'0');
        if (index > maxIndex) {
          break;
        }
        found.emplace_back(index, li);
      }
    }
  }
  // Stable: of the lines holding one index, the first stays in front and is kept.
  std::stable_sort(found.begin(), found.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  found.erase(std::unique(found.begin(), found.end(),
                          [](const auto& a, const auto& b) { return a.first == b.first; }),
              found.end());
  return found;
}

QString ExtinfTime(QStringView seconds) {
  if (!AllDigits(seconds)) {
    return FormatTimeText(0, 0, 0);
  }
  // Whole seconds: the same figures as dividing the milliseconds, without the overflow.
  const quint64 s = DigitsValue(seconds);
  return FormatTimeText(int(s / 3600 % 24), int(s / 60 % 60), int(s % 60));
}

void SetError(QString* errorText, const QString& text) {
  if (errorText) {
    *errorText = text;
  }
}

// A text playlist is read only this far: far more than any real list, and a huge or endless
// file named like a playlist can neither exhaust the memory nor hold the program up.
constexpr qint64 kMaxPlaylistTextBytes = qint64(16) << 20;

// A line with control characters (binary data) or longer than any path is not a playlist line.
constexpr qsizetype kMaxPlaylistLineLength = 4096;

bool IsTextLine(const QString& line) {
  return line.size() <= kMaxPlaylistLineLength &&
         std::none_of(line.begin(), line.end(),
                      [](QChar c) { return c.unicode() < 0x20 && c != u'\t'; });
}

// The lines of a text playlist up to the bound (cut at the last whole line), without the lines
// that cannot be text.
bool ReadLines(const QString& fileName, QStringList* lines, QString* errorText) {
  QFile file(fileName);
  QByteArray bytes;
  if (file.open(QIODevice::ReadOnly)) {
    bytes = file.read(kMaxPlaylistTextBytes);
  }
  if (!file.isOpen() || file.error() != QFileDevice::NoError) {
    SetError(errorText, QStringLiteral("Cannot read '%1'").arg(fileName));
    return false;
  }
  if (!file.atEnd()) {
    bytes.truncate(std::max<qsizetype>(bytes.lastIndexOf('\n'), 0));
  }
  *lines = SplitLines(DecodeText(bytes));
  lines->removeIf([](const QString& line) { return !IsTextLine(line); });
  return true;
}

}  // namespace

TPlaylistFormat PlaylistFormatOf(const QString& fileName) {
  const QStringView extension = MediaExtensionView(fileName);
  const auto is = [extension](QLatin1StringView wanted) {
    return extension.compare(wanted, Qt::CaseInsensitive) == 0;
  };
  if (is(QLatin1StringView(".zpl"))) {
    return pfZpl;
  }
  if (is(QLatin1StringView(".pls"))) {
    return pfPls;
  }
  if (is(QLatin1StringView(".m3u"))) {
    return pfM3u;
  }
  return pfNone;
}

QByteArray EncodeZpl(const TZPlaylist& playlist) {
  const int count = playlist.Count();
  QByteArray data(4 + qsizetype(kZplRecordSize) * count, '\0');
  qToLittleEndian<qint32>(count, data.data());
  for (int i = 0; i < count; ++i) {
    EncodeZplRecord(*playlist.Get(i), data.data() + 4 + qsizetype(kZplRecordSize) * i);
  }
  return data;
}

bool DecodeZpl(QByteArrayView data, TZPlaylist& playlist, bool clearFirst) {
  if (data.size() < 4) {
    return false;
  }
  if (clearFirst) {
    playlist.ClearPlaylist();
  }
  const qint64 count = RecordsToRead(qFromLittleEndian<qint32>(data.data()), data.size() - 4);
  playlist.Reserve(static_cast<int>(count));
  ShortTextCache shortTexts(count);
  for (qint64 i = 0; i < count; ++i) {
    DecodeZplRecord(data.data() + 4 + kZplRecordSize * i, playlist, shortTexts);
  }
  return true;
}

bool ParsePls(const QStringList& lines, TZPlaylist& playlist, bool clearFirst, bool* changed) {
  *changed = false;
  if (FirstLineContaining(lines, QLatin1StringView("[playlist]")) < 0) {
    return false;
  }
  const int countLine = FirstLineContaining(lines, QLatin1StringView("numberofentries"));
  if (countLine < 0) {
    return false;
  }
  const QString countText = PlsValue(lines[countLine]);
  if (!AllDigits(countText)) {
    return false;
  }
  const quint64 count = DigitsValue(countText);
  if (count == 0) {
    return true;
  }

  if (clearFirst) {
    playlist.ClearPlaylist();
  }
  *changed = true;
  const auto files = FirstLinesByIndex(lines, QLatin1StringView("file"), count);
  const auto titles = FirstLinesByIndex(lines, QLatin1StringView("title"), count);
  auto title = titles.begin();
  for (const auto& [index, line] : files) {
    const QString fileName = PlsValue(lines[line]);
    QString caption;
    while (title != titles.end() && title->first < index) {
      ++title;
    }
    if (title != titles.end() && title->first == index) {
      caption = PlsValue(lines[title->second]);
    }
    if (caption.isEmpty()) {
      caption = FileNamePart(fileName);
    }
    playlist.Add(caption, fileName, false, QStringLiteral("00"), QStringLiteral("00:00:00"));
  }
  return true;
}

void ParseM3u(const QStringList& lines, TZPlaylist& playlist, bool clearFirst) {
  if (clearFirst) {
    playlist.ClearPlaylist();
  }
  const QString unknownTime = FormatTimeText(0, 0, 0);
  QString caption;
  QString time = unknownTime;
  for (qsizetype li = 0; li < lines.size(); ++li) {
    QStringView line(lines[li]);
    if (li == 0 && line.startsWith(QChar(0xFEFF))) {
      line = line.mid(1);  // UTF-8 byte-order mark
    }
    if (line.startsWith(u'#')) {
      if (line.left(7).compare(u"#EXTINF", Qt::CaseInsensitive) != 0) {
        continue;
      }
      const qsizetype comma = line.indexOf(u',');
      if (comma < 0) {
        continue;
      }
      caption = line.mid(comma + 1).toString();
      const qsizetype colon = line.indexOf(u':');
      if (colon < 0) {
        continue;
      }
      time = ExtinfTime(colon < comma ? line.mid(colon + 1, comma - colon - 1) : QStringView());
      continue;
    }
    if (line.trimmed().isEmpty()) {
      continue;
    }
    const QString path =
        line.startsWith(u'\\') ? QStringLiteral("C:") + line.toString() : line.toString();
    if (caption.isEmpty()) {
      caption = WithoutExtension(FileNamePart(line.toString()));
    }
    playlist.Add(caption, path, false, QStringLiteral("00"), time);
    caption.clear();
    time = unknownTime;
  }
}

TPlaylistReadResult ReadZplFile(const QString& fileName, TZPlaylist& playlist, bool clearFirst,
                                QString* errorText) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) {
    SetError(errorText, QStringLiteral("Cannot open '%1': %2").arg(fileName, file.errorString()));
    return prFailed;
  }
  char header[4];
  if (file.read(header, 4) != 4) {
    SetError(errorText, QStringLiteral("'%1' is too short to be a playlist").arg(fileName));
    return prFailed;
  }
  if (clearFirst) {
    playlist.ClearPlaylist();
  }
  qint64 remaining = RecordsToRead(qFromLittleEndian<qint32>(header), file.size() - 4);
  playlist.Reserve(static_cast<int>(remaining));
  ShortTextCache shortTexts(remaining);
  QByteArray chunk(qsizetype(kZplRecordSize) * kRecordsPerChunk, Qt::Uninitialized);
  while (remaining > 0) {
    const qint64 records = std::min<qint64>(remaining, kRecordsPerChunk);
    if (file.read(chunk.data(), records * kZplRecordSize) != records * kZplRecordSize) {
      SetError(errorText, QStringLiteral("Cannot read '%1': %2").arg(fileName, file.errorString()));
      return prFailed;
    }
    for (qint64 i = 0; i < records; ++i) {
      DecodeZplRecord(chunk.constData() + kZplRecordSize * i, playlist, shortTexts);
    }
    remaining -= records;
  }
  return prLoaded;
}

namespace {

// Whether a ".zpl" file holds exactly what its count promises (trailing bytes aside).
bool ZplFileIsWhole(const QString& fileName) {
  QFile file(fileName);
  char header[4];
  if (!file.open(QIODevice::ReadOnly) || file.read(header, 4) != 4) {
    return false;
  }
  const qint32 count = qFromLittleEndian<qint32>(header);
  return count >= 0 && 4 + qint64(count) * kZplRecordSize <= file.size();
}

// Copies the file to "<name>.damaged", or "<name>.damaged.2" and on when that is taken, so that
// no earlier copy is lost either.
bool KeepDamagedCopy(const QString& fileName) {
  QString target = fileName + QStringLiteral(".damaged");
  for (int n = 2; QFile::exists(target); ++n) {
    target = fileName + QStringLiteral(".damaged.%1").arg(n);
  }
  return QFile::copy(fileName, target);
}

}  // namespace

TPlaylistReadResult ReadDefaultPlaylist(const QString& fileName, TZPlaylist& playlist,
                                        QString* errorText) {
  if (ZplFileIsWhole(fileName) && ReadZplFile(fileName, playlist, true, errorText) == prLoaded) {
    return prLoaded;
  }
  const bool kept = KeepDamagedCopy(fileName);
  SetError(errorText,
           kept ? QStringLiteral("'%1' is damaged; a copy is kept beside it").arg(fileName)
                : QStringLiteral("'%1' is damaged and no copy could be made").arg(fileName));
  return prFailed;
}

TPlaylistReadResult ReadPlsFile(const QString& fileName, TZPlaylist& playlist, bool clearFirst,
                                QString* errorText) {
  QStringList lines;
  if (!ReadLines(fileName, &lines, errorText)) {
    return prFailed;
  }
  bool changed = false;
  if (!ParsePls(lines, playlist, clearFirst, &changed)) {
    ReportError(1050, QStringLiteral("TZGlobal"), QString(), false);
    return prUnchanged;
  }
  return changed ? prLoaded : prUnchanged;
}

TPlaylistReadResult ReadM3uFile(const QString& fileName, TZPlaylist& playlist, bool clearFirst,
                                QString* errorText) {
  QStringList lines;
  if (!ReadLines(fileName, &lines, errorText)) {
    return prFailed;
  }
  ParseM3u(lines, playlist, clearFirst);
  return prLoaded;
}

TPlaylistReadResult ReadPlaylistFile(const QString& fileName, TZPlaylist& playlist, bool clearFirst,
                                     QString* errorText) {
  switch (PlaylistFormatOf(fileName)) {
    case pfZpl:
      return ReadZplFile(fileName, playlist, clearFirst, errorText);
    case pfPls:
      return ReadPlsFile(fileName, playlist, clearFirst, errorText);
    case pfM3u:
      return ReadM3uFile(fileName, playlist, clearFirst, errorText);
    case pfNone:
      break;
  }
  SetError(errorText, QStringLiteral("'%1' is not a playlist file").arg(fileName));
  return prFailed;
}

bool WriteZplFile(const QString& fileName, const TZPlaylist& playlist) {
  // The same temporary-file-and-rename as WriteFileAtomically, fed record by record.
  QSaveFile file(fileName);
  if (!file.open(QIODevice::WriteOnly)) {
    return false;
  }
  char header[4];
  qToLittleEndian<qint32>(playlist.Count(), header);
  bool ok = file.write(header, 4) == 4;
  QByteArray chunk(qsizetype(kZplRecordSize) * kRecordsPerChunk, Qt::Uninitialized);
  qint64 unsynced = 0;
  for (int first = 0; ok && first < playlist.Count(); first += kRecordsPerChunk) {
    const int records = std::min(kRecordsPerChunk, playlist.Count() - first);
    for (int i = 0; i < records; ++i) {
      EncodeZplRecord(*playlist.Get(first + i), chunk.data() + qsizetype(kZplRecordSize) * i);
    }
    const qint64 bytes = qint64(kZplRecordSize) * records;
    ok = file.write(chunk.constData(), bytes) == bytes;
    unsynced += bytes;
    if (ok && unsynced >= kWriteBackBytes) {
      StartWriteBack(file);
      unsynced = 0;
    }
  }
  if (!ok) {
    file.cancelWriting();
    return false;
  }
  return CommitComplete(file, 4 + qint64(kZplRecordSize) * playlist.Count());
}
