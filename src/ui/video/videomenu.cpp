// The video window's popup menu: building it, its enabling rules and the choices it offers.
#include "ui/video/videomenu.h"

#include <QActionGroup>

#include "config/config.h"
#include "lang/language.h"
#include "lang/textformat.h"
#include "lang/textids.h"
#include "playback/video/videocommands.h"
#include "ui/mainvideomenu.h"
#include "ui/mainwindow.h"
#include "ui/skinwindows.h"
#include "ui/video/videopicture.h"

namespace {

constexpr std::array<const char*, 10> kSpeedCaptions = {"1/8X", "1/4X", "1/2X", "1X",  "2X",
                                                        "3X",   "4X",   "8X",   "16X", "32X"};
constexpr std::array<double, 10> kSpeeds = {0.125, 0.25, 0.5, 1, 2, 3, 4, 8, 16, 32};
constexpr std::array<TZDvdMenu, 6> kDvdMenus = {dmTitle, dmRoot,  dmSubpicture,
                                                dmAudio, dmAngle, dmChapter};
constexpr int kOsdMs = 2000;

// The items of "Show menu" and "Digital-Zoom" show their group's texts in row order.
static_assert(kTextDvdMenuIntro + int(kDvdMenus.size()) - 1 == kTextDvdMenuChapters);
static_assert(kTextZoomOff + int(std::size(DigitalZoomValues)) - 1 == kTextZoom200);

// Ticks the entry whose data is `value` (a refused choice puts the tick back).
void TickByData(QMenu* menu, int value) {
  for (QAction* item : menu->actions()) {
    if (item->isCheckable() && item->data().isValid()) {
      item->setChecked(item->data().toInt() == value);
    }
  }
}

QString WithoutAccelerator(QString caption) {
  return caption.startsWith(QLatin1Char('&')) ? caption.mid(1) : caption;
}

}  // namespace

QAction* TZVideoWindow::AddItem(QMenu* menu, int text, std::function<void()> action) {
  QAction* item = menu->addAction(Language().Text(text));
  connect(item, &QAction::triggered, this, std::move(action));
  menu_->Texts.emplace_back(item, text);
  return item;
}

QMenu* TZVideoWindow::AddSubmenu(QMenu* menu, int text) {
  QMenu* submenu = menu->addMenu(Language().Text(text));
  menu_->Texts.emplace_back(submenu->menuAction(), text);
  return submenu;
}

void TZVideoWindow::BuildMenu() {
  menu_->Popup = window_.popmVideo;
  BuildTransport();
  BuildSpeeds();
  BuildPictureItems();
  BuildDvdItems();
  menu_->Popup->addSeparator();
  menu_->Close =
      AddItem(menu_->Popup, kTextVideoMenuClose, [this] { main_.Player().FreeLastItem(true); });
  menu_->Close->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));
  menu_->Close->setShortcutContext(Qt::WindowShortcut);
  window_.addAction(menu_->Close);
  connect(menu_->Popup, &QMenu::aboutToShow, this, &TZVideoWindow::BeforeMenuOpens);
}

void TZVideoWindow::BuildTransport() {
  QMenu* popup = menu_->Popup;
  TZPlayer& player = main_.Player();
  TfrmMain& mainWindow = *main_.Windows().Main;
  menu_->PreviousChapter = AddItem(popup, kTextVideoMenuPreviousChapter, [this] {
    if (GraphActive() && commands_) {
      commands_->DvdPreviousChapter();
    }
  });
  menu_->Previous = AddItem(popup, kTextVideoMenuPrevious,
                            [&mainWindow] { emit mainWindow.imgRewindButton->clicked(); });
  menu_->Pause = AddItem(popup, kTextVideoMenuPause, [&player] { player.TogglePause(); });
  menu_->Play = AddItem(popup, kTextVideoMenuPlay, [&player] { player.TogglePause(); });
  menu_->Stop = AddItem(popup, kTextVideoMenuStop, [&player] { player.FreeLastItem(true); });
  menu_->Next = AddItem(popup, kTextVideoMenuNext,
                        [&mainWindow] { emit mainWindow.imgForwardButton->clicked(); });
  menu_->NextChapter = AddItem(popup, kTextVideoMenuNextChapter, [this] {
    if (GraphActive() && commands_) {
      commands_->DvdNextChapter();
    }
  });
}

