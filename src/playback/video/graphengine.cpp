#include "playback/video/graphengine.h"

#include <gst/audio/streamvolume.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>

#include "base/errorcatalogue.h"
#include "base/programpath.h"
#include "base/zdebug.h"
#include "components/dsp/zdsp.h"
#include "components/graph/gstref.h"
#include "components/graph/zgraphnative.h"
#include "components/graph/zvideosink.h"
#include "config/config.h"
#include "lang/language.h"
#include "lang/textformat.h"
#include "lang/textids.h"
#include "playback/player.h"
#include "playback/playerwindows.h"
#include "playback/video/colourcontrols.h"
#include "playback/video/framesink.h"
#include "playback/video/graphdebuglog.h"
#include "playback/video/sidefiles.h"
#include "playback/video/trackcaptions.h"
#include "playback/video/videoview.h"
#include "playlist/playlist.h"

namespace {

const QString kTag = QStringLiteral("TZVideo");

GstElement* Make(const char* factory) {
  GstElement* element = gst_element_factory_make(factory, nullptr);
  return element ? GST_ELEMENT(gst_object_ref_sink(element)) : nullptr;
}

// Hundredths of a decibel as a linear factor; -100 dB and below is silence.
double LinearOf(int hundredthsDb) {
  return hundredthsDb <= -10000 ? 0.0 : std::pow(10.0, hundredthsDb / 2000.0);
}

// The sink pads of a stream selector, in the order the streams arrived.
// Visits every element of the graph, inside bins too, until `visit` returns false.
void ForEachElement(GstElement* pipeline, const std::function<bool(GstElement*)>& visit) {
  GstIterator* it = gst_bin_iterate_recurse(GST_BIN(pipeline));
  GValue item = G_VALUE_INIT;
  bool more = true;
  while (more && gst_iterator_next(it, &item) == GST_ITERATOR_OK) {
    more = visit(GST_ELEMENT(g_value_get_object(&item)));
    g_value_reset(&item);
  }
  g_value_unset(&item);
  gst_iterator_free(it);
}

// The streams the decoder found, from the collection it sends downstream with every stream.
GstStreamCollection* CollectionOf(GstElement* pipeline) {
  GstStreamCollection* collection = nullptr;
  ForEachElement(pipeline, [&](GstElement* element) {
    GstElementFactory* factory = gst_element_get_factory(element);
    if (!factory || !g_str_has_prefix(GST_OBJECT_NAME(factory), "uridecodebin3")) {
      return true;
    }
    GST_OBJECT_LOCK(element);
    for (GList* pad = element->srcpads; pad && !collection; pad = pad->next) {
      if (GstEvent* event =
              gst_pad_get_sticky_event(GST_PAD(pad->data), GST_EVENT_STREAM_COLLECTION, 0)) {
        gst_event_parse_stream_collection(event, &collection);
        gst_event_unref(event);
      }
    }
    GST_OBJECT_UNLOCK(element);
    return !collection;
  });
  return collection;
}

TZStreamInfo StreamOf(GstStream* stream, TZTrackType type) {
  TZStreamInfo info{type, {}, {}};
  GstTagList* tags = gst_stream_get_tags(stream);
  if (!tags) {
    return info;
  }
  gchar* text = nullptr;
  if (gst_tag_list_get_string(tags, GST_TAG_LANGUAGE_CODE, &text)) {
    info.LanguageCode = QString::fromUtf8(text);
    g_free(text);
  }
  if (gst_tag_list_get_string(tags, GST_TAG_TITLE, &text)) {
    info.Title = QString::fromUtf8(text);
    g_free(text);
  }
  gst_tag_list_unref(tags);
  return info;
}

bool HasSubtitleStreams(GstElement* pipeline) {
  GstStreamCollection* collection = CollectionOf(pipeline);
  bool found = false;
  for (guint i = 0; collection && i < gst_stream_collection_get_size(collection); ++i) {
    found = found || (gst_stream_get_stream_type(gst_stream_collection_get_stream(collection, i)) &
                      GST_STREAM_TYPE_TEXT);
  }
  if (collection) {
    gst_object_unref(collection);
  }
  return found;
}

// The container by its demuxer, wherever the graph has it.
TZContainer ContainerIn(GstElement* pipeline) {
  TZContainer container = ctOther;
  ForEachElement(pipeline, [&](GstElement* element) {
    GstElementFactory* factory = gst_element_get_factory(element);
    const char* klass =
        factory ? gst_element_factory_get_metadata(factory, GST_ELEMENT_METADATA_KLASS) : "";
    if (klass && std::strstr(klass, "Demux")) {
      container = ContainerOf(QString::fromUtf8(GST_OBJECT_NAME(factory)));
    }
    return container == ctOther;
  });
  return container;
}

// Every element of the graph that controls a stream's volume (a script's sound output).
std::vector<GstElement*> VolumeControls(GstElement* pipeline) {
  std::vector<GstElement*> found;
  ForEachElement(pipeline, [&](GstElement* element) {
    if (GST_IS_STREAM_VOLUME(element)) {
      found.push_back(element);
    }
    return true;
  });
  return found;
}

}  // namespace

