#include "ui/mainwindow.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QHelpEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <algorithm>

#include "base/zdebug.h"
#include "components/ui/messagebox.h"
#include "components/ui/taskbarentry.h"
#include "config/config.h"
#include "lang/language.h"
#include "lang/textformat.h"
#include "lang/textids.h"
#include "playlist/addmedia/addmedia.h"
#include "playlist/playlist.h"
#include "skin/zgui.h"
#include "ui/mainvideomenu.h"
#include "vis/spectrum_vis.h"

namespace {

constexpr int kVolumeMaximum = 10000;
constexpr int kBalanceMaximum = 200;

// The control that stands for a setting: the skin shows either the bar or the seek bar.
bool UsesSeekbar(const TZSkinSeekbar& seekbar) {
  return seekbar.isVisible();
}

}  // namespace

std::array<int, 6> TimeDigits(qint64 milliseconds) {
  const qint64 seconds = std::max<qint64>(0, milliseconds / 1000);
  const int h = int(seconds / 3600 % 100);
  const int m = int(seconds / 60 % 60);
  const int s = int(seconds % 60);
  return {h / 10, h % 10, m / 10, m % 10, s / 10, s % 10};
}

QString BalanceText(int position) {
  const TZLanguage& language = Language();
  if (position == 100) {
    return language.Text(kTextBalanceCenter);
  }
  if (position > 100) {
    return FormatText(language.Text(kTextBalanceRight), {position - 100, "%"});
  }
  return FormatText(language.Text(kTextBalanceLeft), {100 - position, "%"});
}

TZMainWindow::TZMainWindow(TZWindows& windows, TZPlaylist& playlist, TZConfig& config,
                           const TZGUI& skin, TZTimerSource& timers)
    : QObject(windows.Main),
      windows_(windows),
      playlist_(playlist),
      config_(config),
      skin_(skin),
      player_(std::make_unique<TZPlayer>(playlist, *this, config, timers)),
      adder_(std::make_unique<TZMediaAdder>(playlist, config,
                                            [this](const QString& text) { SetTitleText(text); })),
      analyzerSLTimer_(timers.CreateTimer([this] { OnAnalyzerSLTimer(); })),
      osdResetTimer_(timers.CreateTimer([this] { OnOsdResetTimer(); })) {
  if (windows_.Spectrum) {
    analyzer_ = std::make_unique<TZSpectrumAnalyzer>(*windows_.Spectrum, player_->State(), config,
                                                     *this, timers);
    player_->SetAnalyzer(analyzer_.get());
  }
  player_->SetProgramRunning(false);
  if (analyzer_) {
    analyzer_->SetProgramRunning(false);
  }
  windows_.Main->setAcceptDrops(true);
  windows_.Main->installEventFilter(this);
  BuildMenus();
  ApplyTexts(Language());
  ConnectButtons();
  ConnectToggles();
  ConnectSliders();
  ConnectDisplays();
  analyzerSLTimer_->Start(TZSpectrumAnalyzer::kTickInterval);
}

TZMainWindow::~TZMainWindow() = default;

void TZMainWindow::SetRunning(bool running) {
  const bool starting = running && !running_;
  running_ = running;
  if (starting) {
    ShowLayoutWindows();
  }
  player_->SetProgramRunning(running);
  if (analyzer_) {
    analyzer_->SetProgramRunning(running);
  }
}

// ---- controls

