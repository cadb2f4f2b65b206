#include "playlist/id3v2.h"

#include <QFile>
#include <QSaveFile>
#include <QtEndian>
#include <array>

#include "playlist/tagtext.h"

namespace {

constexpr int kHeaderSize = 10;
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
  for (int i = 0; i < 4; ++i)
    p[i] = static_cast<char>((value >> (7 * (3 - i))) & 0x7F);
}

// The whole tag size from a header, header and footer included; 0 when there is no tag.
qint64 TagSizeFromHeader(QByteArrayView header) {
  if (header.size() < kHeaderSize || !header.startsWith("ID3"))
    return 0;
  const auto* p = reinterpret_cast<const unsigned char*>(header.data());
  return qint64(SyncsafeValue(p + 6)) + kHeaderSize + ((p[5] & 0x10) ? kHeaderSize : 0);
}

int SlotOf(QByteArrayView id, int version) {
  const auto& ids = version == 2 ? kFrameIdsV22 : kFrameIds;
  for (int i = 0; i < kSlots; ++i) {
    if (id == QByteArrayView(ids[static_cast<size_t>(i)]))
      return i;
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
    if (c == 0)
      break;
    text.append(QChar(c));
  }
  return text;
}

bool WideEncoding(char encoding) {
  return encoding == 1 || encoding == 2;
}

QString DecodeEncoded(char encoding, QByteArrayView text) {
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
  if (data.size() < 4)
    return QString();
  const qsizetype text = AfterDescription(data, 4, WideEncoding(data[0]));
  return DecodeEncoded(data[0], QByteArrayView(data).sliced(text));
}

// A user link frame: encoding, description, then the URL, always 8-bit.
QString LinkFrame(const QByteArray& data) {
  if (data.isEmpty())
    return QString();
  const qsizetype url = AfterDescription(data, 1, WideEncoding(data[0]));
  return TrimTagText(DecodeTagBytes(QByteArrayView(data).sliced(url)));
}

QString Either(const QString& first, const QString& second) {
  return first.isEmpty() ? second : first;
}

// Walks the frames of a tag and keeps the data of the known ones, by slot.
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
  const int headerSize = version == 2 ? 6 : 10;
  while (pos + headerSize <= end) {
    if (p[pos] < 'A' || p[pos] > 'Z')
      break;  // padding
    const QByteArrayView id = tag.sliced(pos, version == 2 ? 3 : 4);
    qint64 size = 0;
    bool skipped = false;
    if (version == 2) {
      size = qint64(p[pos + 3]) << 16 | qint64(p[pos + 4]) << 8 | p[pos + 5];
    } else {
      const unsigned char* s = p + pos + 4;
      const bool syncsafe = version == 4 && ((s[0] | s[1] | s[2] | s[3]) & 0x80) == 0;
      size = syncsafe ? SyncsafeValue(s) : qFromBigEndian<quint32>(s);
      skipped = (p[pos + 9] & 0x80) != 0;  // compressed: the data is not text
    }
    const qint64 dataAt = pos + headerSize;
    const int slot = skipped ? -1 : SlotOf(id, version);
    if (slot >= 0 && dataAt < end) {
      const QByteArrayView data =
          tag.sliced(dataAt, std::min<qint64>({size, kMaxFrameData, end - dataAt}));
      if (!data.isEmpty() && data[0] >= 0 && data[0] <= 3)
        frames[static_cast<size_t>(slot)] = data.toByteArray();
    }
    pos = dataAt + size;
  }
  return frames;
}

// The text and encoding byte of a frame written by this program: plain ASCII as 8-bit text, else
// UTF-16 with a byte-order mark. Other 8-bit text would not read back the same, since 8-bit
// frames are read as UTF-8 when valid and as Windows-1252 otherwise.
QByteArray EncodedText(const QString& text, char* encoding) {
  const bool ascii =
      std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
  *encoding = ascii ? 0 : 1;
  if (ascii)
    return text.toLatin1();
  QByteArray bytes("\xFF\xFE", 2);
  for (QChar c : text) {
    bytes.append(static_cast<char>(c.unicode() & 0xFF));
    bytes.append(static_cast<char>(c.unicode() >> 8));
  }
  return bytes;
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
  if (text.isEmpty())
    return;
  char encoding = 0;
  const QByteArray bytes = EncodedText(text, &encoding);
  AppendFrame(out, slot, QByteArray(1, encoding) + bytes);
}

// Replaces the file by head + the file's bytes from 'from' on, through a temporary file renamed
// over it: the original stays whole until the new file is complete.
bool RewriteFile(const QString& fileName, const QByteArray& head, qint64 from) {
  QFile source(fileName);
  if (!source.open(QIODevice::ReadOnly) || !source.seek(from))
    return false;
  QSaveFile target(fileName);
  if (!target.open(QIODevice::WriteOnly) || target.write(head) != head.size())
    return false;
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
  return target.commit();
}

// The size of the file's tag as found in its first bytes; 0 when there is none.
qint64 ExistingTagSize(const QString& fileName, bool* hasTag) {
  QFile file(fileName);
  *hasTag = false;
  if (!file.open(QIODevice::ReadOnly))
    return 0;
  const QByteArray header = file.read(kHeaderSize);
  *hasTag = header.startsWith("ID3");
  const qint64 size = TagSizeFromHeader(header);
  return size <= file.size() ? size : 0;
}

}  // namespace

bool TID3v2::ReadFromFile(const QString& fileName) {
  ResetData();
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly))
    return false;
  QByteArray head = file.read(kHeaderSize);
  if (head.size() < kHeaderSize)
    return false;
  const qint64 tagSize = std::min(TagSizeFromHeader(head), file.size());
  if (tagSize > kHeaderSize)
    head += file.read(tagSize - kHeaderSize);
  ParseTag(head, file.size());
  return true;
}

void TID3v2::ParseTag(QByteArrayView head, qint64 fileSize) {
  ResetData();
  if (head.size() < kHeaderSize || !head.startsWith("ID3"))
    return;
  exists_ = true;
  versionId_ = static_cast<uint8_t>(head[3]);
  const qint64 tagSize = TagSizeFromHeader(head);
  size_ = tagSize > fileSize ? 0 : int(tagSize);
  if (versionId_ < 2 || versionId_ > 4 || size_ == 0)
    return;

  const FrameData frames = ReadFrames(head, versionId_, static_cast<unsigned char>(head[5]), size_);
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
  if (track_ != 0)
    AppendTextFrame(out, kTrack, QString::number(track_));
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
  if (!link_.isEmpty())
    AppendFrame(out, kLink, QByteArray(2, '\0') + EncodeTagField(link_, 1 << 20));
  return out;
}

bool TID3v2::SaveToFile(const QString& fileName) const {
  if (!MakeFileWritable(fileName))
    return false;
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
  if (rewrite)
    return RewriteFile(fileName, tag, hasTag ? existing : 0);

  QFile file(fileName);
  return file.open(QIODevice::ReadWrite) && file.write(tag) == tag.size() && file.flush();
}

bool TID3v2::RemoveFromFile(const QString& fileName) {
  if (!MakeFileWritable(fileName))
    return false;
  bool hasTag = false;
  const qint64 existing = ExistingTagSize(fileName, &hasTag);
  // A tag that claims more than the file holds is left alone: cutting it would cut everything.
  if (!hasTag || existing == 0)
    return false;
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
