#include "app/programwiring.h"

#include <QApplication>

#include "app/fileinfo.h"
#include "app/mainhotkeys.h"
#include "app/settingswiring.h"
#include "app/videowiring.h"
#include "config/config.h"
#include "config/pages/videofilterpage.h"
#include "desktop/mpris/mprisservice.h"
#include "desktop/mpris/playermpris.h"
#include "hotkeys/dispatch/hotkeydispatch.h"
#include "hotkeys/dispatch/localkeys.h"
#include "lang/applylanguage.h"
#include "playback/video/enginerouter.h"
#include "playback/video/graphengine.h"
#include "playlist/addmedia/addmedia.h"
#include "playlist/window/playlistui.h"
#include "ui/about.h"
#include "ui/mainwindow.h"
#include "ui/mediacontrols.h"
#include "ui/news.h"
#include "ui/video/videopicture.h"
#include "ui/video/videowindow.h"

// The item editor releases the playing file while it writes its tags.
class TZPlayerSuspender : public TZPlaybackSuspender {
 public:
  explicit TZPlayerSuspender(TZPlayer& player) : player_(player) {}
  bool IsPlayingEntry(int index) const override { return player_.PlaysFileEntry(index); }
  void Suspend() override { player_.SuspendFile(); }
  void Resume() override { player_.ResumeFile(); }

 private:
  TZPlayer& player_;
};

TZProgramWiring::TZProgramWiring(TZMainWindow& main, TZGUI& skin, TZConfig& config,
                                 const TZLanguage& language)
    : main_(main), config_(config) {
  WirePlaylistWindow(config, skin, language);
  TZWindows& windows = main_.Windows();
  mediaControls_ =
      std::make_unique<TZMediaControls>(*windows.MediaControls, main_.Player(), config);
  mediaControls_->SetCaptionMenu(&main_.MainMenu());
  if (windows.Video && windows.FullscreenControl) {
    video_ = std::make_unique<TZVideoWiring>(main_, skin, config);
  }
  about_ = std::make_unique<TfrmAbout>(config, FileVersion());
  news_ = std::make_unique<TfrmNews>(config, FileVersion());
  hotKeys_ = std::make_unique<TZMainHotKeys>(main_, *this);
  settings_ = std::make_unique<TZSettingsWiring>(main_, PlaylistWindow(), skin, config);
  settings_->SetSpeakerReopen([this] { main_.Player().ApplySpeakerSetting(); });
  if (video_) {
    settings_->SetVideoCommands(&video_->Engine());
    settings_->SetScriptCatalogue(ScriptCatalogueOf(video_->FileEngine().Scripts()));
    settings_->SetVideoPicture([this](bool noScreensaver, int hideCursorMs) {
      video_->Window().Picture().SetScreenSaverDisabled(noScreensaver);
      video_->Window().SetCursorHideDelay(hideCursorMs);
    });
  }
  WireMainSignals();
  RegisterFocus();
}

TZProgramWiring::~TZProgramWiring() {
  main_.Player().Navigator().SetView(nullptr);
  if (dispatcher_ && HotKeyDispatcher() == dispatcher_.get()) {
    SetHotKeyDispatcher(nullptr);
  }
}

void TZProgramWiring::WirePlaylistWindow(TZConfig& config, const TZGUI& skin,
                                         const TZLanguage& language) {
  TZWindows& windows = main_.Windows();
  TZPlaylist& playlist = main_.Playlist();
  TZPlayer& player = main_.Player();
  suspender_ = std::make_unique<TZPlayerSuspender>(player);
  playlistUi_ = std::make_unique<TZPlaylistUi>(*windows.Playlist, playlist, player, skin, config,
                                               language, suspender_.get());

  TZMainWindow& main = main_;
  TZPlaylistWindowHooks hooks;
  hooks.title = [&main] { return main.TitleText(); };
  hooks.setTitle = [&main](const QString& text) { main.SetTitleText(text); };
  hooks.showStatusPicture = [&main](int picture) {
    main.ShowStatusPicture(TZStatusPicture(picture));
  };
  hooks.addFiles = [&main] { main.ChooseFilesToAdd(); };
  hooks.addDirectory = [&main] { main.ChooseFolderToAdd(); };
  hooks.refreshTags = [&main] { main.Adder().RefreshTags(); };
  hooks.mainWindowFrame = [&windows] { return windows.Main->frameGeometry(); };
  hooks.captionMenu = [&main](QPoint at) { main.MainMenu().popup(at); };
  playlistUi_->SetHooks(std::move(hooks));
  // Next, Previous and Play keep the playing entry in the middle of the list.
  player.Navigator().SetView(&PlaylistWindow());
}