void TZMainWindow::ConnectButtons() {
  TfrmMain& w = *windows_.Main;
  TZPlayer& player = *player_;
  connect(w.imgCloseButton, &TZSkinButton::clicked, &w, &QWidget::close);
  connect(w.imgMinimizeButton, &TZSkinButton::clicked, &w, &QWidget::showMinimized);
  connect(w.imgRewindButton, &TZSkinButton::clicked, this,
          [this] { player_->Navigator().PlayPrevious(TPlayMode(config_.PlayModeIndex)); });
  connect(w.imgForwardButton, &TZSkinButton::clicked, this,
          [this] { player_->Navigator().PlayNext(TPlayMode(config_.PlayModeIndex)); });
  connect(w.imgPlayButton, &TZSkinButton::clicked, this, [this, &player] {
    if (player.Paused()) {
      player.TogglePause();
    } else {
      player.Navigator().PlayCursorEntry(config_.OFACheckIsValidFile);
    }
  });
  connect(w.imgPauseButton, &TZSkinButton::clicked, this, [&player] { player.TogglePause(); });
  connect(w.imgStopButton, &TZSkinButton::clicked, this, [&player] { player.FreeLastItem(true); });
  connect(w.imgEjectButton, &TZSkinButton::clicked, this, &TZMainWindow::ChooseFilesToEject);
  connect(w.imgConfigButton, &TZSkinButton::clicked, this, &TZMainWindow::settingsRequested);
}

void TZMainWindow::ConnectToggles() {
  TfrmMain& w = *windows_.Main;
  connect(w.imgPlaymodeCheckbox, &TZSkinCheckBox::toggled, this, [this](bool on) {
    config_.PlayMode = on;
    emit playModeChanged();
  });
  connect(w.imgPlaymodeCheckbox, &TZSkinImage::mousePressed, this, [this](QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
      BuildPlayModeMenu();
      playModeMenu_->popup(event->globalPosition().toPoint());
    }
  });
  connect(w.imgAutofullscreenCheckbox, &TZSkinCheckBox::toggled, this,
          [this](bool on) { config_.AutoFullscreen = on; });
  connect(w.imgAutoVideoResizeCheckbox, &TZSkinCheckBox::toggled, this,
          [this](bool on) { config_.AutoVideoResize = on; });
  connect(w.imgPlaylistCheckbox, &TZSkinCheckBox::toggled, this,
          [this](bool on) { SetWindowShown(windows_.Playlist, config_.PlaylistVis, on); });
  connect(w.imgEqualizerCheckbox, &TZSkinCheckBox::toggled, this,
          [this](bool on) { SetWindowShown(windows_.MediaControls, config_.MediaConVis, on); });
  // The player flips the setting and sets the box from it.
  connect(w.imgMuteCheckbox, &TZSkinCheckBox::toggled, this, [this] { player_->ToggleMute(); });
}

void TZMainWindow::ConnectSliders() {
  TfrmMain& w = *windows_.Main;
  connect(w.imgVolume, &TZSkinBar::positionChanged, this, [this](qint64 position) {
    OnVolumeDragged(position, windows_.Main->imgVolume->range().Max);
  });
  connect(w.VolumeSeekbar, &TZSkinSeekbar::knobMoved, this, [this](qint64 position) {
    OnVolumeDragged(position, windows_.Main->VolumeSeekbar->range().Max);
  });
  connect(w.VolumeSeekbar, &TZSkinSeekbar::knobReleased, this, [this](qint64 position) {
    if (TfrmVideoFullscreenControl* fullscreen = windows_.FullscreenControl) {
      fullscreen->VolumeSeekbar->setPosition(position);
    }
  });
  connect(w.BalanceSeekbar, &TZSkinSeekbar::knobMoved, this, &TZMainWindow::OnBalanceDragged);
  for (TZSkinImage* part : {w.BalanceSeekbar->knob(), w.BalanceSeekbar->background()}) {
    connect(part, &TZSkinImage::mousePressed, this, [this](QMouseEvent* event) {
      if (event->button() == Qt::RightButton) {
        CentreBalance();
      }
    });
    connect(part, &TZSkinImage::mouseDoubleClicked, this, [this] { CentreBalance(); });
  }
  // Progress: the bar follows the pointer while pressed; the seek happens on release.
  connect(w.imgProgressBar, &TZSkinImage::mousePressed, this, [this](QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
      BeginSeek();
    }
  });
  connect(w.imgProgressBar, &TZSkinImage::mouseReleased, this, [this](QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && seeking_) {
      EndSeek();
    }
  });
  connect(w.ProgressSeekbar->knob(), &TZSkinImage::mousePressed, this, [this](QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
      BeginSeek();
    }
  });
  connect(w.ProgressSeekbar, &TZSkinSeekbar::knobMoved, this, [this] {
    if (seeking_) {
      player_->ShowSeekTime();
    }
  });
  connect(w.ProgressSeekbar, &TZSkinSeekbar::knobReleased, this, [this] {
    if (seeking_) {
      EndSeek();
    }
  });
}

