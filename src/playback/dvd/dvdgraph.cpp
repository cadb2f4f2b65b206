#include "playback/dvd/dvdgraph.h"

#include <gst/app/gstappsink.h>
#include <gst/video/navigation.h>
#include <gst/video/video.h>

#include <QMutex>
#include <QWaitCondition>
#include <atomic>

#include "components/graph/gstref.h"
#include "components/graph/zgraphnative.h"
#include "playback/video/framesink.h"

namespace {

const char kDvdStructure[] = "application/x-gst-dvd";

// The mapped buffer behind a QImage; freed when the last copy of the image goes.
struct MappedFrame {
  GstSample* sample = nullptr;
  GstVideoFrame frame;
};

void FreeMappedFrame(void* data) {
  auto* mapped = static_cast<MappedFrame*>(data);
  gst_video_frame_unmap(&mapped->frame);
  gst_sample_unref(mapped->sample);
  delete mapped;
}

QImage ImageOf(GstSample* sample) {
  GstVideoInfo info;
  if (!gst_video_info_from_caps(&info, gst_sample_get_caps(sample))) {
    return {};
  }
  auto* mapped = new MappedFrame{gst_sample_ref(sample), {}};
  if (!gst_video_frame_map(&mapped->frame, &info, gst_sample_get_buffer(sample), GST_MAP_READ)) {
    gst_sample_unref(mapped->sample);
    delete mapped;
    return {};
  }
  return QImage(static_cast<const uchar*>(GST_VIDEO_FRAME_PLANE_DATA(&mapped->frame, 0)),
                GST_VIDEO_INFO_WIDTH(&info), GST_VIDEO_INFO_HEIGHT(&info),
                GST_VIDEO_FRAME_PLANE_STRIDE(&mapped->frame, 0), QImage::Format_RGB32,
                FreeMappedFrame, mapped);
}

const char* DvdEventName(GstEvent* event) {
  const GstStructure* s = gst_event_get_structure(event);
  return s && gst_structure_has_name(s, kDvdStructure) ? gst_structure_get_string(s, "event")
                                                       : nullptr;
}

GstNavigationCommand NavigationCommandOf(TZDvdCommand command) {
  switch (command) {
    case TZDvdCommand::TitleMenu:
      return GST_NAVIGATION_COMMAND_DVD_TITLE_MENU;
    case TZDvdCommand::RootMenu:
      return GST_NAVIGATION_COMMAND_DVD_ROOT_MENU;
    case TZDvdCommand::SubpictureMenu:
      return GST_NAVIGATION_COMMAND_DVD_SUBPICTURE_MENU;
    case TZDvdCommand::AudioMenu:
      return GST_NAVIGATION_COMMAND_DVD_AUDIO_MENU;
    case TZDvdCommand::AngleMenu:
      return GST_NAVIGATION_COMMAND_DVD_ANGLE_MENU;
    case TZDvdCommand::ChapterMenu:
      return GST_NAVIGATION_COMMAND_DVD_CHAPTER_MENU;
    case TZDvdCommand::Left:
      return GST_NAVIGATION_COMMAND_LEFT;
    case TZDvdCommand::Right:
      return GST_NAVIGATION_COMMAND_RIGHT;
    case TZDvdCommand::Up:
      return GST_NAVIGATION_COMMAND_UP;
    case TZDvdCommand::Down:
      return GST_NAVIGATION_COMMAND_DOWN;
    case TZDvdCommand::Activate:
      break;
  }
  return GST_NAVIGATION_COMMAND_ACTIVATE;
}

GstFormat FormatOf(const char* nick) {
  return g_str_equal(nick, "time") ? GST_FORMAT_TIME : gst_format_get_by_nick(nick);
}

}  // namespace

