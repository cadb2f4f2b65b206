#pragma once
// The playlist's windows wired together: the playlist window's behaviour, the search window, the
// item editor and the two add dialogs, created once at start-up and living to the end. The main
// window opens the dialogs through here; the playlist window's menu reaches them the same way.

#include <memory>

#include "lang/applylanguage.h"
#include "playlist/window/adddialogs.h"
#include "playlist/window/edititem.h"
#include "playlist/window/playlistsearch.h"
#include "playlist/window/playlistwindow.h"

class TZPlaylistUi : public QObject, public TZLanguageTarget {
  Q_OBJECT

 public:
  // `suspender` releases the playing file while the item editor writes tags; may be null.
  TZPlaylistUi(TfrmPlaylist& form, TZPlaylist& playlist, TZPlaylistPlayer& player,
               const TZGUI& skin, TZConfig& config, const TZLanguage& language,
               TZPlaybackSuspender* suspender);
  ~TZPlaylistUi() override;

  // The main window's hooks (title, status picture, add files and folders, refresh tags, its
  // frame); the dialogs' hooks are filled in here.
  void SetHooks(TZPlaylistWindowHooks hooks);

  TZPlaylistWindow& Window() { return *window_; }
  // Each shown centred over the playlist window ("Find item", "Add url...", "Add CD/DVD
  // medium..."), and the editor centred on the screen on its first page.
  void ShowSearch();
  void ShowAddUrl();
  void ShowAddDisc();
  void EditItem(int index);

  TfrmSearch& Search() { return *search_; }
  TfrmEditItem& Editor() { return *editor_; }
  TfrmAddURL& AddUrl() { return *addUrl_; }
  TfrmAddDVD& AddDisc() { return *addDisc_; }

  void ApplyTexts(const TZLanguage& language) override;

 protected:
  // Hiding a window gives memory back to the system when the configuration asks for it.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  TfrmPlaylist& form_;
  TZConfig& config_;
  std::unique_ptr<TZPlaylistWindow> window_;
  std::unique_ptr<TfrmSearch> search_;
  std::unique_ptr<TfrmEditItem> editor_;
  std::unique_ptr<TfrmAddURL> addUrl_;
  std::unique_ptr<TfrmAddDVD> addDisc_;
};