void TZVideoWindow::BuildSpeeds() {
  QMenu* popup = menu_->Popup;
  menu_->SpeedSeparator = popup->addSeparator();
  menu_->ForwardSpeed = AddSubmenu(popup, kTextVideoMenuForwardSpeed);
  menu_->BackwardSpeed = AddSubmenu(popup, kTextVideoMenuBackwardSpeed);
  for (QMenu* submenu : {menu_->ForwardSpeed, menu_->BackwardSpeed}) {
    const bool forwards = submenu == menu_->ForwardSpeed;
    for (size_t i = 0; i < kSpeeds.size(); ++i) {
      QAction* item = submenu->addAction(QLatin1String(kSpeedCaptions[i]));
      item->setCheckable(true);
      const double speed = kSpeeds[i];
      connect(item, &QAction::triggered, this, [this, item, speed, forwards](bool checked) {
        const bool done =
            GraphActive() && commands_ &&
            (forwards ? commands_->DvdPlayForwards(speed) : commands_->DvdPlayBackwards(speed));
        if (done) {
          TickSpeed(item);
        } else {
          item->setChecked(!checked);
        }
      });
    }
  }
}

void TZVideoWindow::TickSpeed(QAction* chosen) {
  for (QMenu* submenu : {menu_->ForwardSpeed, menu_->BackwardSpeed}) {
    for (QAction* item : submenu->actions()) {
      item->setChecked(item == chosen);
    }
  }
}

void TZVideoWindow::BuildPictureItems() {
  QMenu* popup = menu_->Popup;
  popup->addSeparator();
  menu_->Mode = AddSubmenu(popup, kTextVideoMenuMode);
  for (size_t i = 0; i < menu_->Modes.size(); ++i) {
    const auto mode = TZDisplayMode(kModeOfItem[i]);
    menu_->Modes[i] =
        AddItem(menu_->Mode, kTextModeFullscreen + int(i), [this, mode] { SetPresentation(mode); });
    menu_->Modes[i]->setCheckable(true);
  }
  menu_->Ratio = AddSubmenu(popup, kTextVideoMenuRatio);
  for (size_t i = 0; i < menu_->Ratios.size(); ++i) {
    const int ratio = kRatioOfItem[i];
    menu_->Ratios[i] =
        AddItem(menu_->Ratio, kTextRatioStretched + int(i), [this, ratio] { SetRatio(ratio); });
    menu_->Ratios[i]->setCheckable(true);
  }
  menu_->Zoom = popup->addMenu(QStringLiteral("Zoom"));
  for (size_t i = 0; i < std::size(ZoomPercents); ++i) {
    const int percent = ZoomPercents[i];
    menu_->Zooms[i] = menu_->Zoom->addAction(QStringLiteral("%1%").arg(percent));
    menu_->Zooms[i]->setCheckable(true);
    connect(menu_->Zooms[i], &QAction::triggered, this, [this, percent] { ZoomVideo(percent); });
  }
  menu_->DigitalZoom = AddSubmenu(popup, kTextVideoMenuDigitalZoom);
  for (size_t i = 0; i < std::size(DigitalZoomValues); ++i) {
    const int value = DigitalZoomValues[i];
    menu_->DigitalZooms[i] = AddItem(menu_->DigitalZoom, kTextZoomOff + int(i),
                                     [this, value] { SetDigitalZoom(value); });
    menu_->DigitalZooms[i]->setCheckable(true);
  }
  menu_->Screenshot = AddSubmenu(popup, kTextVideoMenuScreenshot);
  AddItem(menu_->Screenshot, kTextScreenshotOriginal, [this] { TakeScreenshot(false); });
  AddItem(menu_->Screenshot, kTextScreenshotWhatYouSee, [this] { TakeScreenshot(true); });
  menu_->Filter = popup->addMenu(QStringLiteral("Filter"));
}

void TZVideoWindow::BuildDvdItems() {
  QMenu* popup = menu_->Popup;
  popup->addSeparator();
  menu_->ShowMenu = AddSubmenu(popup, kTextVideoMenuShowMenu);
  for (size_t i = 0; i < kDvdMenus.size(); ++i) {
    const TZDvdMenu dvdMenu = kDvdMenus[i];
    AddItem(menu_->ShowMenu, kTextDvdMenuIntro + int(i), [this, dvdMenu] {
      if (GraphActive() && commands_) {
        commands_->DvdShowMenu(dvdMenu);
      }
    });
  }
  menu_->AudioTracks = AddSubmenu(popup, kTextVideoMenuAudioTracks);
  menu_->SubtitleStreams = AddSubmenu(popup, kTextVideoMenuSubtitles);
  menu_->JumpSeparator = popup->addSeparator();
  menu_->JumpTo = AddSubmenu(popup, kTextVideoMenuJumpTo);
  menu_->ToggleSubtitles = popup->addAction(QStringLiteral("Toggle drawsubtitles (invis)"));
  menu_->ToggleSubtitles->setCheckable(true);
  menu_->ToggleSubtitles->setVisible(false);
  connect(menu_->ToggleSubtitles, &QAction::triggered, this, &TZVideoWindow::ToggleSubtitlesShown);
}