struct TZDvdGraph::Native {
  TZDvdGraph* owner = nullptr;
  TZVideoFrameSink& sink;
  GstElement* pipeline = nullptr;  // borrowed from the graph
  GstElement* navigator = nullptr;
  GstElement* overlay = nullptr;
  GstElement* videoSink = nullptr;
  GstElement* audioIn = nullptr;
  GstElement* volume = nullptr;
  GstElement* panorama = nullptr;
  GstObjectPtr<GstElement> demux;
  ZFilter dsp;

  // The user's stream choice, kept when the navigator re-announces its own at a new cell.
  std::atomic<int> audioChoice{-1};
  std::atomic<int> subpictureChoice{-1};
  std::atomic<bool> forcedOnly{false};

  mutable QMutex frameLock;
  QWaitCondition frameArrived;
  QImage lastFrame;

  explicit Native(TZVideoFrameSink& s) : sink(s) {}

  void Present(GstSample* sample) {
    const QImage image = ImageOf(sample);
    if (image.isNull()) {
      return;
    }
    sink.PresentFrame(image);
    QMutexLocker lock(&frameLock);
    lastFrame = image;
    frameArrived.wakeAll();
  }

  static GstFlowReturn OnSample(GstAppSink* appsink, gpointer data) {
    GstSample* sample = gst_app_sink_pull_sample(appsink);
    if (sample) {
      static_cast<Native*>(data)->Present(sample);
      gst_sample_unref(sample);
    }
    return GST_FLOW_OK;
  }

  static GstFlowReturn OnPreroll(GstAppSink* appsink, gpointer data) {
    GstSample* sample = gst_app_sink_pull_preroll(appsink);
    if (sample) {
      static_cast<Native*>(data)->Present(sample);
      gst_sample_unref(sample);
    }
    return GST_FLOW_OK;
  }

  // On the navigator's own source: announcements go to the GUI, stream choices are kept.
  static GstPadProbeReturn OnSourceEvent(GstPad*, GstPadProbeInfo* info, gpointer data) {
    auto* self = static_cast<Native*>(data);
    GstEvent* event = GST_PAD_PROBE_INFO_EVENT(info);
    const char* name = DvdEventName(event);
    if (!name) {
      return GST_PAD_PROBE_OK;
    }
    if (g_str_equal(name, "dvd-lang-codes")) {
      GCharPtr text(gst_structure_to_string(gst_event_get_structure(event)));
      emit self->owner->StreamsAnnounced(QString::fromUtf8(text.get()));
    } else if (g_str_equal(name, "dvd-set-audio-track") && self->audioChoice >= 0) {
      event = gst_event_make_writable(event);
      gst_structure_set(gst_event_writable_structure(event), "physical-id", G_TYPE_INT,
                        self->audioChoice.load(), nullptr);
      GST_PAD_PROBE_INFO_DATA(info) = event;
    } else if (g_str_equal(name, "dvd-set-subpicture-track") && self->subpictureChoice >= 0) {
      event = gst_event_make_writable(event);
      gst_structure_set(gst_event_writable_structure(event), "physical-id", G_TYPE_INT,
                        self->subpictureChoice.load(), "forced-only", G_TYPE_BOOLEAN,
                        self->forcedOnly.load(), nullptr);
      GST_PAD_PROBE_INFO_DATA(info) = event;
    }
    return GST_PAD_PROBE_OK;
  }

  // On the navigator's outputs: the streams it really plays.
  static GstPadProbeReturn OnOutputEvent(GstPad*, GstPadProbeInfo* info, gpointer data) {
    auto* self = static_cast<Native*>(data);
    GstEvent* event = GST_PAD_PROBE_INFO_EVENT(info);
    const char* name = DvdEventName(event);
    const GstStructure* s = gst_event_get_structure(event);
    int id = -1;
    if (!name || !gst_structure_get_int(s, "physical-id", &id)) {
      return GST_PAD_PROBE_OK;
    }
    if (g_str_equal(name, "dvd-set-audio-track")) {
      emit self->owner->AudioChosen(id);
    } else if (g_str_equal(name, "dvd-set-subpicture-track")) {
      gboolean forced = FALSE;
      gst_structure_get_boolean(s, "forced-only", &forced);
      emit self->owner->SubpictureChosen(id, forced);
    }
    return GST_PAD_PROBE_OK;
  }

