// Intelligent connect: link two pads, or put converters or a decoder between them.

#include <QStringList>

#include "components/graph/pins.h"
#include "components/graph/zgraphnative.h"

namespace {

enum class MediaClass { Any, RawAudio, RawVideo, Other };

MediaClass ClassOf(GstPad* pad) {
  const GstCapsPtr caps(gst_pad_query_caps(pad, nullptr));
  if (!caps || gst_caps_is_any(caps.get()) || gst_caps_is_empty(caps.get())) {
    return MediaClass::Any;
  }
  const QLatin1StringView name(gst_structure_get_name(gst_caps_get_structure(caps.get(), 0)));
  if (name == QLatin1StringView("audio/x-raw")) {
    return MediaClass::RawAudio;
  }
  if (name == QLatin1StringView("video/x-raw")) {
    return MediaClass::RawVideo;
  }
  return MediaClass::Other;
}

bool IsRaw(MediaClass media) {
  return media == MediaClass::RawAudio || media == MediaClass::RawVideo;
}

// What goes between two pads that do not link directly; empty when nothing helps.
QStringList Bridge(MediaClass from, MediaClass to) {
  if (from == MediaClass::RawAudio && to == MediaClass::RawAudio) {
    return {QStringLiteral("audioconvert"), QStringLiteral("audioresample")};
  }
  if (from == MediaClass::RawVideo && to == MediaClass::RawVideo) {
    return {QStringLiteral("videoconvert")};
  }
  // A queue gives each stream of a demuxer its own thread: otherwise one renderer waiting for
  // its first picture would hold the demuxer and starve the others. The decoder's output may
  // still differ from what the input takes (mono for a stereo filter), so converters follow.
  if (!IsRaw(from) && to == MediaClass::RawAudio) {
    return {QStringLiteral("queue"), QStringLiteral("decodebin"), QStringLiteral("audioconvert"),
            QStringLiteral("audioresample")};
  }
  if (!IsRaw(from) && to == MediaClass::RawVideo) {
    return {QStringLiteral("queue"), QStringLiteral("decodebin"), QStringLiteral("videoconvert")};
  }
  return {};
}

GstPad* StaticPad(GstElement* element, const char* name) {
  return gst_element_get_static_pad(element, name);
}

void RemoveElements(GstBin* bin, const std::vector<GstElement*>& elements) {
  for (GstElement* element : elements) {
    gst_element_set_state(element, GST_STATE_NULL);
    gst_bin_remove(bin, element);
  }
}

void LinkWhenPadAppearsInternal(GstElement* element, GstPadTemplate* padTemplate, GstPad* sink);

// Links two stages of a bridge; a decoder's output is linked when it appears.
bool LinkStage(GstElement* from, GstElement* to) {
  GstObjectPtr<GstPad> out(StaticPad(from, "src"));
  if (out) {
    return gst_element_link(from, to);
  }
  GstObjectPtr<GstPad> in(StaticPad(to, "sink"));
  LinkWhenPadAppearsInternal(from, gst_element_get_pad_template(from, "src_%u"), in.get());
  return true;
}

// Puts `names` between src and sink, in order; a decoder links its output when it appears.
bool LinkThrough(GstBin* bin, GstPad* src, GstPad* sink, const QStringList& names) {
  std::vector<GstElement*> added;
  for (const QString& name : names) {
    GstElement* element = gst_element_factory_make(name.toUtf8().constData(), nullptr);
    if (!element || !gst_bin_add(bin, element)) {
      RemoveElements(bin, added);
      return false;
    }
    added.push_back(element);
  }
  GstObjectPtr<GstPad> first(StaticPad(added.front(), "sink"));
  bool ok = gst_pad_link(src, first.get()) == GST_PAD_LINK_OK;
  for (size_t i = 1; ok && i < added.size(); ++i) {
    ok = LinkStage(added[i - 1], added[i]);
  }
  GstElement* last = added.back();
  if (ok) {
    GstObjectPtr<GstPad> out(StaticPad(last, "src"));
    if (out) {
      ok = gst_pad_link(out.get(), sink) == GST_PAD_LINK_OK;
    } else {
      LinkWhenPadAppears(last, gst_element_get_pad_template(last, "src_%u"), sink);
    }
  }
  if (!ok) {
    gst_pad_unlink(src, first.get());
    RemoveElements(bin, added);
    return false;
  }
  for (GstElement* element : added) {
    gst_element_sync_state_with_parent(element);
  }
  return true;
}

// Marks an awaited input that a new pad has been linked to, directly or through a bridge.
constexpr char kFedPin[] = "zephonic-fed";

struct PendingLink {
  GstPadTemplate* padTemplate;
  GstPad* sink;  // own reference
};

void FreePendingLink(gpointer data, GClosure*) {
  auto* pending = static_cast<PendingLink*>(data);
  gst_object_unref(pending->sink);
  delete pending;
}

// Nothing will ever feed `sink` (a pattern for sound in a file without any): the end of the
// stream lets the chain behind it finish its preroll instead of holding the whole graph forever.
void EndUnfedInput(GstElement*, gpointer data) {
  auto* sink = static_cast<GstPad*>(data);
  if (gst_pad_is_linked(sink) || g_object_get_data(G_OBJECT(sink), kFedPin)) {
    return;
  }
  GstSegment segment;
  gst_segment_init(&segment, GST_FORMAT_TIME);
  GCharPtr streamId(g_strdup_printf("zephonic-unfed-%p", static_cast<void*>(sink)));
  gst_pad_send_event(sink, gst_event_new_stream_start(streamId.get()));
  gst_pad_send_event(sink, gst_event_new_segment(&segment));
  gst_pad_send_event(sink, gst_event_new_eos());
}

// A paused sink holds the thread that brings it the end of the stream until the graph plays;
// that must not be the thread that brings the other streams their first data.
void EndUnfedInputLater(GstPad* sink) {
  GstObjectPtr<GstElement> owner(gst_pad_get_parent_element(sink));
  if (owner) {
    gst_element_call_async(owner.get(), EndUnfedInput, gst_object_ref(sink), gst_object_unref);
  }
}

// The element said it made all its pads.
void OnNoMorePads(GstElement*, gpointer data) {
  EndUnfedInputLater(static_cast<GstPad*>(data));
}

// Data flows from the element: a demuxer has made its pads before it sends any, even those that
// never say so.
GstPadProbeReturn OnFirstData(GstPad*, GstPadProbeInfo*, gpointer data) {
  EndUnfedInputLater(static_cast<GstPad*>(data));
  return GST_PAD_PROBE_REMOVE;
}

void OnPadAdded(GstElement* element, GstPad* pad, gpointer data) {
  auto* pending = static_cast<PendingLink*>(data);
  if (GST_PAD_DIRECTION(pad) == GST_PAD_SRC && !gst_pad_is_linked(pending->sink)) {
    gst_pad_add_probe(pad, GST_PAD_PROBE_TYPE_BUFFER, OnFirstData, gst_object_ref(pending->sink),
                      gst_object_unref);
  }
  if (GST_PAD_DIRECTION(pad) != GST_PAD_SRC || gst_pad_is_linked(pending->sink) ||
      (pending->padTemplate && GST_PAD_PAD_TEMPLATE(pad) &&
       GST_PAD_PAD_TEMPLATE(pad) != pending->padTemplate &&
       g_strcmp0(GST_PAD_TEMPLATE_NAME_TEMPLATE(GST_PAD_PAD_TEMPLATE(pad)),
                 GST_PAD_TEMPLATE_NAME_TEMPLATE(pending->padTemplate)) != 0)) {
    return;
  }
  // The element may have moved to another graph since the link was asked for.
  GstObjectPtr<GstObject> parent(gst_element_get_parent(element));
  // A stream that does not fit (video for an audio sink) leaves the sink for the next one.
  if (parent && GST_IS_BIN(parent.get()) && LinkPads(GST_BIN(parent.get()), pad, pending->sink)) {
    // A decoder put in between may link the sink itself only later.
    g_object_set_data(G_OBJECT(pending->sink), kFedPin, GINT_TO_POINTER(1));
  }
}

void UnrefPad(gpointer data, GClosure*) {
  gst_object_unref(data);
}

void LinkWhenPadAppearsInternal(GstElement* element, GstPadTemplate* padTemplate, GstPad* sink) {
  LinkWhenPadAppears(element, padTemplate, sink);
}

}  // namespace

