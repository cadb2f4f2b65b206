#pragma once
// Desktop media control on the real player core: the playlist, the player, the configuration's
// play mode and the volume control of the windows.

#include <QString>
#include <functional>

#include "desktop/mpris/mprisplayer.h"

class TZPlayer;
class TZPlayerWindows;
struct TZConfig;

class TZPlayerMpris : public TZMprisPlayer {
 public:
  TZPlayerMpris(TZPlayer& player, TZPlaylist& playlist, TZConfig& config, TZPlayerWindows& windows);

  // What the main window does for Raise and Quit, and after the play mode changed (its toggle
  // and menu follow the configuration).
  void SetRaise(std::function<void()> raise) { raise_ = std::move(raise); }
  void SetQuit(std::function<void()> quit) { quit_ = std::move(quit); }
  void SetPlayModeChanged(std::function<void()> changed) { playModeChanged_ = std::move(changed); }

  TMprisStatus Status() const override;
  TZMprisTrack Track() const override;
  qint64 PositionUs() const override;
  bool Seekable() const override;
  int EntryCount() const override;
  double Volume() const override;
  void SetVolume(double volume) override;
  bool PlayModeOn() const override;
  TPlayMode PlayMode() const override;
  void SetPlayMode(bool on, TPlayMode mode) override;

  void Play() override;
  void Pause() override;
  void Stop() override;
  void Next() override;
  void Previous() override;
  void SetPositionUs(qint64 position) override;
  void OpenUri(const QString& uri) override;
  void Raise() override;
  void Quit() override;

 private:
  struct Tags {
    QString fileName;
    QString title;
    QString artist;
    QString album;
  };
  template <typename Tag>
  static bool TakeTag(const Tag& tag, Tags* tags);
  // Tags of the loaded file, read once per item.
  const Tags& TagsOf(const QString& fileName) const;
  qint64 LengthUs() const;

  TZPlayer& player_;
  TZPlaylist& playlist_;
  TZConfig& config_;
  TZPlayerWindows& windows_;
  std::function<void()> raise_;
  std::function<void()> quit_;
  std::function<void()> playModeChanged_;
  mutable Tags tags_;
};
