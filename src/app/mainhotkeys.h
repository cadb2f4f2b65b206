#pragma once
// The main window's side of the hotkeys: every action a key asks for, carried out on the player,
// the playlist window and the program's windows and dialogs.

#include "hotkeys/dispatch/hotkeytarget.h"

class TZMainWindow;
class TZProgramWiring;

class TZMainHotKeys : public TZHotKeyTarget {
 public:
  TZMainHotKeys(TZMainWindow& main, TZProgramWiring& wiring);

  void Transport(THotKeyTransport command) override;
  void StepVolume(int direction) override;
  void ToggleMute() override;
  void Jump(int direction) override;
  void StepBrightness(int delta) override;
  void SetPresentation(THotKeyPresentation presentation) override;
  void TakeScreenshot(bool original) override;
  void OpenPlaylistSearch() override;
  void SortPlaylist(TPlaylistSortOrder order) override;
  void AddMedia(THotKeyAdd what) override;
  void SetSpeedStep(int step) override;
  void SetDigitalZoom(int value) override;
  void RecordLiveStream(bool record) override;
  void BringToFront() override;
  void CloseProgram() override;

 private:
  TZMainWindow& main_;
  TZProgramWiring& wiring_;
};