// The elements of one item's automatic path that the engine controls. Made anew for each item;
// the graph holds them while it runs.
struct TZGraphVideoEngine::Chains {
  GstObjectPtr<GstElement> subtitleSelector;
  GstObjectPtr<GstElement> panorama;
  GstObjectPtr<GstElement> volume;
  // The stream identifiers of the menu items; the pictures are always chosen.
  QList<QByteArray> videoIds;
  QList<QByteArray> audioIds;
  QList<QByteArray> subtitleIds;
  std::vector<ZFilter> audioChain;
  std::vector<ZFilter> subtitleChain;
};

TZGraphVideoEngine::TZGraphVideoEngine(TZConfig& config, const TZPlaylist& playlist,
                                       TZVideoView& view, TZPlayerWindows& windows, QObject* parent)
    : QObject(parent),
      config_(config),
      playlist_(playlist),
      view_(view),
      windows_(windows),
      graph_(std::make_unique<ZGraph>()),
      dsp_(std::make_unique<TZDspFilter>()),
      sink_(std::make_unique<ZVideoSink>()),
      chains_(std::make_unique<Chains>()) {
  scripts_ = std::make_unique<TZGraphScripts>(config_, filters_, *this);
  TZVideoFrameSink* frames = &view_.FrameSink();
  sink_->SetFrameHandler([frames](const QImage& image) { frames->PresentFrame(image); });
  connect(graph_.get(), &ZGraph::EndOfStream, this, [this] {
    if (active_) {
      ended_ = true;
    }
  });
}

TZGraphVideoEngine::~TZGraphVideoEngine() {
  sink_->SetFrameHandler(nullptr);
  graph_->Clear();
}

qint64 TZGraphVideoEngine::FramesShown() const {
  return sink_->FrameCount();
}

GstElement* TZGraphVideoEngine::Decoder() const {
  for (const ZFilter& filter : graph_->Filters()) {
    if (filter.FactoryName() == QStringLiteral("uridecodebin3")) {
      return ZNativeElement(filter);
    }
  }
  return nullptr;
}

ZFilter TZGraphVideoEngine::VideoRenderer() {
  return sink_->Filter();
}

ZFilter TZGraphVideoEngine::DspFilter() {
  return config_.DCDSPFilterActive ? dsp_->Filter() : ZFilter();
}

void TZGraphVideoEngine::PrepareGraph() {
  graph_->Remove(sink_->Filter());
  graph_->Remove(dsp_->Filter());
  graph_->Clear();
  *chains_ = Chains();
  Chains& c = *chains_;
  c.subtitleSelector.reset(Make("input-selector"));
  c.panorama.reset(Make("audiopanorama"));
  c.volume.reset(Make("volume"));
  GstObjectPtr<GstElement> convert(Make("audioconvert"));
  GstObjectPtr<GstElement> resample(Make("audioresample"));
  const ZFilter output = ZFilter::Create(QStringLiteral("autoaudiosink"));
  if (!c.subtitleSelector || !c.panorama || !c.volume || !convert || !resample || !output) {
    c.audioChain.clear();
    return;
  }
  g_object_set(c.panorama.get(), "method", 1, nullptr);
  c.audioChain = {ZWrapElement(convert.get()), ZWrapElement(resample.get()),
                  ZWrapElement(c.panorama.get())};
  if (const ZFilter dsp = DspFilter()) {
    c.audioChain.push_back(dsp);
  }
  c.audioChain.push_back(ZWrapElement(c.volume.get()));
  c.audioChain.push_back(output);
  c.subtitleChain = {ZWrapElement(c.subtitleSelector.get())};
  g_object_set(c.volume.get(), "volume", LinearOf(volume_), nullptr);
}

