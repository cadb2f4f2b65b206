#include "playlist/id3v2.h"

#include <QFile>
#include <QSaveFile>
#include <QtEndian>
#include <array>

#include <zlib.h>

#include "base/text/textfile.h"
#include "playlist/tagtext.h"

namespace {

constexpr int kHeaderSize = 10;
constexpr int kFrameHeaderSize = 10;
constexpr int kMaxFrameData = 500;
constexpr int kSlots = 16;

enum Slot {
  kTitle,
  kArtist,
  kAlbum,
  kTrack,
  kYear,
  kGenre,
  kComment,
  kComposer,
  kEncoder,
  kCopyright,
  kLanguage,
  kLink,
  kRecordingTime,
  kOriginalArtist,
  kContentGroup,
  kOriginalAlbum,
};

constexpr std::array<const char*, kSlots> kFrameIds = {
    "TIT2", "TPE1", "TALB", "TRCK", "TYER", "TCON", "COMM", "TCOM",
    "TENC", "TCOP", "TLAN", "WXXX", "TDRC", "TOPE", "TIT1", "TOAL"};
constexpr std::array<const char*, kSlots> kFrameIdsV22 = {"TT2", "TP1", "TAL", "TRK", "TYE", "TCO",
                                                          "COM", "TCM", "TEN", "TCR", "TLA", "WXX",
                                                          "TOR", "TOA", "TT1", "TOT"};

using FrameData = std::array<QByteArray, kSlots>;

quint32 SyncsafeValue(const unsigned char* p) {
  return quint32(p[0] & 0x7F) << 21 | quint32(p[1] & 0x7F) << 14 | quint32(p[2] & 0x7F) << 7 |
         quint32(p[3] & 0x7F);
}

void PutSyncsafe(char* p, quint32 value) {
  for (int i = 0; i < 4; ++i) {
    p[i] = static_cast<char>((value >> (7 * (3 - i))) & 0x7F);
  }
}

// The whole tag size from a header, header and footer included; 0 when there is no tag.
qint64 TagSizeFromHeader(QByteArrayView header) {
  if (header.size() < kHeaderSize || !header.startsWith("ID3")) {
    return 0;
  }
  const auto* p = reinterpret_cast<const unsigned char*>(header.data());
  return qint64(SyncsafeValue(p + 6)) + kHeaderSize + ((p[5] & 0x10) ? kHeaderSize : 0);
}

int SlotOf(QByteArrayView id, int version) {
  const auto& ids = version == 2 ? kFrameIdsV22 : kFrameIds;
  for (int i = 0; i < kSlots; ++i) {
    if (id == QByteArrayView(ids[static_cast<size_t>(i)])) {
      return i;
    }
  }
  return -1;
}

// UTF-16 text up to a zero character. A byte-order mark chooses the byte order; without one the
// text is taken as little-endian (encoding 1) or big-endian (encoding 2).
QString DecodeUtf16(QByteArrayView bytes, bool bigEndian) {
  if (bytes.size() >= 2) {
    const auto b0 = static_cast<unsigned char>(bytes[0]);
    const auto b1 = static_cast<unsigned char>(bytes[1]);
    if ((b0 == 0xFF && b1 == 0xFE) || (b0 == 0xFE && b1 == 0xFF)) {
      bigEndian = b0 == 0xFE;
      bytes = bytes.sliced(2);
    }
  }
  QString text;
  text.reserve(bytes.size() / 2);
  for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
    const auto hi = static_cast<unsigned char>(bytes[bigEndian ? i : i + 1]);
    const auto lo = static_cast<unsigned char>(bytes[bigEndian ? i + 1 : i]);
    const char16_t c = char16_t(hi << 8 | lo);
    if (c == 0) {
      break;
    }
    text.append(QChar(c));
  }
  return text;
}

bool WideEncoding(char encoding) {
  return encoding == 1 || encoding == 2;
}

bool StartsWithUtf16Mark(QByteArrayView bytes) {
  return bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
}

