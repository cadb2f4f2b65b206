// Graphs: one pipeline each, its filters, its bus, its state and position.

#include <QFileInfo>
#include <QUrl>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

#include "components/graph/pins.h"
#include "components/graph/zgraphnative.h"

struct ZGraph::Impl {
  GstElement* pipeline = nullptr;
  // What the automatic path's decoder chose and has shown so far; -1 before it chose.
  std::atomic<int> selectedStreams{-1};
  std::atomic<int> exposedStreams{0};
  std::atomic<bool> failed{false};
  std::atomic<bool> awaitingStreams{false};
};

namespace {

GstState NativeState(ZGraphState state) {
  switch (state) {
    case ZGraphState::Playing:
      return GST_STATE_PLAYING;
    case ZGraphState::Paused:
      return GST_STATE_PAUSED;
    case ZGraphState::Stopped:
      break;
  }
  return GST_STATE_NULL;
}

ZGraphState StateOf(GstState state) {
  if (state == GST_STATE_PLAYING) {
    return ZGraphState::Playing;
  }
  return state == GST_STATE_PAUSED ? ZGraphState::Paused : ZGraphState::Stopped;
}

QString SourceName(GstMessage* message) {
  GCharPtr name(message->src ? gst_object_get_name(message->src) : nullptr);
  return QString::fromUtf8(name.get());
}

// Runs on whichever thread posted the message; hands what the GUI needs to the GUI thread.
GstBusSyncReply OnBusMessage(GstBus*, GstMessage* message, gpointer data) {
  auto* graph = static_cast<ZGraph*>(data);
  GstElement* pipeline = ZNativePipeline(*graph);
  const QString source = SourceName(message);
  switch (GST_MESSAGE_TYPE(message)) {
    case GST_MESSAGE_EOS:
      QMetaObject::invokeMethod(
          graph, [graph] { emit graph->EndOfStream(); }, Qt::QueuedConnection);
      break;
    case GST_MESSAGE_STREAMS_SELECTED:
      graph->impl()->selectedStreams =
          static_cast<int>(gst_message_streams_selected_get_size(message));
      break;
    case GST_MESSAGE_ERROR: {
      graph->impl()->failed = true;
      GError* error = nullptr;
      gst_message_parse_error(message, &error, nullptr);
      const QString text = QString::fromUtf8(error ? error->message : "");
      g_clear_error(&error);
      QMetaObject::invokeMethod(
          graph, [graph, source, text] { emit graph->ErrorOccurred(source, text); },
          Qt::QueuedConnection);
      break;
    }
    case GST_MESSAGE_STATE_CHANGED:
      if (GST_MESSAGE_SRC(message) == GST_OBJECT(pipeline)) {
        GstState state;
        gst_message_parse_state_changed(message, nullptr, &state, nullptr);
        const ZGraphState now = StateOf(state);
        QMetaObject::invokeMethod(
            graph, [graph, now] { emit graph->StateChanged(now); }, Qt::QueuedConnection);
      }
      break;
    case GST_MESSAGE_ELEMENT: {
      const GstStructure* structure = gst_message_get_structure(message);
      const QString name = QString::fromUtf8(structure ? gst_structure_get_name(structure) : "");
      QMetaObject::invokeMethod(
          graph, [graph, source, name] { emit graph->ElementMessage(source, name); },
          Qt::QueuedConnection);
      break;
    }
    default:
      break;
  }
  gst_message_unref(message);
  return GST_BUS_DROP;
}

// The input of a chain of filters, which joins the graph only when a stream arrives for it: a
// sink that nothing feeds would keep the graph from ever starting to play. Null when the chain
// is empty or cannot be linked.
GstPad* ChainInput(GstBin* bin, const std::vector<ZFilter>& chain) {
  if (chain.empty()) {
    return nullptr;
  }
  GstElement* first = ZNativeElement(chain.front());
  if (!GST_OBJECT_PARENT(first)) {
    for (size_t i = 0; i < chain.size(); ++i) {
      GstElement* element = ZNativeElement(chain[i]);
      if (!GST_OBJECT_PARENT(element)) {
        gst_bin_add(bin, element);
      }
      if (i > 0 && !gst_element_link(ZNativeElement(chain[i - 1]), element)) {
        return nullptr;
      }
    }
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
      gst_element_sync_state_with_parent(ZNativeElement(*it));
    }
  }
  // A stream selector takes every stream of its kind on a pad of its own.
  if (GstPad* input = gst_element_get_static_pad(first, "sink")) {
    return input;
  }
  return gst_element_request_pad_simple(first, "sink_%u");
}

