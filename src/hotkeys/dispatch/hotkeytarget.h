#pragma once
// What the hotkey actions do, as one narrow interface grouped by kind of action. The main window
// implements it; tests record the calls. Conditions of an action (something plays, a video is
// shown) are the implementer's: the dispatch only says which action a key asks for.

#include <cstdint>

#include "playlist/playlist.h"

enum class THotKeyTransport { Next, Previous, Stop, Pause, Play };
enum class THotKeyPresentation { Toggle, Window, Desktop, Fullscreen };
enum class THotKeyAdd { Files, Directory, Medium, Url };

class TZHotKeyTarget {
 public:
  virtual ~TZHotKeyTarget() = default;

  // Next, Previous (play mode applied), Stop (free with hide video), Pause (toggle), Play
  // (the cursor entry).
  virtual void Transport(THotKeyTransport command) = 0;
  // Volume by one hundredth of its range up (+1) or down (-1).
  virtual void StepVolume(int direction) = 0;
  virtual void ToggleMute() = 0;
  // Jump by the configured interval forward (+1) or backward (-1).
  virtual void Jump(int direction) = 0;
  // Video brightness changed by `delta` (+50, -50), shown on the video.
  virtual void StepBrightness(int delta) = 0;
  virtual void SetPresentation(THotKeyPresentation presentation) = 0;
  // Screenshot at the video's own size (original) or as shown on screen.
  virtual void TakeScreenshot(bool original) = 0;
  virtual void OpenPlaylistSearch() = 0;
  virtual void SortPlaylist(TPlaylistSortOrder order) = 0;
  virtual void AddMedia(THotKeyAdd what) = 0;
  // Speed step 1-10 (25 % to 250 %).
  virtual void SetSpeedStep(int step) = 0;
  // The video window's digital-zoom values: 0, 25, 50, 75, 80.
  virtual void SetDigitalZoom(int value) = 0;
  // The live-stream menu's "Record" (true) and "Stop" (false).
  virtual void RecordLiveStream(bool record) = 0;
  virtual void BringToFront() = 0;
  virtual void CloseProgram() = 0;
};