QString DecodeEncoded(char encoding, QByteArrayView text) {
  // Some writers put UTF-16 text, byte-order mark and all, in a frame marked 8-bit, or start
  // UTF-8 with its own mark; the mark is never part of the text.
  if ((encoding == 0 || encoding == 3) && StartsWithUtf16Mark(text)) {
    encoding = 1;
  } else if (encoding == 3 && text.startsWith("\xEF\xBB\xBF")) {
    text = text.sliced(3);
  }
  switch (encoding) {
    case 0:
      return TrimTagText(DecodeTagBytes(text));
    case 1:
    case 2:
      return TrimTagText(DecodeUtf16(text, encoding == 2));
    case 3:
      return TrimTagText(DecodeUtf8Prefix(text));
    default:
      return QString();
  }
}

// A text frame: the encoding byte, then the text.
QString TextFrame(const QByteArray& data) {
  return data.isEmpty() ? QString() : DecodeEncoded(data[0], QByteArrayView(data).sliced(1));
}

// Skips a zero-terminated description that starts at 'from'; returns where the text begins.
qsizetype AfterDescription(QByteArrayView data, qsizetype from, bool wide) {
  for (qsizetype i = from; i < data.size(); i += wide ? 2 : 1) {
    if (data[i] == '\0' && (!wide || (i + 1 < data.size() && data[i + 1] == '\0'))) {
      return i + (wide ? 2 : 1);
    }
  }
  return data.size();
}

// A comment frame: encoding, three-letter language, description, then the text.
QString CommentFrame(const QByteArray& data) {
  if (data.size() < 4) {
    return QString();
  }
  const qsizetype text = AfterDescription(data, 4, WideEncoding(data[0]));
  return DecodeEncoded(data[0], QByteArrayView(data).sliced(text));
}

// A user link frame: encoding, description, then the URL, always 8-bit.
QString LinkFrame(const QByteArray& data) {
  if (data.isEmpty()) {
    return QString();
  }
  const qsizetype url = AfterDescription(data, 1, WideEncoding(data[0]));
  return TrimTagText(DecodeTagBytes(QByteArrayView(data).sliced(url)));
}

QString Either(const QString& first, const QString& second) {
  return first.isEmpty() ? second : first;
}