// A subtitle chain ends in the video sink's subtitle input, once both are in the graph.
void JoinSubtitles(const std::vector<ZFilter>& subtitles, const ZFilter& videoSink) {
  if (subtitles.empty() || !videoSink) {
    return;
  }
  GstElement* last = ZNativeElement(subtitles.back());
  GstElement* sink = ZNativeElement(videoSink);
  if (GST_OBJECT_PARENT(last) != GST_OBJECT_PARENT(sink)) {
    return;
  }
  GstObjectPtr<GstPad> out(gst_element_get_static_pad(last, "src"));
  GstObjectPtr<GstPad> in(gst_element_get_static_pad(sink, "subtitle_sink"));
  if (out && in && !gst_pad_is_linked(out.get()) && !gst_pad_is_linked(in.get())) {
    gst_pad_link(out.get(), in.get());
  }
}

// Where the streams of the automatic path go.
struct RenderTargets {
  ZGraph::Impl* graph;
  std::vector<ZFilter> audio;
  std::vector<ZFilter> video;
  std::vector<ZFilter> subtitles;
};

enum class StreamKind { Audio, Video, Subtitle, Other };

bool IsSubtitle(QLatin1StringView media);

// A decoder's new pad may not know its caps yet; the stream it carries says what it is.
StreamKind KindOf(GstPad* pad) {
  if (GstStream* stream = gst_pad_get_stream(pad)) {
    const GstStreamType type = gst_stream_get_stream_type(stream);
    gst_object_unref(stream);
    if (type & GST_STREAM_TYPE_AUDIO) {
      return StreamKind::Audio;
    }
    if (type & GST_STREAM_TYPE_VIDEO) {
      return StreamKind::Video;
    }
    if (type & GST_STREAM_TYPE_TEXT) {
      return StreamKind::Subtitle;
    }
  }
  const GstCapsPtr caps(gst_pad_query_caps(pad, nullptr));
  if (!caps || gst_caps_is_any(caps.get()) || gst_caps_is_empty(caps.get())) {
    return StreamKind::Other;
  }
  const QLatin1StringView media(gst_structure_get_name(gst_caps_get_structure(caps.get(), 0)));
  if (media.startsWith(QLatin1StringView("audio/"))) {
    return StreamKind::Audio;
  }
  if (media.startsWith(QLatin1StringView("video/"))) {
    return StreamKind::Video;
  }
  return IsSubtitle(media) ? StreamKind::Subtitle : StreamKind::Other;
}

bool IsSubtitle(QLatin1StringView media) {
  return media.startsWith(QLatin1StringView("text/")) ||
         media.startsWith(QLatin1StringView("subpicture/")) ||
         media == QLatin1StringView("application/x-ssa") ||
         media == QLatin1StringView("application/x-ass");
}

void Discard(GstBin* bin, GstPad* pad) {
  GstElement* sink = gst_element_factory_make("fakesink", nullptr);
  g_object_set(sink, "sync", FALSE, nullptr);
  gst_bin_add(bin, sink);
  GstObjectPtr<GstPad> input(gst_element_get_static_pad(sink, "sink"));
  gst_pad_link(pad, input.get());
  gst_element_sync_state_with_parent(sink);
}

void OnDecodedPad(GstElement* decoder, GstPad* pad, gpointer data) {
  auto* targets = static_cast<RenderTargets*>(data);
  GstObjectPtr<GstObject> parent(gst_element_get_parent(decoder));
  if (!parent) {
    return;
  }
  GstBin* bin = GST_BIN(parent.get());
  const StreamKind kind = KindOf(pad);
  GstObjectPtr<GstPad> target;
  if (kind == StreamKind::Audio) {
    target.reset(ChainInput(bin, targets->audio));
  } else if (kind == StreamKind::Video) {
    target.reset(ChainInput(bin, targets->video));
  } else if (kind == StreamKind::Subtitle) {
    target.reset(ChainInput(bin, targets->subtitles));
  }
  if (!targets->video.empty()) {
    JoinSubtitles(targets->subtitles, targets->video.front());
  }
  if (!target || gst_pad_is_linked(target.get()) || !LinkPads(bin, pad, target.get())) {
    Discard(bin, pad);
  }
  ++targets->graph->exposedStreams;
}

// The third decoder would have its source split the file into streams, leaving the demuxer's
// thread outside the decoder: stopping the graph then resets the decoder's inputs while that
// thread still pushes into them, which crashes now and then. Split inside, it stops first.
void OnDecoderChildAdded(GstBin*, GstElement* child, gpointer) {
  GstElementFactory* factory = gst_element_get_factory(child);
  if (factory && g_strcmp0(GST_OBJECT_NAME(factory), "urisourcebin") == 0) {
    g_object_set(child, "parse-streams", FALSE, nullptr);
  }
}

void FreeTargets(gpointer data, GClosure*) {
  delete static_cast<RenderTargets*>(data);
}

