#include "config/dialog/settingspage.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>

#include "config/dialog/pageparts.h"
#include "lang/language.h"

TZSettingsPage::TZSettingsPage(TZConfig& config, TZConfigActions& actions, QWidget* parent)
    : TZConfigPage(parent), config_(config), actions_(actions) {}

void TZSettingsPage::ApplyTexts(const TZLanguage& language) {
  for (const auto& caption : captions_) {
    caption(language);
  }
}

void TZSettingsPage::Caption(std::function<void(const TZLanguage&)> setter) {
  captions_.push_back(std::move(setter));
}

QCheckBox* TZSettingsPage::AddCheck(const char* name, int text, TZConfigGroup group) {
  auto* box = new QCheckBox(this);
  box->setObjectName(QLatin1String(name));
  Caption([box, text](const TZLanguage& language) { box->setText(language.Text(text)); });
  connect(box, &QCheckBox::clicked, this, [this, group] { Mark(group); });
  return box;
}

QGroupBox* TZSettingsPage::AddBox(int text, QLayout* layout) {
  auto* box = new QGroupBox(this);
  box->setLayout(layout);
  Caption([box, text](const TZLanguage& language) { box->setTitle(language.Text(text)); });
  return box;
}

QLabel* TZSettingsPage::AddLabel(int text) {
  auto* label = new QLabel(this);
  Caption([label, text](const TZLanguage& language) { label->setText(language.Text(text)); });
  return label;
}

TZRadioGroup* TZSettingsPage::AddRadioGroup(const char* name, int title, std::vector<int> items,
                                            TZConfigGroup group) {
  auto* radio = new TZRadioGroup(title, std::move(items), this);
  radio->setObjectName(QLatin1String(name));
  Caption([radio](const TZLanguage& language) { radio->ApplyTexts(language); });
  connect(radio, &TZRadioGroup::chosen, this, [this, group] { Mark(group); });
  return radio;
}

TZNumberField* TZSettingsPage::AddNumberField(const char* name, TZConfigGroup group,
                                              bool acceptComma) {
  auto* field = new TZNumberField(acceptComma, this);
  field->setObjectName(QLatin1String(name));
  connect(field, &TZNumberField::numberKeyPressed, this, [this, group] { Mark(group); });
  return field;
}