bool IsFrameIdByte(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// Whether a frame may begin at `pos`: the tag's end, padding, or a frame ID.
bool FrameMayStartAt(QByteArrayView tag, qint64 pos, qint64 end, int idSize) {
  if (pos == end || (pos < end && tag[pos] == '\0')) {
    return true;
  }
  if (pos + idSize > end) {
    return false;
  }
  for (int i = 0; i < idSize; ++i) {
    if (!IsFrameIdByte(static_cast<unsigned char>(tag[pos + i]))) {
      return false;
    }
  }
  return true;
}

// A 2.4 frame size is syncsafe, but some writers store it plainly: the reading that lands on
// the next frame wins.
qint64 FrameSize(QByteArrayView tag, qint64 pos, int version, qint64 end) {
  const auto* p = reinterpret_cast<const unsigned char*>(tag.data()) + pos;
  if (version == 2) {
    return qint64(p[3]) << 16 | qint64(p[4]) << 8 | p[5];
  }
  const qint64 plain = qFromBigEndian<quint32>(p + 4);
  if (version == 3) {
    return plain;
  }
  const unsigned char* s = p + 4;
  if ((s[0] | s[1] | s[2] | s[3]) & 0x80) {
    return plain;
  }
  const qint64 syncsafe = SyncsafeValue(s);
  const qint64 dataAt = pos + kFrameHeaderSize;
  if (syncsafe != plain && !FrameMayStartAt(tag, dataAt + syncsafe, end, 4) &&
      FrameMayStartAt(tag, dataAt + plain, end, 4)) {
    return plain;
  }
  return syncsafe;
}

// Inflates a zlib stream, keeping at most kMaxFrameData bytes: the text fields need no more,
// and a small frame cannot make a large allocation.
QByteArray Inflate(QByteArrayView compressed) {
  QByteArray out(kMaxFrameData, '\0');
  z_stream stream{};
  if (inflateInit(&stream) != Z_OK) {
    return QByteArray();
  }
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
  stream.avail_in = static_cast<uInt>(compressed.size());
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = static_cast<uInt>(out.size());
  const int result = inflate(&stream, Z_SYNC_FLUSH);
  const auto produced = static_cast<qsizetype>(stream.total_out);
  inflateEnd(&stream);
  if (result != Z_OK && result != Z_STREAM_END && result != Z_BUF_ERROR) {
    return QByteArray();
  }
  out.truncate(produced);
  return out;
}

// Undoes unsynchronisation: every 0xFF 0x00 pair stands for 0xFF.
QByteArray Resynchronise(QByteArrayView data) {
  QByteArray out;
  out.reserve(data.size());
  for (qsizetype i = 0; i < data.size(); ++i) {
    out.append(data[i]);
    if (static_cast<unsigned char>(data[i]) == 0xFF && i + 1 < data.size() && data[i + 1] == '\0') {
      ++i;
    }
  }
  return out;
}

// The content of a 2.3 or 2.4 frame with its format flags applied: the bytes added before the
// data skipped, compressed data inflated, unsynchronised data restored. Empty for encrypted
// frames, which cannot be read.
QByteArray FrameContent(QByteArrayView data, int version, unsigned char format) {
  const bool v4 = version == 4;
  const bool compressed = format & (v4 ? 0x08 : 0x80);
  const bool encrypted = format & (v4 ? 0x04 : 0x40);
  const bool grouped = format & (v4 ? 0x40 : 0x20);
  const bool lengthGiven = v4 ? (format & 0x01) != 0 : compressed;
  if (encrypted) {
    return QByteArray();
  }
  // 2.3 puts the inflated size first, then the group; 2.4 the group, then the length.
  const qsizetype skip = (grouped ? 1 : 0) + (lengthGiven ? 4 : 0);
  if (data.size() < skip) {
    return QByteArray();
  }
  data = data.sliced(skip);
  const QByteArray restored = v4 && (format & 0x02) ? Resynchronise(data) : data.toByteArray();
  return compressed ? Inflate(restored) : restored.left(kMaxFrameData);
}

// Walks the frames of a tag and keeps the data of the known ones, by slot; a later frame of a
// kind replaces an earlier one. A frame that claims more than the tag holds ends the walk: the
// whole frames before it stay.
FrameData ReadFrames(QByteArrayView tag, int version, int flags, qint64 tagSize) {
  FrameData frames;
  const auto* p = reinterpret_cast<const unsigned char*>(tag.data());
  const qint64 end = std::min<qint64>(tagSize, tag.size());
  qint64 pos = kHeaderSize;
  // An extended header sits between the header and the first frame.
  if ((flags & 0x40) && version >= 3 && end >= pos + 4) {
    const quint32 extended =
        version == 3 ? qFromBigEndian<quint32>(p + pos) + 4 : SyncsafeValue(p + pos);
    pos += extended;
  }
  const int headerSize = version == 2 ? 6 : kFrameHeaderSize;
  while (pos + headerSize <= end) {
    if (p[pos] < 'A' || p[pos] > 'Z') {
      break;  // padding
    }
    const QByteArrayView id = tag.sliced(pos, version == 2 ? 3 : 4);
    const qint64 size = FrameSize(tag, pos, version, end);
    const qint64 dataAt = pos + headerSize;
    if (size > end - dataAt) {
      break;
    }
    const int slot = SlotOf(id, version);
    if (slot >= 0) {
      const QByteArrayView raw = tag.sliced(dataAt, size);
      const QByteArray data = version == 2
                                  ? raw.first(std::min<qint64>(size, kMaxFrameData)).toByteArray()
                                  : FrameContent(raw, version, p[pos + 9]);
      if (!data.isEmpty() && data[0] >= 0 && data[0] <= 3) {
        frames[static_cast<size_t>(slot)] = data;
      }
    }
    pos = dataAt + size;
  }
  return frames;
}

// The text and encoding byte of a frame written by this program: 8-bit text where the text has
// Windows-1252 bytes that the reader takes back for the same text (8-bit frames are read as
// UTF-8 when valid, and from a UTF-16 mark on as UTF-16), else UTF-16 with a byte-order mark.
QByteArray EncodedText(const QString& text, char* encoding) {
  bool narrow = false;
  const QByteArray bytes = EncodeWindows1252(text, &narrow);
  *encoding = narrow && DecodeEncoded(0, bytes) == text ? 0 : 1;
  if (*encoding == 0) {
    return bytes;
  }
  QByteArray wide("\xFF\xFE", 2);
  for (QChar c : text) {
    wide.append(static_cast<char>(c.unicode() & 0xFF));
    wide.append(static_cast<char>(c.unicode() >> 8));
  }
  return wide;
}

void AppendFrame(QByteArray& out, int slot, const QByteArray& payload) {
  out.append(kFrameIds[static_cast<size_t>(slot)], 4);
  char size[4];
  qToBigEndian<quint32>(quint32(payload.size()), size);
  out.append(size, 4);
  out.append("\0\0", 2);
  out.append(payload);
}

void AppendTextFrame(QByteArray& out, int slot, const QString& text) {
  if (text.isEmpty()) {
    return;
  }
  char encoding = 0;
  const QByteArray bytes = EncodedText(text, &encoding);
  AppendFrame(out, slot, QByteArray(1, encoding) + bytes);
}

// Replaces the file by head + the file's bytes from 'from' on, through a temporary file renamed
// over it: the original stays whole until the new file is complete.
bool RewriteFile(const QString& fileName, const QByteArray& head, qint64 from) {
  QFile source(fileName);
  if (!source.open(QIODevice::ReadOnly) || !source.seek(from)) {
    return false;
  }
  QSaveFile target(fileName);
  if (!target.open(QIODevice::WriteOnly) || target.write(head) != head.size()) {
    return false;
  }
  QByteArray chunk;
  while (!(chunk = source.read(1 << 20)).isEmpty()) {
    if (target.write(chunk) != chunk.size()) {
      target.cancelWriting();
      return false;
    }
  }
  if (source.error() != QFileDevice::NoError) {
    target.cancelWriting();
    return false;
  }
  return CommitComplete(target, head.size() + source.size() - from);
}

// The size of the file's tag as found in its first bytes; 0 when there is none.
qint64 ExistingTagSize(const QString& fileName, bool* hasTag) {
  QFile file(fileName);
  *hasTag = false;
  if (!file.open(QIODevice::ReadOnly)) {
    return 0;
  }
  const QByteArray header = file.read(kHeaderSize);
  *hasTag = header.startsWith("ID3");
  const qint64 size = TagSizeFromHeader(header);
  return size <= file.size() ? size : 0;
}

}  // namespace

