#pragma once
// The graph engine: plays video files (kind 3), audio files the sound system does not take
// (kind 4) and network video (kind 5) in one GStreamer graph, built automatically or by a
// filter-graph script. It shows pictures through the program's own video renderer into the video
// window's frame sink, sends the sound through the DSP filter (equalizer and analyser), fills
// the window's track menus and offers the window's commands for files.
//
// GUI thread only; pictures reach the frame sink on a streaming thread.

#include <QObject>
#include <QSize>
#include <QStringList>
#include <memory>

#include "playback/graphscripts.h"
#include "playback/video/videocommands.h"
#include "playback/videoengine.h"

struct TZConfig;
class TZPlaylist;
class TZPlayerWindows;
class TZVideoView;
class TZDspFilter;
class ZVideoSink;
class TZGraphDebugLog;
typedef struct _GstElement GstElement;

// What AfterStart found in the graph: the picture and the tracks.
struct TZGraphItemInfo {
  QSize NativeSize;  // empty without a picture
  QStringList AudioCaptions;
  QStringList SubtitleCaptions;
  int AudioTrack = -1;     // the chosen item; -1 none
  int SubtitleTrack = -1;  // -1 "Off"
  QString SubtitleFile;    // the external subtitle file in use
};

class TZGraphVideoEngine : public QObject,
                           public TZVideoEngine,
                           public TZVideoCommands,
                           public TZGraphScriptHost {
  Q_OBJECT
 public:
  static constexpr int kErrorCannotInitialize = 1002;
  static constexpr int kErrorCannotRender = 1001;
  static constexpr int kErrorCannotPlay = 1003;
  static constexpr int kErrorScreenshot = 3003;
  // How long opening waits for the graph to take the file.
  static constexpr int kOpenTimeoutMs = 15000;

  // `playlist` gives the index of the entry being opened for the log.
  TZGraphVideoEngine(TZConfig& config, const TZPlaylist& playlist, TZVideoView& view,
                     TZPlayerWindows& windows, QObject* parent = nullptr);
  ~TZGraphVideoEngine() override;

  // The scripts chosen for files; their waits can be shortened by tests.
  TZGraphScripts& Scripts() { return *scripts_; }
  const TZGraphItemInfo& ItemInfo() const { return info_; }
  // Pictures delivered to the frame sink since the item started.
  qint64 FramesShown() const;

  // TZVideoEngine
  std::optional<TZOpenError> Open(TMediaKind kind, const TZPlaylistEntry& entry) override;
  void Free(TMediaKind kind, bool hideVideo) override;
  void Pause() override;
  void Run() override;
  bool Active() const override;
  bool Ended() const override { return ended_; }
  qint64 Position() const override;
  qint64 Duration() const override;
  void SetVolume(int hundredthsDb) override;
  void SetBalance(int hundredthsDb) override;
  bool SetRate(double rate) override;
  bool SeekFraction(qint64 p, qint64 m) override;
  bool SeekDvdTime(qint64) override { return false; }
  void SetEqualizerBand(int band, int value) override;
  bool SpectrumData(std::array<int, 512>* data) const override;
  void ClearSpectrumData() override;

  // TZVideoCommands: the DVD ones do nothing here.
  bool SelectAudioTrack(int index) override;
  bool SelectSubtitleTrack(int index) override;
  void SetColourControls(const TZColourControls& controls) override;
  std::optional<QString> TakeScreenshot(bool adjusted, QSize pictureSize) override;
  bool DvdPlayForwards(double) override { return false; }
  bool DvdPlayBackwards(double) override { return false; }
  bool DvdShowMenu(TZDvdMenu) override { return false; }
  bool DvdSetSubpictureShown(bool) override { return false; }
  bool DvdSelectAudioStream(int) override { return false; }
  bool DvdSelectSubpictureStream(int) override { return false; }
  bool DvdPlayChapter(int, int) override { return false; }
  bool DvdPreviousChapter() override { return false; }
  bool DvdNextChapter() override { return false; }
  void DvdPointerMoved(QPointF) override {}
  void DvdPointerReleased(QPointF) override {}

  // TZGraphScriptHost
  ZGraph& Graph() override { return *graph_; }
  ZFilter VideoRenderer() override;
  ZFilter DspFilter() override;
  void PrepareGraph() override;
  void RebuildDvdMenus() override {}
  void CheckDvdMode() override {}

 private:
  struct Chains;

  void LogPlaying(const QString& fileName);
  std::optional<TZOpenError> OpenFile(TMediaKind kind, const QString& fileName);
  std::optional<TZOpenError> OpenStream(const QString& url);
  bool ResetGraph();
  void SetUpDsp();
  bool Build(const QString& fileName);
  bool Preroll();
  void AddExternalSubtitles(const QString& fileName);
  void AfterStart(TMediaKind kind, int index);
  void FillTrackMenus();
  void SelectStreams();
  // The automatic path's decoder; null in a script's graph.
  GstElement* Decoder() const;
  void ApplyColourControls();
  void LogItem(bool hasPicture);

  TZConfig& config_;
  const TZPlaylist& playlist_;
  TZVideoView& view_;
  TZPlayerWindows& windows_;
  std::unique_ptr<ZGraph> graph_;
  TDynFilter filters_;
  std::unique_ptr<TZGraphScripts> scripts_;
  std::unique_ptr<TZDspFilter> dsp_;
  std::unique_ptr<ZVideoSink> sink_;
  std::unique_ptr<Chains> chains_;
  std::unique_ptr<TZGraphDebugLog> debugLog_;
  TZGraphItemInfo info_;
  QString fileName_;
  bool active_ = false;
  bool ended_ = false;
  int volume_ = 0;
  int balance_ = 0;
};