// Submenus without entries cannot be opened.
void TZVideoWindow::BeforeMenuOpens() {
  for (QMenu* submenu :
       {menu_->AudioTracks, menu_->SubtitleStreams, menu_->JumpTo, menu_->Filter}) {
    submenu->menuAction()->setEnabled(!submenu->isEmpty());
  }
}

void TZVideoWindow::ClearTrackMenus() {
  menu_->AudioTracks->clear();
  menu_->SubtitleStreams->clear();
  menu_->JumpTo->clear();
  menu_->ShowSubtitles = nullptr;
  ShowTrackMenus();
}

// One radio entry of a track menu; its data is its index among the captions, -1 for "Off".
QAction* TZVideoWindow::AddTrack(QMenu* menu, QActionGroup* group, const QString& caption,
                                 int index, bool checked, void (TZVideoWindow::*choose)(QAction*)) {
  QAction* item = menu->addAction(caption);
  item->setCheckable(true);
  item->setData(index);
  item->setChecked(checked);
  group->addAction(item);
  connect(item, &QAction::triggered, this, [this, item, choose] { (this->*choose)(item); });
  return item;
}

void TZVideoWindow::SetAudioTracks(const QStringList& captions, int checked) {
  menu_->AudioTracks->clear();
  menu_->AudioCurrent = checked;
  auto* group = new QActionGroup(menu_->AudioTracks);
  for (int i = 0; i < captions.size(); ++i) {
    AddTrack(menu_->AudioTracks, group, captions[i], i, i == checked, &TZVideoWindow::ChooseAudio);
  }
  ShowTrackMenus();
}

// A DVD's list starts with "Show subtitles", a file's with "Off".
void TZVideoWindow::SetSubtitleTracks(const QStringList& captions, int checked) {
  QMenu* menu = menu_->SubtitleStreams;
  menu->clear();
  menu_->SubtitleCurrent = checked;
  menu_->ShowSubtitles = nullptr;
  if (!captions.isEmpty()) {
    auto* group = new QActionGroup(menu);
    if (isDvd_) {
      menu_->ShowSubtitles = menu->addAction(Language().Text(kTextShowSubtitles));
      menu_->ShowSubtitles->setCheckable(true);
      menu_->ShowSubtitles->setChecked(subtitlesShown_);
      connect(menu_->ShowSubtitles, &QAction::triggered, this,
              &TZVideoWindow::ToggleSubtitlesShown);
    } else {
      AddTrack(menu, group, Language().Text(kTextSubtitlesOff), -1, checked < 0,
               &TZVideoWindow::ChooseSubtitle);
    }
    menu->addSeparator();
    for (int i = 0; i < captions.size(); ++i) {
      AddTrack(menu, group, captions[i], i, i == checked, &TZVideoWindow::ChooseSubtitle);
    }
  }
  ShowTrackMenus();
}

void TZVideoWindow::ChooseAudio(QAction* item) {
  const int index = item->data().toInt();
  if (!commands_) {
    TickByData(menu_->AudioTracks, menu_->AudioCurrent);
    return;
  }
  const bool done =
      isDvd_ ? commands_->DvdSelectAudioStream(index) : commands_->SelectAudioTrack(index);
  if (!done) {
    TickByData(menu_->AudioTracks, menu_->AudioCurrent);
    return;
  }
  menu_->AudioCurrent = index;
  item->setChecked(true);
  const int text = isDvd_ ? kTextLanguageChanged : kTextAudioStreamChanged;
  main_.ShowOsdText(FormatText(Language().Text(text), {WithoutAccelerator(item->text())}), kOsdMs);
}

void TZVideoWindow::ChooseSubtitle(QAction* item) {
  const int index = item->data().toInt();
  if (!commands_) {
    return;
  }
  const bool done =
      isDvd_ ? commands_->DvdSelectSubpictureStream(index) : commands_->SelectSubtitleTrack(index);
  if (!done) {
    return;
  }
  item->setChecked(true);
  if (menu_->ShowSubtitles) {
    menu_->ShowSubtitles->setChecked(subtitlesShown_);
  }
  const int text = isDvd_ ? kTextSubtitleChanged : kTextSubtitleStreamChanged;
  main_.ShowOsdText(FormatText(Language().Text(text), {WithoutAccelerator(item->text())}), kOsdMs);
}

void TZVideoWindow::ToggleSubtitlesShown() {
  if (!GraphActive() || !commands_) {
    menu_->ToggleSubtitles->setChecked(subtitlesShown_);
    if (menu_->ShowSubtitles) {
      menu_->ShowSubtitles->setChecked(subtitlesShown_);
    }
    return;
  }
  subtitlesShown_ = !subtitlesShown_;
  commands_->DvdSetSubpictureShown(subtitlesShown_);
  menu_->ToggleSubtitles->setChecked(subtitlesShown_);
  if (menu_->ShowSubtitles) {
    menu_->ShowSubtitles->setChecked(subtitlesShown_);
  }
}

