#pragma once
// DVD playback (entries of kind 6) on GStreamer's DVD navigator. The engine builds the DVD graph
// (navigator, decoders, subpicture overlay, our video sink into the window's frame sink, the DSP
// filter and the sound output), drives the navigator's menus, jumps, speeds and stream choice,
// and turns what the navigator reports (domain, title, chapter, time, languages) into the
// video window's menus and the main window's time read-out and position bars.
//
// The composite video engine hands every call for kind 6 to this one. GUI thread only; frames
// reach the frame sink on a streaming thread.

#include <QObject>
#include <QSize>
#include <QStringList>
#include <QTimer>
#include <memory>
#include <vector>

#include "playback/dynfilter.h"
#include "playback/graphscripts.h"
#include "playback/video/videocommands.h"
#include "playback/videoengine.h"

struct TZConfig;
class TZPlaylist;
class TZPlayerWindows;
class TZVideoView;
class TZDspFilter;
class TZDvdGraph;
struct TZDvdStreams;

// What the navigator said last about the disc and where it plays.
struct TZDvdState {
  bool InMenu = true;  // menu domain (no title plays)
  int Title = 0;       // 1-based; 0 in a menu
  int Chapter = 0;     // 1-based; 0 in a menu
  qint64 TitleTimeMs = 0;
  qint64 PositionMs = 0;
  QStringList AudioLanguages;  // ISO 639-1 codes as the disc gives them, one per stream
  QStringList SubpictureLanguages;
  int AudioStream = -1;  // the chosen stream, -1 before the first report
  int SubpictureStream = -1;
  bool SubpictureShown = true;
  int Button = 0;                  // the highlighted menu button, from 1; 0 while none is shown
  std::vector<int> ChapterCounts;  // per title, from the disc's title table
};

class TZDvdEngine : public QObject,
                    public TZVideoEngine,
                    public TZVideoCommands,
                    public TZGraphScriptHost {
  Q_OBJECT
 public:
  // `playlist` gives the index of the entry being opened for the log.
  TZDvdEngine(const TZConfig& config, const TZPlaylist& playlist, TZVideoView& view,
              TZPlayerWindows& windows, QObject* parent = nullptr);
  ~TZDvdEngine() override;
  TZDvdEngine(const TZDvdEngine&) = delete;
  TZDvdEngine& operator=(const TZDvdEngine&) = delete;

  // TZVideoEngine (kind 6 only).
  std::optional<TZOpenError> Open(TMediaKind kind, const TZPlaylistEntry& entry) override;
  void Free(TMediaKind kind, bool hideVideo) override;
  void Pause() override;
  void Run() override;
  bool Active() const override;
  qint64 Position() const override;
  qint64 Duration() const override;
  void SetVolume(int hundredthsDb) override;
  void SetBalance(int hundredthsDb) override;
  bool SetRate(double rate) override;
  bool SeekFraction(qint64 p, qint64 m) override;
  bool SeekDvdTime(qint64 milliseconds) override;
  void SetEqualizerBand(int band, int value) override;
  bool SpectrumData(std::array<int, 512>* data) const override;
  void ClearSpectrumData() override;

  // TZVideoCommands: the file-track ones return false (DVD streams go through the Dvd* calls).
  bool SelectAudioTrack(int index) override;
  bool SelectSubtitleTrack(int index) override;
  void SetColourControls(const TZColourControls& controls) override;
  std::optional<QString> TakeScreenshot(bool adjusted, QSize pictureSize) override;
  bool DvdPlayForwards(double speed) override;
  bool DvdPlayBackwards(double speed) override;
  bool DvdShowMenu(TZDvdMenu menu) override;
  bool DvdSetSubpictureShown(bool shown) override;
  bool DvdSelectAudioStream(int stream) override;
  bool DvdSelectSubpictureStream(int stream) override;
  bool DvdPlayChapter(int title, int chapter) override;
  bool DvdPreviousChapter() override;
  bool DvdNextChapter() override;
  void DvdPointerMoved(QPointF videoPoint) override;
  void DvdPointerReleased(QPointF videoPoint) override;
  // The audio and subpicture streams are numbered as in the lists last given to the view.
  // Menu buttons by keys: the navigator's left, right, up, down and activate.
  enum class Key { Left, Right, Up, Down, Activate };
  bool DvdMenuKey(Key key);

  const TZDvdState& State() const { return state_; }
  // The native size of the picture; empty before the first frame.
  QSize VideoSize() const;

 signals:
  void DomainChanged(bool inMenu);
  void TitleChanged(int title);
  void ChapterStarted(int title, int chapter);
  // The playing position inside the title, about three times a second while a title plays.
  void TimeCode(qint64 milliseconds);
  void AudioStreamsChanged();
  void SubpictureStreamsChanged();

 private:
  struct Jump {
    int Title = 0;
    int Chapter = 0;
  };

  // TZGraphScriptHost: a script chosen in "DVDGraph" builds the graph around the paths behind
  // the navigator, which the script finds as its video renderer.
  ZGraph& Graph() override;
  ZFilter VideoRenderer() override;
  ZFilter DspFilter() override { return {}; }  // inside the renderer's sound path
  void PrepareGraph() override {}
  void RebuildDvdMenus() override {}  // the navigator's announcements fill them
  void CheckDvdMode() override {}

  // Puts the navigator and its paths into the graph, through the chosen script when there is
  // one; what failed otherwise (a script's failure the script host has reported already).
  std::optional<TZOpenError> BuildGraph(const QString& device, const QString& fileName);
  void Poll();
  void PollTitle();
  void AfterStart(const TZPlaylistEntry& entry);
  void OnStreamsAnnounced(const QString& announcement);
  void OnAudioChosen(int stream);
  void OnSubpictureChosen(int stream, bool forcedOnly);
  void ApplyStreams();
  void ShowAudioMenu();
  void ShowSubtitleMenu();
  void AnnounceTime();

  const TZConfig& config_;
  const TZPlaylist& playlist_;
  TZVideoView& view_;
  TZPlayerWindows& windows_;
  std::unique_ptr<TZDspFilter> dsp_;
  std::unique_ptr<TZDvdGraph> graph_;
  TDynFilter filters_;
  std::unique_ptr<TZGraphScripts> scripts_;
  TZDvdState state_;
  std::unique_ptr<TZDvdStreams> streams_;    // what the menus show
  std::unique_ptr<TZDvdStreams> announced_;  // the navigator's last announcement
  std::optional<Jump> pendingJump_;
  int audioId_ = -1;  // the disc's numbers of the streams that play
  int subpictureId_ = -1;
  int volume_ = 0;
  int balance_ = 0;
  QTimer poll_;
};
