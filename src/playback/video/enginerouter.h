#pragma once
// The video engine the player and the video window talk to: it hands kind 6 (DVDs) to the DVD
// engine and every other graph kind to the file engine, both given at wiring time, and sends
// the window's commands to whichever opened the current item.

#include "playback/video/videocommands.h"
#include "playback/videoengine.h"

class TZVideoEngineRouter : public TZVideoEngine, public TZVideoCommands {
 public:
  struct Target {
    TZVideoEngine* Engine = nullptr;
    TZVideoCommands* Commands = nullptr;
  };

  // A target without an engine makes its kinds fail to open (error 1002, as with no graph).
  TZVideoEngineRouter(Target files, Target dvd);

  // TZVideoEngine
  std::optional<TZOpenError> Open(TMediaKind kind, const TZPlaylistEntry& entry) override;
  void Free(TMediaKind kind, bool hideVideo) override;
  void Pause() override;
  void Run() override;
  bool Active() const override;
  bool Ended() const override;
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

  // TZVideoCommands
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

 private:
  const Target& For(TMediaKind kind) const { return kind == mkDvd ? dvd_ : files_; }

  Target files_;
  Target dvd_;
  Target current_;  // the target of the item opened last; empty while none is
};
