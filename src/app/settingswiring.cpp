#include "app/settingswiring.h"

#include <QCoreApplication>
#include <QFileInfo>

#include "app/global.h"
#include "app/program.h"
#include "components/ui/messagebox.h"
#include "config/dialog/configdialog.h"
#include "config/pages/filetypespage.h"
#include "config/pages/shortcutspage.h"
#include "config/pages/videoosdpage.h"
#include "desktop/shellintegration.h"
#include "hotkeys/dispatch/hotkeyhook.h"
#include "hotkeys/hotkeys.h"
#include "lang/language.h"
#include "lang/textformat.h"
#include "lang/textids.h"
#include "playlist/playlist.h"
#include "playlist/window/playlistwindow.h"
#include "ui/mainwindow.h"
#include "ui/surfaces.h"
#include "vis/spectrumsetup.h"

TZSettingsWiring::TZSettingsWiring(TZMainWindow& main, TZPlaylistWindow& playlist, TZGUI& skin,
                                   TZConfig& config)
    : main_(main), playlist_(playlist), skin_(skin), config_(config) {
  dialog_ = std::make_unique<TfrmConfig>(config, skin, *this);
  AddProgramPages();
  TfrmConfig* dialog = dialog_.get();
  QObject::connect(&main, &TZMainWindow::settingsRequested, dialog, &TfrmConfig::ShowCentred);
  QObject::connect(&main, &TZMainWindow::playModeChanged, dialog, &TfrmConfig::ShowPlayMode);
  QObject::connect(&main, &TZMainWindow::skinSelected, dialog, &TfrmConfig::ChangeSkin);
}

TZSettingsWiring::~TZSettingsWiring() = default;

void TZSettingsWiring::AddProgramPages() {
  shell_ = std::make_unique<TZShellRegistration>(
      TZShellPlaces::ForUser(QCoreApplication::applicationFilePath()), Language());
  dialog_->SetPage(cpFiletypes, new TZFiletypesPage(
                                    *shell_, [this](const QString& text) { ShowMessage(text); }));
  TZHotKeys* table = HotKeys();
  if (!table) {
    ownHotKeys_ = std::make_unique<TZHotKeys>();
    table = ownHotKeys_.get();
  }
  dialog_->SetPage(cpShortcuts, new TZShortcutsPage(*table, [](const TZHotKeys& edited) {
                     HotKeyTableChanged(edited);
                   }));
  dialog_->SetPage(cpVideoFilter, new TZVideoFilterPage(config_, [this] {
                     return catalogue_ ? catalogue_() : std::vector<TFilterGraphScript>();
                   }));
  dialog_->SetPage(cpVideoOSD, new TZVideoOsdPage(config_));
}

void TZSettingsWiring::BeginSkinChange() {
  savedTitle_ = main_.TitleText();
  const TZWindows& windows = main_.Windows();
  savedPlaylistSize_ = windows.Playlist ? windows.Playlist->size() : QSize();
  savedVideoSize_ = windows.Video ? windows.Video->size() : QSize();
}

void TZSettingsWiring::ApplySkinSurfaces() {
  ApplySurfaces(skin_, main_.Windows());
}

void TZSettingsWiring::EndSkinChange() {
  TZWindows& windows = main_.Windows();
  if (windows.Playlist && savedPlaylistSize_.isValid()) {
    windows.Playlist->resize(savedPlaylistSize_.expandedTo(windows.Playlist->minimumSize()));
  }
  if (windows.Video && savedVideoSize_.isValid()) {
    windows.Video->resize(savedVideoSize_.expandedTo(windows.Video->minimumSize()));
  }
  ProgramEvent(kSkinChange);
  main_.SetTitleText(savedTitle_);
}

void TZSettingsWiring::ApplyWindowLayout() {
  main_.ApplyWindowLayout();
}

void TZSettingsWiring::ShowToggles() {
  TfrmMain& window = *main_.Windows().Main;
  window.imgPlaymodeCheckbox->setChecked(config_.PlayMode);
  window.imgAutofullscreenCheckbox->setChecked(config_.AutoFullscreen);
  window.imgAutoVideoResizeCheckbox->setChecked(config_.AutoVideoResize);
}

void TZSettingsWiring::RefreshPlaylist() {
  skin_.Playlist.StatusBar.Hidden = config_.SBTextAlign == taNone;
  if (TfrmPlaylist* window = main_.Windows().Playlist) {
    window->LayoutPlaylist();
  }
  playlist_.Redraw();
}

void TZSettingsWiring::ApplyAnalyzer() {
  if (TSpectrum* spectrum = main_.Windows().Spectrum) {
    ConfigureSpectrum(*spectrum, skin_.Main.Analyzer, config_);
  }
}

void TZSettingsWiring::ApplyTray() {
  emit main_.trayStateChanged();
}

void TZSettingsWiring::ApplyScrollLabel() {
  main_.Windows().Main->imgScrolllabel->applyMoveSetting(config_.SLMoveProg);
}

void TZSettingsWiring::ApplyVideoPicture(bool noScreensaver, int hideCursorMs) {
  if (videoPicture_) {
    videoPicture_(noScreensaver, hideCursorMs);
  }
}

void TZSettingsWiring::ApplyColourControls(const TZColourControls& controls) {
  if (videoCommands_) {
    videoCommands_->SetColourControls(controls);
  }
}

void TZSettingsWiring::ApplySpeakers() {
  if (speakerReopen_) {
    speakerReopen_();
  }
}

QString TZSettingsWiring::StateTitle() const {
  const TZLanguage& language = Language();
  const TZSystem& state = main_.Player().State();
  if (state.Paused) {
    return language.Text(kTextPaused);
  }
  const TZPlaylistEntry* entry = main_.Playlist().Get(main_.Playlist().PlayingIndex());
  if (state.Playing && entry) {
    return FormatText(language.Text(kTextIsPlaying), {QFileInfo(entry->FileName).fileName()});
  }
  return language.Text(kTextReady);
}

void TZSettingsWiring::LanguageChanged() {
  main_.SetTitleText(StateTitle());
  // The folder verbs carry kTextShellPlay and kTextShellAdd; registered again, they show the new
  // language.
  if (shell_->VerbsRegistered()) {
    shell_->RegisterVerbs();
  }
}

void TZSettingsWiring::ShowCaptionsInactive() {
  if (skin_.Loaded && !IsTerminated()) {
    SetCaptionsActive(main_.Windows(), nullptr);
  }
}

void TZSettingsWiring::ShowMessage(const QString& text) {
  ShowMessageBox(QMessageBox::Information, QStringLiteral("Zephonic"), text, QMessageBox::Ok,
                 QMessageBox::Ok);
}

QStringList TZSettingsWiring::OutputDevices() const {
  return SoundDevices();
}