  static void OnElementAdded(GstBin*, GstBin*, GstElement* element, gpointer data) {
    auto* self = static_cast<Native*>(data);
    const GCharPtr name(gst_object_get_name(GST_OBJECT(element)));
    if (g_str_equal(name.get(), "dvdsrc")) {
      GstObjectPtr<GstPad> pad(gst_element_get_static_pad(element, "src"));
      if (pad) {
        gst_pad_add_probe(pad.get(), GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM, OnSourceEvent, self,
                          nullptr);
      }
    } else if (g_str_equal(name.get(), "dvddemux")) {
      self->demux = RefObject(element);
    }
  }

  static void OnPadAdded(GstElement*, GstPad* pad, gpointer data) {
    auto* self = static_cast<Native*>(data);
    const GCharPtr name(gst_pad_get_name(pad));
    GstObjectPtr<GstPad> target;
    if (g_str_equal(name.get(), "video")) {
      target.reset(gst_element_get_static_pad(self->overlay, "video"));
    } else if (g_str_equal(name.get(), "subpicture")) {
      target.reset(gst_element_get_static_pad(self->overlay, "subpicture"));
    } else if (g_str_equal(name.get(), "audio")) {
      target.reset(gst_element_get_static_pad(self->audioIn, "sink"));
    }
    if (target && !gst_pad_is_linked(target.get())) {
      gst_pad_add_probe(pad, GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM, OnOutputEvent, self, nullptr);
      gst_pad_link(pad, target.get());
    }
  }

  // Straight into the demuxer's input, in line with the stream. Not through
  // gst_element_send_event: that holds the demuxer's state lock while it waits for the stream,
  // and the stream may itself wait for the graph to finish a state change after a flush.
  void SendToDemux(GstStructure* choice) const {
    GstEvent* event = gst_event_new_custom(GST_EVENT_CUSTOM_DOWNSTREAM, choice);
    GstObjectPtr<GstPad> input(demux ? gst_element_get_static_pad(demux.get(), "sink") : nullptr);
    if (input) {
      gst_pad_send_event(input.get(), event);
    } else {
      gst_event_unref(event);
    }
  }

  void SendUpstream(GstEvent* event) const {
    // Through the picture's path only, so the navigator gets each event once.
    gst_element_send_event(videoSink, event);
  }

  static void SeekOnWorker(GstElement*, gpointer data) {
    auto* request = static_cast<std::pair<GstElement*, GstEvent*>*>(data);
    gst_element_send_event(request->first, request->second);
  }

  static void FreeSeek(gpointer data) {
    auto* request = static_cast<std::pair<GstElement*, GstEvent*>*>(data);
    gst_object_unref(request->first);
    delete request;
  }

  void SeekAsync(GstEvent* seek) const {
    auto* request = new std::pair<GstElement*, GstEvent*>(
        static_cast<GstElement*>(gst_object_ref(videoSink)), seek);
    gst_element_call_async(pipeline, SeekOnWorker, request, FreeSeek);
  }
};

TZDvdGraph::TZDvdGraph(TZVideoFrameSink& sink, const ZFilter& dsp, QObject* parent)
    : QObject(parent), d_(std::make_unique<Native>(sink)) {
  d_->owner = this;
  d_->pipeline = ZNativePipeline(graph_);
  g_signal_connect(d_->pipeline, "deep-element-added", G_CALLBACK(Native::OnElementAdded),
                   d_.get());
  d_->dsp = dsp;
}

TZDvdGraph::~TZDvdGraph() {
  graph_.SetState(ZGraphState::Stopped);
  g_signal_handlers_disconnect_by_data(d_->pipeline, d_.get());
  if (d_->navigator) {
    g_signal_handlers_disconnect_by_data(d_->navigator, d_.get());
  }
  graph_.Clear();
}

