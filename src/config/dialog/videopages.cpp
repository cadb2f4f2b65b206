#include "config/dialog/videopages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include "config/dialog/pageparts.h"
#include "lang/language.h"
#include "lang/textids.h"

namespace {

constexpr int kHideCursorMs = 3000;
constexpr qsizetype kLanguageLength = 60;
constexpr int kBrightnessMaximum = 10000;

// One colour bar: its name, caption, range, tick spacing and the value "Reset" sets.
struct TZColourBar {
  const char* name;
  int text;
  int minimum;
  int maximum;
  int ticks;
  int reset;
};
// The brightness bar runs the other way: its position is 10000 minus the brightness.
constexpr std::array<TZColourBar, 6> kColourBars{{
    {"tbVideoBrightness", kTextVideoBrightness, 0, kBrightnessMaximum, 1000, kBrightnessMaximum},
    {"tbVideoContrast", kTextVideoContrast, 0, 20000, 10000, 10000},
    {"tbVideoHUE", kTextVideoHue, -180, 180, 36, 0},
    {"tbVideoSaturation", kTextVideoSaturation, 0, 20000, 10000, 10000},
    {"tbVideoSharpness", kTextVideoSharpness, 0, 10, 1, 5},
    {"tbVideoGamma", kTextVideoGamma, 1, 500, 50, 1},
}};

const char* const kTrackLanguages[] = {"-",        "Albanian", "Chinese", "Czech",
                                       "English",  "French",   "German",  "Italian",
                                       "Japanese", "Korean",   "Polish",  "Spanish"};

QComboBox* LanguageList(QWidget* parent, const char* name) {
  auto* list = new QComboBox(parent);
  list->setObjectName(QLatin1String(name));
  list->setEditable(true);
  list->setInsertPolicy(QComboBox::InsertAlphabetically);
  for (const char* language : kTrackLanguages) {
    list->addItem(QLatin1String(language));
  }
  list->model()->sort(0);
  return list;
}

void ShowRatio(QLineEdit& field, float value) {
  field.setText(RatioText(value));
}

float ApplyRatio(QLineEdit& field) {
  const float value = float(ReadRatio(field.text()).value_or(1.0));
  ShowRatio(field, value);
  return value;
}

}  // namespace

int CursorHideDelayMs(bool hideCursor) {
  return hideCursor ? kHideCursorMs : 0;
}

TZVideoPage::TZVideoPage(TZConfig& config, TZConfigActions& actions, QWidget* parent)
    : TZSettingsPage(config, actions, parent),
      cbAutoFS(AddCheck("cbAutoFS", kTextVideoAutoFullscreen, TZConfigGroup::Video)),
      cbAutoVideoResize(AddCheck("cbAutoVideoResize", kTextVideoAutoResize, TZConfigGroup::Video)),
      cbCenterVideo(AddCheck("cbCenterVideo", kTextVideoAutoCenter, TZConfigGroup::Video)),
      cbScreensaverDisabled(
          AddCheck("cbScreensaverDisabled", kTextVideoNoScreensaver, TZConfigGroup::Video)),
      cbHideCursor(AddCheck("cbHideCursor", kTextVideoHideCursor, TZConfigGroup::Video)),
      edtUserDefRatioX(AddNumberField("edtUserDefRatioX", TZConfigGroup::Video, true)),
      edtUserDefRatioY(AddNumberField("edtUserDefRatioY", TZConfigGroup::Video, true)),
      colourBars_{},
      btnSetColorControlsDefault(new QPushButton(this)) {
  btnSetColorControlsDefault->setObjectName(QStringLiteral("btnSetColorControlsDefault"));
  Caption([this](const TZLanguage& language) {
    btnSetColorControlsDefault->setText(language.Text(kTextVideoColourReset));
  });
  connect(btnSetColorControlsDefault, &QPushButton::clicked, this, &TZVideoPage::SetColourDefaults);

  auto* ratio = new QHBoxLayout;
  ratio->setContentsMargins(6, 2, 6, 4);
  ratio->addWidget(edtUserDefRatioX);
  ratio->addWidget(new QLabel(QStringLiteral(":"), this));
  ratio->addWidget(edtUserDefRatioY);
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->addWidget(
      AddBox(kTextVideoOnPlay, ColumnLayout({cbAutoFS, cbAutoVideoResize, cbCenterVideo})), 0, 0);
  grid->addWidget(AddBox(kTextVideoOnPlaying, ColumnLayout({cbScreensaverDisabled, cbHideCursor})),
                  0, 1);
  grid->addWidget(AddBox(kTextVideoColourControls, ColourLayout()), 1, 0, 1, 2);
  grid->addWidget(AddBox(kTextVideoUserRatio, ratio), 2, 0, 1, 2);
  grid->setRowStretch(3, 1);
}

