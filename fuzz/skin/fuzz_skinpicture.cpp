// Skin pictures: any bytes as a bitmap. Where the plain-bitmap path and the image reader both
// decode the bytes, they must agree pixel for pixel.

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "skin/skinpicture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
  const QImage ours = DecodeSkinPicture(bytes);
  if (ours.isNull()) {
    return 0;
  }
  if (ours.format() != QImage::Format_RGB888 || ours.width() <= 0 || ours.height() <= 0) {
    std::abort();
  }
  QBuffer buffer;
  buffer.setData(bytes);
  QImageReader reader(&buffer, "bmp");
  const QImage theirs = reader.read();
  if (!theirs.isNull() && theirs.convertToFormat(QImage::Format_RGB888) != ours) {
    std::abort();
  }
  return 0;
}
