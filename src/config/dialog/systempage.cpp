#include "config/dialog/systempage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

#include "config/dialog/pageparts.h"
#include "lang/language.h"
#include "lang/textids.h"

namespace {

QSlider* FallOffBar(QWidget* parent, const char* name, int maximum) {
  auto* bar = new QSlider(Qt::Horizontal, parent);
  bar->setObjectName(QLatin1String(name));
  bar->setRange(0, maximum);
  bar->setTickPosition(QSlider::TicksBelow);
  bar->setTickInterval(1);
  return bar;
}

}  // namespace

TZSystemPage::TZSystemPage(TZConfig& config, TZConfigActions& actions, QWidget* parent)
    : TZSettingsPage(config, actions, parent),
      rgPlaymode(AddRadioGroup("rgPlaymode", kTextSystemPlayMode,
                               {kTextSystemPlayModeNone, kTextSystemRepeat, kTextSystemRandom,
                                kTextSystemNextUntilEnd, kTextSystemNextLoop},
                               TZConfigGroup::PlayMode)),
      rbAnalyzerLines(new QRadioButton(this)),
      rbAnalyzerBars(new QRadioButton(this)),
      cbAnalyzerShowPeaks(
          AddCheck("cbAnalyzerShowPeaks", kTextSystemShowPeaks, TZConfigGroup::Analyser)),
      cbAnalyzerShowSpectrum(
          AddCheck("cbAnalyzerShowSpectrum", kTextSystemShowSpectrum, TZConfigGroup::Analyser)),
      cbAnalyzerMotionBlur(
          AddCheck("cbAnalyzerMotionBlur", kTextSystemMotionBlur, TZConfigGroup::Analyser)),
      lblPeaksFallOff(AddLabel(kTextSystemPeakFall)),
      tbPeaksFallOff(FallOffBar(this, "tbPeaksFallOff", 3)),
      lblLinesFallOff(AddLabel(kTextSystemLineFall)),
      tbLinesFallOff(FallOffBar(this, "tbLinesFallOff", 10)) {
  rbAnalyzerLines->setObjectName(QStringLiteral("rbAnalyzerLines"));
  rbAnalyzerBars->setObjectName(QStringLiteral("rbAnalyzerBars"));
  for (const auto& choice :
       {std::pair{rbAnalyzerLines, kTextSystemLines}, std::pair{rbAnalyzerBars, kTextSystemBars}}) {
    QRadioButton* button = choice.first;
    const int text = choice.second;
    Caption([button, text](const TZLanguage& language) { button->setText(language.Text(text)); });
    connect(button, &QRadioButton::clicked, this, [this] { Mark(TZConfigGroup::Analyser); });
  }
  for (QSlider* bar : {tbPeaksFallOff, tbLinesFallOff}) {
    connect(bar, &QSlider::valueChanged, this, [this] { Mark(TZConfigGroup::Analyser); });
  }
  connect(cbAnalyzerShowSpectrum, &QCheckBox::toggled, this, &TZSystemPage::EnableAnalyzerControls);

  auto* analyzer = new QGridLayout;
  analyzer->setContentsMargins(6, 2, 6, 4);
  analyzer->addWidget(rbAnalyzerLines, 0, 0);
  analyzer->addWidget(rbAnalyzerBars, 1, 0);
  analyzer->addWidget(cbAnalyzerShowSpectrum, 0, 1);
  analyzer->addWidget(cbAnalyzerShowPeaks, 1, 1);
  analyzer->addWidget(cbAnalyzerMotionBlur, 2, 1);
  analyzer->addWidget(lblPeaksFallOff, 3, 0);
  analyzer->addWidget(tbPeaksFallOff, 3, 1);
  analyzer->addWidget(lblLinesFallOff, 4, 0);
  analyzer->addWidget(tbLinesFallOff, 4, 1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(rgPlaymode);
  layout->addWidget(AddBox(kTextSystemAnalyzer, analyzer));
  layout->addStretch();
}

void TZSystemPage::ShowPlayMode() {
  const bool shown = config_.PlayMode && config_.PlayModeIndex > 0 && config_.PlayModeIndex <= 4;
  rgPlaymode->SetIndex(shown ? config_.PlayModeIndex : 0);
}

void TZSystemPage::EnableAnalyzerControls() {
  const bool on = cbAnalyzerShowSpectrum->isChecked();
  for (QWidget* control : std::initializer_list<QWidget*>{
           rbAnalyzerLines, rbAnalyzerBars, cbAnalyzerShowPeaks, cbAnalyzerMotionBlur,
           lblPeaksFallOff, tbPeaksFallOff, lblLinesFallOff, tbLinesFallOff}) {
    control->setEnabled(on);
  }
}

void TZSystemPage::Fill() {
  const QSignalBlocker peaks(tbPeaksFallOff);
  const QSignalBlocker lines(tbLinesFallOff);
  ShowPlayMode();
  rbAnalyzerLines->setChecked(config_.SpectrumType == stLines);
  rbAnalyzerBars->setChecked(config_.SpectrumType == stBars);
  cbAnalyzerShowPeaks->setChecked(config_.ShowPeaks);
  cbAnalyzerShowSpectrum->setChecked(config_.ShowSpectrum);
  cbAnalyzerMotionBlur->setChecked(config_.SpectrumBlur);
  tbPeaksFallOff->setValue(config_.FallsOff.Peaks);
  tbLinesFallOff->setValue(config_.FallsOff.Bars);
  EnableAnalyzerControls();
}

void TZSystemPage::ApplyGroup(TZConfigGroup group) {
  if (group == TZConfigGroup::PlayMode) {
    const int item = rgPlaymode->Index();
    config_.PlayMode = item > 0;
    if (item > 0) {
      config_.PlayModeIndex = item;
    }
    actions_.ShowToggles();
  } else if (group == TZConfigGroup::Analyser) {
    config_.SpectrumType = rbAnalyzerLines->isChecked() ? stLines : stBars;
    config_.ShowPeaks = cbAnalyzerShowPeaks->isChecked();
    config_.ShowSpectrum = cbAnalyzerShowSpectrum->isChecked();
    config_.FallsOff =
        TZFallOff{std::int8_t(tbPeaksFallOff->value()), std::int8_t(tbLinesFallOff->value())};
    config_.SpectrumBlur = cbAnalyzerMotionBlur->isChecked();
    actions_.ApplyAnalyzer();
  }
}
