#include "playback/dvd/dvdgraph.h"

#include <gst/app/gstappsink.h>
#include <gst/base/gstbasesink.h>
#include <gst/video/navigation.h>
#include <gst/video/video.h>

#include <QMutex>
#include <QWaitCondition>
#include <atomic>
#include <deque>
#include <mutex>
#include <tuple>
#include <utility>

#include "components/graph/gstref.h"
#include "components/graph/zgraphnative.h"
#include "components/graph/zvideosink.h"
#include "playback/video/framesink.h"

namespace {

const char kDvdStructure[] = "application/x-gst-dvd";
// How long the check after a preroll waits for a state change under way.
constexpr GstClockTime kSettleTimeout = 2 * GST_SECOND;
// Playing backwards jumps this often: long enough for each jump's first picture to show.
constexpr int kBackStepMs = 400;
constexpr size_t kMaxWaitingMoves = 16;

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

// A flushing jump to a time of the title, playing on from there at `rate`.
GstEvent* TimeSeek(double rate, qint64 milliseconds) {
  return gst_event_new_seek(rate, GST_FORMAT_TIME, GST_SEEK_FLAG_FLUSH, GST_SEEK_TYPE_SET,
                            milliseconds * GST_MSECOND, GST_SEEK_TYPE_NONE, -1);
}

GstFormat FormatOf(const char* nick) {
  return g_str_equal(nick, "time") ? GST_FORMAT_TIME : gst_format_get_by_nick(nick);
}

// The graph's state as asked for by its owner; shared with the checks that run on GStreamer's
// workers, which may outlive the graph.
struct StateRequests {
  std::mutex lock;
  bool closed = false;
};

struct GstEventUnref {
  void operator()(GstEvent* event) const { gst_event_unref(event); }
};

// Events sent one after the other, in the order given, on one of GStreamer's workers: a jump
// waits while the navigator holds a still, and a stream choice waits for the stream it travels
// in, which stands still while the graph is paused. The GUI thread must not wait for either,
// and a later choice must not overtake an earlier one.
class Courier : public std::enable_shared_from_this<Courier> {
 public:
  // True while nothing waits to be sent or is being sent.
  bool Idle() {
    std::lock_guard lock(lock_);
    return !running_;
  }

  // How many events wait behind the one being sent.
  size_t Waiting() {
    std::lock_guard lock(lock_);
    return queue_.size();
  }

  // To an element, or a pad; takes the event.
  void Send(GstElement* pipeline, GstObjectPtr<GstObject> target, GstEvent* event) {
    {
      std::lock_guard lock(lock_);
      queue_.push_back({std::move(target), std::unique_ptr<GstEvent, GstEventUnref>(event)});
      if (running_) {
        return;
      }
      running_ = true;
    }
    gst_element_call_async(
        pipeline, Run, new std::shared_ptr<Courier>(shared_from_this()),
        [](gpointer self) { delete static_cast<std::shared_ptr<Courier>*>(self); });
  }

 private:
  struct Delivery {
    GstObjectPtr<GstObject> target;
    std::unique_ptr<GstEvent, GstEventUnref> event;
  };

  static void Run(GstElement*, gpointer data) {
    Courier& self = **static_cast<std::shared_ptr<Courier>*>(data);
    for (;;) {
      Delivery delivery;
      {
        std::lock_guard lock(self.lock_);
        if (self.queue_.empty()) {
          self.running_ = false;
          return;
        }
        delivery = std::move(self.queue_.front());
        self.queue_.pop_front();
      }
      GstObject* target = delivery.target.get();
      if (GST_IS_PAD(target)) {
        gst_pad_send_event(GST_PAD(target), delivery.event.release());
      } else {
        gst_element_send_event(GST_ELEMENT(target), delivery.event.release());
      }
    }
  }

  std::mutex lock_;
  std::deque<Delivery> queue_;
  bool running_ = false;
};

}  // namespace

