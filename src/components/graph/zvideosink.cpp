// The video renderer: capsfilter ! subtitleoverlay ! videobalance ! gamma ! videoconvert ! queue
// ! appsink (BGRx).

#include "components/graph/zvideosink.h"

#include <gst/app/gstappsink.h>
#include <gst/video/video.h>

#include <QMutex>
#include <QMutexLocker>

#include "components/graph/gstref.h"
#include "components/graph/zgraphnative.h"

struct ZVideoSink::Shared {
  mutable QMutex mutex;
  FrameHandler handler;
  QImage last;
  // The buffer behind `last`, kept alive by it: the first played sample after a preroll is the
  // prerolled buffer again and is not handed on twice.
  const GstBuffer* lastBuffer = nullptr;
  qint64 frames = 0;
  GstElement* overlay = nullptr;  // owned by the bin
  GstElement* balance = nullptr;
  GstElement* gamma = nullptr;
};

namespace {

// 160 ms of 25 fps video; 33 MB at 1080p.
constexpr guint kReadyPictures = 4;
// Late pictures in a row before the decoder hears of it and starts skipping frames.
constexpr int kLateBeforeSkipping = 3;

struct MappedSample {
  GstSample* sample;
  GstBuffer* buffer;
  GstMapInfo map;
};

void ReleaseSample(void* data) {
  auto* mapped = static_cast<MappedSample*>(data);
  gst_buffer_unmap(mapped->buffer, &mapped->map);
  gst_sample_unref(mapped->sample);
  delete mapped;
}

// Wraps the sample's memory without copying; the image releases it when its last copy goes.
QImage ImageOf(GstSample* sample) {
  GstVideoInfo info;
  GstBuffer* buffer = gst_sample_get_buffer(sample);
  if (!buffer || !gst_video_info_from_caps(&info, gst_sample_get_caps(sample))) {
    gst_sample_unref(sample);
    return QImage();
  }
  auto* mapped = new MappedSample{sample, buffer, {}};
  if (!gst_buffer_map(buffer, &mapped->map, GST_MAP_READ)) {
    gst_sample_unref(sample);
    delete mapped;
    return QImage();
  }
  GstVideoMeta* meta = gst_buffer_get_video_meta(buffer);
  const int stride = meta ? meta->stride[0] : GST_VIDEO_INFO_PLANE_STRIDE(&info, 0);
  const gsize offset = meta ? meta->offset[0] : GST_VIDEO_INFO_PLANE_OFFSET(&info, 0);
  return QImage(mapped->map.data + offset, GST_VIDEO_INFO_WIDTH(&info),
                GST_VIDEO_INFO_HEIGHT(&info), stride, QImage::Format_RGB32, ReleaseSample, mapped);
}

// Keeps the picture as the last one and hands it on; prerolled pictures are shown too (a paused
// item shows its frame after a seek) but only played ones count.
GstFlowReturn Deliver(ZVideoSink::Shared* shared, GstSample* sample, bool played) {
  if (!sample) {
    return GST_FLOW_EOS;
  }
  const GstBuffer* buffer = gst_sample_get_buffer(sample);
  {
    QMutexLocker lock(&shared->mutex);
    shared->frames += played ? 1 : 0;
    if (buffer && buffer == shared->lastBuffer) {
      gst_sample_unref(sample);
      return GST_FLOW_OK;
    }
  }
  const QImage image = ImageOf(sample);
  if (image.isNull()) {
    return GST_FLOW_OK;
  }
  ZVideoSink::FrameHandler handler;
  {
    QMutexLocker lock(&shared->mutex);
    shared->last = image;
    shared->lastBuffer = buffer;
    handler = shared->handler;
  }
  if (handler) {
    handler(image);
  }
  return GST_FLOW_OK;
}

GstFlowReturn OnNewSample(GstAppSink* sink, gpointer data) {
  return Deliver(static_cast<ZVideoSink::Shared*>(data), gst_app_sink_pull_sample(sink), true);
}

GstFlowReturn OnNewPreroll(GstAppSink* sink, gpointer data) {
  return Deliver(static_cast<ZVideoSink::Shared*>(data), gst_app_sink_pull_preroll(sink), false);
}

// One late picture (a stall, the decoder draining its last frames at the end of a file) says
// nothing about whether decoding keeps up, and a decoder told of it skips the frames after it
// even when they would be on time. Only lateness that lasts goes upstream.
GstPadProbeReturn OnUpstreamEvent(GstPad*, GstPadProbeInfo* info, gpointer data) {
  GstEvent* event = GST_PAD_PROBE_INFO_EVENT(info);
  if (GST_EVENT_TYPE(event) != GST_EVENT_QOS) {
    return GST_PAD_PROBE_OK;
  }
  GstClockTimeDiff lateness = 0;
  gst_event_parse_qos(event, nullptr, nullptr, &lateness, nullptr);
  int& lateInARow = *static_cast<int*>(data);
  lateInARow = lateness > 0 ? lateInARow + 1 : 0;
  return lateInARow > 0 && lateInARow < kLateBeforeSkipping ? GST_PAD_PROBE_DROP : GST_PAD_PROBE_OK;
}

void AddGhost(GstElement* bin, GstElement* element, const char* padName, const char* ghostName) {
  GstObjectPtr<GstPad> pad(gst_element_get_static_pad(element, padName));
  gst_element_add_pad(bin, gst_ghost_pad_new(ghostName, pad.get()));
}

}  // namespace

