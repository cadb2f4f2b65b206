#include "skin/skinresource.h"

#include "skin/skinpieces.h"

namespace {
const QString kPicturePath = QStringLiteral(":/skin/base_default.png");
}

// The resource lives in a static library, so it must be registered by hand (outside any
// namespace, as the registration function is declared where it is called).
static void RegisterSkinResource() {
  Q_INIT_RESOURCE(skin);
}

void InitSkinResources() {
  static const bool registered = (RegisterSkinResource(), true);
  Q_UNUSED(registered);
}

QImage BuiltInSkinPicture() {
  InitSkinResources();
  QImage picture(kPicturePath);
  return picture.isNull() ? picture : picture.convertToFormat(QImage::Format_RGB888);
}