std::optional<TZOpenError> TZGraphVideoEngine::Open(TMediaKind kind, const TZPlaylistEntry& entry) {
  active_ = false;
  ended_ = false;
  info_ = TZGraphItemInfo();
  fileName_ = entry.FileName;
  sink_->Reset();
  debugLog_.reset();
  if (config_.DebugEnabled) {
    debugLog_ = std::make_unique<TZGraphDebugLog>(*graph_, ProgramPath() + "dxlog.txt");
  }
  const int logLevel = ZDebug() ? ZDebug()->Level() : 0;
  const std::optional<TZOpenError> error =
      kind == mkVideoStream ? OpenStream(entry.FileName) : OpenFile(kind, entry.FileName);
  if (error) {
    graph_->Clear();
    // The "Playing..." block of a failed item ends here; a played one ends when it stops.
    while (ZDebug() && ZDebug()->Level() > logLevel) {
      ZLogUnindent();
    }
    return error;
  }
  active_ = true;
  int index = -1;
  for (int i = 0; i < playlist_.Count() && index < 0; ++i) {
    index = playlist_.Get(i) == &entry ? i : -1;
  }
  AfterStart(kind, index);
  return std::nullopt;
}

void TZGraphVideoEngine::LogPlaying(const QString& fileName) {
  PlayerLog(QString());
  PlayerLog(QStringLiteral("Playing..."));
  ZLogIndent();
  PlayerLog(QStringLiteral("FileName: ") + fileName);
}

std::optional<TZOpenError> TZGraphVideoEngine::OpenFile(TMediaKind, const QString& fileName) {
  LogPlaying(fileName);
  if (!ResetGraph()) {
    return TZOpenError{kErrorCannotInitialize, kTag, QString()};
  }
  SetUpDsp();
  const QString bareName = QFileInfo(fileName).fileName();
  if (!Build(fileName) || !Preroll()) {
    return TZOpenError{kErrorCannotRender, kTag, bareName};
  }
  AddExternalSubtitles(fileName);
  if (!graph_->SetState(ZGraphState::Playing)) {
    return TZOpenError{kErrorCannotPlay, kTag, bareName};
  }
  return std::nullopt;
}

std::optional<TZOpenError> TZGraphVideoEngine::OpenStream(const QString& url) {
  windows_.SetTitleText(Language().Text(kTextConnecting));
  // The title is drawn before the connection blocks the GUI thread.
  QCoreApplication::processEvents();
  if (!ResetGraph()) {
    return TZOpenError{kErrorCannotInitialize, kTag, QString()};
  }
  SetUpDsp();
  if (!Build(url) || !Preroll()) {
    return TZOpenError{kErrorCannotRender, kTag, url};
  }
  LogPlaying(url);
  if (!graph_->SetState(ZGraphState::Playing)) {
    return TZOpenError{kErrorCannotPlay, kTag, QFileInfo(url).fileName()};
  }
  return std::nullopt;
}

bool TZGraphVideoEngine::ResetGraph() {
  filters_.ClearFilters();
  graph_->Remove(sink_->Filter());
  graph_->Remove(dsp_->Filter());
  graph_->Clear();
  // Without its own renderer and sound chain the engine cannot play anything.
  return ZGraphInit() && sink_->Filter() && dsp_->Filter();
}

void TZGraphVideoEngine::SetUpDsp() {
  const bool active = config_.DCDSPFilterActive;
  dsp_->SetProcessing(active);
  dsp_->SetEqualizerEnabled(active);
  dsp_->SetVisualEnabled(active);
  dsp_->ClearSpectrumData();
}

bool TZGraphVideoEngine::Build(const QString& fileName) {
  if (scripts_->ChooseScript(fileName) >= 0) {
    *chains_ = Chains();
    return scripts_->OpenMediaWithScript(fileName);
  }
  PrepareGraph();
  if (chains_->audioChain.empty()) {
    return false;
  }
  return graph_->RenderFile(fileName, chains_->audioChain, sink_->Filter(), chains_->subtitleChain);
}

bool TZGraphVideoEngine::Preroll() {
  if (!graph_->SetState(ZGraphState::Paused)) {
    return false;
  }
  return graph_->WaitForState(ZGraphState::Paused, kOpenTimeoutMs);
}