struct TZDvdGraph::Native {
  TZDvdGraph* owner = nullptr;
  TZVideoFrameSink& sink;
  GstElement* pipeline = nullptr;  // borrowed from the graph
  // Held, as a script's filter list may let go of the navigator before the graph goes.
  GstObjectPtr<GstElement> navigator;
  GstElement* output = nullptr;  // the bin of the paths behind the navigator
  GstElement* overlay = nullptr;
  GstElement* balance = nullptr;
  GstElement* gamma = nullptr;
  GstElement* videoSink = nullptr;
  GstElement* volume = nullptr;
  GstElement* panorama = nullptr;
  double rate = 1.0;  // of the last seek sent
  GstObjectPtr<GstElement> demux;
  ZFilter dsp;

  // The user's stream choice, kept when the navigator re-announces its own at a new cell.
  std::atomic<int> audioChoice{-1};
  std::atomic<int> subpictureChoice{-1};
  std::atomic<bool> forcedOnly{false};

  std::shared_ptr<StateRequests> states = std::make_shared<StateRequests>();
  // Jumps and speeds to the navigator; stream choices to the demuxer.
  std::shared_ptr<Courier> seeks = std::make_shared<Courier>();
  std::shared_ptr<Courier> choices = std::make_shared<Courier>();

  // What a check after a preroll needs.
  struct PrerollCheck {
    GstObjectPtr<GstElement> sink;
    std::shared_ptr<StateRequests> states;
  };

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
    auto* self = static_cast<Native*>(data);
    GstSample* sample = gst_app_sink_pull_preroll(appsink);
    if (sample) {
      self->Present(sample);
      gst_sample_unref(sample);
    }
    gst_element_call_async(self->pipeline, KeepPlaying,
                           new PrerollCheck{RefObject(self->videoSink), self->states},
                           [](gpointer check) { delete static_cast<PrerollCheck*>(check); });
    return GST_FLOW_OK;
  }

  // The navigator flushes on its own (a jump of its program, a new title), and the picture's
  // sink then loses its state and prerolls again. When such a flush meets the graph while it is
  // still going to playing, the pipeline ignores the sink's lost state: it ends in playing with
  // the sink held in its preroll, the picture's queue fills and the navigator stops for good.
  // After every preroll this checks, off the streaming thread, whether the graph settled in that
  // state, and sets it playing again: that releases the sink like the pipeline's own recovery.
  static void KeepPlaying(GstElement* pipeline, gpointer data) {
    const auto* check = static_cast<PrerollCheck*>(data);
    GstElement* sink = check->sink.get();
    // The sink commits its preroll only after handing over the picture; then a state change of
    // the graph still under way sets the sink itself.
    GstState sinkState = GST_STATE_VOID_PENDING;
    GstState current = GST_STATE_VOID_PENDING;
    if (gst_element_get_state(sink, &sinkState, nullptr, kSettleTimeout) !=
            GST_STATE_CHANGE_SUCCESS ||
        sinkState != GST_STATE_PAUSED ||
        gst_element_get_state(pipeline, &current, nullptr, kSettleTimeout) !=
            GST_STATE_CHANGE_SUCCESS ||
        current != GST_STATE_PLAYING) {
      return;
    }
    // Under the owner's lock: a pause or stop asked for meanwhile wins.
    std::lock_guard lock(check->states->lock);
    GST_OBJECT_LOCK(pipeline);
    const bool playing = GST_STATE_TARGET(pipeline) == GST_STATE_PLAYING;
    GST_OBJECT_UNLOCK(pipeline);
    GST_OBJECT_LOCK(sink);
    const bool held =
        GST_STATE(sink) == GST_STATE_PAUSED && GST_STATE_PENDING(sink) == GST_STATE_VOID_PENDING;
    GST_OBJECT_UNLOCK(sink);
    if (playing && held && !check->states->closed) {
      gst_element_set_state(pipeline, GST_STATE_PLAYING);
    }
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
    if (!name) {
      return GST_PAD_PROBE_OK;
    }
    if (g_str_equal(name, "dvd-spu-highlight") && gst_structure_get_int(s, "button", &id)) {
      emit self->owner->ButtonHighlighted(id);
    } else if (g_str_equal(name, "dvd-spu-reset-highlight")) {
      emit self->owner->ButtonHighlighted(0);
    } else if (!gst_structure_get_int(s, "physical-id", &id)) {
      return GST_PAD_PROBE_OK;
    } else if (g_str_equal(name, "dvd-set-audio-track")) {
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
    GstElementFactory* factory = gst_element_get_factory(element);
    if (factory && g_str_equal(GST_OBJECT_NAME(factory), "rsndvdbin")) {
      // Linked as the outputs appear, before any link a graph script asked for: the same paths
      // whoever put the navigator in.
      g_signal_connect(element, "pad-added", G_CALLBACK(OnPadAdded), self);
    } else if (g_str_equal(name.get(), "dvdsrc")) {
      GstObjectPtr<GstPad> pad(gst_element_get_static_pad(element, "src"));
      if (pad) {
        gst_pad_add_probe(pad.get(), GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM, OnSourceEvent, self,
                          nullptr);
      }
    } else if (g_str_equal(name.get(), "dvddemux")) {
      self->demux = RefObject(element);
    } else if (GST_IS_BASE_SINK(element) && !GST_IS_APP_SINK(element)) {
      // The sound output follows the picture's preroll rather than taking part in it: a sink
      // that loses its state at a flush could be left held like the picture's (see
      // KeepPlaying), and nothing would notice, as no picture preroll follows.
      g_object_set(element, "async", FALSE, nullptr);
    }
  }

  // Links each output of the navigator to the input of the same name.
  static void OnPadAdded(GstElement*, GstPad* pad, gpointer data) {
    auto* self = static_cast<Native*>(data);
    const GCharPtr name(gst_pad_get_name(pad));
    GstObjectPtr<GstPad> target(self->output ? gst_element_get_static_pad(self->output, name.get())
                                             : nullptr);
    if (target && !gst_pad_is_linked(target.get())) {
      gst_pad_link(pad, target.get());
    }
  }

  // Straight into the demuxer's input, in line with the stream. Not through
  // gst_element_send_event: that holds the demuxer's state lock while it waits for the stream,
  // and the stream may itself wait for the graph to finish a state change after a flush.
  void SendToDemux(GstStructure* choice) const {
    GstEvent* event = gst_event_new_custom(GST_EVENT_CUSTOM_DOWNSTREAM, choice);
    GstPad* input = demux ? gst_element_get_static_pad(demux.get(), "sink") : nullptr;
    if (input) {
      choices->Send(pipeline, GstObjectPtr<GstObject>(GST_OBJECT(input)), event);
    } else {
      gst_event_unref(event);
    }
  }

  // Through the picture's path only, so the navigator gets each event once.
  void SendUpstream(GstEvent* event) const {
    seeks->Send(pipeline, RefObject(GST_OBJECT(videoSink)), event);
  }

  void SeekAsync(GstEvent* seek) {
    gst_event_parse_seek(seek, &rate, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    seeks->Send(pipeline, RefObject(GST_OBJECT(videoSink)), seek);
  }
};

TZDvdGraph::TZDvdGraph(TZVideoFrameSink& sink, const ZFilter& dsp, QObject* parent)
    : QObject(parent), d_(std::make_unique<Native>(sink)) {
  d_->owner = this;
  d_->pipeline = ZNativePipeline(graph_);
  g_signal_connect(d_->pipeline, "deep-element-added", G_CALLBACK(Native::OnElementAdded),
                   d_.get());
  d_->dsp = dsp;
  backStep_.setInterval(kBackStepMs);
  connect(&backStep_, &QTimer::timeout, this, &TZDvdGraph::StepBack);
}

TZDvdGraph::~TZDvdGraph() {
  {
    std::lock_guard lock(d_->states->lock);
    d_->states->closed = true;
    graph_.SetState(ZGraphState::Stopped);
  }
  g_signal_handlers_disconnect_by_data(d_->pipeline, d_.get());
  if (d_->navigator) {
    g_signal_handlers_disconnect_by_data(d_->navigator.get(), d_.get());
  }
  graph_.Clear();
}

bool TZDvdGraph::MakeOutput() {
  if (output_) {
    return true;
  }
  const QStringList videoPath{QStringLiteral("dvdspu"), QStringLiteral("videobalance"),
                              QStringLiteral("gamma"), QStringLiteral("videoconvert"),
                              QStringLiteral("appsink")};
  QStringList audioPath{QStringLiteral("audioconvert"), QStringLiteral("audioresample")};
  if (d_->dsp) {
    audioPath << QString();  // the DSP filter's place
  }
  audioPath << QStringLiteral("audioconvert") << QStringLiteral("volume")
            << QStringLiteral("audiopanorama") << QStringLiteral("audioconvert")
            << QStringLiteral("autoaudiosink");
  const ZFilter output = ZWrapElement(gst_bin_new("dvdoutput"));
  GstBin* bin = GST_BIN(ZNativeElement(output));
  std::vector<GstElement*> video;
  std::vector<GstElement*> audio;
  for (const auto& [names, elements] : {std::pair{&videoPath, &video}, {&audioPath, &audio}}) {
    for (const QString& name : *names) {
      GstElement* element = name.isEmpty() ? ZNativeElement(d_->dsp)
                                           : gst_element_factory_make(qPrintable(name), nullptr);
      if (!element || !gst_bin_add(bin, element)) {
        return false;
      }
      elements->push_back(element);
    }
  }
  for (const std::vector<GstElement*>* path : {&video, &audio}) {
    for (size_t i = 1; i < path->size(); ++i) {
      if (!gst_element_link((*path)[i - 1], (*path)[i])) {
        return false;
      }
    }
  }
  // The navigator's three outputs by their own names.
  for (const auto& [name, element, pin] : {std::tuple{"video", video.front(), "video"},
                                           {"subpicture", video.front(), "subpicture"},
                                           {"audio", audio.front(), "sink"}}) {
    GstObjectPtr<GstPad> target(gst_element_get_static_pad(element, pin));
    GstPad* input = gst_ghost_pad_new(name, target.get());
    gst_pad_add_probe(input, GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM, Native::OnOutputEvent, d_.get(),
                      nullptr);
    // The navigator makes its outputs only as their streams begin: an input still unlinked while
    // data flows elsewhere is waiting, not unfed.
    ZKeepInputOpen(input);
    gst_element_add_pad(GST_ELEMENT(bin), input);
  }
  d_->overlay = video.front();
  d_->balance = video[1];
  d_->gamma = video[2];
  d_->videoSink = video.back();
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
  output_ = output;
  d_->output = ZNativeElement(output_);
  return true;
}

bool TZDvdGraph::Build(const QString& device) {
  ZFilter navigator = ZFilter::Create(QStringLiteral("rsndvdbin"));
  if (!MakeOutput() || !navigator || !navigator.SetProperty("device", device) ||
      !graph_.Add(navigator) || !graph_.Add(output_)) {
    return false;
  }
  return Adopt(navigator);
}

bool TZDvdGraph::Adopt(const ZFilter& navigator) {
  d_->navigator = navigator ? RefObject(ZNativeElement(navigator)) : nullptr;
  return d_->navigator != nullptr;
}

// A graph script may have set the graph playing already, and a menu's still picture comes only
// once: a picture that arrived before counts.
bool TZDvdGraph::Start(int timeoutMs) {
  if (!SetState(ZGraphState::Playing)) {
    return false;
  }
  const QDeadlineTimer deadline(timeoutMs);
  QMutexLocker lock(&d_->frameLock);
  while (d_->lastFrame.isNull() && d_->frameArrived.wait(&d_->frameLock, deadline)) {
  }
  return !d_->lastFrame.isNull();
}

bool TZDvdGraph::SetState(ZGraphState state) {
  // Steps backwards wait while the graph does not play, and go on from where they were.
  if (backSpeed_ > 0 && state == ZGraphState::Playing && !backStep_.isActive()) {
    backClock_.start();
    backStep_.start();
  } else if (backSpeed_ > 0 && state != ZGraphState::Playing && backStep_.isActive()) {
    backFromMs_ = StepPosition();
    backStep_.stop();
  }
  std::lock_guard lock(d_->states->lock);
  return graph_.SetState(state);
}

bool TZDvdGraph::Command(TZDvdCommand command) {
  if (!d_->videoSink) {
    return false;
  }
  if (command <= TZDvdCommand::ChapterMenu) {
    EndSteps();
  }
  d_->SendUpstream(gst_navigation_event_new_command(NavigationCommandOf(command)));
  return true;
}

bool TZDvdGraph::Pointer(QPointF point, bool released) {
  if (!d_->videoSink) {
    return false;
  }
  // Moves pile up only behind a navigator that does not answer; by then they are out of date.
  if (!released && d_->seeks->Waiting() >= kMaxWaitingMoves) {
    return true;
  }
  d_->SendUpstream(released ? gst_navigation_event_new_mouse_button_release(
                                  1, point.x(), point.y(), GST_NAVIGATION_MODIFIER_NONE)
                            : gst_navigation_event_new_mouse_move(point.x(), point.y(),
                                                                  GST_NAVIGATION_MODIFIER_NONE));
  return true;
}

void TZDvdGraph::SeekTitle(int title) {
  EndSteps();
  if (d_->videoSink) {
    d_->SeekAsync(gst_event_new_seek(1.0, FormatOf("title"), GST_SEEK_FLAG_FLUSH, GST_SEEK_TYPE_SET,
                                     title, GST_SEEK_TYPE_NONE, -1));
  }
}

void TZDvdGraph::SeekChapter(int chapter) {
  EndSteps();
  if (d_->videoSink) {
    d_->SeekAsync(gst_event_new_seek(1.0, FormatOf("chapter"), GST_SEEK_FLAG_FLUSH,
                                     GST_SEEK_TYPE_SET, chapter, GST_SEEK_TYPE_NONE, -1));
  }
}

void TZDvdGraph::SeekTime(qint64 milliseconds) {
  EndSteps();
  if (d_->videoSink) {
    d_->SeekAsync(TimeSeek(1.0, milliseconds));
  }
}

void TZDvdGraph::SetRate(double rate) {
  if (!d_->videoSink) {
    return;
  }
  const qint64 position = std::max<qint64>(Position("time"), 0);
  if (rate < 0) {
    backFromMs_ = position;
    backSpeed_ = -rate;
    backClock_.start();
    backStep_.start();
    return;
  }
  const bool stepping = backSpeed_ > 0;
  EndSteps();
  // The player sets the speed at every start: a seek to the speed already playing would flush
  // the menu's button highlight away for nothing.
  if (rate == d_->rate && !stepping) {
    return;
  }
  d_->SeekAsync(TimeSeek(rate, position));
}

void TZDvdGraph::StepBack() {
  const qint64 target = StepPosition();
  if (target <= 0) {
    EndSteps();
  } else if (!d_->seeks->Idle()) {
    return;  // the last step still travels; the next one catches up with the speed
  }
  d_->SeekAsync(TimeSeek(1.0, target));
}

void TZDvdGraph::EndSteps() {
  backSpeed_ = 0;
  backStep_.stop();
}

qint64 TZDvdGraph::StepPosition() const {
  const qint64 travelled =
      backClock_.isValid() && backStep_.isActive() ? backSpeed_ * backClock_.elapsed() : 0;
  return std::max<qint64>(backFromMs_ - travelled, 0);
}

qint64 TZDvdGraph::Position(const char* format) const {
  if (backSpeed_ > 0 && g_str_equal(format, "time")) {
    return StepPosition();
  }
  gint64 value = -1;
  if (!d_->navigator ||
      !gst_element_query_position(d_->navigator.get(), FormatOf(format), &value)) {
    return -1;
  }
  return g_str_equal(format, "time") ? value / GST_MSECOND : value;
}

qint64 TZDvdGraph::Duration(const char* format) const {
  gint64 value = -1;
  if (!d_->navigator ||
      !gst_element_query_duration(d_->navigator.get(), FormatOf(format), &value)) {
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

void TZDvdGraph::SetColour(const ZVideoColour& colour) {
  if (d_->balance) {
    ZApplyVideoColour(d_->balance, d_->gamma, colour);
  }
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