bool TZDvdGraph::Build(const QString& device) {
  const QStringList videoPath{QStringLiteral("dvdspu"), QStringLiteral("videoconvert"),
                              QStringLiteral("appsink")};
  QStringList audioPath{QStringLiteral("audioconvert"), QStringLiteral("audioresample")};
  if (d_->dsp) {
    audioPath << QString();  // the DSP filter's place
  }
  audioPath << QStringLiteral("audioconvert") << QStringLiteral("volume")
            << QStringLiteral("audiopanorama") << QStringLiteral("audioconvert")
            << QStringLiteral("autoaudiosink");
  ZFilter navigator = ZFilter::Create(QStringLiteral("rsndvdbin"));
  if (!navigator || !navigator.SetProperty("device", device) || !graph_.Add(navigator)) {
    return false;
  }
  std::vector<GstElement*> video;
  std::vector<GstElement*> audio;
  for (const auto& [names, elements] : {std::pair{&videoPath, &video}, {&audioPath, &audio}}) {
    for (const QString& name : *names) {
      const ZFilter filter = name.isEmpty() ? d_->dsp : ZFilter::Create(name);
      if (!filter || !graph_.Add(filter)) {
        return false;
      }
      elements->push_back(ZNativeElement(filter));
    }
  }
  for (const std::vector<GstElement*>* path : {&video, &audio}) {
    for (size_t i = 1; i < path->size(); ++i) {
      if (!gst_element_link((*path)[i - 1], (*path)[i])) {
        return false;
      }
    }
  }
  d_->navigator = ZNativeElement(navigator);
  d_->overlay = video.front();
  d_->videoSink = video.back();
  d_->audioIn = audio.front();
  d_->volume = audio[audio.size() - 4];
  d_->panorama = audio[audio.size() - 3];
  g_object_set(d_->panorama, "method", 1, nullptr);  // simple: the far side only fades
  // The navigator may keep the sound waiting (a silent menu), which must not hold the picture.
  g_object_set(audio.back(), "async-handling", TRUE, nullptr);
  GstCapsPtr caps(gst_caps_from_string("video/x-raw, format=(string)BGRx"));
  GstAppSinkCallbacks callbacks{};
  callbacks.new_preroll = Native::OnPreroll;
  callbacks.new_sample = Native::OnSample;
  gst_app_sink_set_caps(GST_APP_SINK(d_->videoSink), caps.get());
  gst_app_sink_set_callbacks(GST_APP_SINK(d_->videoSink), &callbacks, d_.get(), nullptr);
  g_signal_connect(d_->navigator, "pad-added", G_CALLBACK(Native::OnPadAdded), d_.get());
  return true;
}

bool TZDvdGraph::Start(int timeoutMs) {
  {
    QMutexLocker lock(&d_->frameLock);
    d_->lastFrame = QImage();
  }
  if (!graph_.SetState(ZGraphState::Playing)) {
    return false;
  }
  QMutexLocker lock(&d_->frameLock);
  if (d_->lastFrame.isNull()) {
    d_->frameArrived.wait(&d_->frameLock, QDeadlineTimer(timeoutMs));
  }
  return !d_->lastFrame.isNull();
}

bool TZDvdGraph::Command(TZDvdCommand command) {
  if (!d_->videoSink) {
    return false;
  }
  d_->SendUpstream(gst_navigation_event_new_command(NavigationCommandOf(command)));
  return true;
}

bool TZDvdGraph::Pointer(QPointF point, bool released) {
  if (!d_->videoSink) {
    return false;
  }
  d_->SendUpstream(released ? gst_navigation_event_new_mouse_button_release(
                                  1, point.x(), point.y(), GST_NAVIGATION_MODIFIER_NONE)
                            : gst_navigation_event_new_mouse_move(point.x(), point.y(),
                                                                  GST_NAVIGATION_MODIFIER_NONE));
  return true;
}

