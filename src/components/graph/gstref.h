#pragma once
// Owning pointers for the GStreamer and GLib objects the graph layer holds for a while.

#include <gst/gst.h>

#include <memory>

struct GstObjectUnref {
  void operator()(gpointer object) const { gst_object_unref(object); }
};
template <typename T>
using GstObjectPtr = std::unique_ptr<T, GstObjectUnref>;

struct GstCapsUnref {
  void operator()(GstCaps* caps) const { gst_caps_unref(caps); }
};
using GstCapsPtr = std::unique_ptr<GstCaps, GstCapsUnref>;

struct GFreeDeleter {
  void operator()(gpointer memory) const { g_free(memory); }
};
using GCharPtr = std::unique_ptr<gchar, GFreeDeleter>;

// Adds a reference for the returned pointer to own.
template <typename T>
GstObjectPtr<T> RefObject(T* object) {
  return GstObjectPtr<T>(static_cast<T*>(gst_object_ref(object)));
}