// A title of fewer than two chapters is one entry that plays its first chapter.
void TZVideoWindow::SetJumpTargets(const std::vector<int>& chapterCounts) {
  menu_->JumpTo->clear();
  for (int title = 1; title <= int(chapterCounts.size()); ++title) {
    const QString caption = FormatText(Language().Text(kTextJumpTitle), {title});
    const int chapters = chapterCounts[size_t(title - 1)];
    if (chapters < 2) {
      QAction* item = menu_->JumpTo->addAction(caption);
      item->setCheckable(true);
      item->setData(QPoint(title, 1));
      connect(item, &QAction::triggered, this, [this, title] { ChooseJump(title, 1); });
      continue;
    }
    QMenu* titleMenu = menu_->JumpTo->addMenu(caption);
    titleMenu->menuAction()->setCheckable(true);
    titleMenu->menuAction()->setData(QPoint(title, 0));
    for (int chapter = 1; chapter <= chapters; ++chapter) {
      QAction* item =
          titleMenu->addAction(FormatText(Language().Text(kTextJumpChapter), {chapter}));
      item->setCheckable(true);
      item->setData(QPoint(title, chapter));
      connect(item, &QAction::triggered, this,
              [this, title, chapter] { ChooseJump(title, chapter); });
    }
  }
}

void TZVideoWindow::CheckJumpTarget(int title, int chapter) {
  menu_->JumpCurrent = QPoint(title, chapter);
  for (QAction* entry : menu_->JumpTo->actions()) {
    const QPoint target = entry->data().toPoint();
    entry->setChecked(target.x() == title);
    if (QMenu* chapters = entry->menu()) {
      for (QAction* item : chapters->actions()) {
        item->setChecked(target.x() == title && item->data().toPoint().y() == chapter);
      }
    }
  }
}

void TZVideoWindow::ChooseJump(int title, int chapter) {
  if (!GraphActive() || !commands_ || !commands_->DvdPlayChapter(title, chapter)) {
    CheckJumpTarget(menu_->JumpCurrent.x(), menu_->JumpCurrent.y());
    return;
  }
  CheckJumpTarget(title, chapter);
  main_.ShowOsdText(FormatText(Language().Text(kTextJumpedToChapter), {chapter, title}), kOsdMs);
}

// GStreamer elements have no property pages, so an entry only names its filter: choosing it does
// what choosing a filter without pages does, nothing.
void TZVideoWindow::SetFilterMenu(const QStringList& filterNames) {
  menu_->Filter->clear();
  for (const QString& name : filterNames) {
    menu_->Filter->addAction(name)->setCheckable(true);
  }
}

void TZVideoWindow::UpdateVideoMenu(bool isDvd, bool paused) {
  isDvd_ = isDvd;
  picture_->SetPlaying(!paused);
  menu_->Previous->setVisible(!isDvd);
  menu_->Next->setVisible(!isDvd);
  menu_->PreviousChapter->setVisible(isDvd);
  menu_->NextChapter->setVisible(isDvd);
  for (QMenu* submenu : {menu_->Mode, menu_->Ratio, menu_->DigitalZoom}) {
    submenu->setEnabled(true);
  }
  menu_->Pause->setEnabled(!paused);
  menu_->Play->setEnabled(paused);
  menu_->Stop->setEnabled(true);
  for (QAction* dvdOnly : {menu_->SpeedSeparator, menu_->ForwardSpeed->menuAction(),
                           menu_->BackwardSpeed->menuAction(), menu_->ShowMenu->menuAction(),
                           menu_->JumpSeparator, menu_->JumpTo->menuAction()}) {
    dvdOnly->setVisible(isDvd);
  }
  ShowTrackMenus();
}

// The track menus show during a DVD and otherwise only with entries.
void TZVideoWindow::ShowTrackMenus() {
  menu_->AudioTracks->menuAction()->setVisible(isDvd_ || !menu_->AudioTracks->isEmpty());
  menu_->SubtitleStreams->menuAction()->setVisible(isDvd_ || !menu_->SubtitleStreams->isEmpty());
}

void TZVideoWindow::TickMode() {
  TickItem(menu_->Modes, kModeOfItem, int(mode_));
  if (mainMenu_) {
    TickItem(mainMenu_->Modes, kModeOfItem, int(mode_));
  }
}

void TZVideoWindow::TickRatio() {
  TickItem(menu_->Ratios, kRatioOfItem, int(config_.Ratio));
  if (mainMenu_) {
    TickItem(mainMenu_->Ratios, kRatioOfItem, int(config_.Ratio));
  }
}

void TZVideoWindow::ApplyTexts(const TZLanguage& language) {
  for (const auto& [item, text] : menu_->Texts) {
    item->setText(language.Text(text));
  }
}
