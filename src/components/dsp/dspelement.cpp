// The DSP filter as a GStreamer audio filter working in place on interleaved stereo floats.

#include <gst/audio/gstaudiofilter.h>

#include "components/dsp/dspelement.h"
#include "components/graph/zgraphnative.h"

namespace {

struct ZephonicDsp {
  GstAudioFilter parent;
  TZDspState* state;
};

struct ZephonicDspClass {
  GstAudioFilterClass parent;
};

GType zephonic_dsp_get_type();
G_DEFINE_TYPE(ZephonicDsp, zephonic_dsp, GST_TYPE_AUDIO_FILTER)

ZephonicDsp* Self(gpointer object) {
  return reinterpret_cast<ZephonicDsp*>(object);
}

gboolean Setup(GstAudioFilter* filter, const GstAudioInfo* info) {
  Self(filter)->state->Reset(GST_AUDIO_INFO_RATE(info));
  return TRUE;
}

GstFlowReturn TransformInPlace(GstBaseTransform* transform, GstBuffer* buffer) {
  GstMapInfo map;
  if (!gst_buffer_map(buffer, &map, GST_MAP_READWRITE)) {
    return GST_FLOW_ERROR;
  }
  const int frames = static_cast<int>(map.size / (2 * sizeof(float)));
  Self(transform)->state->Process(reinterpret_cast<float*>(map.data), frames);
  gst_buffer_unmap(buffer, &map);
  return GST_FLOW_OK;
}

gboolean SinkEvent(GstBaseTransform* transform, GstEvent* event) {
  if (GST_EVENT_TYPE(event) == GST_EVENT_FLUSH_STOP) {
    const GstAudioInfo* info = GST_AUDIO_FILTER_INFO(transform);
    Self(transform)->state->Reset(GST_AUDIO_INFO_RATE(info));
  }
  return GST_BASE_TRANSFORM_CLASS(zephonic_dsp_parent_class)->sink_event(transform, event);
}

void Finalize(GObject* object) {
  delete Self(object)->state;
  G_OBJECT_CLASS(zephonic_dsp_parent_class)->finalize(object);
}

void zephonic_dsp_class_init(ZephonicDspClass* klass) {
  G_OBJECT_CLASS(klass)->finalize = Finalize;
  auto* element = GST_ELEMENT_CLASS(klass);
  // The long name is copied: it does not live in static storage.
  gst_element_class_set_metadata(element, kDspFilterName.toUtf8().constData(),
                                 "Filter/Effect/Audio", "Equalizer and analyser data of the player",
                                 "Zephonic");
  GstCaps* caps = gst_caps_from_string("audio/x-raw, format=(string)" GST_AUDIO_NE(
      F32) ", layout=(string)interleaved, "
           "channels=(int)2, rate=(int)[ 8000, 384000 ]");
  gst_audio_filter_class_add_pad_templates(GST_AUDIO_FILTER_CLASS(klass), caps);
  gst_caps_unref(caps);
  auto* transform = GST_BASE_TRANSFORM_CLASS(klass);
  transform->transform_ip = TransformInPlace;
  transform->sink_event = SinkEvent;
  transform->transform_ip_on_passthrough = FALSE;
  GST_AUDIO_FILTER_CLASS(klass)->setup = Setup;
}

void zephonic_dsp_init(ZephonicDsp* self) {
  self->state = new TZDspState;
}

}  // namespace

bool ZDspRegister() {
  static const bool registered =
      ZGraphInit() &&
      gst_element_register(nullptr, "zephonicdsp", GST_RANK_NONE, zephonic_dsp_get_type());
  return registered;
}

TZDspState* DspStateOf(const ZFilter& filter) {
  GstElement* element = ZNativeElement(filter);
  return element && G_TYPE_CHECK_INSTANCE_TYPE(element, zephonic_dsp_get_type())
             ? Self(element)->state
             : nullptr;
}