bool TID3v2::ReadFromFile(const QString& fileName) {
  ResetData();
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) {
    return false;
  }
  QByteArray head = file.read(kHeaderSize);
  if (head.size() < kHeaderSize) {
    return false;
  }
  const qint64 tagSize = std::min(TagSizeFromHeader(head), file.size());
  if (tagSize > kHeaderSize) {
    head += file.read(tagSize - kHeaderSize);
  }
  ParseTag(head, file.size());
  return true;
}

void TID3v2::ParseTag(QByteArrayView head, qint64 fileSize) {
  ResetData();
  if (head.size() < kHeaderSize || !head.startsWith("ID3")) {
    return;
  }
  exists_ = true;
  versionId_ = static_cast<uint8_t>(head[3]);
  const qint64 tagSize = TagSizeFromHeader(head);
  // A tag that claims more than the file holds is unusable as a whole, but its frames that are
  // there are read.
  size_ = tagSize > fileSize ? 0 : int(tagSize);
  if (versionId_ < 2 || versionId_ > 4) {
    return;
  }

  const FrameData frames = ReadFrames(head, versionId_, static_cast<unsigned char>(head[5]),
                                      std::min(tagSize, fileSize));
  const auto text = [&](Slot slot) { return TextFrame(frames[slot]); };
  SetTitle(Either(text(kTitle), text(kContentGroup)));
  SetArtist(Either(text(kArtist), text(kOriginalArtist)));
  SetAlbum(Either(text(kAlbum), text(kOriginalAlbum)));
  trackString_ = text(kTrack);
  track_ = static_cast<uint16_t>(ParseTrackNumber(trackString_, 0xFFFF));
  SetYear(Either(text(kYear), text(kRecordingTime).left(4)));
  // "(13)Pop" keeps the name; a bare "(13)" becomes empty.
  const QString genre = text(kGenre);
  SetGenre(genre.mid(genre.lastIndexOf(u')') + 1));
  SetComment(CommentFrame(frames[kComment]));
  SetComposer(text(kComposer));
  SetEncoder(text(kEncoder));
  SetCopyright(text(kCopyright));
  SetLanguage(text(kLanguage));
  SetLink(LinkFrame(frames[kLink]));
}

