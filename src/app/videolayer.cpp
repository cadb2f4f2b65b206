#include "app/videolayer.h"

#include <gst/gst.h>

namespace {

// Elements every graph the player builds relies on.
constexpr const char* kCoreElements[] = {"fakesrc", "fakesink", "queue", "capsfilter", "typefind"};

bool HasElement(const char* name) {
  GstElementFactory* factory = gst_element_factory_find(name);
  if (!factory) {
    return false;
  }
  gst_object_unref(factory);
  return true;
}

}  // namespace

std::optional<QString> UsableVideoLayerVersion() {
  if (!gst_init_check(nullptr, nullptr, nullptr)) {
    return std::nullopt;
  }
  for (const char* element : kCoreElements) {
    if (!HasElement(element)) {
      return std::nullopt;
    }
  }
  guint major = 0;
  guint minor = 0;
  guint micro = 0;
  guint nano = 0;
  gst_version(&major, &minor, &micro, &nano);
  return QStringLiteral("%1.%2").arg(major).arg(minor);
}
