#include "config/dialog/audiopage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <array>
#include <cstdint>

#include "base/programpath.h"
#include "config/dialog/pageparts.h"
#include "lang/textids.h"

namespace {

constexpr int kFaderFallback = 5000;
constexpr int kVolumeFaderFallback = 500;
constexpr int kRetriesFallback = 3;
constexpr int kRetryTimeFallback = 1000;
// The fade times are kept in 16 bits.
constexpr int kFadeTimeMaximum = INT16_MAX;
constexpr qsizetype kFormatMaskLength = 255;

// The speaker set-ups in the order of the list, and the value each stores.
constexpr std::array<int, 5> kSpeakerValues{2, 4, 6, 7, 8};
const char* const kSpeakerItems[] = {"2/2.1 Speakers", "4/4.1 Speakers", "5.1 Speakers",
                                     "6.1 Speakers", "7.1 Speakers"};

// The item that shows a stored speaker value; -1 keeps the list's selection.
int SpeakerItem(int speakers) {
  if (speakers <= 3) {
    return 0;
  }
  if (speakers <= 5) {
    return 1;
  }
  return speakers <= 8 ? speakers - 4 : -1;
}

QComboBox* List(QWidget* parent, const char* name) {
  auto* list = new QComboBox(parent);
  list->setObjectName(QLatin1String(name));
  return list;
}

QLineEdit* TextField(QWidget* parent, const char* name) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(QLatin1String(name));
  return field;
}

void ApplyFader(const QCheckBox& active, QLineEdit& count, int fallback, TZFadeSetting& fader) {
  int time = 0;
  ApplyCountField(count, fallback, kFadeTimeMaximum, time);
  fader = TZFadeSetting{active.isChecked(), std::int16_t(time)};
}

}  // namespace

TZAudioPage::TZAudioPage(TZConfig& config, TZConfigActions& actions, QWidget* parent)
    : TZSettingsPage(config, actions, parent),
      cbFader(AddCheck("cbFader", kTextAudioCrossfadeActive, TZConfigGroup::CrossFader)),
      edFaderCount(AddNumberField("edFaderCount", TZConfigGroup::CrossFader)),
      lblFaderUnit(AddLabel(kTextAudioCrossfadeMsec)),
      cbVFader(AddCheck("cbVFader", kTextAudioVolumeFadeActive, TZConfigGroup::VolumeFader)),
      edVFaderCount(AddNumberField("edVFaderCount", TZConfigGroup::VolumeFader)),
      lblVFaderUnit(AddLabel(kTextAudioVolumeFadeMsec)),
      edURLMaxDelay(AddNumberField("edURLMaxDelay", TZConfigGroup::NetRadio)),
      edURLTimeRetry(AddNumberField("edURLTimeRetry", TZConfigGroup::NetRadio)),
      rgbLSASConvertTo(AddRadioGroup("rgbLSASConvertTo", kTextAudioSaveTo,
                                     {kTextAudioSaveNone, kTextAudioSaveMp3},
                                     TZConfigGroup::NetRadio)),
      cbLSASAutoChangeTitle(
          AddCheck("cbLSASAutoChangeTitle", kTextAudioAutoTitle, TZConfigGroup::NetRadio)),
      cbLSASAutoRecord(AddCheck("cbLSASAutoRecord", kTextAudioAutoRecord, TZConfigGroup::NetRadio)),
      edtLSASFormatmask(TextField(this, "edtLSASFormatmask")),
      edtLSASOutputPath(TextField(this, "edtLSASOutputPath")),
      btnLSASChooseOutputPath(new QPushButton(QStringLiteral("..."), this)),
      cbBassOutputDevice(List(this, "cbBassOutputDevice")),
      cbAudioSpeakers(List(this, "cbAudioSpeakers")) {
  for (const char* item : kSpeakerItems) {
    cbAudioSpeakers->addItem(QLatin1String(item));
  }
  // Typing marks the group; filling the fields does not (textEdited is the user's only).
  for (QLineEdit* field : {edtLSASFormatmask, edtLSASOutputPath}) {
    connect(field, &QLineEdit::textEdited, this, [this] { Mark(TZConfigGroup::NetRadio); });
  }
  connect(btnLSASChooseOutputPath, &QPushButton::clicked, this, &TZAudioPage::ChooseOutputPath);
  connect(cbBassOutputDevice, &QComboBox::activated, this,
          [this] { Mark(TZConfigGroup::OutputDevice); });
  connect(cbAudioSpeakers, &QComboBox::activated, this, [this] { Mark(TZConfigGroup::Speakers); });
  for (QCheckBox* box : {cbFader, cbVFader}) {
    connect(box, &QCheckBox::toggled, this, &TZAudioPage::EnableFaderCounts);
  }

  auto* device = new QVBoxLayout;
  device->setContentsMargins(6, 2, 6, 4);
  device->addWidget(cbBassOutputDevice);
  QLabel* speakers = AddLabel(kTextAudioSpeakers);
  speakers->setWordWrap(true);
  device->addWidget(speakers);
  device->addWidget(cbAudioSpeakers);
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setVerticalSpacing(2);
  grid->addWidget(AddBox(kTextAudioCrossfader, FaderRow(cbFader, edFaderCount, lblFaderUnit)), 0,
                  0);
  grid->addWidget(AddBox(kTextAudioVolumeFader, FaderRow(cbVFader, edVFaderCount, lblVFaderUnit)),
                  0, 1);
  grid->addWidget(AddBox(kTextAudioNetRadio, NetRadioLayout()), 1, 0);
  grid->addWidget(AddBox(kTextAudioOutputDevice, device), 1, 1);
  grid->addWidget(AddBox(kTextAudioStreamSaving, SavingLayout()), 2, 0, 1, 2);
  grid->setRowStretch(3, 1);
}