QLayout* TZVideoPage::ColourLayout() {
  auto* grid = new QGridLayout;
  grid->setContentsMargins(6, 2, 6, 4);
  for (size_t index = 0; index < kColourBars.size(); ++index) {
    const TZColourBar& kind = kColourBars[index];
    auto* bar = new QSlider(Qt::Vertical, this);
    bar->setObjectName(QLatin1String(kind.name));
    bar->setRange(kind.minimum, kind.maximum);
    bar->setTickInterval(kind.ticks);
    bar->setTickPosition(QSlider::TicksRight);
    bar->setFixedHeight(80);
    connect(bar, &QSlider::valueChanged, this, [this] { Mark(TZConfigGroup::ColourControls); });
    colourBars_[index] = bar;
    grid->addWidget(bar, 0, int(index), Qt::AlignHCenter);
    grid->addWidget(AddLabel(kind.text), 1, int(index), Qt::AlignHCenter);
  }
  grid->addWidget(btnSetColorControlsDefault, 2, int(kColourBars.size()) - 2, 1, 2);
  return grid;
}

void TZVideoPage::SetColourDefaults() {
  for (size_t index = 0; index < kColourBars.size(); ++index) {
    const QSignalBlocker blocker(colourBars_[index]);
    colourBars_[index]->setValue(kColourBars[index].reset);
  }
  Mark(TZConfigGroup::ColourControls);
}

void TZVideoPage::Fill() {
  cbAutoFS->setChecked(config_.AutoFullscreen);
  cbAutoVideoResize->setChecked(config_.AutoVideoResize);
  cbCenterVideo->setChecked(config_.CenterVideo);
  cbScreensaverDisabled->setChecked(config_.NoScreensaver);
  cbHideCursor->setChecked(config_.HideCursor);
  ShowRatio(*edtUserDefRatioX, config_.UserRatio.Width);
  ShowRatio(*edtUserDefRatioY, config_.UserRatio.Height);
  const std::array<int, 6> positions{kBrightnessMaximum - config_.VidBrightness,
                                     config_.VidContrast,
                                     config_.VidHue,
                                     config_.VidSaturation,
                                     config_.VidSharpness,
                                     config_.VidGamma};
  for (size_t index = 0; index < colourBars_.size(); ++index) {
    const QSignalBlocker blocker(colourBars_[index]);
    colourBars_[index]->setValue(positions[index]);
  }
  btnSetColorControlsDefault->setEnabled(true);
}

void TZVideoPage::ApplyGroup(TZConfigGroup group) {
  if (group == TZConfigGroup::Video) {
    ApplyVideo();
  } else if (group == TZConfigGroup::ColourControls) {
    ApplyColourControls();
  }
}

void TZVideoPage::ApplyVideo() {
  config_.NoScreensaver = cbScreensaverDisabled->isChecked();
  config_.HideCursor = cbHideCursor->isChecked();
  actions_.ApplyVideoPicture(config_.NoScreensaver, CursorHideDelayMs(config_.HideCursor));
  config_.AutoFullscreen = cbAutoFS->isChecked();
  config_.AutoVideoResize = cbAutoVideoResize->isChecked();
  config_.CenterVideo = cbCenterVideo->isChecked();
  actions_.ShowToggles();
  config_.UserRatio = TZUserRatio{ApplyRatio(*edtUserDefRatioX), ApplyRatio(*edtUserDefRatioY)};
}

