#pragma once
// What the settings dialog asks of the running program when it applies settings. The program's
// wiring implements it over the real windows; tests implement it to watch. GUI thread only.

#include <QString>
#include <QStringList>

#include "playback/video/videocommands.h"

class TZConfigActions {
 public:
  virtual ~TZConfigActions() = default;

  // Around a skin load: the first keeps the scrolling title and the windows' client sizes, the
  // second dresses every window in the loaded skin (it may throw), the third gives the sizes
  // back, runs the skin-change event and restores the title.
  virtual void BeginSkinChange() = 0;
  virtual void ApplySkinSurfaces() = 0;
  virtual void EndSkinChange() = 0;

  // Brings the windows, toggles, menu checks, tray and scrolling in line with the settings.
  virtual void ApplyWindowLayout() = 0;
  // The main window's play-mode, automatic-fullscreen and automatic-resize toggles follow the
  // settings.
  virtual void ShowToggles() = 0;
  // The playlist window lays out its status bar again and redraws its rows.
  virtual void RefreshPlaylist() = 0;
  // The running analyser takes peaks, style, fall-off speeds and blur from the settings.
  virtual void ApplyAnalyzer() = 0;
  // The tray icon and taskbar button follow "ShowZephonicIn".
  virtual void ApplyTray() = 0;
  // The main window's title label takes its scroll mode from "SLMoveProg".
  virtual void ApplyScrollLabel() = 0;
  // The video picture keeps the screen saver off (or not) and hides the cursor after
  // hideCursorMs without movement (0: never).
  virtual void ApplyVideoPicture(bool noScreensaver, int hideCursorMs) = 0;
  virtual void ApplyColourControls(const TZColourControls& controls) = 0;
  // The speaker set-up changed: a playing sound-library file is opened again with the new split.
  virtual void ApplySpeakers() = 0;
  // After a language change: the title text in the new language, the folder verbs again.
  virtual void LanguageChanged() = 0;
  // The dialog became the active window: the skinned windows show their caption bars inactive.
  virtual void ShowCaptionsInactive() = 0;
  // A message box with one OK button.
  virtual void ShowMessage(const QString& text) = 0;
  // The descriptions of the sound output devices found at start-up.
  virtual QStringList OutputDevices() const = 0;
};
