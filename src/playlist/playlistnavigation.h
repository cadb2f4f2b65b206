#pragma once
// Choosing which entry plays: the Play command, Next and Previous under each play mode. The
// player core and the playlist window are reached through narrow interfaces so this runs
// headless.

#include <QString>
#include <functional>

#include "playlist/playlist.h"

// What stepping needs of the player core.
class TZPlaylistPlayer {
 public:
  virtual ~TZPlaylistPlayer() = default;
  // Stops what plays, classifies the entry's FileName, starts it and sets its Played mark.
  virtual void PlayEntry(int index) = 0;
  // Records LastPlayedIndex := playing index and clears every Played mark.
  virtual void Stop() = 0;
  virtual bool Playing() const = 0;
  virtual bool Paused() const = 0;
};

// What stepping needs of the playlist window; may be absent (start-up, tests).
class TZPlaylistView {
 public:
  virtual ~TZPlaylistView() = default;
  // Scrolls so that entry i is in the middle and redraws the scroll bar.
  virtual void CentreEntry(int index) = 0;
};

class TZPlaylistNavigator {
 public:
  TZPlaylistNavigator(TZPlaylist& playlist, TZPlaylistPlayer& player,
                      TZPlaylistView* view = nullptr);

  void PlayNext(TPlayMode mode);
  void PlayPrevious(TPlayMode mode);
  // Plays entry i and centres it in the view; ignores i outside the list.
  void PlayEntryCentred(int index);
  // The Play command: plays the entry at PlaylistCursor (0 when none). With checkIsValidFile
  // ("OFACheckIsValidFile"), a missing local file is reported (ID 1000) instead of played.
  void PlayCursorEntry(bool checkIsValidFile);

  // The view joins later than the player that owns this navigator; null detaches it.
  void SetView(TZPlaylistView* view) { view_ = view; }

  // Random pick for pmRandom: an index in 0 ... bound-1 (0 when bound <= 0). Replaceable in tests;
  // by default a generator seeded from the clock on every pick.
  void SetRandomSource(std::function<int(int bound)> source) { random_ = std::move(source); }

 private:
  // What Next and Previous share: with nothing playing the first entry starts (a playing player
  // is stopped first), in repeat mode the same entry plays again. True when that applied.
  bool StepWithoutMode(int playing, TPlayMode mode);

  TZPlaylist& playlist_;
  TZPlaylistPlayer& player_;
  TZPlaylistView* view_;
  std::function<int(int)> random_;
};

// True when the entry's file is something PlayCursorEntry may hand on unchecked or that exists:
// URLs, CD tracks and existing files.
bool PlaylistFileReachable(const QString& fileName);