void TZProgramWiring::WireMainSignals() {
  TZMainWindow& main = main_;
  TZPlaylistWindow* playlist = &PlaylistWindow();
  QObject::connect(&main, &TZMainWindow::playlistChanged, playlist, &TZPlaylistWindow::Redraw);
  QObject::connect(&main, &TZMainWindow::addUrlRequested, playlist, [this] { OpenAddUrl(); });
  QObject::connect(&main, &TZMainWindow::addDvdRequested, playlist, [this] { OpenAddDisc(); });
  TfrmAbout* about = about_.get();
  QObject::connect(&main, &TZMainWindow::aboutRequested, about,
                   [about, &main] { about->ShowAbout(main.Windows().Main); });
  TfrmNews* news = news_.get();
  QObject::connect(&main, &TZMainWindow::newsRequested, news, [news] { news->ShowNews(); });
}

void TZProgramWiring::RegisterFocus() {
  const TZWindows& windows = main_.Windows();
  focus_.Register(windows.Main, THotKeyWindow::Main);
  focus_.Register(windows.Playlist, THotKeyWindow::Playlist);
  focus_.Register(windows.MediaControls, THotKeyWindow::MediaControls);
  if (windows.Video) {
    focus_.Register(windows.Video, THotKeyWindow::VideoArea);
  }
  if (video_) {
    // The picture is the video area also while a fullscreen form holds it.
    focus_.Register(&video_->Window().Picture(), THotKeyWindow::VideoArea);
  }
  if (windows.FullscreenControl) {
    focus_.Register(windows.FullscreenControl, THotKeyWindow::FullscreenControls);
  }
}

void TZProgramWiring::ProgramStarted() {
  mediaControls_->LoadSliders();
  if (config_.RememberLastPlayed) {
    PlaylistWindow().ScrollToRemembered(main_.Playlist().LastPlayedIndex);
  }
}

void TZProgramWiring::InstallHotKeys(const TZHotKeys& table) {
  dispatcher_ = std::make_unique<TZHotKeyDispatcher>(table, *hotKeys_, focus_);
  SetHotKeyDispatcher(dispatcher_.get());
  TZHotKeyDispatcher* dispatcher = dispatcher_.get();
  localKeys_ = std::make_unique<TZLocalKeys>(
      [dispatcher](TZKeyStroke stroke) { dispatcher->Dispatch(stroke.Key, stroke.Modifiers); });
  qApp->installEventFilter(localKeys_.get());
}

bool TZProgramWiring::RegisterMpris() {
  TZMainWindow& main = main_;
  mpris_ = std::make_unique<TZPlayerMpris>(main.Player(), main.Playlist(), config_, main);
  TZMainHotKeys& keys = *hotKeys_;
  mpris_->SetRaise([&keys] { keys.BringToFront(); });
  mpris_->SetQuit([&keys] { keys.CloseProgram(); });
  mpris_->SetPlayModeChanged([&main] { main.ApplyWindowLayout(); });
  mprisService_ = std::make_unique<TZMprisService>(*mpris_);
  return mprisService_->Register();
}

void TZProgramWiring::OpenSearch() {
  playlistUi_->ShowSearch();
}

// Asked for by the main window, the dialogs come up over it.
void TZProgramWiring::OpenAddUrl() {
  AddUrl().ShowCentred(*main_.Windows().Main);
}

void TZProgramWiring::OpenAddDisc() {
  AddDisc().ShowCentred(*main_.Windows().Main);
}

void TZProgramWiring::OpenItemEditor(int index) {
  playlistUi_->EditItem(index);
}

TZPlaylistWindow& TZProgramWiring::PlaylistWindow() {
  return playlistUi_->Window();
}

TfrmSearch& TZProgramWiring::Search() {
  return playlistUi_->Search();
}

TfrmAddURL& TZProgramWiring::AddUrl() {
  return playlistUi_->AddUrl();
}

TfrmAddDVD& TZProgramWiring::AddDisc() {
  return playlistUi_->AddDisc();
}

TfrmEditItem& TZProgramWiring::ItemEditor() {
  return playlistUi_->Editor();
}

TZHotKeyTarget& TZProgramWiring::HotKeyTarget() {
  return *hotKeys_;
}