void TZMainWindow::ConnectDisplays() {
  TfrmMain& w = *windows_.Main;
  connect(w.imgTime, &TZSkinImage::mousePressed, this, [this](QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
      config_.TimeMode = config_.TimeMode == tmElapsed ? tmRemaining : tmElapsed;
      if (player_->Playing()) {
        player_->PlayTick();
      }
    }
  });
  connect(w.imgAnalyzer, &TZSkinImage::mousePressed, this, [this](QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
      return;
    }
    config_.SpectrumType = config_.SpectrumType == stBars ? stLines : stBars;
    if (windows_.Spectrum) {
      windows_.Spectrum->Mode =
          config_.SpectrumType == stBars ? TSpectrum::dmBars : TSpectrum::dmLines;
    }
  });
  for (TZSkinImage* caption : {static_cast<TZSkinImage*>(w.imgCaptionbar), w.imgForm}) {
    connect(caption, &TZSkinImage::mousePressed, this, [this](QMouseEvent* event) {
      if (event->button() != Qt::LeftButton) {
        return;
      }
      for (QWidget* window : {static_cast<QWidget*>(windows_.Playlist),
                              static_cast<QWidget*>(windows_.MediaControls)}) {
        if (window && window->isVisible()) {
          window->raise();
        }
      }
      windows_.Main->QWidget::raise();
      windows_.Main->activateWindow();
      windows_.Main->StartMove(*event);
    });
  }
}

void TZMainWindow::ShowStatusText(const QString& text, bool osd) {
  player_->ShowStatusMessage(text);
  if (osd) {
    ShowOsdText(text, kOsdMs);
  }
}

void TZMainWindow::OnVolumeDragged(qint64 position, qint64 maximum) {
  Q_UNUSED(position);
  player_->ApplyVolume(false);
  const TZBarState control = VolumeControl();
  const double percent = maximum > 0 ? double(control.Position) / 100.0 : 0.0;
  ShowStatusText(FormatText(Language().Text(kTextVolume), {percent, "%"}), true);
}

void TZMainWindow::OnBalanceDragged(qint64 position) {
  player_->ApplyBalance();
  config_.Balance = int(position);
  ShowStatusText(BalanceText(int(position)), true);
}

void TZMainWindow::CentreBalance() {
  windows_.Main->BalanceSeekbar->setPosition(100);
  player_->ApplyBalance();
  config_.Balance = 100;
  ShowStatusText(BalanceText(100), false);
}

void TZMainWindow::BeginSeek() {
  seeking_ = true;
  seekSavedTitle_ = title_;
}

void TZMainWindow::EndSeek() {
  seeking_ = false;
  player_->SeekToBar();
  SetTitleText(seekSavedTitle_);
}

// The play-mode toggle opens its own menu and the balance centres on the right button.
bool TZMainWindow::HasOwnRightButton(const TZSkinControl* control) const {
  const TfrmMain& w = *windows_.Main;
  return control && (control == w.imgPlaymodeCheckbox || control == w.BalanceSeekbar->knob() ||
                     control == w.BalanceSeekbar->background());
}

void TZMainWindow::SetWindowShown(QWidget* window, bool& setting, bool shown) {
  setting = shown;
  if (window) {
    window->setVisible(shown);
  }
  TfrmMain& w = *windows_.Main;
  w.imgPlaylistCheckbox->setChecked(config_.PlaylistVis);
  w.imgEqualizerCheckbox->setChecked(config_.MediaConVis);
  UpdateWindowMenuChecks();
}

// ---- timers