// The file next to the video joins the subtitle selector once the video renderer is in the
// graph; added before that, its parser would push into nothing and stop the graph.
void TZGraphVideoEngine::AddExternalSubtitles(const QString& fileName) {
  const QString subtitles = FindSubtitleFile(fileName);
  if (subtitles.isEmpty() || HasSubtitleStreams(ZNativePipeline(*graph_))) {
    return;
  }
  GstElement* selector = chains_->subtitleSelector.get();
  if (subtitles.isEmpty() || !selector || !graph_->Contains(sink_->Filter())) {
    return;
  }
  GstElement* pipeline = ZNativePipeline(*graph_);
  const bool selectorJoined = GST_OBJECT_PARENT(selector) == GST_OBJECT(pipeline);
  GstElement* source = gst_element_factory_make("filesrc", nullptr);
  GstElement* parser = gst_element_factory_make("subparse", nullptr);
  if (!source || !parser) {
    return;
  }
  g_object_set(source, "location", QFile::encodeName(subtitles).constData(), nullptr);
  gst_bin_add_many(GST_BIN(pipeline), source, parser, nullptr);
  if (!selectorJoined) {
    gst_bin_add(GST_BIN(pipeline), selector);
    GstObjectPtr<GstPad> out(gst_element_get_static_pad(selector, "src"));
    GstObjectPtr<GstPad> in(
        gst_element_get_static_pad(ZNativeElement(sink_->Filter()), "subtitle_sink"));
    gst_pad_link(out.get(), in.get());
  }
  GstObjectPtr<GstPad> parsed(gst_element_get_static_pad(parser, "src"));
  GstObjectPtr<GstPad> input(gst_element_request_pad_simple(selector, "sink_%u"));
  if (!gst_element_link(source, parser) ||
      gst_pad_link(parsed.get(), input.get()) != GST_PAD_LINK_OK) {
    return;
  }
  for (GstElement* element : {selector, parser, source}) {
    gst_element_sync_state_with_parent(element);
  }
  info_.SubtitleFile = subtitles;
}

void TZGraphVideoEngine::AfterStart(TMediaKind kind, int index) {
  view_.ClearTrackMenus();
  if (kind != mkAudio) {
    FillTrackMenus();
  }
  ApplyColourControls();
  windows_.SetMenuEnabled(pmVideo, false);
  windows_.SetMenuEnabled(pmAudio, false);
  windows_.SetMenuEnabled(pmLiveStream, false);
  info_.NativeSize = sink_->LastFrame().size();
  const bool hasPicture = !info_.NativeSize.isEmpty();
  if (hasPicture) {
    view_.ShowPicture(false, info_.NativeSize);
    windows_.SetMenuEnabled(pmVideo, true);
    view_.UpdateVideoMenu(false, false);
    const TZDisplayMode previous = view_.DisplayMode();
    view_.SetDisplayMode(config_.AutoFullscreen ? dmFullscreen
                         : previous == dmNone   ? dmWindow
                                                : previous);
  } else {
    view_.HidePicture();
  }
  QStringList names;
  for (const ZFilter& filter : graph_->Filters()) {
    names << filter.Name();
  }
  view_.SetFilterMenu(names);
  LogItem(hasPicture);
  PlayerLog(QStringLiteral("PlaylistIndex: [%1]").arg(index));
}

