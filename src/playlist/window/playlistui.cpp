#include "playlist/window/playlistui.h"

#include <malloc.h>

#include <QEvent>

#include "config/config.h"
#include "ui/skinwindows.h"

TZPlaylistUi::TZPlaylistUi(TfrmPlaylist& form, TZPlaylist& playlist, TZPlaylistPlayer& player,
                           const TZGUI& skin, TZConfig& config, const TZLanguage& language,
                           TZPlaybackSuspender* suspender)
    : form_(form),
      config_(config),
      window_(std::make_unique<TZPlaylistWindow>(form, playlist, player, skin, config, language)),
      search_(std::make_unique<TfrmSearch>(*window_, playlist, config, language)),
      editor_(std::make_unique<TfrmEditItem>(
          playlist, language, [this] { window_->Redraw(); }, suspender)),
      addUrl_(std::make_unique<TfrmAddURL>(playlist, *window_, language)),
      addDisc_(std::make_unique<TfrmAddDVD>(playlist, player, *window_, config, language)) {
  for (QWidget* window : std::initializer_list<QWidget*>{&form_, search_.get(), editor_.get(),
                                                         addUrl_.get(), addDisc_.get()}) {
    window->installEventFilter(this);
  }
  SetHooks({});
}

TZPlaylistUi::~TZPlaylistUi() {
  form_.removeEventFilter(this);
}

void TZPlaylistUi::SetHooks(TZPlaylistWindowHooks hooks) {
  hooks.findItem = [this] { ShowSearch(); };
  hooks.addUrl = [this] { ShowAddUrl(); };
  hooks.addDisc = [this] { ShowAddDisc(); };
  hooks.editItem = [this](int index) { EditItem(index); };
  window_->SetHooks(std::move(hooks));
}

void TZPlaylistUi::ShowSearch() {
  search_->ShowCentred(form_);
}

void TZPlaylistUi::ShowAddUrl() {
  addUrl_->ShowCentred(form_);
}

void TZPlaylistUi::ShowAddDisc() {
  addDisc_->ShowCentred(form_);
}

void TZPlaylistUi::EditItem(int index) {
  editor_->OpenFirstPage(index);
}

void TZPlaylistUi::ApplyTexts(const TZLanguage& language) {
  window_->ApplyTexts();
  search_->ApplyTexts(language);
  editor_->ApplyTexts(language);
  addUrl_->ApplyTexts(language);
  addDisc_->ApplyTexts(language);
}

bool TZPlaylistUi::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Hide && config_.SwapMemoryMngt) {
    malloc_trim(0);
  }
  return QObject::eventFilter(watched, event);
}