void TZMainWindow::PaintScrollLabels(bool force) {
  TfrmMain& w = *windows_.Main;
  TZSkinScrollLabel& label = *w.imgScrolllabel;
  // A still title is painted once; only a running one costs a repaint per tick.
  const bool moving = label.state().Mode != 0 && label.textWidth() > label.width();
  if (moving || force || !labelsPainted_) {
    ::PaintScrollLabel(label, *w.imgScrollabelBackground, skin_.Main.TitleBackground);
  }
  TfrmVideoFullscreenControl* fullscreen = windows_.FullscreenControl;
  const bool fullscreenShown = fullscreen && fullscreen->isVisible();
  if (fullscreenShown) {
    ::PaintScrollLabel(*fullscreen->imgScrolllabel, *fullscreen->imgScrollabelBackground,
                       skin_.VideoFullscreenControl.TitleBackground);
  }
  labelsPainted_ = true;
  // The tick sleeps while no title moves, so an idle program costs nothing; every new title
  // and layout comes through here and wakes it.
  if (moving || fullscreenShown) {
    if (!analyzerSLTimer_->IsActive()) {
      analyzerSLTimer_->Start(TZSpectrumAnalyzer::kTickInterval);
    }
  } else if (running_) {
    analyzerSLTimer_->Stop();
  }
}

void TZMainWindow::OnAnalyzerSLTimer() {
  if (!running_) {
    return;
  }
  PaintScrollLabels(false);
}

void TZMainWindow::OnOsdResetTimer() {
  if (!running_) {
    return;
  }
  osdResetTimer_->Stop();
  if (!osd_.isEmpty() && (player_->Playing() || player_->Paused())) {
    osd_.clear();
    emit osdTextChanged(QString(), 0);
  }
}

// ---- TZPlayerWindows

void TZMainWindow::SetTitleText(const QString& text) {
  title_ = text;
  windows_.Main->imgScrolllabel->InitScrollLabel(text);
  if (TfrmVideoFullscreenControl* fullscreen = windows_.FullscreenControl) {
    fullscreen->imgScrolllabel->InitScrollLabel(text);
  }
  windows_.Main->setWindowTitle(ApplicationTitle(text));
  labelsPainted_ = false;
  PaintScrollLabels(true);
  emit titleChanged(text);
}

void TZMainWindow::RestartScrollingLabels() {
  SetTitleText(title_);
}

void TZMainWindow::ShowStatusPicture(TZStatusPicture picture) {
  ::ShowStatusPicture(skin_, *windows_.Main, int(picture));
}

void TZMainWindow::ShowOsdText(const QString& text, int ms) {
  osd_ = text;
  osdResetTimer_->Start(ms);
  emit osdTextChanged(text, ms);
}

void TZMainWindow::ShowWarning(const QString& text) {
  ShowMessageBox(QMessageBox::Warning, QStringLiteral("Zephonic"), text, QMessageBox::Ok,
                 QMessageBox::Ok);
}

void TZMainWindow::SetPositionBar(qint64 maximum, qint64 position, bool enabled) {
  auto set = [&](TZSkinBar* bar, TZSkinSeekbar* seekbar) {
    bar->setRange(0, maximum, position);
    bar->DrawBar();
    bar->setEnabled(enabled);
    seekbar->setRange(0, maximum, position);
    seekbar->knob()->setEnabled(enabled);
  };
  set(windows_.Main->imgProgressBar, windows_.Main->ProgressSeekbar);
  if (TfrmVideoFullscreenControl* fullscreen = windows_.FullscreenControl) {
    set(fullscreen->imgProgressBar, fullscreen->ProgressSeekbar);
  }
}

void TZMainWindow::SetPositionBarValue(qint64 position) {
  auto set = [&](TZSkinBar* bar, TZSkinSeekbar* seekbar) {
    if (bar->range().Position != position) {
      bar->setPosition(position);
      bar->DrawBar();
    }
    if (seekbar->range().Position != position) {
      seekbar->setPosition(position);
    }
  };
  set(windows_.Main->imgProgressBar, windows_.Main->ProgressSeekbar);
  if (TfrmVideoFullscreenControl* fullscreen = windows_.FullscreenControl) {
    set(fullscreen->imgProgressBar, fullscreen->ProgressSeekbar);
  }
}

