#pragma once
// The real skinned windows in the built-in skin with the main window's behaviour on top: the
// player on the memory output, timers on a hand-driven clock, and a mouse that presses and
// releases at the controls' places in the skin.

#include <gtest/gtest.h>

#include <QImage>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <memory>

#include "config/config.h"
#include "playback/playertimer.h"
#include "playlist/playlist.h"
#include "skin/zgui.h"
#include "testsupport.h"
#include "ui/mainwindow.h"
#include "vis/spectrum_vis.h"

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Mouse events on the main window, in window coordinates.
  void Press(QPoint at, Qt::MouseButton button = Qt::LeftButton);
  void Move(QPoint to, Qt::MouseButtons held = Qt::LeftButton);
  void Release(QPoint at, Qt::MouseButton button = Qt::LeftButton);
  void Click(QPoint at, Qt::MouseButton button = Qt::LeftButton);
  // The middle of a control's place in the skin.
  static QPoint Centre(const TZSkinControl& control);
  void ClickControl(const TZSkinControl& control) { Click(Centre(control)); }

  // Renders sound and moves the clock along, in steps of 10 ms.
  void Run(int ms);
  // A stereo sine made by sox in the scratch folder.
  QString Tone(const QString& name, int frequency, double seconds);
  void AddTones(int count, double seconds);
  QStringList LogLines() const;
  int PlayingIndex() const { return playlist_.PlayingIndex(); }

  ScratchFolder scratch_;
  QString previousHome_;
  TZGUI skin_;
  TZConfig config_;
  TZPlaylist playlist_;
  TZManualClock clock_;
  TfrmMain main_;
  TfrmPlaylist playlistWindow_;
  TfrmMediaControls mediaControls_;
  TfrmVideo video_;
  TfrmVideoFullscreenControl fullscreen_;
  TSpectrum spectrum_{84, 25};
  TZWindows windows_;
  std::unique_ptr<TZMainWindow> window_;
};
