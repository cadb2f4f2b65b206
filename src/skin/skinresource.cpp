#include "skin/skinresource.h"

#include "skin/skinpieces.h"

// The resource lives in a static library, so it must be registered by hand.
static void RegisterSkinResource() {
#ifdef ZEPHONIC_SKIN_RESOURCE
  Q_INIT_RESOURCE(skin);
#endif
}

void InitSkinResources() {
  static const bool registered = (RegisterSkinResource(), true);
  Q_UNUSED(registered);
}

QImage BuiltInSkinPicture() {
  InitSkinResources();
  QImage picture(QStringLiteral(":/skin/base_default.png"));
  return picture.isNull() ? picture : picture.convertToFormat(QImage::Format_RGB888);
}
