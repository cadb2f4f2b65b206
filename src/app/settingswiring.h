#pragma once
// Joins the settings dialog to the running program: it implements what the dialog asks of the
// windows, the analyser, the tray and the video picture, and opens the dialog from the main
// window's "Configuration..." entry and button.

#include <QSize>
#include <QString>
#include <functional>
#include <memory>

#include "config/dialog/configactions.h"
#include "config/pages/videofilterpage.h"

class TfrmConfig;
class TZHotKeys;
class TZShellRegistration;
class TZMainWindow;
class TZPlaylistWindow;
struct TZConfig;
struct TZGUI;

class TZSettingsWiring : public TZConfigActions {
 public:
  TZSettingsWiring(TZMainWindow& main, TZPlaylistWindow& playlist, TZGUI& skin, TZConfig& config);
  ~TZSettingsWiring() override;

  TfrmConfig& Dialog() { return *dialog_; }

  // The video parts, once they exist: the colour controls of the running graph and the video
  // picture's screen-saver and cursor settings.
  void SetVideoCommands(TZVideoCommands* commands) { videoCommands_ = commands; }
  void SetVideoPicture(std::function<void(bool noScreensaver, int hideCursorMs)> apply) {
    videoPicture_ = std::move(apply);
  }
  // The catalogue of filter-graph scripts the "Filter" page lists, once a script host exists.
  void SetScriptCatalogue(TZScriptCatalogueSource catalogue) { catalogue_ = std::move(catalogue); }
  // Reopens a playing sound-library file with the new speaker split.
  void SetSpeakerReopen(std::function<void()> reopen) { speakerReopen_ = std::move(reopen); }

  // TZConfigActions
  void BeginSkinChange() override;
  void ApplySkinSurfaces() override;
  void EndSkinChange() override;
  void ApplyWindowLayout() override;
  void ShowToggles() override;
  void RefreshPlaylist() override;
  void ApplyAnalyzer() override;
  void ApplyTray() override;
  void ApplyScrollLabel() override;
  void ApplyVideoPicture(bool noScreensaver, int hideCursorMs) override;
  void ApplyColourControls(const TZColourControls& controls) override;
  void ApplySpeakers() override;
  void LanguageChanged() override;
  void ShowCaptionsInactive() override;
  void ShowMessage(const QString& text) override;
  QStringList OutputDevices() const override;

 private:
  // The pages that edit the registrations, the hotkey table and the script assignments.
  void AddProgramPages();
  // The title in the current language: what plays, "Paused" or "Ready".
  QString StateTitle() const;

  TZMainWindow& main_;
  TZPlaylistWindow& playlist_;
  TZGUI& skin_;
  TZConfig& config_;
  std::unique_ptr<TZShellRegistration> shell_;
  // The program's hotkey table, or one of the dialog's own when the program runs without one.
  std::unique_ptr<TZHotKeys> ownHotKeys_;
  std::unique_ptr<TfrmConfig> dialog_;
  TZScriptCatalogueSource catalogue_;
  TZVideoCommands* videoCommands_ = nullptr;
  std::function<void(bool, int)> videoPicture_;
  std::function<void()> speakerReopen_;
  QString savedTitle_;
  QSize savedPlaylistSize_;
  QSize savedVideoSize_;
};
