#pragma once
// What desktop media control needs of the player, as one narrow interface: the adapter in
// playermpris.h serves it from the real player core, tests from a double.

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include "playlist/playlist.h"

enum class TMprisStatus { Stopped, Playing, Paused };

// The loaded item; Index -1 when nothing is loaded.
struct TZMprisTrack {
  int Index = -1;
  QString Title;
  QStringList Artists;
  QString Album;
  QString Url;
  qint64 LengthUs = 0;  // 0 when unknown (live streams)
  bool operator==(const TZMprisTrack&) const = default;
};

class TZMprisPlayer {
 public:
  virtual ~TZMprisPlayer() = default;

  virtual TMprisStatus Status() const = 0;
  virtual TZMprisTrack Track() const = 0;
  virtual qint64 PositionUs() const = 0;
  virtual bool Seekable() const = 0;
  virtual int EntryCount() const = 0;
  // 0 to 1 of the volume control's range.
  virtual double Volume() const = 0;
  virtual void SetVolume(double volume) = 0;
  // The configuration's "PlayMode" (moving on at the end of an item) and "PlayModeIndex".
  virtual bool PlayModeOn() const = 0;
  virtual TPlayMode PlayMode() const = 0;
  virtual void SetPlayMode(bool on, TPlayMode mode) = 0;

  // Resumes a paused item, else plays the entry at the cursor.
  virtual void Play() = 0;
  virtual void Pause() = 0;
  virtual void Stop() = 0;
  virtual void Next() = 0;
  virtual void Previous() = 0;
  // Moves the loaded item to the position; the caller keeps it within the item.
  virtual void SetPositionUs(qint64 position) = 0;
  // Adds a file path or URL to the playlist and plays it.
  virtual void OpenUri(const QString& uri) = 0;
  virtual void Raise() = 0;
  virtual void Quit() = 0;
};