QByteArray TID3v2::BuildFrames() const {
  QByteArray out;
  AppendTextFrame(out, kTitle, title_);
  AppendTextFrame(out, kArtist, artist_);
  AppendTextFrame(out, kAlbum, album_);
  if (track_ != 0) {
    AppendTextFrame(out, kTrack, QString::number(track_));
  }
  AppendTextFrame(out, kYear, year_);
  AppendTextFrame(out, kGenre, genre_);
  if (!comment_.isEmpty()) {
    char encoding = 0;
    const QByteArray text = EncodedText(comment_, &encoding);
    // Language "eng" and an empty description before the text.
    const QByteArray description =
        encoding == 0 ? QByteArray(1, '\0') : QByteArray("\xFF\xFE\0\0", 4);
    AppendFrame(out, kComment, QByteArray(1, encoding) + "eng" + description + text);
  }
  AppendTextFrame(out, kComposer, composer_);
  AppendTextFrame(out, kEncoder, encoder_);
  AppendTextFrame(out, kCopyright, copyright_);
  AppendTextFrame(out, kLanguage, language_);
  if (!link_.isEmpty()) {
    AppendFrame(out, kLink, QByteArray(2, '\0') + EncodeTagField(link_, 1 << 20));
  }
  return out;
}

bool TID3v2::SaveToFile(const QString& fileName) const {
  if (!MakeFileWritable(fileName)) {
    return false;
  }
  const QByteArray frames = BuildFrames();
  const qint64 needed = kHeaderSize + frames.size();
  bool hasTag = false;
  const qint64 existing = ExistingTagSize(fileName, &hasTag);
  const bool rewrite = existing == 0 || existing < needed || existing > kID3v2RewriteSize;
  const qint64 padding = std::max<qint64>(0, (rewrite ? kID3v2RewriteSize : existing) - needed);

  QByteArray tag("ID3\x03\0\0", 6);
  tag.resize(kHeaderSize);
  PutSyncsafe(tag.data() + 6, quint32(needed + padding - kHeaderSize));
  tag += frames;
  tag += QByteArray(padding, '\0');
  if (rewrite) {
    return RewriteFile(fileName, tag, hasTag ? existing : 0);
  }

  QFile file(fileName);
  return file.open(QIODevice::ReadWrite) && file.write(tag) == tag.size() && file.flush();
}

bool TID3v2::RemoveFromFile(const QString& fileName) {
  if (!MakeFileWritable(fileName)) {
    return false;
  }
  bool hasTag = false;
  const qint64 existing = ExistingTagSize(fileName, &hasTag);
  // A tag that claims more than the file holds is left alone: cutting it would cut everything.
  if (!hasTag || existing == 0) {
    return false;
  }
  return RewriteFile(fileName, QByteArray(), existing);
}

void TID3v2::SetTitle(const QString& text) {
  title_ = TrimTagText(text);
}
void TID3v2::SetArtist(const QString& text) {
  artist_ = TrimTagText(text);
}
void TID3v2::SetAlbum(const QString& text) {
  album_ = TrimTagText(text);
}
void TID3v2::SetYear(const QString& text) {
  year_ = TrimTagText(text);
}
void TID3v2::SetGenre(const QString& text) {
  genre_ = TrimTagText(text);
}
void TID3v2::SetComment(const QString& text) {
  comment_ = TrimTagText(text);
}
void TID3v2::SetComposer(const QString& text) {
  composer_ = TrimTagText(text);
}
void TID3v2::SetEncoder(const QString& text) {
  encoder_ = TrimTagText(text);
}
void TID3v2::SetCopyright(const QString& text) {
  copyright_ = TrimTagText(text);
}
void TID3v2::SetLanguage(const QString& text) {
  language_ = TrimTagText(text);
}
void TID3v2::SetLink(const QString& text) {
  link_ = TrimTagText(text);
}
