#include "skin/skinpicture.h"

#include <QImageReader>
#include <QtEndian>
#include <cstring>
#include <limits>
#include <optional>

namespace {

// Header fields of a Windows bitmap, as far as the plain 24-bit case needs them.
struct BitmapLayout {
  qint64 pixelOffset = 0;
  int width = 0;
  int height = 0;
  bool topDown = false;
  qint64 stride = 0;  // rows are padded to four bytes
};

constexpr qint64 kFileHeaderSize = 14;

quint32 U32(const QByteArray& bytes, qint64 at) {
  return qFromLittleEndian<quint32>(bytes.constData() + at);
}

quint16 U16(const QByteArray& bytes, qint64 at) {
  return qFromLittleEndian<quint16>(bytes.constData() + at);
}

// The layout when the file is an uncompressed 24-bit bitmap with a standard header, its pixels
// right behind the header and all of them present; anything else is left to the image reader.
std::optional<BitmapLayout> PlainBitmapLayout(const QByteArray& bytes) {
  constexpr qint64 kInfoFields = 34;  // up to and including the compression field
  if (bytes.size() < kFileHeaderSize + kInfoFields || !bytes.startsWith("BM")) {
    return std::nullopt;
  }
  const quint32 infoSize = U32(bytes, 14);
  const auto width = qint32(U32(bytes, 18));
  const auto height = qint32(U32(bytes, 22));
  if ((infoSize != 40 && infoSize != 108 && infoSize != 124) ||
      U32(bytes, 10) != kFileHeaderSize + infoSize || U16(bytes, 26) != 1 || U16(bytes, 28) != 24 ||
      U32(bytes, 30) != 0 || width <= 0 || height == 0 ||
      height == std::numeric_limits<qint32>::min()) {
    return std::nullopt;
  }
  BitmapLayout layout;
  layout.pixelOffset = kFileHeaderSize + infoSize;
  layout.width = width;
  layout.height = qAbs(height);
  layout.topDown = height < 0;
  layout.stride = (qint64(width) * 3 + 3) & ~qint64(3);
  // The reader refuses pictures beyond its allocation limit (in megabytes, at 32 bits a pixel);
  // so does this path, so that both accept the same files.
  // Rows are counted against the bytes there are before any product is formed: a header's
  // sizes alone can overflow 64 bits.
  const qint64 limit = qint64(QImageReader::allocationLimit()) << 20;
  const qint64 pixelBytes = bytes.size() - layout.pixelOffset;
  if (pixelBytes < 0 || layout.height > pixelBytes / layout.stride ||
      (limit > 0 && qint64(width) * layout.height * 4 > limit)) {
    return std::nullopt;
  }
  return layout;
}

// A plain 24-bit bitmap's rows are blue-green-red, padded to four bytes like a QImage's: they are
// copied whole and the colour order swapped once.
QImage DecodePlainBitmap(const QByteArray& bytes, const BitmapLayout& layout) {
  QImage picture(layout.width, layout.height, QImage::Format_BGR888);
  if (picture.isNull()) {
    return picture;
  }
  const char* pixels = bytes.constData() + layout.pixelOffset;
  for (int y = 0; y < layout.height; ++y) {
    const qint64 row = layout.topDown ? y : layout.height - 1 - y;
    std::memcpy(picture.scanLine(y), pixels + row * layout.stride, size_t(layout.width) * 3);
  }
  picture.convertTo(QImage::Format_RGB888);
  return picture;
}

}  // namespace

QImage DecodeSkinPicture(const QByteArray& bytes) {
  if (const std::optional<BitmapLayout> layout = PlainBitmapLayout(bytes)) {
    return DecodePlainBitmap(bytes, *layout);
  }
  QImage picture = QImage::fromData(bytes, "BMP");
  if (picture.isNull()) {
    // Another format under a bitmap's name: opening the file by name finds it by its contents.
    picture = QImage::fromData(bytes);
  }
  if (!picture.isNull()) {
    picture.convertTo(QImage::Format_RGB888);
  }
  return picture;
}