void TZVideoPage::ApplyColourControls() {
  const TZColourControls controls{kBrightnessMaximum - colourBars_[0]->value(),
                                  colourBars_[1]->value(),
                                  colourBars_[2]->value(),
                                  colourBars_[3]->value(),
                                  colourBars_[4]->value(),
                                  colourBars_[5]->value()};
  StoreColourControls(controls, config_);
  actions_.ApplyColourControls(controls);
}

TZVideoDefaultPage::TZVideoDefaultPage(TZConfig& config, TZConfigActions& actions, QWidget* parent)
    : TZSettingsPage(config, actions, parent),
      cbDefaultLanguage(LanguageList(this, "cbDefaultLanguage")),
      cbDefaultSubtitle(LanguageList(this, "cbDefaultSubtitle")),
      cbVideoDefaultSubtitleDefaultFailed(AddCheck("cbVideoDefaultSubtitleDefaultFailed",
                                                   kTextVideoDefaultFirstSubtitle,
                                                   TZConfigGroup::Subtitle)) {
  // Only the user's choices and typing mark a group; filling sets the text silently.
  connect(cbDefaultLanguage, &QComboBox::activated, this,
          [this] { Mark(TZConfigGroup::AudioLanguage); });
  connect(cbDefaultLanguage->lineEdit(), &QLineEdit::textEdited, this,
          [this] { Mark(TZConfigGroup::AudioLanguage); });
  connect(cbDefaultSubtitle, &QComboBox::activated, this,
          [this] { Mark(TZConfigGroup::Subtitle); });
  connect(cbDefaultSubtitle->lineEdit(), &QLineEdit::textEdited, this,
          [this] { Mark(TZConfigGroup::Subtitle); });
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(AddBox(kTextVideoDefaultLanguage, ColumnLayout({cbDefaultLanguage})));
  layout->addWidget(AddBox(kTextVideoDefaultSubtitle,
                           ColumnLayout({cbDefaultSubtitle, cbVideoDefaultSubtitleDefaultFailed})));
  layout->addStretch();
}

void TZVideoDefaultPage::Fill() {
  cbDefaultLanguage->setEditText(config_.VidDefaultLanguage);
  cbDefaultSubtitle->setEditText(config_.VidDefaultSubtitle);
  cbVideoDefaultSubtitleDefaultFailed->setChecked(config_.VidDefaultSubtitleFailed);
}

void TZVideoDefaultPage::ApplyGroup(TZConfigGroup group) {
  if (group == TZConfigGroup::AudioLanguage) {
    config_.VidDefaultLanguage = cbDefaultLanguage->currentText().left(kLanguageLength);
  } else if (group == TZConfigGroup::Subtitle) {
    config_.VidDefaultSubtitle = cbDefaultSubtitle->currentText().left(kLanguageLength);
    config_.VidDefaultSubtitleFailed = cbVideoDefaultSubtitleDefaultFailed->isChecked();
  }
}

TZVideoFSControlPage::TZVideoFSControlPage(TZConfig& config, TZConfigActions& actions,
                                           QWidget* parent)
    : TZSettingsPage(config, actions, parent),
      gbVideoFSControl_Enable(AddCheck("gbVideoFSControl_Enable", kTextFullscreenControlActive,
                                       TZConfigGroup::FullscreenControl)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(AddBox(kTextFullscreenControlOptions, ColumnLayout({gbVideoFSControl_Enable})));
  layout->addStretch();
}

void TZVideoFSControlPage::Fill() {
  gbVideoFSControl_Enable->setChecked(config_.VideoFSControlActive);
}

void TZVideoFSControlPage::ApplyGroup(TZConfigGroup group) {
  if (group == TZConfigGroup::FullscreenControl) {
    config_.VideoFSControlActive = gbVideoFSControl_Enable->isChecked();
  }
}
