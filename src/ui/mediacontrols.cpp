#include "ui/mediacontrols.h"

#include <malloc.h>

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHelpEvent>
#include <QMenu>
#include <QMouseEvent>

#include "base/programpath.h"
#include "config/config.h"
#include "lang/textformat.h"
#include "lang/textids.h"
#include "playback/player.h"
#include "ui/skinwindows.h"
#include "ui/surfaces.h"

namespace {

const QString kPresetFilter = QStringLiteral("Zephonic Equalizer Preset (*.zeqp)");

QString PresetFolder() {
  return DataPath() + QStringLiteral("presets/");
}

// A press of the left button, or of the right one, which acts as a double-click on the sliders.
bool IsLeft(const QMouseEvent* event) {
  return event->button() == Qt::LeftButton;
}
bool IsRight(const QMouseEvent* event) {
  return event->button() == Qt::RightButton;
}

}  // namespace

QStringList PresetFiles(const QString& folder) {
  QStringList files;
  const QDir dir(folder);
  for (const QString& name :
       dir.entryList({QStringLiteral("*.zeqp")}, QDir::Files | QDir::Readable, QDir::Name)) {
    files << dir.filePath(name);
  }
  return files;
}

TZMediaControls::TZMediaControls(TfrmMediaControls& window, TZPlayer& player, TZConfig& config)
    : window_(window), player_(player), config_(config) {
  BuildMenu();
  ConnectSpeed();
  for (int band = 0; band < kEqualizerBands; ++band) {
    ConnectBand(band);
  }
  connect(window_.imgForm, &TZSkinImage::mousePressed, this, [this](QMouseEvent* event) {
    if (IsRight(event)) {
      window_.popmMediaControls->popup(event->globalPosition().toPoint());
    }
  });
  connect(window_.imgCaptionbar, &TZSkinImage::mousePressed, this,
          &TZMediaControls::OnCaptionPressed);
  player_.Equalizer().BandsChanged = [this] { ShowBands(); };
  window_.installEventFilter(this);
  ApplyTexts(Language());
}

TZMediaControls::~TZMediaControls() {
  player_.Equalizer().BandsChanged = nullptr;
}

void TZMediaControls::BuildMenu() {
  QMenu& menu = *window_.popmMediaControls;
  defaultAction_ = menu.addAction(QString(), this, &TZMediaControls::DefaultPreset);
  loadAction_ = menu.addAction(QString(), this, &TZMediaControls::LoadPresetFromDialog);
  saveAction_ = menu.addAction(QString(), this, &TZMediaControls::SavePresetFromDialog);
  menu.addSeparator();
  presetMenu_ = menu.addMenu(QString());
  connect(&menu, &QMenu::aboutToShow, this, &TZMediaControls::RebuildPresetMenu);
}

void TZMediaControls::ApplyTexts(const TZLanguage& language) {
  defaultAction_->setText(language.Text(kTextEqualizerReset));
  loadAction_->setText(language.Text(kTextEqualizerLoad));
  saveAction_->setText(language.Text(kTextEqualizerSave));
  presetMenu_->setTitle(language.Text(kTextEqualizerPresets));
  window_.SpeedSeekbar->knob()->setProperty(kHintProperty, language.Text(kTextSpeedHint));
}

void TZMediaControls::LoadSliders() {
  window_.SpeedSeekbar->setRange(kSpeedMin, kSpeedMax, config_.Speed);
  ShowBands();
}

void TZMediaControls::ShowBands() {
  const TZBandPositions& positions = player_.Equalizer().Positions();
  for (int band = 0; band < kEqualizerBands; ++band) {
    window_.EqualizerBands[size_t(band)]->setRange(0, TZEqualizer::kMaxPosition,
                                                   positions[size_t(band)]);
  }
}

int TZMediaControls::SpeedPosition() const {
  return int(window_.SpeedSeekbar->range().Position);
}

void TZMediaControls::SetSpeedPosition(int step) {
  window_.SpeedSeekbar->setPosition(step);
}

void TZMediaControls::SetSpeedEnabled(bool enabled) {
  window_.SpeedSeekbar->knob()->setEnabled(enabled);
}

// The slider's own handlers run first (connected when it was made): the knob has moved when
// these see the event.
void TZMediaControls::ConnectSpeed() {
  TZSkinSeekbar& speed = *window_.SpeedSeekbar;
  connect(speed.knob(), &TZSkinImage::mousePressed, this, [this](QMouseEvent* event) {
    if (IsLeft(event)) {
      player_.ApplySpeed();
    } else if (IsRight(event)) {
      ResetSpeed();
    }
  });
  connect(speed.knob(), &TZSkinImage::mouseMoved, this, [this, &speed](QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton && speed.isDragging()) {
      player_.SetSpeed(SpeedPosition());
    }
  });
  connect(speed.knob(), &TZSkinImage::mouseDoubleClicked, this, &TZMediaControls::ResetSpeed);
}