QString UriOf(const QString& uriOrPath) {
  const QUrl url(uriOrPath);
  if (url.scheme().size() > 1) {
    return uriOrPath;
  }
  return QUrl::fromLocalFile(QFileInfo(uriOrPath).absoluteFilePath()).toString();
}

}  // namespace

ZGraph::ZGraph(QObject* parent) : QObject(parent), d_(std::make_unique<Impl>()) {
  ZGraphInit();
  d_->pipeline = GST_ELEMENT(gst_object_ref_sink(gst_pipeline_new(nullptr)));
  GstObjectPtr<GstBus> bus(gst_element_get_bus(d_->pipeline));
  gst_bus_set_sync_handler(bus.get(), OnBusMessage, this, nullptr);
}

ZGraph::~ZGraph() {
  gst_element_set_state(d_->pipeline, GST_STATE_NULL);
  GstObjectPtr<GstBus> bus(gst_element_get_bus(d_->pipeline));
  gst_bus_set_sync_handler(bus.get(), nullptr, nullptr, nullptr);
  gst_object_unref(d_->pipeline);
}

GstElement* ZNativePipeline(const ZGraph& graph) {
  return graph.impl()->pipeline;
}

bool ZGraph::Add(const ZFilter& filter) {
  GstElement* element = ZNativeElement(filter);
  if (!element || Contains(filter)) {
    return false;
  }
  GstObjectPtr<GstObject> parent(gst_element_get_parent(element));
  if (parent) {
    return false;
  }
  return gst_bin_add(GST_BIN(d_->pipeline), element);
}

bool ZGraph::Remove(const ZFilter& filter) {
  if (!Contains(filter)) {
    return false;
  }
  // Stopping one element of a running graph can wait forever on a streaming thread that is
  // blocked further down, so filters leave a stopped graph only.
  gst_element_set_state(d_->pipeline, GST_STATE_NULL);
  GstElement* element = ZNativeElement(filter);
  // The bin drops its reference; the filter keeps its own.
  return gst_bin_remove(GST_BIN(d_->pipeline), element);
}

bool ZGraph::Contains(const ZFilter& filter) const {
  GstElement* element = ZNativeElement(filter);
  return element && GST_OBJECT_PARENT(element) == GST_OBJECT(d_->pipeline);
}

std::vector<ZFilter> ZGraph::Filters() const {
  std::vector<ZFilter> filters;
  GST_OBJECT_LOCK(d_->pipeline);
  for (GList* item = GST_BIN_CHILDREN(d_->pipeline); item; item = item->next) {
    filters.push_back(ZWrapElement(GST_ELEMENT(item->data)));
  }
  GST_OBJECT_UNLOCK(d_->pipeline);
  // The bin keeps its newest child first.
  std::reverse(filters.begin(), filters.end());
  return filters;
}

void ZGraph::Clear() {
  gst_element_set_state(d_->pipeline, GST_STATE_NULL);
  d_->awaitingStreams = false;
  d_->failed = false;
  for (const ZFilter& filter : Filters()) {
    gst_bin_remove(GST_BIN(d_->pipeline), ZNativeElement(filter));
  }
  rate_ = 1.0;
}

bool ZGraph::Connect(const ZFilter& a, ZPinDirection dirA, const QString& textA, const ZFilter& b,
                     ZPinDirection dirB, const QString& textB) {
  if (!Contains(a) || !Contains(b) || dirA == dirB) {
    return false;
  }
  ZPinChoice pinA;
  ZPinChoice pinB;
  if (!FindFreePin(ZNativeElement(a), dirA, textA, &pinA) ||
      !FindFreePin(ZNativeElement(b), dirB, textB, &pinB)) {
    return false;
  }
  const bool aIsOutput = dirA == ZPinDirection::Output;
  ZPinChoice& out = aIsOutput ? pinA : pinB;
  ZPinChoice& in = aIsOutput ? pinB : pinA;
  GstElement* outElement = ZNativeElement(aIsOutput ? a : b);
  GstElement* inElement = ZNativeElement(aIsOutput ? b : a);
  if (!in.pad) {
    if (GST_PAD_TEMPLATE_PRESENCE(in.padTemplate) != GST_PAD_REQUEST) {
      return false;
    }
    in.pad.reset(gst_element_request_pad(inElement, in.padTemplate, nullptr, nullptr));
  }
  if (!in.pad) {
    return false;
  }
  const auto releaseRequested = [&] {
    if (in.padTemplate) {
      gst_element_release_request_pad(inElement, in.pad.get());
    }
  };
  if (!out.pad && GST_PAD_TEMPLATE_PRESENCE(out.padTemplate) == GST_PAD_SOMETIMES) {
    LinkWhenPadAppears(outElement, out.padTemplate, in.pad.get());
    return true;
  }
  if (!out.pad) {
    out.pad.reset(gst_element_request_pad(outElement, out.padTemplate, nullptr, nullptr));
  }
  if (out.pad && LinkPads(GST_BIN(d_->pipeline), out.pad.get(), in.pad.get())) {
    return true;
  }
  if (out.pad && out.padTemplate) {
    gst_element_release_request_pad(outElement, out.pad.get());
  }
  releaseRequested();
  return false;
}

