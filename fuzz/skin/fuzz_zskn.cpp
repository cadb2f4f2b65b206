// Skin description files: any bytes are read over the defaults and the pieces are cut.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "base/text/textcodec.h"
#include "base/text/textfile.h"
#include "skin/skininfo.h"
#include "skin/skinpieces.h"

namespace {

// The built-in values every description is read over, made once: copies share their pictures.
const TZGUI& Defaults() {
  static const TZGUI defaults = [] {
    TZGUI skin;
    InitSkinDefaults(skin);
    return skin;
  }();
  return defaults;
}

QImage MakePicture() {
  QImage picture(64, 48, QImage::Format_RGB888);  // small: pieces are clamped to it
  picture.fill(qRgb(10, 20, 30));
  return picture;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const QImage picture = MakePicture();
  const QStringList lines =
      SplitLines(DecodeText(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size))));
  TZGUI skin = Defaults();
  ReadSkinDescription(lines, skin);
  SkinInformation info;
  ParseSkinInformation(lines, &info);
  CutSkinPieces(skin, picture);
  for (const SkinPiece& piece : SkinPieces(skin)) {
    const QImage& cut = *piece.picture;
    const bool fits = cut.width() <= picture.width() && cut.height() <= picture.height();
    if (!fits || (!cut.isNull() && cut.format() != QImage::Format_RGB888)) {
      std::abort();
    }
  }
  // What is written must read back to the same values.
  const QStringList written = WriteSkinDescription(skin, info);
  TZGUI again = Defaults();
  ReadSkinDescription(written, again);
  if (WriteSkinDescription(again, info) != written) {
    std::abort();
  }
  return 0;
}
