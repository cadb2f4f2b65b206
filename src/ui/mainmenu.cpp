// The main window's popup menus and the help entries they start.
#include <QActionGroup>
#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QProcess>
#include <QSaveFile>
#include <QUrl>
#include <algorithm>
#include <vector>

#include "base/errorcatalogue.h"
#include "base/programpath.h"
#include "config/config.h"
#include "lang/language.h"
#include "lang/textids.h"
#include "playlist/mediakind.h"
#include "ui/mainvideomenu.h"
#include "ui/mainwindow.h"
#include "ui/skinwindows.h"

namespace {

// The product's web site; the help entries add their query to it.
const QString kHomepage = QStringLiteral("https://zephonic.example.org/");

const char* const kPlayModeNames[] = {"None", "Repeat", "Random", "Jump to next until end",
                                      "Jump to next until end (Loop)"};

// The language text an entry shows, kept on the entry so that a language change re-labels it.
constexpr char kTextNumber[] = "zephonicText";

QAction* Labelled(QAction* item, int text) {
  item->setProperty(kTextNumber, text);
  item->setText(Language().Text(text));
  return item;
}

QMenu* AddMenu(QMenu* menu, int text) {
  QMenu* sub = menu->addMenu(QString());
  Labelled(sub->menuAction(), text);
  return sub;
}

void RelabelMenu(QMenu& menu, const TZLanguage& language) {
  for (QAction* item : menu.actions()) {
    if (const QVariant text = item->property(kTextNumber); text.isValid()) {
      item->setText(language.Text(text.toInt()));
    }
    if (QMenu* sub = item->menu()) {
      RelabelMenu(*sub, language);
    }
  }
}

QAction* AddItem(QMenu* menu, int text, QObject* receiver, std::function<void()> action) {
  QAction* item = Labelled(menu->addAction(QString()), text);
  QObject::connect(item, &QAction::triggered, receiver, std::move(action));
  return item;
}

}  // namespace

void TZMainWindow::BuildMenus() {
  QMenu* menu = windows_.Main->popmMain;
  AddItem(menu, kTextMenuAbout, this, [this] { emit aboutRequested(); });
  QMenu* help = AddMenu(menu, kTextMenuHelpCenter);
  AddItem(help, kTextMenuTellAFriend, this, [this] { TellAFriend(); });
  AddItem(help, kTextMenuNews, this, [this] { emit newsRequested(); });
  AddItem(help, kTextMenuHomepage, this, [this] { OpenHomepage(QString()); });
  AddItem(help, kTextMenuFaq, this, [this] { OpenHomepage(QStringLiteral("?page=faq")); });
  AddItem(help, kTextMenuFeedback, this,
          [this] { OpenHomepage(QStringLiteral("?page=feedback")); });
  AddItem(help, kTextMenuLiveUpdate, this, [this] { StartLiveUpdate(false); });
  AddItem(menu, kTextMenuSettings, this, [this] { emit settingsRequested(); });
  menu->addSeparator();
  mainWindowAction_ = AddItem(menu, kTextMenuMainWindow, this, [this] {
    SetWindowShown(windows_.Main, config_.MainVis, !config_.MainVis);
  });
  mediaControlsAction_ = AddItem(menu, kTextMenuMediaControls, this, [this] {
    SetWindowShown(windows_.MediaControls, config_.MediaConVis, !config_.MediaConVis);
  });
  playlistAction_ = AddItem(menu, kTextMenuPlaylist, this, [this] {
    SetWindowShown(windows_.Playlist, config_.PlaylistVis, !config_.PlaylistVis);
  });
  for (QAction* item : {mainWindowAction_, mediaControlsAction_, playlistAction_}) {
    item->setCheckable(true);
  }
  menu->addSeparator();
  // The video window serves and ticks these items.
  videoMenu_ = std::make_unique<TZMainVideoMenu>(BuildMainVideoMenu(menu));
  audioMenu_ = AddMenu(menu, kTextMenuAudio);
  liveStreamMenu_ = AddMenu(audioMenu_, kTextMenuLiveStream);
  auto* recordGroup = new QActionGroup(liveStreamMenu_);
  recordAction_ =
      AddItem(liveStreamMenu_, kTextMenuRecord, this, [this] { player_->RecordCommand(); });
  stopRecordAction_ = AddItem(liveStreamMenu_, kTextMenuStopRecording, this,
                              [this] { player_->StopRecordCommand(); });
  for (QAction* item : {recordAction_, stopRecordAction_}) {
    item->setCheckable(true);
    recordGroup->addAction(item);
  }
  audioMenu_->setEnabled(false);
  liveStreamMenu_->setEnabled(false);
  menu->addSeparator();
  restoreAction_ = AddItem(menu, kTextMenuRestore, this, [this] { windows_.Main->showNormal(); });
  minimizeAction_ =
      AddItem(menu, kTextMenuMinimize, this, [this] { windows_.Main->showMinimized(); });
  restoreAction_->setEnabled(false);
  AddItem(menu, kTextMenuClose, this, [this] { windows_.Main->close(); });
  playModeMenu_ = std::make_unique<QMenu>();
  playModeGroup_ = new QActionGroup(playModeMenu_.get());
  for (int index = 0; index < int(std::size(kPlayModeNames)); ++index) {
    QAction* item = playModeMenu_->addAction(QLatin1String(kPlayModeNames[index]));
    item->setCheckable(true);
    playModeGroup_->addAction(item);
    connect(item, &QAction::triggered, this, [this, index] { SetPlayMode(index); });
  }
}

