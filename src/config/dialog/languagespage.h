#pragma once
// The "Languages" page: the languages to choose from and the one in use. Choosing only makes a
// language pending; the dialog changes it on Apply.

#include "config/dialog/settingspage.h"

class QLabel;
class QListWidget;
class QListWidgetItem;

class TZLanguagesPage : public TZSettingsPage {
  Q_OBJECT

 public:
  TZLanguagesPage(TZConfig& config, TZConfigActions& actions, QWidget* parent = nullptr);

  void Fill() override;
  void ApplyGroup(TZConfigGroup group) override;
  void ApplyTexts(const TZLanguage& language) override;

  // "Language: %s" with the stored language.
  void ShowLanguageLabel();

 signals:
  // A language was chosen; an empty name takes back the pending one (its file is missing).
  void languageChosen(const QString& name);

 private:
  void ChooseLanguage(QListWidgetItem* item);

  QListWidget* lbLanguages;
  QLabel* lblLastLanguage;
};