ZVideoSink::ZVideoSink() : shared_(std::make_shared<Shared>()) {
  ZGraphInit();
  // The overlay takes anything; the renderer must say it wants decoded pictures, so that a
  // script connecting a demuxer to it gets a decoder in between.
  GstElement* raw = gst_element_factory_make("capsfilter", nullptr);
  GstElement* overlay = gst_element_factory_make("subtitleoverlay", nullptr);
  GstElement* balance = gst_element_factory_make("videobalance", nullptr);
  GstElement* gamma = gst_element_factory_make("gamma", nullptr);
  GstElement* convert = gst_element_factory_make("videoconvert", nullptr);
  GstElement* ready = gst_element_factory_make("queue", nullptr);
  GstElement* sink = gst_element_factory_make("appsink", nullptr);
  if (!raw || !overlay || !balance || !gamma || !convert || !ready || !sink) {
    for (GstElement* element : {raw, overlay, balance, gamma, convert, ready, sink}) {
      if (element) {
        gst_object_unref(gst_object_ref_sink(element));
      }
    }
    return;
  }
  // Converting 1080p to RGB on one core is too slow without a GPU.
  g_object_set(convert, "n-threads", 0u, nullptr);
  // A few converted pictures wait in their own thread for their time: decoding and converting
  // run ahead of the clock, so a slow start, a busy moment or the decoder draining at the end
  // do not make pictures late (late pictures make the decoder skip frames). The sink never
  // discards: it blocks the queue until the picture is due and handed on.
  g_object_set(ready, "max-size-buffers", kReadyPictures, "max-size-bytes", 0u, "max-size-time",
               guint64{0}, nullptr);
  GstCapsPtr caps(gst_caps_from_string("video/x-raw,format=BGRx"));
  g_object_set(sink, "caps", caps.get(), "sync", TRUE, "max-buffers", 1u, "drop", FALSE, "qos",
               TRUE, nullptr);
  GstObjectPtr<GstPad> sinkIn(gst_element_get_static_pad(sink, "sink"));
  gst_pad_add_probe(sinkIn.get(), GST_PAD_PROBE_TYPE_EVENT_UPSTREAM, OnUpstreamEvent, new int(0),
                    [](gpointer data) { delete static_cast<int*>(data); });
  GstAppSinkCallbacks callbacks{};
  callbacks.new_sample = OnNewSample;
  callbacks.new_preroll = OnNewPreroll;
  // The element may outlive this object inside a graph that still holds it.
  auto* keep = new std::shared_ptr<Shared>(shared_);
  gst_app_sink_set_callbacks(GST_APP_SINK(sink), &callbacks, keep->get(), nullptr);
  g_object_set_data_full(G_OBJECT(sink), "zephonic-shared", keep,
                         [](gpointer data) { delete static_cast<std::shared_ptr<Shared>*>(data); });

  GstElement* bin = gst_bin_new("Video Renderer");
  GstCapsPtr rawCaps(gst_caps_from_string("video/x-raw"));
  g_object_set(raw, "caps", rawCaps.get(), nullptr);
  gst_bin_add_many(GST_BIN(bin), raw, overlay, balance, gamma, convert, ready, sink, nullptr);
  GstObjectPtr<GstPad> rawOut(gst_element_get_static_pad(raw, "src"));
  GstObjectPtr<GstPad> overlayIn(gst_element_get_static_pad(overlay, "video_sink"));
  gst_pad_link(rawOut.get(), overlayIn.get());
  gst_element_link_many(balance, gamma, convert, ready, sink, nullptr);
  GstObjectPtr<GstPad> overlayOut(gst_element_get_static_pad(overlay, "src"));
  GstObjectPtr<GstPad> balanceIn(gst_element_get_static_pad(balance, "sink"));
  gst_pad_link(overlayOut.get(), balanceIn.get());
  AddGhost(bin, raw, "sink", "sink");
  AddGhost(bin, overlay, "subtitle_sink", "subtitle_sink");
  shared_->overlay = overlay;
  shared_->balance = balance;
  shared_->gamma = gamma;
  filter_ = ZWrapElement(bin);
}

ZVideoSink::~ZVideoSink() {
  SetFrameHandler(nullptr);
}

void ZVideoSink::SetFrameHandler(FrameHandler handler) {
  QMutexLocker lock(&shared_->mutex);
  shared_->handler = std::move(handler);
}

void ZApplyVideoColour(GstElement* balance, GstElement* gamma, const ZVideoColour& colour) {
  g_object_set(balance, "brightness", colour.Brightness, "contrast", colour.Contrast, "hue",
               colour.Hue, "saturation", colour.Saturation, nullptr);
  g_object_set(gamma, "gamma", colour.Gamma, nullptr);
}

void ZVideoSink::SetColour(const ZVideoColour& colour) {
  if (filter_) {
    ZApplyVideoColour(shared_->balance, shared_->gamma, colour);
  }
}

void ZVideoSink::SetSubtitlesShown(bool shown) {
  if (filter_) {
    g_object_set(shared_->overlay, "silent", !shown, nullptr);
  }
}

QImage ZVideoSink::LastFrame() const {
  QMutexLocker lock(&shared_->mutex);
  return shared_->last;
}

qint64 ZVideoSink::FrameCount() const {
  QMutexLocker lock(&shared_->mutex);
  return shared_->frames;
}

void ZVideoSink::Reset() {
  QMutexLocker lock(&shared_->mutex);
  shared_->last = QImage();
  shared_->lastBuffer = nullptr;
  shared_->frames = 0;
}