void TZDvdGraph::SeekTitle(int title) {
  if (d_->videoSink) {
    d_->SeekAsync(gst_event_new_seek(1.0, FormatOf("title"), GST_SEEK_FLAG_FLUSH, GST_SEEK_TYPE_SET,
                                     title, GST_SEEK_TYPE_NONE, -1));
  }
}

void TZDvdGraph::SeekChapter(int chapter) {
  if (d_->videoSink) {
    d_->SeekAsync(gst_event_new_seek(1.0, FormatOf("chapter"), GST_SEEK_FLAG_FLUSH,
                                     GST_SEEK_TYPE_SET, chapter, GST_SEEK_TYPE_NONE, -1));
  }
}

void TZDvdGraph::SeekTime(qint64 milliseconds) {
  if (d_->videoSink) {
    d_->SeekAsync(gst_event_new_seek(1.0, GST_FORMAT_TIME, GST_SEEK_FLAG_FLUSH, GST_SEEK_TYPE_SET,
                                     milliseconds * GST_MSECOND, GST_SEEK_TYPE_NONE, -1));
  }
}

void TZDvdGraph::SetRate(double rate) {
  if (!d_->videoSink) {
    return;
  }
  // Backwards plays from where the picture stands towards the title's start.
  const qint64 position = std::max<qint64>(Position("time"), 0) * GST_MSECOND;
  d_->SeekAsync(rate > 0 ? gst_event_new_seek(rate, GST_FORMAT_TIME, GST_SEEK_FLAG_FLUSH,
                                              GST_SEEK_TYPE_SET, position, GST_SEEK_TYPE_NONE, -1)
                         : gst_event_new_seek(rate, GST_FORMAT_TIME, GST_SEEK_FLAG_FLUSH,
                                              GST_SEEK_TYPE_SET, 0, GST_SEEK_TYPE_SET, position));
}

qint64 TZDvdGraph::Position(const char* format) const {
  gint64 value = -1;
  if (!d_->navigator || !gst_element_query_position(d_->navigator, FormatOf(format), &value)) {
    return -1;
  }
  return g_str_equal(format, "time") ? value / GST_MSECOND : value;
}

qint64 TZDvdGraph::Duration(const char* format) const {
  gint64 value = -1;
  if (!d_->navigator || !gst_element_query_duration(d_->navigator, FormatOf(format), &value)) {
    return -1;
  }
  return g_str_equal(format, "time") && value >= 0 ? value / GST_MSECOND : value;
}

void TZDvdGraph::SelectAudio(int stream) {
  d_->audioChoice = stream;
  d_->SendToDemux(gst_structure_new(kDvdStructure, "event", G_TYPE_STRING, "dvd-set-audio-track",
                                    "logical-id", G_TYPE_INT, stream, "physical-id", G_TYPE_INT,
                                    stream, nullptr));
}

void TZDvdGraph::SelectSubpicture(int stream, bool shown) {
  d_->subpictureChoice = stream;
  d_->forcedOnly = !shown;
  d_->SendToDemux(gst_structure_new(
      kDvdStructure, "event", G_TYPE_STRING, "dvd-set-subpicture-track", "logical-id", G_TYPE_INT,
      stream, "physical-id", G_TYPE_INT, stream, "forced-only", G_TYPE_BOOLEAN, !shown, nullptr));
}

void TZDvdGraph::SetVolume(double linear) {
  if (d_->volume) {
    g_object_set(d_->volume, "volume", linear, nullptr);
  }
}

void TZDvdGraph::SetPanorama(double panorama) {
  if (d_->panorama) {
    g_object_set(d_->panorama, "panorama", static_cast<gfloat>(panorama), nullptr);
  }
}

QImage TZDvdGraph::LastFrame() const {
  QMutexLocker lock(&d_->frameLock);
  return d_->lastFrame;
}