TZBarState TZMainWindow::PositionBar() const {
  const TfrmMain& w = *windows_.Main;
  const TZRange& range =
      UsesSeekbar(*w.ProgressSeekbar) ? w.ProgressSeekbar->range() : w.imgProgressBar->range();
  return {range.Max, range.Position};
}

void TZMainWindow::SetTimeDisplay(qint64 milliseconds, bool remaining) {
  const std::array<int, 6> digits = TimeDigits(milliseconds);
  const QColor key = QColor::fromRgb(skin_.TransparentColor);
  DrawTime(skin_.Main.TimeDisplay, *windows_.Main->imgTime, key, remaining, digits);
  TfrmVideoFullscreenControl* fullscreen = windows_.FullscreenControl;
  if (fullscreen && fullscreen->isVisible()) {
    DrawTime(skin_.VideoFullscreenControl.TimeDisplay, *fullscreen->imgTime, key, remaining,
             digits);
  }
}

void TZMainWindow::BlankTimeDisplay() {
  windows_.Main->imgTime->clearPicture();
  if (TfrmVideoFullscreenControl* fullscreen = windows_.FullscreenControl) {
    fullscreen->imgTime->clearPicture();
  }
}

void TZMainWindow::RedrawPlaylist() {
  if (windows_.Playlist) {
    windows_.Playlist->update();
  }
  emit playlistChanged();
}

void TZMainWindow::SetMenuEnabled(TZPlayerMenu menu, bool enabled) {
  switch (menu) {
    case pmAudio:
      audioMenu_->setEnabled(enabled);
      break;
    case pmLiveStream:
      liveStreamMenu_->setEnabled(enabled);
      break;
    case pmVideo:
      videoMenu_->Menu->setEnabled(enabled);
      break;
  }
}

void TZMainWindow::SetRecordChecked(bool checked) {
  recordAction_->setChecked(checked);
  stopRecordAction_->setChecked(!checked);
}

void TZMainWindow::HideVideoWindow() {
  if (windows_.FullscreenControl) {
    windows_.FullscreenControl->hide();
  }
  if (windows_.Video) {
    windows_.Video->hide();
  }
  emit videoWindowHidden();
}

TZBarState TZMainWindow::VolumeControl() const {
  const TfrmMain& w = *windows_.Main;
  const TZRange& range =
      UsesSeekbar(*w.VolumeSeekbar) ? w.VolumeSeekbar->range() : w.imgVolume->range();
  return {range.Max, range.Position};
}

void TZMainWindow::SetVolumePosition(qint64 position) {
  TfrmMain& w = *windows_.Main;
  w.imgVolume->setPosition(position);
  w.imgVolume->DrawBar();
  w.VolumeSeekbar->setPosition(position);
  if (TfrmVideoFullscreenControl* fullscreen = windows_.FullscreenControl) {
    fullscreen->imgVolume->setPosition(position);
    fullscreen->imgVolume->DrawBar();
    fullscreen->VolumeSeekbar->setPosition(position);
  }
}

void TZMainWindow::StepVolumeControls(qint64 step) {
  const TZBarState control = VolumeControl();
  SetVolumePosition(std::clamp(control.Position + step, qint64{0}, control.Maximum));
}

void TZMainWindow::SetVolumeControlEnabled(bool enabled) {
  windows_.Main->imgVolume->setEnabled(enabled);
  windows_.Main->VolumeSeekbar->knob()->setEnabled(enabled);
}

void TZMainWindow::SetMuteChecked(bool checked) {
  windows_.Main->imgMuteCheckbox->setChecked(checked);
  if (TfrmVideoFullscreenControl* fullscreen = windows_.FullscreenControl) {
    fullscreen->imgMuteCheckbox->setChecked(checked);
  }
}

int TZMainWindow::BalancePosition() const {
  return int(windows_.Main->BalanceSeekbar->range().Position);
}

void TZMainWindow::SetBalanceControlEnabled(bool enabled) {
  windows_.Main->BalanceSeekbar->knob()->setEnabled(enabled);
}

