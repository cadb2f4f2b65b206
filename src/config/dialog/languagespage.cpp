#include "config/dialog/languagespage.h"

#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "lang/language.h"
#include "lang/textformat.h"
#include "lang/textids.h"

TZLanguagesPage::TZLanguagesPage(TZConfig& config, TZConfigActions& actions, QWidget* parent)
    : TZSettingsPage(config, actions, parent),
      lbLanguages(new QListWidget(this)),
      lblLastLanguage(new QLabel(this)) {
  lbLanguages->setObjectName(QStringLiteral("lbLanguages"));
  lblLastLanguage->setObjectName(QStringLiteral("lblLastLanguage"));
  connect(lbLanguages, &QListWidget::itemClicked, this, &TZLanguagesPage::ChooseLanguage);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(lbLanguages);
  layout->addWidget(lblLastLanguage);
}

void TZLanguagesPage::Fill() {
  lbLanguages->clear();
  lbLanguages->addItems(AvailableLanguages());
  ShowLanguageLabel();
}

void TZLanguagesPage::ApplyGroup(TZConfigGroup) {}

void TZLanguagesPage::ApplyTexts(const TZLanguage& language) {
  TZSettingsPage::ApplyTexts(language);
  ShowLanguageLabel();
}

void TZLanguagesPage::ShowLanguageLabel() {
  lblLastLanguage->setText(FormatText(Language().Text(kTextLanguageLabel), {config_.Language}));
}

void TZLanguagesPage::ChooseLanguage(QListWidgetItem* item) {
  const QString name = item->text();
  const bool usable = name == kDefaultLanguageName || QFile::exists(LanguageFilePath(name));
  emit languageChosen(usable ? name : QString());
}