QLayout* TZAudioPage::FaderRow(QCheckBox* active, TZNumberField* count, QLabel* unit) {
  auto* row = new QHBoxLayout;
  row->setContentsMargins(6, 2, 6, 4);
  row->addWidget(active);
  row->addWidget(count);
  row->addWidget(unit);
  return row;
}

QLayout* TZAudioPage::NetRadioLayout() {
  auto* grid = new QGridLayout;
  grid->setContentsMargins(6, 2, 6, 4);
  grid->addWidget(AddLabel(kTextAudioMaxRetries), 0, 0);
  grid->addWidget(edURLMaxDelay, 0, 1);
  QLabel* retryTime = AddLabel(kTextAudioRetryDelay);
  retryTime->setWordWrap(true);
  grid->addWidget(retryTime, 1, 0);
  grid->addWidget(edURLTimeRetry, 1, 1);
  return grid;
}

QLayout* TZAudioPage::SavingLayout() {
  auto* grid = new QGridLayout;
  grid->setContentsMargins(6, 2, 6, 4);
  grid->setVerticalSpacing(2);
  grid->addWidget(rgbLSASConvertTo, 0, 0, 2, 1);
  grid->addWidget(cbLSASAutoChangeTitle, 0, 1);
  grid->addWidget(cbLSASAutoRecord, 1, 1);
  auto* paths = new QGridLayout;
  paths->addWidget(AddLabel(kTextAudioFormatMask), 0, 0);
  paths->addWidget(edtLSASFormatmask, 0, 1, 1, 2);
  paths->addWidget(AddLabel(kTextAudioOutputPath), 1, 0);
  paths->addWidget(edtLSASOutputPath, 1, 1);
  paths->addWidget(btnLSASChooseOutputPath, 1, 2);
  grid->addLayout(paths, 2, 0, 1, 2);
  return grid;
}

void TZAudioPage::EnableFaderCounts() {
  edFaderCount->setEnabled(cbFader->isChecked());
  lblFaderUnit->setEnabled(cbFader->isChecked());
  edVFaderCount->setEnabled(cbVFader->isChecked());
  lblVFaderUnit->setEnabled(cbVFader->isChecked());
}