bool LinkPads(GstBin* bin, GstPad* src, GstPad* sink) {
  const MediaClass from = ClassOf(src);
  const MediaClass to = ClassOf(sink);
  // A pad that takes anything (a file reader) would link to a raw input and fail when data
  // flows: it needs a decoder first.
  const bool needsDecoder = from == MediaClass::Any && IsRaw(to);
  if (!needsDecoder && gst_pad_link(src, sink) == GST_PAD_LINK_OK) {
    return true;
  }
  const QStringList between = Bridge(from, to);
  return !between.isEmpty() && LinkThrough(bin, src, sink, between);
}

void ZKeepInputOpen(GstPad* input) {
  g_object_set_data(G_OBJECT(input), kFedPin, GINT_TO_POINTER(1));
}

void LinkWhenPadAppears(GstElement* element, GstPadTemplate* padTemplate, GstPad* sink) {
  g_object_set_data(G_OBJECT(sink), kAwaitedPin, GINT_TO_POINTER(1));
  auto* pending = new PendingLink{padTemplate, GST_PAD(gst_object_ref(sink))};
  g_signal_connect_data(element, "pad-added", G_CALLBACK(OnPadAdded), pending, FreePendingLink,
                        GConnectFlags(0));
  g_signal_connect_data(element, "no-more-pads", G_CALLBACK(OnNoMorePads), gst_object_ref(sink),
                        UnrefPad, GConnectFlags(0));
}