void TZMediaControls::ResetSpeed() {
  config_.Speed = kNormalSpeed;
  SetSpeedPosition(kNormalSpeed);
  player_.SetSpeed(kNormalSpeed);
}

void TZMediaControls::ConnectBand(int band) {
  TZSkinSeekbar& bar = *window_.EqualizerBands[size_t(band)];
  connect(bar.knob(), &TZSkinImage::mousePressed, this, [this, band, &bar](QMouseEvent* event) {
    if (IsLeft(event)) {
      TakeBand(band, int(bar.range().Position));
    } else if (IsRight(event)) {
      TakeBand(band, TZEqualizer::kZeroPosition);
    }
  });
  connect(bar.knob(), &TZSkinImage::mouseMoved, this, [this, band, &bar](QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton && bar.isDragging()) {
      TakeBand(band, int(bar.range().Position));
    }
  });
  connect(bar.knob(), &TZSkinImage::mouseDoubleClicked, this,
          [this, band] { TakeBand(band, TZEqualizer::kZeroPosition); });
}

// SetBandGain keeps the position and sets the sound channels; ApplyEqualizer also carries it to
// a filter graph's equalizer.
void TZMediaControls::TakeBand(int band, int position) {
  window_.EqualizerBands[size_t(band)]->setPosition(position);
  TZEqualizer& equalizer = player_.Equalizer();
  equalizer.SetBandGain(band, position);
  equalizer.ApplyEqualizer();
  ShowBandStatus(band);
}

void TZMediaControls::ShowBandStatus(int band) {
  const TZEqualizer& equalizer = player_.Equalizer();
  player_.ShowStatusMessage(FormatText(Language().Text(kTextEqualizerBand),
                                       {TZEqualizer::BandLabel(band), equalizer.GainLabel(band)}));
}

void TZMediaControls::DefaultPreset() {
  player_.Equalizer().DefaultPreset();
}

void TZMediaControls::LoadPreset(const QString& fileName) {
  player_.Equalizer().LoadPreset(fileName);
}

void TZMediaControls::SavePreset(const QString& fileName) {
  player_.Equalizer().SavePreset(fileName);
}

void TZMediaControls::LoadPresetFromDialog() {
  const QString fileName = QFileDialog::getOpenFileName(
      &window_, QStringLiteral("Load Zephonic Equalizer preset..."), PresetFolder(), kPresetFilter);
  if (!fileName.isEmpty()) {
    LoadPreset(fileName);
  }
}

void TZMediaControls::SavePresetFromDialog() {
  QFileDialog dialog(&window_, QStringLiteral("Save Zephonic Equalizer preset..."), PresetFolder(),
                     kPresetFilter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QStringLiteral("zeqp"));
  if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
    SavePreset(dialog.selectedFiles().constFirst());
  }
}

// Each entry loads the file it lists, whatever blanks or letter case its name has.
void TZMediaControls::RebuildPresetMenu() {
  presetMenu_->clear();
  for (const QString& file : PresetFiles(PresetFolder())) {
    presetMenu_->addAction(QFileInfo(file).completeBaseName(), this,
                           [this, file] { LoadPreset(file); });
  }
}

void TZMediaControls::ShowWindow(bool visible) {
  config_.MediaConVis = visible;
  window_.setVisible(visible);
}

void TZMediaControls::ToggleWindow() {
  ShowWindow(!window_.isVisible());
}

void TZMediaControls::OnCaptionPressed(QMouseEvent* event) {
  if (IsLeft(event)) {
    window_.activateWindow();
    window_.StartMove(*event);
  } else if (IsRight(event) && captionMenu_) {
    captionMenu_->popup(event->globalPosition().toPoint());
  }
}

bool TZMediaControls::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &window_) {
    return false;
  }
  switch (event->type()) {
    case QEvent::Close:
      event->ignore();
      return true;
    case QEvent::ToolTip:
      ShowControlHint(window_, *static_cast<QHelpEvent*>(event));
      return true;
    case QEvent::Show:
      emit visibilityChanged(true);
      break;
    case QEvent::Hide:
      emit visibilityChanged(false);
      if (config_.SwapMemoryMngt) {
        malloc_trim(0);
      }
      break;
    default:
      break;
  }
  return false;
}
