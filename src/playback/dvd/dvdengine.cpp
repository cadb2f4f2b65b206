#include "playback/dvd/dvdengine.h"

#include <QDir>
#include <QFileInfo>
#include <cmath>

#include "base/errorcatalogue.h"
#include "base/programpath.h"
#include "base/zdebug.h"
#include "components/dsp/zdsp.h"
#include "config/config.h"
#include "playback/dvd/dvddisc.h"
#include "playback/dvd/dvdgraph.h"
#include "playback/dvd/dvdlanguages.h"
#include "playback/player.h"
#include "playback/playerwindows.h"
#include "playback/video/colourcontrols.h"
#include "playback/video/framesink.h"
#include "playback/video/videoview.h"
#include "playlist/playlist.h"

namespace {

const QString kDvdTag = QStringLiteral("TZDVD");
constexpr int kErrorMissing = 1000;
constexpr int kErrorNoGraph = 1002;
constexpr int kErrorDvd = 1999;
constexpr int kErrorGraphBuild = 2007;
constexpr int kErrorScreenshot = 3003;
constexpr int kStartTimeoutMs = 10000;
// The time events of the navigator come about three times a second.
constexpr int kPollMs = 300;
constexpr qint64 kUnitsPerMs = 10000;

// Hundredths of a decibel of attenuation as a linear factor.
double LinearOf(int hundredthsDb) {
  return std::pow(10.0, std::min(hundredthsDb, 0) / 2000.0);
}

// Balance attenuates one side: positive values the left, negative the right.
double PanoramaOf(int balance) {
  const double fade = 1.0 - LinearOf(-std::abs(balance));
  return balance > 0 ? fade : -fade;
}

TZDvdCommand CommandOf(TZDvdMenu menu) {
  switch (menu) {
    case dmTitle:
      return TZDvdCommand::TitleMenu;
    case dmRoot:
      return TZDvdCommand::RootMenu;
    case dmSubpicture:
      return TZDvdCommand::SubpictureMenu;
    case dmAudio:
      return TZDvdCommand::AudioMenu;
    case dmAngle:
      return TZDvdCommand::AngleMenu;
    case dmChapter:
      break;
  }
  return TZDvdCommand::ChapterMenu;
}

QStringList CodesOf(const std::vector<TZDvdStream>& streams) {
  QStringList codes;
  for (const TZDvdStream& stream : streams) {
    codes << stream.Language;
  }
  return codes;
}

QStringList CaptionsOf(const std::vector<TZDvdStream>& streams, const QString& unnamed) {
  QStringList captions;
  for (const TZDvdStream& stream : streams) {
    captions << DvdLanguageName(stream.Language, unnamed.arg(captions.size() + 1));
  }
  return captions;
}

int IndexOfStream(const std::vector<TZDvdStream>& streams, int id) {
  for (size_t i = 0; i < streams.size(); ++i) {
    if (streams[i].Id == id) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

int IndexOfEntry(const TZPlaylist& playlist, const TZPlaylistEntry& entry) {
  for (int i = 0; i < playlist.Count(); ++i) {
    if (playlist.Get(i) == &entry) {
      return i;
    }
  }
  return -1;
}

void Indent(bool in) {
  if (TZDebug* log = ZDebug()) {
    in ? log->Indent() : log->Unindent();
  }
}

}  // namespace

TZDvdEngine::TZDvdEngine(const TZConfig& config, const TZPlaylist& playlist, TZVideoView& view,
                         TZPlayerWindows& windows, QObject* parent)
    : QObject(parent),
      config_(config),
      playlist_(playlist),
      view_(view),
      windows_(windows),
      scripts_(std::make_unique<TZGraphScripts>(config, filters_, *this)),
      streams_(std::make_unique<TZDvdStreams>()),
      announced_(std::make_unique<TZDvdStreams>()) {
  poll_.setInterval(kPollMs);
  connect(&poll_, &QTimer::timeout, this, &TZDvdEngine::Poll);
}

TZDvdEngine::~TZDvdEngine() = default;

std::optional<TZOpenError> TZDvdEngine::Open(TMediaKind kind, const TZPlaylistEntry& entry) {
  const std::optional<TZDvdDisc> disc = kind == mkDvd ? DvdDiscOf(entry.FileName) : std::nullopt;
  if (kind != mkDvd) {
    return TZOpenError{kErrorNoGraph, QStringLiteral("TZVideo"), QString()};
  }
  if (!disc) {
    return TZOpenError{kErrorMissing, kDvdTag, entry.FileName};
  }
  Free(kind, false);
  PlayerLog(QString());
  PlayerLog(QStringLiteral("Playing..."));
  Indent(true);
  PlayerLog(QStringLiteral("FileName: ") + entry.FileName);
  ZFilter dsp;
  if (config_.DCDSPFilterActive && ZDspRegister()) {
    dsp_ = std::make_unique<TZDspFilter>();
    dsp_->SetEqualizerEnabled(true);
    dsp_->SetVisualEnabled(true);
    dsp = dsp_->Filter();
  }
  state_.ChapterCounts = DvdDiscChapterCounts(*disc);
  graph_ = std::make_unique<TZDvdGraph>(view_.FrameSink(), dsp);
  connect(graph_.get(), &TZDvdGraph::StreamsAnnounced, this, &TZDvdEngine::OnStreamsAnnounced);
  connect(graph_.get(), &TZDvdGraph::AudioChosen, this, &TZDvdEngine::OnAudioChosen);
  connect(graph_.get(), &TZDvdGraph::SubpictureChosen, this, &TZDvdEngine::OnSubpictureChosen);
  connect(graph_.get(), &TZDvdGraph::ButtonHighlighted, this,
          [this](int button) { state_.Button = button; });
  if (std::optional<TZOpenError> error = BuildGraph(disc->Device, entry.FileName)) {
    Free(kind, false);
    Indent(false);
    return error;
  }
  graph_->SetColour(VideoColourOf(ColourControlsOf(config_)));
  graph_->SetVolume(LinearOf(volume_));
  graph_->SetPanorama(PanoramaOf(balance_));
  if (!graph_->Start(kStartTimeoutMs)) {
    Free(kind, false);
    Indent(false);
    return TZOpenError{kErrorDvd, kDvdTag, disc->Device};
  }
  AfterStart(entry);
  poll_.start();
  Poll();
  return std::nullopt;
}

ZGraph& TZDvdEngine::Graph() {
  return graph_->Graph();
}

ZFilter TZDvdEngine::VideoRenderer() {
  return graph_->Output();
}

std::optional<TZOpenError> TZDvdEngine::BuildGraph(const QString& device, const QString& fileName) {
  const TZOpenError failed{kErrorGraphBuild, kDvdTag, QString()};
  const QString script =
      DataPath() + QStringLiteral("dvdgraphs/") + config_.DVDGraph + QStringLiteral(".zgraph");
  if (config_.DVDGraph.isEmpty() || !QFileInfo::exists(script)) {
    PlayerLog(QStringLiteral("DVD Graph Script not found, trying to autocreate."));
    return graph_->Build(device) ? std::nullopt : std::optional(failed);
  }
  if (!graph_->MakeOutput()) {
    return failed;
  }
  if (!scripts_->OpenDvdWithScript(fileName, device)) {
    return TZOpenError{kErrorGraphBuild, kDvdTag, QString(), true};
  }
  return graph_->Adopt(scripts_->DvdNavigator()) ? std::nullopt : std::optional(failed);
}

void TZDvdEngine::AfterStart(const TZPlaylistEntry& entry) {
  view_.ClearTrackMenus();
  windows_.SetMenuEnabled(pmAudio, false);
  windows_.SetMenuEnabled(pmLiveStream, false);
  windows_.SetMenuEnabled(pmVideo, true);
  const QSize size = VideoSize();
  view_.ShowPicture(true, size);
  view_.UpdateVideoMenu(true, false);
  view_.SetJumpTargets(state_.ChapterCounts);
  QStringList filters;
  for (const ZFilter& filter : graph_->Graph().Filters()) {
    filters << filter.Name();
  }
  view_.SetFilterMenu(filters);
  PlayerLog(QStringLiteral("Type: DVD (DirectShow)"));
  PlayerLog(QStringLiteral("Size: %1 x %2").arg(size.width()).arg(size.height()));
  PlayerLog(dsp_ ? QStringLiteral("DSP: TRUE") : QStringLiteral("DSP: FALSE"));
  PlayerLog(QStringLiteral("PlaylistIndex: [%1]").arg(IndexOfEntry(playlist_, entry)));
}

void TZDvdEngine::Free(TMediaKind, bool hideVideo) {
  if (!graph_) {
    return;
  }
  poll_.stop();
  // Stopped first, so that nothing sets it playing again while the script's filters leave.
  graph_->SetState(ZGraphState::Stopped);
  filters_.ClearFilters();
  filters_.AttachToGraph(nullptr);
  scripts_->UnregisterScriptFilters();
  graph_.reset();
  dsp_.reset();
  state_ = TZDvdState();
  *streams_ = TZDvdStreams();
  *announced_ = TZDvdStreams();
  pendingJump_.reset();
  audioId_ = -1;
  subpictureId_ = -1;
  view_.ClearTrackMenus();
  view_.FrameSink().ClearFrame();
  windows_.SetMenuEnabled(pmVideo, false);
  if (hideVideo) {
    windows_.HideVideoWindow();
  }
}

void TZDvdEngine::Pause() {
  if (graph_) {
    graph_->SetState(ZGraphState::Paused);
    view_.UpdateVideoMenu(true, true);
  }
}

void TZDvdEngine::Run() {
  if (graph_) {
    graph_->SetState(ZGraphState::Playing);
    view_.UpdateVideoMenu(true, false);
  }
}

bool TZDvdEngine::Active() const {
  // The graph runs from Open to Free; a still menu may hold it between states meanwhile.
  return graph_ != nullptr;
}

qint64 TZDvdEngine::Position() const {
  return graph_ ? state_.PositionMs * kUnitsPerMs : 0;
}

qint64 TZDvdEngine::Duration() const {
  return graph_ ? state_.TitleTimeMs * kUnitsPerMs : 0;
}

void TZDvdEngine::SetVolume(int hundredthsDb) {
  volume_ = hundredthsDb;
  if (graph_) {
    graph_->SetVolume(LinearOf(hundredthsDb));
  }
}

void TZDvdEngine::SetBalance(int hundredthsDb) {
  balance_ = hundredthsDb;
  if (graph_) {
    graph_->SetPanorama(PanoramaOf(hundredthsDb));
  }
}

bool TZDvdEngine::SetRate(double rate) {
  if (!Active() || rate <= 0) {
    return false;
  }
  graph_->SetRate(rate);
  return true;
}

bool TZDvdEngine::SeekFraction(qint64, qint64) {
  // A disc is sought by its title time (SeekDvdTime), never by a fraction of a file.
  return false;
}

bool TZDvdEngine::SeekDvdTime(qint64 milliseconds) {
  if (!Active() || state_.InMenu) {
    return false;
  }
  graph_->SeekTime(milliseconds);
  return true;
}

void TZDvdEngine::SetEqualizerBand(int band, int value) {
  if (dsp_) {
    dsp_->SetEqualizerBand(band, value);
  }
}

bool TZDvdEngine::SpectrumData(std::array<int, 512>* data) const {
  return dsp_ && dsp_->SpectrumData(data);
}

void TZDvdEngine::ClearSpectrumData() {
  if (dsp_) {
    dsp_->ClearSpectrumData();
  }
}

bool TZDvdEngine::SelectAudioTrack(int) {
  return false;
}

bool TZDvdEngine::SelectSubtitleTrack(int) {
  return false;
}

// The settings keep the controls (the file engine stores them); the disc's picture follows.
void TZDvdEngine::SetColourControls(const TZColourControls& controls) {
  if (graph_) {
    graph_->SetColour(VideoColourOf(controls));
  }
}

std::optional<QString> TZDvdEngine::TakeScreenshot(bool adjusted, QSize pictureSize) {
  QImage frame = graph_ ? graph_->LastFrame() : QImage();
  const QDir folder(ProgramPath() + QStringLiteral("data/images/"));
  QString fileName;
  for (int counter = 1; counter < 1000 && fileName.isEmpty(); ++counter) {
    const QString candidate =
        folder.filePath(QStringLiteral("VIDEO_TS.%1.png").arg(counter, 3, 10, QLatin1Char('0')));
    if (!QFileInfo::exists(candidate)) {
      fileName = candidate;
    }
  }
  if (adjusted && !frame.isNull() && !pictureSize.isEmpty()) {
    frame = frame.scaled(pictureSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  }
  if (frame.isNull() || fileName.isEmpty() || !folder.mkpath(QStringLiteral(".")) ||
      !frame.save(fileName, "PNG")) {
    ReportError(kErrorScreenshot, QStringLiteral("TZVideo"), fileName, false);
    return std::nullopt;
  }
  return fileName;
}

// Speeds act on a title: a menu has no time to run through, and a speed's jump would flush its
// button highlight away.
bool TZDvdEngine::DvdPlayForwards(double speed) {
  if (!Active() || state_.InMenu || speed <= 0) {
    return false;
  }
  graph_->SetRate(speed);
  return true;
}

bool TZDvdEngine::DvdPlayBackwards(double speed) {
  if (!Active() || state_.InMenu || speed <= 0) {
    return false;
  }
  graph_->SetRate(-speed);
  return true;
}

bool TZDvdEngine::DvdShowMenu(TZDvdMenu menu) {
  return Active() && graph_->Command(CommandOf(menu));
}

bool TZDvdEngine::DvdMenuKey(Key key) {
  static constexpr TZDvdCommand kCommands[] = {TZDvdCommand::Left, TZDvdCommand::Right,
                                               TZDvdCommand::Up, TZDvdCommand::Down,
                                               TZDvdCommand::Activate};
  return Active() && graph_->Command(kCommands[static_cast<int>(key)]);
}

bool TZDvdEngine::DvdSetSubpictureShown(bool shown) {
  if (!Active() || streams_->Subpicture.empty()) {
    return false;
  }
  // The flag follows when the navigator reports the change.
  const int index = std::max(state_.SubpictureStream, 0);
  graph_->SelectSubpicture(streams_->Subpicture[index].Id, shown);
  return true;
}

bool TZDvdEngine::DvdSelectAudioStream(int stream) {
  if (!Active() || stream < 0 || stream >= static_cast<int>(streams_->Audio.size())) {
    return false;
  }
  graph_->SelectAudio(streams_->Audio[stream].Id);
  return true;
}

bool TZDvdEngine::DvdSelectSubpictureStream(int stream) {
  if (!Active() || stream < 0 || stream >= static_cast<int>(streams_->Subpicture.size())) {
    return false;
  }
  graph_->SelectSubpicture(streams_->Subpicture[stream].Id, state_.SubpictureShown);
  return true;
}

bool TZDvdEngine::DvdPlayChapter(int title, int chapter) {
  if (!Active() || title < 1 || chapter < 1) {
    return false;
  }
  if (!state_.InMenu && title == state_.Title) {
    graph_->SeekChapter(chapter);
    return true;
  }
  // A title jump that meets the navigator holding a menu's still never ends: it goes on finding
  // the still. A menu call does end one, so the jump travels right behind a call of the title
  // menu, which has the navigator playing again before the jump takes it elsewhere.
  if (state_.InMenu) {
    graph_->Command(TZDvdCommand::TitleMenu);
  }
  graph_->SeekTitle(title);
  if (chapter > 1) {
    pendingJump_ = Jump{title, chapter};
  }
  return true;
}

bool TZDvdEngine::DvdPreviousChapter() {
  if (!Active() || state_.InMenu || state_.Chapter < 1) {
    return false;
  }
  graph_->SeekChapter(std::max(state_.Chapter - 1, 1));
  return true;
}

bool TZDvdEngine::DvdNextChapter() {
  if (!Active() || state_.InMenu || state_.Chapter < 1) {
    return false;
  }
  const qint64 chapters = graph_->Duration("chapter");
  if (chapters > 0 && state_.Chapter >= chapters) {
    return false;
  }
  graph_->SeekChapter(state_.Chapter + 1);
  return true;
}

void TZDvdEngine::DvdPointerMoved(QPointF videoPoint) {
  if (Active()) {
    graph_->Pointer(videoPoint, false);
  }
}

void TZDvdEngine::DvdPointerReleased(QPointF videoPoint) {
  if (Active()) {
    graph_->Pointer(videoPoint, true);
  }
}

QSize TZDvdEngine::VideoSize() const {
  return graph_ ? graph_->LastFrame().size() : QSize();
}

void TZDvdEngine::Poll() {
  if (!graph_) {
    return;
  }
  PollTitle();
  if (state_.InMenu) {
    return;
  }
  const qint64 chapter = graph_->Position("chapter");
  if (chapter > 0 && chapter != state_.Chapter) {
    state_.Chapter = static_cast<int>(chapter);
    // A chapter start re-announces the streams and ticks the place in "Jump to".
    ApplyStreams();
    view_.CheckJumpTarget(state_.Title, state_.Chapter);
    emit ChapterStarted(state_.Title, state_.Chapter);
  }
  if (pendingJump_ && pendingJump_->Title == state_.Title) {
    graph_->SeekChapter(pendingJump_->Chapter);
    pendingJump_.reset();
  }
  state_.TitleTimeMs = std::max<qint64>(graph_->Duration("time"), 0);
  state_.PositionMs = std::max<qint64>(graph_->Position("time"), 0);
  AnnounceTime();
}

void TZDvdEngine::PollTitle() {
  const qint64 title = graph_->Position("title");
  if (title < 0 || title == state_.Title) {
    return;
  }
  const bool inMenu = title == 0;
  state_.Title = static_cast<int>(title);
  state_.Chapter = 0;
  state_.TitleTimeMs = inMenu ? 0 : std::max<qint64>(graph_->Duration("time"), 0);
  state_.PositionMs = 0;
  if (inMenu != state_.InMenu) {
    state_.InMenu = inMenu;
    emit DomainChanged(inMenu);
  }
  if (inMenu) {
    windows_.SetPositionBar(100, 0, false);
  }
  emit TitleChanged(state_.Title);
}

void TZDvdEngine::AnnounceTime() {
  const qint64 title = state_.TitleTimeMs;
  const qint64 position = std::min(state_.PositionMs, title > 0 ? title : state_.PositionMs);
  const bool remaining = config_.TimeMode == tmRemaining;
  windows_.SetTimeDisplay(remaining ? title - position : position, remaining);
  if (title > 0) {
    if (!windows_.PositionBarDragging()) {
      windows_.SetPositionBar(title, position, true);
    }
  } else {
    windows_.SetPositionBar(100, 0, false);
  }
  emit TimeCode(position);
}

// The navigator's reports are queued; those of a graph already freed are dropped.
void TZDvdEngine::OnStreamsAnnounced(const QString& announcement) {
  if (!graph_) {
    return;
  }
  *announced_ = DvdStreamsOf(announcement);
  if (!state_.InMenu) {
    ApplyStreams();
  }
}

void TZDvdEngine::ApplyStreams() {
  const bool audioChanged = announced_->Audio != streams_->Audio;
  const bool subpictureChanged = announced_->Subpicture != streams_->Subpicture;
  *streams_ = *announced_;
  if (audioChanged) {
    state_.AudioLanguages = CodesOf(streams_->Audio);
    ShowAudioMenu();
    emit AudioStreamsChanged();
  }
  if (subpictureChanged) {
    state_.SubpictureLanguages = CodesOf(streams_->Subpicture);
    ShowSubtitleMenu();
    emit SubpictureStreamsChanged();
  }
}

void TZDvdEngine::ShowAudioMenu() {
  state_.AudioStream = IndexOfStream(streams_->Audio, audioId_);
  view_.SetAudioTracks(CaptionsOf(streams_->Audio, QStringLiteral("Audio Track %1")),
                       state_.AudioStream);
}

void TZDvdEngine::ShowSubtitleMenu() {
  state_.SubpictureStream = IndexOfStream(streams_->Subpicture, subpictureId_);
  view_.SetSubtitleTracks(CaptionsOf(streams_->Subpicture, QStringLiteral("Subtitle Track %1")),
                          state_.SubpictureShown ? state_.SubpictureStream : -1);
}

// The navigator reports the stream it plays before or after it announces the title's streams.
void TZDvdEngine::OnAudioChosen(int stream) {
  if (graph_ && stream != audioId_) {
    audioId_ = stream;
    ShowAudioMenu();
  }
}

void TZDvdEngine::OnSubpictureChosen(int stream, bool forcedOnly) {
  if (graph_ && (stream != subpictureId_ || forcedOnly == state_.SubpictureShown)) {
    subpictureId_ = stream;
    state_.SubpictureShown = !forcedOnly;
    ShowSubtitleMenu();
  }
}