void TZGraphVideoEngine::FillTrackMenus() {
  Chains& c = *chains_;
  GstElement* pipeline = ZNativePipeline(*graph_);
  const TZContainer container = ContainerIn(pipeline);
  if (GstStreamCollection* collection = CollectionOf(pipeline)) {
    for (guint i = 0; i < gst_stream_collection_get_size(collection); ++i) {
      GstStream* stream = gst_stream_collection_get_stream(collection, i);
      const QByteArray id(gst_stream_get_stream_id(stream));
      const GstStreamType type = gst_stream_get_stream_type(stream);
      if (type & GST_STREAM_TYPE_VIDEO) {
        c.videoIds << id;
        continue;
      }
      const TZTrackType track = (type & GST_STREAM_TYPE_AUDIO) ? ttAudio : ttSubtitle;
      if (!(type & (GST_STREAM_TYPE_AUDIO | GST_STREAM_TYPE_TEXT))) {
        continue;
      }
      QList<QByteArray>& ids = track == ttAudio ? c.audioIds : c.subtitleIds;
      QStringList& captions = track == ttAudio ? info_.AudioCaptions : info_.SubtitleCaptions;
      const auto caption =
          TrackCaption(container, StreamOf(stream, track), static_cast<int>(ids.size()) + 1);
      if (caption) {
        ids << id;
        captions << *caption;
      }
    }
    gst_object_unref(collection);
  }
  if (c.subtitleIds.isEmpty() && !info_.SubtitleFile.isEmpty()) {
    // The file next to the video stands in for missing subtitle streams; its stream has no
    // identifier in the decoder.
    c.subtitleIds << QByteArray();
    info_.SubtitleCaptions << QStringLiteral("Subtitle Track 1");
  }
  info_.AudioTrack = DefaultAudioTrack(info_.AudioCaptions, config_.VidDefaultLanguage);
  info_.SubtitleTrack = DefaultSubtitleTrack(info_.SubtitleCaptions, config_.VidDefaultSubtitle,
                                             config_.VidDefaultSubtitleFailed);
  view_.SetAudioTracks(info_.AudioCaptions, info_.AudioTrack);
  view_.SetSubtitleTracks(info_.SubtitleCaptions, info_.SubtitleTrack);
  SelectStreams();
}

// Tells the decoder which streams to play: every picture, the chosen sound and subtitle.
void TZGraphVideoEngine::SelectStreams() {
  Chains& c = *chains_;
  GList* ids = nullptr;
  QList<QByteArray> chosen = c.videoIds;
  if (info_.AudioTrack >= 0 && info_.AudioTrack < c.audioIds.size()) {
    chosen << c.audioIds[info_.AudioTrack];
  }
  if (info_.SubtitleTrack >= 0 && info_.SubtitleTrack < c.subtitleIds.size() &&
      !c.subtitleIds[info_.SubtitleTrack].isEmpty()) {
    chosen << c.subtitleIds[info_.SubtitleTrack];
  }
  for (const QByteArray& id : chosen) {
    ids = g_list_append(ids, const_cast<char*>(id.constData()));
  }
  sink_->SetSubtitlesShown(info_.SubtitleTrack >= 0);
  if (GstElement* decoder = Decoder()) {
    gst_element_send_event(decoder, gst_event_new_select_streams(ids));
  }
  g_list_free(ids);
}

void TZGraphVideoEngine::LogItem(bool hasPicture) {
  if (hasPicture) {
    PlayerLog(QStringLiteral("Type: Video (DirectShow)"));
    PlayerLog(QStringLiteral("Size: %1 x %2")
                  .arg(info_.NativeSize.width())
                  .arg(info_.NativeSize.height()));
  } else {
    PlayerLog(QStringLiteral("Type: Audio (DirectSound)"));
  }
  if (!info_.AudioCaptions.isEmpty()) {
    PlayerLog(QStringLiteral("Audio tracks:"));
    ZLogIndent();
    for (const QString& caption : info_.AudioCaptions) {
      PlayerLog(caption);
    }
    ZLogUnindent();
  }
  if (!info_.SubtitleCaptions.isEmpty()) {
    PlayerLog(QStringLiteral("Subtitle tracks:"));
    ZLogIndent();
    for (const QString& caption : info_.SubtitleCaptions) {
      PlayerLog(QStringLiteral("      ") + caption);
    }
    ZLogUnindent();
  }
  PlayerLog(config_.DCDSPFilterActive ? QStringLiteral("DSP: TRUE") : QStringLiteral("DSP: FALSE"));
}

void TZGraphVideoEngine::Free(TMediaKind, bool hideVideo) {
  active_ = false;
  ended_ = false;
  graph_->Clear();
  *chains_ = Chains();
  filters_.ClearFilters();
  scripts_->UnregisterScriptFilters();
  debugLog_.reset();
  windows_.SetMenuEnabled(pmVideo, false);
  view_.ClearTrackMenus();
  view_.FrameSink().ClearFrame();
  if (hideVideo) {
    view_.HidePicture();
  }
}

void TZGraphVideoEngine::Pause() {
  if (active_ && graph_->SetState(ZGraphState::Paused) && !info_.NativeSize.isEmpty()) {
    view_.UpdateVideoMenu(false, true);
  }
}

void TZGraphVideoEngine::Run() {
  if (active_ && graph_->SetState(ZGraphState::Playing) && !info_.NativeSize.isEmpty()) {
    view_.UpdateVideoMenu(false, false);
  }
}

