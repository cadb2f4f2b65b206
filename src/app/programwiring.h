#pragma once
// Joins the main window's behaviour with the behaviours of the other windows and services: the
// playlist window and its dialogs, the media controls, the about and news windows, the hotkeys
// and desktop media control. Created once the main window (and so the player) exists; owns
// everything it creates.

#include <memory>

#include "hotkeys/dispatch/windowfocus.h"

class TfrmAbout;
class TfrmAddDVD;
class TfrmAddURL;
class TfrmEditItem;
class TfrmNews;
class TfrmSearch;
class TZHotKeyDispatcher;
class TZHotKeyTarget;
class TZHotKeys;
class TZLanguage;
class TZLocalKeys;
class TZMainHotKeys;
class TZMainWindow;
class TZMediaControls;
class TZMprisService;
class TZPlayerMpris;
class TZPlaylistUi;
class TZPlaylistWindow;
class TZPlayerSuspender;
class TZSettingsWiring;
class TZVideoWiring;
struct TZConfig;
struct TZGUI;

class TZProgramWiring {
 public:
  // The skin is the one the settings dialog loads other skins into.
  TZProgramWiring(TZMainWindow& main, TZGUI& skin, TZConfig& config, const TZLanguage& language);
  ~TZProgramWiring();

  // After the main window's start: the media controls take the equalizer's and speed's state,
  // and with "RememberLastPlayed" the entry that played last is shown in the list's middle.
  void ProgramStarted();

  // Key presses in the program's windows and from the keyboard hook run the table's actions on
  // the main window. Undone by the destructor.
  void InstallHotKeys(const TZHotKeys& table);
  // Offers the player on the session bus; false without a bus or when the name is taken.
  bool RegisterMpris();

  // The dialogs, each shown centred over its window.
  void OpenSearch();
  void OpenAddUrl();
  void OpenAddDisc();
  void OpenItemEditor(int index);

  TZPlaylistWindow& PlaylistWindow();
  TZMediaControls& MediaControls() { return *mediaControls_; }
  TfrmSearch& Search();
  TfrmAddURL& AddUrl();
  TfrmAddDVD& AddDisc();
  TfrmEditItem& ItemEditor();
  TfrmAbout& About() { return *about_; }
  TfrmNews& News() { return *news_; }
  TZHotKeyTarget& HotKeyTarget();
  TZWindowFocus& Focus() { return focus_; }
  TZPlayerMpris* Mpris() { return mpris_.get(); }
  TZSettingsWiring& Settings() { return *settings_; }
  // The video window's side; null when the program has no video window.
  TZVideoWiring* Video() { return video_.get(); }

 private:
  void WirePlaylistWindow(TZConfig& config, const TZGUI& skin, const TZLanguage& language);
  void WireMainSignals();
  void RegisterFocus();

  TZMainWindow& main_;
  TZConfig& config_;
  std::unique_ptr<TZPlayerSuspender> suspender_;
  std::unique_ptr<TZPlaylistUi> playlistUi_;
  std::unique_ptr<TZMediaControls> mediaControls_;
  std::unique_ptr<TZVideoWiring> video_;
  std::unique_ptr<TfrmAbout> about_;
  std::unique_ptr<TfrmNews> news_;
  TZWindowFocus focus_;
  std::unique_ptr<TZMainHotKeys> hotKeys_;
  std::unique_ptr<TZHotKeyDispatcher> dispatcher_;
  std::unique_ptr<TZLocalKeys> localKeys_;
  std::unique_ptr<TZPlayerMpris> mpris_;
  std::unique_ptr<TZMprisService> mprisService_;
  std::unique_ptr<TZSettingsWiring> settings_;
};
