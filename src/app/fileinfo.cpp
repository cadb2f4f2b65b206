#include "app/fileinfo.h"

QString FileVersion() {
  return QStringLiteral(ZEPHONIC_VERSION);
}