bool TZGraphVideoEngine::Active() const {
  return active_;
}

// After the end the position is the duration, so the player sees the item run out even when
// the last position it read fell short of it.
qint64 TZGraphVideoEngine::Position() const {
  if (ended_) {
    return Duration();
  }
  return std::max<qint64>(graph_->Position(), 0) / 100;
}

qint64 TZGraphVideoEngine::Duration() const {
  return std::max<qint64>(graph_->Duration(), 0) / 100;
}

void TZGraphVideoEngine::SetVolume(int hundredthsDb) {
  volume_ = hundredthsDb;
  if (GstElement* own = chains_->volume.get(); own && GST_OBJECT_PARENT(own)) {
    g_object_set(own, "volume", LinearOf(volume_), nullptr);
    return;
  }
  for (GstElement* control : VolumeControls(ZNativePipeline(*graph_))) {
    gst_stream_volume_set_volume(GST_STREAM_VOLUME(control), GST_STREAM_VOLUME_FORMAT_LINEAR,
                                 LinearOf(volume_));
  }
}

// A positive balance turns the left channel down, a negative one the right.
void TZGraphVideoEngine::SetBalance(int hundredthsDb) {
  balance_ = std::clamp(hundredthsDb, -10000, 10000);
  if (GstElement* panorama = chains_->panorama.get()) {
    const double attenuation = 1.0 - LinearOf(-std::abs(balance_));
    g_object_set(panorama, "panorama",
                 static_cast<float>(balance_ < 0 ? -attenuation : attenuation), nullptr);
  }
}

// The same rate again needs no seek, which a stream from a server without ranges cannot do.
bool TZGraphVideoEngine::SetRate(double rate) {
  return active_ && rate > 0 && (rate == graph_->Rate() || graph_->SetRate(rate));
}

bool TZGraphVideoEngine::SeekFraction(qint64 p, qint64 m) {
  const qint64 duration = graph_->Duration();
  if (!active_ || m <= 0 || duration <= 0) {
    return false;
  }
  const qint64 target = static_cast<qint64>(static_cast<double>(duration) * p / m);
  if (!graph_->Seek(std::clamp<qint64>(target, 0, duration))) {
    return false;
  }
  ended_ = false;
  return true;
}

void TZGraphVideoEngine::SetEqualizerBand(int band, int value) {
  dsp_->SetEqualizerBand(band, value);
}

bool TZGraphVideoEngine::SpectrumData(std::array<int, 512>* data) const {
  return config_.DCDSPFilterActive && dsp_->SpectrumData(data);
}

void TZGraphVideoEngine::ClearSpectrumData() {
  dsp_->ClearSpectrumData();
}

bool TZGraphVideoEngine::SelectAudioTrack(int index) {
  if (!active_ || index < 0 || index >= chains_->audioIds.size()) {
    return false;
  }
  info_.AudioTrack = index;
  SelectStreams();
  return true;
}

bool TZGraphVideoEngine::SelectSubtitleTrack(int index) {
  if (!active_ || index < -1 || index >= chains_->subtitleIds.size() ||
      chains_->subtitleIds.isEmpty()) {
    return false;
  }
  info_.SubtitleTrack = index;
  SelectStreams();
  return true;
}

void TZGraphVideoEngine::ApplyColourControls() {
  sink_->SetColour(VideoColourOf(ColourControlsOf(config_)));
}

// Sharpness has no element in the graph; it is kept in the settings only.
void TZGraphVideoEngine::SetColourControls(const TZColourControls& controls) {
  StoreColourControls(controls, config_);
  ApplyColourControls();
}

std::optional<QString> TZGraphVideoEngine::TakeScreenshot(bool adjusted, QSize pictureSize) {
  const QImage frame = sink_->LastFrame();
  if (!active_ || frame.isNull()) {
    return std::nullopt;
  }
  const QString folder = DataPath() + QStringLiteral("images/");
  QString name = NextScreenshotName(folder, fileName_);
  const QImage picture =
      adjusted && !pictureSize.isEmpty()
          ? frame.scaled(pictureSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
          : frame;
  if (name.isEmpty() || !QDir().mkpath(folder) || !picture.save(name, "PNG")) {
    if (name.isEmpty()) {
      name = QDir(folder).filePath(QFileInfo(fileName_).fileName());
    }
    ReportError(kErrorScreenshot, kTag, name, false);
    return std::nullopt;
  }
  return name;
}