int TZMainWindow::SpeedPosition() const {
  return windows_.MediaControls ? int(windows_.MediaControls->SpeedSeekbar->range().Position)
                                : config_.Speed;
}

void TZMainWindow::SetSpeedPosition(int step) {
  if (windows_.MediaControls) {
    windows_.MediaControls->SpeedSeekbar->setPosition(step);
  }
}

void TZMainWindow::SetSpeedControlEnabled(bool enabled) {
  if (windows_.MediaControls) {
    windows_.MediaControls->SpeedSeekbar->knob()->setEnabled(enabled);
  }
}

// ---- TZAnalyzerView

bool TZMainWindow::AnalyzerVisible() const {
  const bool fullscreen = windows_.FullscreenControl && windows_.FullscreenControl->isVisible();
  return skin_.Main.Analyzer.Visible && windows_.Main->isVisible() && !fullscreen;
}

TZAnalyzerSkin TZMainWindow::AnalyzerSkin() const {
  const TZSAnalyzer& analyzer = skin_.Main.Analyzer;
  TZAnalyzerSkin result;
  result.Picture = analyzer.Background;
  result.SpectrumHeight = analyzer.SpectrumHeight;
  result.BarWidth = analyzer.BarWidth;
  result.LineColor = QColor::fromRgb(analyzer.LineColor);
  result.PeakColor = QColor::fromRgb(analyzer.PeakColor);
  result.Align = analyzer.Align == sdRightToLeft ? 1 : 0;
  return result;
}

void TZMainWindow::ShowAnalyzer(const QImage& area) {
  windows_.Main->imgAnalyzer->setOpaquePicture(area);
}

// ---- program events

void TZMainWindow::ProgramStart() {
  TfrmMain& w = *windows_.Main;
  ShowStatusPicture(spStopped);
  SetTitleText(Language().Text(kTextReady));
  BlankTimeDisplay();
  SetPositionBar(100, 0, false);
  w.imgVolume->setRange(0, kVolumeMaximum, config_.Volume);
  w.imgVolume->DrawBar();
  w.VolumeSeekbar->setRange(0, kVolumeMaximum, config_.Volume);
  w.BalanceSeekbar->setRange(0, kBalanceMaximum, config_.Balance);
  if (TfrmVideoFullscreenControl* fullscreen = windows_.FullscreenControl) {
    fullscreen->imgVolume->setRange(0, kVolumeMaximum, config_.Volume);
    fullscreen->imgVolume->DrawBar();
    fullscreen->VolumeSeekbar->setRange(0, kVolumeMaximum, config_.Volume);
  }
  if (TfrmMediaControls* controls = windows_.MediaControls) {
    controls->SpeedSeekbar->setRange(1, 10, config_.Speed);
    for (size_t band = 0; band < controls->EqualizerBands.size(); ++band) {
      controls->EqualizerBands[band]->setRange(0, 24, config_.EQBand[band]);
    }
  }
  SetRecordChecked(false);
  ApplyWindowLayout();
  addFilesFilter_ = AddFilesFilter();
  ZLog(QStringLiteral("Filter: ") + addFilesFilter_);
  PaintScrollLabels(true);
  if (config_.AutoLiveUpdate) {
    StartLiveUpdate(true);
  }
  RedrawPlaylist();
  if (config_.NewsWindowOnStartUp) {
    emit newsRequested();
  }
}

void TZMainWindow::SkinChanged() {
  const TZSystem& state = player_->State();
  if (state.Paused) {
    ShowStatusPicture(spPaused);
  } else if (state.Playing) {
    ShowStatusPicture(spPlaying);
  } else {
    ShowStatusPicture(spStopped);
    SetTitleText(Language().Text(kTextReady));
  }
  if (!state.Playing) {
    BlankTimeDisplay();
  }
  windows_.Main->imgProgressBar->DrawBar();
  windows_.Main->imgVolume->DrawBar();
  ApplyWindowLayout();
  if (analyzer_) {
    analyzer_->ResetForItem();
  }
  PaintScrollLabels(true);
}