bool ZGraph::RenderFile(const QString& uriOrPath, const std::vector<ZFilter>& audioChain,
                        const ZFilter& videoSink) {
  return RenderFile(uriOrPath, audioChain, videoSink, {});
}

bool ZGraph::RenderFile(const QString& uriOrPath, const std::vector<ZFilter>& audioChain,
                        const ZFilter& videoSink, const std::vector<ZFilter>& subtitleChain) {
  // The third decoder exposes only the streams chosen for playing and takes a new choice while
  // it plays; the older one let data run ahead of its pads and lost it. Discs stay with the
  // older one, whose navigator source the third does not take.
  const QString uri = UriOf(uriOrPath);
  const bool disc = uri.startsWith(QStringLiteral("dvd:"));
  GstElement* decoder = gst_element_factory_make(disc ? "uridecodebin" : "uridecodebin3", nullptr);
  if (!decoder) {
    return false;
  }
  g_object_set(decoder, "uri", uri.toUtf8().constData(), nullptr);
  gst_bin_add(GST_BIN(d_->pipeline), decoder);
  d_->selectedStreams = -1;
  d_->exposedStreams = 0;
  d_->failed = false;
  d_->awaitingStreams = !disc;
  auto* targets = new RenderTargets{d_.get(), audioChain, {}, subtitleChain};
  if (videoSink) {
    targets->video.push_back(videoSink);
  }
  g_signal_connect_data(decoder, "pad-added", G_CALLBACK(OnDecodedPad), targets, FreeTargets,
                        GConnectFlags(0));
  if (!disc) {
    g_signal_connect(decoder, "element-added", G_CALLBACK(OnDecoderChildAdded), nullptr);
  }
  return true;
}

bool ZGraph::SetState(ZGraphState state) {
  return gst_element_set_state(d_->pipeline, NativeState(state)) != GST_STATE_CHANGE_FAILURE;
}

bool ZGraph::WaitForState(ZGraphState state, int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  // The automatic path's decoder changes state at once and adds its streams later: the graph
  // has taken the file only when every stream it chose has reached its chain.
  const auto shown = [this] {
    const int selected = d_->selectedStreams;
    return !d_->awaitingStreams || (selected >= 0 && d_->exposedStreams >= selected);
  };
  while (state != ZGraphState::Stopped && !shown() && !d_->failed) {
    if (std::chrono::steady_clock::now() >= deadline) {
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
      deadline - std::chrono::steady_clock::now());
  GstState current = GST_STATE_NULL;
  const GstStateChangeReturn result = gst_element_get_state(
      d_->pipeline, &current, nullptr, std::max<qint64>(left.count(), 0) * GST_MSECOND);
  return !d_->failed && result != GST_STATE_CHANGE_FAILURE && result != GST_STATE_CHANGE_ASYNC &&
         StateOf(current) == state;
}

ZGraphState ZGraph::State() const {
  GstState current = GST_STATE_NULL;
  gst_element_get_state(d_->pipeline, &current, nullptr, 0);
  return StateOf(current);
}

qint64 ZGraph::Position() const {
  gint64 position = -1;
  return gst_element_query_position(d_->pipeline, GST_FORMAT_TIME, &position) ? position : -1;
}

qint64 ZGraph::Duration() const {
  gint64 duration = -1;
  return gst_element_query_duration(d_->pipeline, GST_FORMAT_TIME, &duration) ? duration : -1;
}

bool ZGraph::Seek(qint64 nanoseconds) {
  const auto flags = GstSeekFlags(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE);
  if (rate_ > 0) {
    return gst_element_seek(d_->pipeline, rate_, GST_FORMAT_TIME, flags, GST_SEEK_TYPE_SET,
                            nanoseconds, GST_SEEK_TYPE_NONE, GST_CLOCK_TIME_NONE);
  }
  return gst_element_seek(d_->pipeline, rate_, GST_FORMAT_TIME, flags, GST_SEEK_TYPE_SET, 0,
                          GST_SEEK_TYPE_SET, nanoseconds);
}

bool ZGraph::SetRate(double rate) {
  if (rate == 0) {
    return false;
  }
  const qint64 position = std::max<qint64>(Position(), 0);
  const double previous = rate_;
  rate_ = rate;
  if (!Seek(position)) {
    rate_ = previous;
    return false;
  }
  return true;
}