void TZMainWindow::ApplyTexts(const TZLanguage& language) {
  RelabelMenu(MainMenu(), language);
  TfrmMain& w = *windows_.Main;
  const std::pair<TZSkinControl*, int> hints[] = {
      {w.imgCloseButton, kTextHintClose},
      {w.imgMinimizeButton, kTextHintMinimize},
      {w.imgEjectButton, kTextHintEject},
      {w.imgForwardButton, kTextHintForward},
      {w.imgStopButton, kTextHintStop},
      {w.imgPauseButton, kTextHintPause},
      {w.imgPlayButton, kTextHintPlay},
      {w.imgRewindButton, kTextHintRewind},
      {w.imgProgressBar, kTextHintProgress},
      {w.imgVolume, kTextHintVolume},
      {w.imgConfigButton, kTextHintSettings},
      {w.imgEqualizerCheckbox, kTextHintEqualizer},
      {w.imgPlaylistCheckbox, kTextHintPlaylist},
      {w.imgPlaymodeCheckbox, kTextHintPlayMode},
      {w.imgAutofullscreenCheckbox, kTextHintAutoFullscreen},
      {w.imgAutoVideoResizeCheckbox, kTextHintAutoVideoResize},
      {w.imgScrolllabel, kTextHintScrollLabel},
      {w.imgTime, kTextHintTime},
      {w.BalanceSeekbar->knob(), kTextHintBalance},
      {w.imgMuteCheckbox, kTextHintMute},
      {w.ProgressSeekbar->knob(), kTextHintProgressKnob},
      {w.VolumeSeekbar->knob(), kTextHintVolumeKnob},
  };
  for (const auto& [control, text] : hints) {
    control->setProperty(kHintProperty, language.Text(text));
  }
}

QMenu& TZMainWindow::MainMenu() {
  return *windows_.Main->popmMain;
}

// The mode in force is checked; with the play mode off that is "None".
void TZMainWindow::BuildPlayModeMenu() {
  const int current = config_.PlayMode ? std::clamp(config_.PlayModeIndex, 1, 4) : 0;
  playModeMenu_->actions().at(current)->setChecked(true);
}

void TZMainWindow::SetPlayMode(int index) {
  config_.PlayMode = index != 0;
  if (index != 0) {
    config_.PlayModeIndex = index;
  }
  windows_.Main->imgPlaymodeCheckbox->setChecked(config_.PlayMode);
  BuildPlayModeMenu();
  emit playModeChanged();
}

void TZMainWindow::UpdateWindowMenuChecks() {
  mainWindowAction_->setChecked(windows_.Main->isVisible());
  mediaControlsAction_->setChecked(config_.MediaConVis);
  playlistAction_->setChecked(config_.PlaylistVis);
}

void TZMainWindow::OpenHomepage(const QString& query) {
  QDesktopServices::openUrl(QUrl(kHomepage + query));
}

void TZMainWindow::TellAFriend() {
  const TZLanguage& language = Language();
  QString body;
  for (int line = kTextMailFirstLine; line <= kTextMailLastLine; ++line) {
    body += language.Text(line) + QStringLiteral("<br>");
  }
  QUrl mail(QStringLiteral("mailto:") + language.Text(kTextMailRecipient));
  mail.setQuery(QStringLiteral("subject=") +
                QUrl::toPercentEncoding(language.Text(kTextMailSubject)) +
                QStringLiteral("&body=") + QUrl::toPercentEncoding(body));
  QDesktopServices::openUrl(mail);
}

void TZMainWindow::StartLiveUpdate(bool automatic) {
  const QString program = ProgramPath() + QStringLiteral("liveupdate");
  const QFileInfo info(program);
  if (!info.exists() || !info.isExecutable()) {
    ReportError(5500, QStringLiteral("TZLiveUpdate"), QString(), false);
    return;
  }
  QStringList arguments;
  if (automatic) {
    arguments << QStringLiteral("/autostart");
  }
  QProcess::startDetached(program, arguments, ProgramPath());
}

bool TZMainWindow::WriteFileTypeList() {
  QStringList descriptions;
  for (auto table : {BassStreamTable(), DirectShowAudioTable(), DirectShowVideoTable(), DvdTable(),
                     CdTable(), PlaylistTable()}) {
    // Row 0 only names the group.
    for (size_t row = 1; row < table.size(); ++row) {
      descriptions << QString::fromUtf8(table[row].Description);
    }
  }
  descriptions.sort();
  QSaveFile file(ProgramPath() + QStringLiteral("filetypes.txt"));
  if (!file.open(QIODevice::WriteOnly)) {
    return false;
  }
  for (const QString& description : descriptions) {
    file.write(description.toUtf8() + "\r\n");
  }
  return file.commit();
}