void TZMainWindow::StorePositions() {
  config_.MainPos = windows_.Main->pos();
  if (windows_.Playlist) {
    config_.PlaylistPos = windows_.Playlist->pos();
    config_.PlaylistSize = windows_.Playlist->size();
  }
  if (windows_.MediaControls) {
    config_.MediaControlsPos = windows_.MediaControls->pos();
  }
}

// The windows stay hidden until start-up is over; from then on the layout shows them at once.
void TZMainWindow::ShowLayoutWindows() {
  windows_.Main->setVisible(config_.MainVis);
  if (windows_.Playlist) {
    windows_.Playlist->setVisible(config_.PlaylistVis);
  }
  if (windows_.MediaControls) {
    windows_.MediaControls->setVisible(config_.MediaConVis);
  }
  UpdateWindowMenuChecks();
  emit trayStateChanged();
}

// Places first, then visibility, so that no window shows at a stale place.
void TZMainWindow::ApplyWindowLayout() {
  TfrmMain& w = *windows_.Main;
  w.move(config_.MainPos);
  if (TfrmPlaylist* playlist = windows_.Playlist) {
    playlist->move(config_.PlaylistPos);
    playlist->resize(config_.PlaylistSize.expandedTo(playlist->minimumSize()));
  }
  if (TfrmMediaControls* controls = windows_.MediaControls) {
    controls->move(config_.MediaControlsPos);
    for (size_t band = 0; band < controls->EqualizerBands.size(); ++band) {
      controls->EqualizerBands[band]->setPosition(config_.EQBand[band]);
    }
  }
  if (running_) {
    ShowLayoutWindows();
  }
  w.imgPlaylistCheckbox->setChecked(config_.PlaylistVis);
  w.imgEqualizerCheckbox->setChecked(config_.MediaConVis);
  w.imgMuteCheckbox->setChecked(config_.Mute);
  w.imgPlaymodeCheckbox->setChecked(config_.PlayMode);
  w.imgAutofullscreenCheckbox->setChecked(config_.AutoFullscreen);
  w.imgAutoVideoResizeCheckbox->setChecked(config_.AutoVideoResize);
  // Only the main window's title moves; the one over fullscreen video always stands still.
  w.imgScrolllabel->applyMoveSetting(config_.SLMoveProg);
  PaintScrollLabels(true);
}

bool TZMainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched != windows_.Main) {
    return false;
  }
  switch (event->type()) {
    case QEvent::ToolTip:
      ShowControlHint(*windows_.Main, *static_cast<QHelpEvent*>(event));
      return true;
    case QEvent::ContextMenu: {
      auto* menu = static_cast<QContextMenuEvent*>(event);
      if (!HasOwnRightButton(windows_.Main->controlAt(menu->pos()))) {
        MainMenu().popup(menu->globalPos());
      }
      return true;
    }
    case QEvent::DragEnter: {
      auto* drag = static_cast<QDragEnterEvent*>(event);
      if (drag->mimeData()->hasUrls()) {
        drag->acceptProposedAction();
      }
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      QStringList paths;
      for (const QUrl& url : drop->mimeData()->urls()) {
        if (url.isLocalFile()) {
          paths << url.toLocalFile();
        }
      }
      drop->acceptProposedAction();
      DropPaths(paths);
      return true;
    }
    case QEvent::WindowStateChange: {
      const bool minimised = windows_.Main->isMinimized();
      restoreAction_->setEnabled(minimised);
      minimizeAction_->setEnabled(!minimised);
      emit trayStateChanged();
      return false;
    }
    case QEvent::Close:
      // Closing the main window ends the program, whatever else is open; a close during
      // start-up ("Exit" on the command line) keeps the loop from starting at all. Exit, since
      // quit would first ask the playlist and media controls windows, which refuse to close.
      closed_ = true;
      QCoreApplication::exit(0);
      return false;
    case QEvent::Show:
    case QEvent::Hide:
      UpdateWindowMenuChecks();
      return false;
    default:
      return false;
  }
}
