#include <gtest/gtest.h>

#include <QBuffer>
#include <QImageReader>
#include <QtEndian>

#include "skin/skinpicture.h"
#include "skintestsupport.h"

namespace {

// An uncompressed 24-bit bitmap with an information header of the given size, rows stored
// bottom-up (the usual order) or top-down.
QByteArray Bitmap24(const QImage& picture, quint32 infoSize, bool topDown) {
  const qint64 stride = (qint64(picture.width()) * 3 + 3) & ~qint64(3);
  QByteArray bytes(14 + infoSize + stride * picture.height(), '\0');
  const auto put32 = [&](int at, quint32 v) { qToLittleEndian(v, bytes.data() + at); };
  bytes[0] = 'B';
  bytes[1] = 'M';
  put32(2, quint32(bytes.size()));
  put32(10, 14 + infoSize);
  put32(14, infoSize);
  put32(18, quint32(picture.width()));
  put32(22, quint32(topDown ? -picture.height() : picture.height()));
  qToLittleEndian(quint16(1), bytes.data() + 26);
  qToLittleEndian(quint16(24), bytes.data() + 28);
  for (int y = 0; y < picture.height(); ++y) {
    char* row = bytes.data() + 14 + infoSize + stride * (topDown ? y : picture.height() - 1 - y);
    for (int x = 0; x < picture.width(); ++x) {
      const QRgb pixel = picture.pixel(x, y);
      row[3 * x] = char(qBlue(pixel));
      row[3 * x + 1] = char(qGreen(pixel));
      row[3 * x + 2] = char(qRed(pixel));
    }
  }
  return bytes;
}

QImage ReaderResult(const QByteArray& bytes) {
  const QImage picture = QImage::fromData(bytes, "BMP");
  return picture.isNull() ? picture : picture.convertToFormat(QImage::Format_RGB888);
}

TEST(SkinPictureTest, PlainBitmapsGiveThePixelsTheImageReaderGives) {
  // Widths 1 to 4 cover every row padding.
  for (const int width : {1, 2, 3, 4, 591}) {
    const QImage picture = MakeCoordinatePicture(width, 7);
    for (const quint32 infoSize : {40u, 108u, 124u}) {
      for (const bool topDown : {false, true}) {
        const QByteArray bytes = Bitmap24(picture, infoSize, topDown);
        const QImage decoded = DecodeSkinPicture(bytes);
        EXPECT_EQ(decoded.format(), QImage::Format_RGB888);
        EXPECT_EQ(decoded, picture) << width << " " << infoSize << " " << topDown;
        EXPECT_EQ(decoded, ReaderResult(bytes)) << width << " " << infoSize << " " << topDown;
      }
    }
  }
}

TEST(SkinPictureTest, UnusualOrDamagedBitmapsFareAsWithTheImageReader) {
  const QImage picture = MakeCoordinatePicture(5, 4);
  const QByteArray plain = Bitmap24(picture, 40, false);
  const auto with = [&](int at, quint32 value) {
    QByteArray bytes = plain;
    qToLittleEndian(value, bytes.data() + at);
    return bytes;
  };
  QByteArray gap = with(10, 14 + 40 + 4);  // pixels start four bytes after the header
  gap.insert(14 + 40, 4, '\x7f');
  const std::vector<std::pair<const char*, QByteArray>> cases = {
      // The reader leaves what a short file lacks undefined; with no pixels at all it refuses.
      {"header only", plain.left(14 + 40)},
      {"gap before the pixels", gap},
      {"offset into the header", with(10, 20)},
      {"bit fields", with(30, 3)},
      {"zero width", with(18, 0)},
      {"negative width", with(18, quint32(-5))},
      {"zero height", with(22, 0)},
      {"lowest height", with(22, 0x80000000u)},
      {"odd header size", Bitmap24(picture, 41, false)},
      {"OS/2 header size", Bitmap24(picture, 64, false)},
  };
  for (const auto& [name, bytes] : cases) {
    EXPECT_EQ(DecodeSkinPicture(bytes), ReaderResult(bytes)) << name;
  }
}

TEST(SkinPictureTest, APictureOfAnotherFormatUnderABitmapsNameLoads) {
  const QImage picture = MakeCoordinatePicture(9, 5);
  QByteArray png;
  QBuffer buffer(&png);
  ASSERT_TRUE(buffer.open(QIODevice::WriteOnly) && picture.save(&buffer, "PNG"));
  EXPECT_EQ(DecodeSkinPicture(png), picture);
}

TEST(SkinPictureTest, PicturesBeyondTheReadersAllocationLimitAreRefused) {
  const int limit = QImageReader::allocationLimit();
  QImageReader::setAllocationLimit(1);  // megabytes
  const QByteArray bytes = Bitmap24(MakeCoordinatePicture(600, 600), 40, false);
  EXPECT_TRUE(ReaderResult(bytes).isNull());
  EXPECT_TRUE(DecodeSkinPicture(bytes).isNull());
  QImageReader::setAllocationLimit(limit);
}

}  // namespace
