#pragma once
// The skinned playlist window with its behaviour over a playlist of the test's own, a player that
// records what it was asked to play, and helpers that press the mouse on list rows.

#include <gtest/gtest.h>

#include <QPoint>
#include <QTest>
#include <vector>

#include "config/config.h"
#include "lang/language.h"
#include "playlist/window/playlistwindow.h"
#include "skinfixture.h"

class RecordingPlayer : public TZPlaylistPlayer {
 public:
  void PlayEntry(int index) override {
    played.push_back(index);
    playing = true;
  }
  void Stop() override { playing = false; }
  bool Playing() const override { return playing; }
  bool Paused() const override { return false; }

  std::vector<int> played;
  bool playing = false;
};

class PlaylistWindowTest : public ::testing::Test {
 protected:
  PlaylistWindowTest();

  TfrmPlaylist& form() { return *skinned.windows.Playlist; }
  // Fills the playlist with entries "Entry 1" ... of the given times.
  void Fill(int count, const QString& time = QStringLiteral("00:03:00"));
  // The middle of a list row in window coordinates.
  QPoint RowPoint(int row) const;
  void Press(int row, Qt::MouseButton button = Qt::LeftButton,
             Qt::KeyboardModifiers modifiers = Qt::NoModifier);
  void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
  void WheelNotches(int notches);  // positive: away from the user (up)
  std::vector<int> Selected() const;

  SkinnedWindows skinned;
  TZPlaylist playlist;
  RecordingPlayer player;
  TZConfig config;
  TZLanguage language;
  std::unique_ptr<TZPlaylistWindow> window;
};
