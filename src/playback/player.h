#pragma once
// The player core: plays one playlist entry at a time on the sound library (files, internet
// streams, audio CDs) or on the video engine (filter-graph kinds), with pause, stop, fade-out and
// crossfade in two channel slots, end-of-item detection that steps the playlist, and the controls
// that act on what plays (volume, mute, balance, speed, seeking, jumps).

#include <QString>
#include <functional>
#include <memory>

#include "playback/equalizer.h"
#include "playback/playertimer.h"
#include "playback/playerwindows.h"
#include "playback/streamrecorder.h"
#include "playback/zsystem.h"
#include "playlist/playlistnavigation.h"

struct TZConfig;
class TZVideoEngine;

// What the player core asks of the spectrum analyser.
class TZAnalyzer {
 public:
  virtual ~TZAnalyzer() = default;
  // Configures the analyser from the skin and settings and clears it (every item start).
  virtual void ResetForItem() = 0;
  // Draws one frame now (after pause, resume and stop).
  virtual void DrawFrame() = 0;
};

class TZPlayer : public TZPlaylistPlayer {
 public:
  static constexpr int kPlayTimerInterval = 333;
  static constexpr int kStatusResetInterval = 1000;
  static constexpr int kBassEndWindowMs = 250;

  TZPlayer(TZPlaylist& playlist, TZPlayerWindows& windows, TZConfig& config, TZTimerSource& timers,
           TZPlaylistView* view = nullptr);
  ~TZPlayer() override;

  // Wiring done once at start-up.
  void SetDeviceSpeakers(int speakers) { deviceSpeakers_ = speakers; }
  void SetVideoEngine(TZVideoEngine* engine);
  void SetAnalyzer(TZAnalyzer* analyzer) { analyzer_ = analyzer; }
  // Timer handlers do nothing while this is false (before start-up ends, after shutdown begins).
  void SetProgramRunning(bool running) { running_ = running; }
  // How the connection retries of internet streams wait (default: sleeping the thread).
  void SetRetryWait(std::function<void(int ms)> wait) { retryWait_ = std::move(wait); }

  // TZPlaylistPlayer
  void PlayEntry(int index) override;
  void Stop() override;
  bool Playing() const override { return system_.Playing; }
  bool Paused() const override { return system_.Paused; }

  void FreeLastItem(bool hideVideo);
  void TogglePause();
  void PlayTick();
  void ShowStatusMessage(const QString& text);
  // Shutdown: frees both slots and the CD channel before the sound library goes.
  void FreeAll();

  // Volume, mute, balance, speed, seeking and jumps.
  void ApplyVolume(bool initial);
  void ToggleMute();
  void ApplyBalance();
  void ApplySpeed();
  void SetSpeed(int step);
  // Moves the item to the position bar's position and shows the target time.
  void SeekToBar();
  // While the bar is dragged: the target time only.
  void ShowSeekTime();
  void JumpForward();
  void JumpBackward();
  void VolumeUp();
  void VolumeDown();

  // Tag writers need the playing file closed: it is released and taken up again where it was,
  // with its speed, volume, balance and equalizer. Only sound-library files are released.
  bool PlaysFileEntry(int index) const;
  void SuspendFile();
  void ResumeFile();
  // After the "Speakers" setting changed: a playing sound-library file is opened again with the
  // new speaker split and goes on where it was. Paused or other kinds only keep the setting.
  void ApplySpeakerSetting();

  // The "Livestream" menu's "Record" and "Stop".
  void RecordCommand();
  void StopRecordCommand();

  const TZSystem& State() const { return system_; }
  TZSystem& State() { return system_; }
  TZEqualizer& Equalizer() { return equalizer_; }
  TZStreamRecorder& Recorder() { return recorder_; }
  TZPlaylistNavigator& Navigator() { return navigator_; }
  const TZTimer& PlayTimer() const { return *playTimer_; }
  const TZTimer& FadeOutStopTimer() const { return *fadeOutTimer_; }

 private:
  // Start paths.
  bool FileLoaded() const;
  void BeginOpen();
  void FailOpen(int id, const QString& tag, const QString& detail, bool reported = false);
  void PlayBassFile(int index);
  void PlayMusicCd(int index);
  void PlayStream(int index);
  void PlayGraph(int index);
  void ChooseSlot();
  void FadeIn(bool streamLiteral);
  void FinishBassStart(int index, qint64 barMaximum, bool barEnabled);
  void ReadChannelAttributes(ZSoundHandle channel);
  void StartControlsAndTitle();
  void SetFlags(bool loaded, bool playing, bool paused);
  void MarkPlayed(int index);
  void LogPlaying(const QString& fileName, const QString& type, int index);
  int SpeakerCountNow() const;

  // Stopping and fading.
  void StartFadeOut();
  void OnFadeOutStopTimer();
  void OnStatusResetTimer();
  void ReleaseSlot(int slot);

  // Ticks.
  void TickBass();
  void TickStream();
  void TickGraph();
  void TickCd();
  bool FollowChannel(ZSoundHandle channel, int endWindowMs);
  void EndOfItem(bool hideVideo);
  void ShowTime(qint64 positionMs, qint64 lengthMs);
  void CheckStreamTitle();

  // Controls.
  int EffectiveVolume() const;
  void SetChannelAttributes() const;
  QString TimeText(qint64 seconds) const;
  void Jump(int direction);
  void StepVolume(int direction);

  TZPlaylist& playlist_;
  TZPlayerWindows& windows_;
  TZConfig& config_;
  TZSystem system_;
  TZEqualizer equalizer_;
  TZStreamRecorder recorder_;
  TZPlaylistNavigator navigator_;
  TZVideoEngine* video_ = nullptr;
  TZAnalyzer* analyzer_ = nullptr;
  std::unique_ptr<TZTimer> playTimer_;
  // Where the released file stood, in bytes; -1 while nothing is released.
  int64_t suspendedPosition_ = -1;
  std::unique_ptr<TZTimer> fadeOutTimer_;
  std::unique_ptr<TZTimer> statusTimer_;
  std::function<void(int)> retryWait_;
  QString cdDrivePath_;
  int deviceSpeakers_ = 2;
  bool running_ = true;
};

// Logs a line at the log's indentation; a log that cannot be written does not stop playback.
void PlayerLog(const QString& text);
