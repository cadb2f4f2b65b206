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
#include "playlist/window/adddialogs.h"
#include "playlist/window/edititem.h"
#include "playlist/window/playlistsearch.h"
#include "playlist/window/playlistwindow.h"
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

// A language change reaches the playlist window and its dialogs, which keep no registration of
// their own.
class TZPlaylistTexts : public TZLanguageTarget {
 public:
  explicit TZPlaylistTexts(TZProgramWiring& wiring) : wiring_(wiring) {}
  void ApplyTexts(const TZLanguage& language) override {
    wiring_.PlaylistWindow().ApplyTexts();
    wiring_.ItemEditor().ApplyTexts(language);
    wiring_.Search().ApplyTexts(language);
    wiring_.AddUrl().ApplyTexts(language);
    wiring_.AddDisc().ApplyTexts(language);
  }

 private:
  TZProgramWiring& wiring_;
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
  settings_ = std::make_unique<TZSettingsWiring>(main_, *playlistWindow_, skin, config);
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
  playlistWindow_ = std::make_unique<TZPlaylistWindow>(*windows.Playlist, playlist, player, skin,
                                                       config, language);
  TZPlaylistWindow& window = *playlistWindow_;
  suspender_ = std::make_unique<TZPlayerSuspender>(player);
  editItem_ = std::make_unique<TfrmEditItem>(
      playlist, language, [&window] { window.Redraw(); }, suspender_.get());
  search_ = std::make_unique<TfrmSearch>(window, playlist, config, language);
  addUrl_ = std::make_unique<TfrmAddURL>(playlist, window, language);
  addDisc_ = std::make_unique<TfrmAddDVD>(playlist, player, window, config, language);
  playlistTexts_ = std::make_unique<TZPlaylistTexts>(*this);

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
  hooks.findItem = [this] { OpenSearch(); };
  hooks.addUrl = [this] { OpenAddUrl(); };
  hooks.addDisc = [this] { OpenAddDisc(); };
  hooks.editItem = [this](int index) { OpenItemEditor(index); };
  hooks.mainWindowFrame = [&windows] { return windows.Main->frameGeometry(); };
  window.SetHooks(std::move(hooks));
  // Next, Previous and Play keep the playing entry in the middle of the list.
  player.Navigator().SetView(&window);
}

void TZProgramWiring::WireMainSignals() {
  TZMainWindow& main = main_;
  TZPlaylistWindow* playlist = playlistWindow_.get();
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
    playlistWindow_->ScrollToRemembered(main_.Playlist().LastPlayedIndex);
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
  search_->ShowCentred(*main_.Windows().Playlist);
}

void TZProgramWiring::OpenAddUrl() {
  addUrl_->ShowCentred(*main_.Windows().Main);
}

void TZProgramWiring::OpenAddDisc() {
  addDisc_->ShowCentred(*main_.Windows().Main);
}

void TZProgramWiring::OpenItemEditor(int index) {
  editItem_->OpenFirstPage(index);
}

TZHotKeyTarget& TZProgramWiring::HotKeyTarget() {
  return *hotKeys_;
}
