#pragma once
// The MPRIS2 service "org.mpris.MediaPlayer2.zephonic" on the session bus: media keys, desktop
// widgets and playerctl drive the player through it. Changes of the player are found by
// comparing the exported properties with the last ones sent, on a short timer and after every
// command, so the player core needs no notifications of its own.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <QVariantMap>

#include "desktop/mpris/mprisplayer.h"

class TZMprisPlayerAdaptor;

class TZMprisService : public QObject {
 public:
  static constexpr int kRefreshInterval = 200;
  // A position further than this from where playing on would have put it was a jump.
  static constexpr qint64 kJumpToleranceUs = 1'500'000;

  explicit TZMprisService(TZMprisPlayer& player, QObject* parent = nullptr);
  ~TZMprisService() override;

  // Takes the bus name and exports the object; false, with one log line, without a session bus
  // or when the name is taken.
  bool Register();
  // Sends PropertiesChanged for what changed since the last call, and Seeked after a jump.
  void Refresh();
  // A seek asked over the bus: Seeked goes out with the new position.
  void AnnounceSeek();

 private:
  QVariantMap PlayerProperties() const;
  void SendPropertiesChanged(const QVariantMap& changed) const;
  bool Jumped(qint64 position) const;
  void NotePosition(qint64 position);

  TZMprisPlayer& player_;
  TZMprisPlayerAdaptor* adaptor_;
  QTimer refresh_;
  bool registered_ = false;
  QVariantMap sent_;
  int sentIndex_ = -1;
  qint64 lastPosition_ = 0;
  bool lastPlaying_ = false;
  QElapsedTimer sincePosition_;
};