void TZAudioPage::ChooseOutputPath() {
  const QString folder = QFileDialog::getExistingDirectory(
      this, QStringLiteral("Choose directory"), ProgramPath() + QStringLiteral("data/output/"));
  if (!folder.isEmpty()) {
    SetOutputPath(folder);
  }
}

void TZAudioPage::SetOutputPath(const QString& folder) {
  edtLSASOutputPath->setText(folder);
  Mark(TZConfigGroup::NetRadio);
}

void TZAudioPage::Fill() {
  cbFader->setChecked(config_.Fader.Enabled);
  edFaderCount->setText(QString::number(config_.Fader.Time));
  cbVFader->setChecked(config_.VolumeFader.Enabled);
  edVFaderCount->setText(QString::number(config_.VolumeFader.Time));
  EnableFaderCounts();
  edURLMaxDelay->setText(QString::number(config_.NumTrysURLStream));
  edURLTimeRetry->setText(QString::number(config_.TryURLTime));
  rgbLSASConvertTo->SetIndex(config_.LSASConvertTo <= 1 ? config_.LSASConvertTo : -1);
  cbLSASAutoChangeTitle->setChecked(config_.LSASAutoChangeTitle);
  cbLSASAutoRecord->setChecked(config_.LSASAutoRecord);
  edtLSASFormatmask->setText(config_.LSASFormatMask);
  edtLSASOutputPath->setText(config_.LSASOutputPath);
  cbBassOutputDevice->clear();
  cbBassOutputDevice->addItems(actions_.OutputDevices());
  const int device = config_.BassDevice;
  cbBassOutputDevice->setCurrentIndex(
      device >= 1 && device <= cbBassOutputDevice->count() ? device - 1 : 0);
  if (const int item = SpeakerItem(config_.Speakers); item >= 0) {
    cbAudioSpeakers->setCurrentIndex(item);
  }
}

void TZAudioPage::ApplyGroup(TZConfigGroup group) {
  switch (group) {
    case TZConfigGroup::CrossFader:
      ApplyFader(*cbFader, *edFaderCount, kFaderFallback, config_.Fader);
      break;
    case TZConfigGroup::VolumeFader:
      ApplyFader(*cbVFader, *edVFaderCount, kVolumeFaderFallback, config_.VolumeFader);
      break;
    case TZConfigGroup::NetRadio:
      ApplyCountField(*edURLMaxDelay, kRetriesFallback, std::numeric_limits<int>::max(),
                      config_.NumTrysURLStream);
      ApplyCountField(*edURLTimeRetry, kRetryTimeFallback, std::numeric_limits<int>::max(),
                      config_.TryURLTime);
      if (rgbLSASConvertTo->Index() >= 0) {
        config_.LSASConvertTo = std::uint8_t(rgbLSASConvertTo->Index());
      }
      config_.LSASAutoChangeTitle = cbLSASAutoChangeTitle->isChecked();
      config_.LSASAutoRecord = cbLSASAutoRecord->isChecked();
      config_.LSASFormatMask = edtLSASFormatmask->text().left(kFormatMaskLength);
      config_.LSASOutputPath = edtLSASOutputPath->text();
      break;
    case TZConfigGroup::OutputDevice:
      // Without any device found there is nothing to choose; the stored number stays.
      if (cbBassOutputDevice->currentIndex() >= 0) {
        config_.BassDevice = std::int16_t(cbBassOutputDevice->currentIndex() + 1);
      }
      actions_.ShowMessage(QStringLiteral(
          "To see a effect on your change \"Audio output device\", you must restart Zephonic."));
      break;
    case TZConfigGroup::Speakers:
      config_.Speakers = std::uint8_t(kSpeakerValues[size_t(cbAudioSpeakers->currentIndex())]);
      actions_.ApplySpeakers();
      break;
    default:
      break;
  }
}
