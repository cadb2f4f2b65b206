// Skin pictures: any bytes as a bitmap. A picture comes back whole, in the one format the pieces
// are cut from, or not at all. (Damaged files the image reader takes may hold pixels it never
// wrote, so its results are no oracle here; the tests compare whole bitmaps with it.)

#include <QImage>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "skin/skinpicture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QImage picture =
      DecodeSkinPicture(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
  if (!picture.isNull() && (picture.format() != QImage::Format_RGB888 || picture.width() <= 0 ||
                            picture.height() <= 0)) {
    std::abort();
  }
  return 0;
}
