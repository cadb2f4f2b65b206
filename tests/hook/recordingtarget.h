#pragma once
// A hotkey target that writes down every action it is asked for, and a focus that is set by hand.

#include <QString>
#include <QStringList>

#include "hotkeys/dispatch/hotkeyfocus.h"
#include "hotkeys/dispatch/hotkeytarget.h"

class RecordingTarget : public TZHotKeyTarget {
 public:
  void Transport(THotKeyTransport command) override {
    Note(QStringLiteral("transport %1").arg(static_cast<int>(command)));
  }
  void StepVolume(int direction) override { Note(QStringLiteral("volume %1").arg(direction)); }
  void ToggleMute() override { Note(QStringLiteral("mute")); }
  void Jump(int direction) override { Note(QStringLiteral("jump %1").arg(direction)); }
  void StepBrightness(int delta) override { Note(QStringLiteral("brightness %1").arg(delta)); }
  void SetPresentation(THotKeyPresentation presentation) override {
    Note(QStringLiteral("presentation %1").arg(static_cast<int>(presentation)));
  }
  void TakeScreenshot(bool original) override {
    Note(original ? QStringLiteral("screenshot original") : QStringLiteral("screenshot shown"));
  }
  void OpenPlaylistSearch() override { Note(QStringLiteral("search")); }
  void SortPlaylist(TPlaylistSortOrder order) override {
    Note(QStringLiteral("sort %1").arg(static_cast<int>(order)));
  }
  void AddMedia(THotKeyAdd what) override {
    Note(QStringLiteral("add %1").arg(static_cast<int>(what)));
  }
  void SetSpeedStep(int step) override { Note(QStringLiteral("speed %1").arg(step)); }
  void SetDigitalZoom(int value) override { Note(QStringLiteral("zoom %1").arg(value)); }
  void RecordLiveStream(bool record) override {
    Note(record ? QStringLiteral("record") : QStringLiteral("record stop"));
  }
  void BringToFront() override { Note(QStringLiteral("front")); }
  void CloseProgram() override { Note(QStringLiteral("close")); }

  QStringList calls;

 private:
  void Note(const QString& call) { calls << call; }
};

class FixedFocus : public TZHotKeyFocus {
 public:
  THotKeyWindow FocusedWindow() const override { return window; }
  THotKeyWindow window = THotKeyWindow::Main;
};
