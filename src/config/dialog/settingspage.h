#pragma once
// What the dialog's own pages share: the record and the running program they act on, and the
// captions they take from the language table.

#include <QString>
#include <functional>
#include <vector>

#include "config/config.h"
#include "config/dialog/configactions.h"
#include "config/pages/configpage.h"

class QAbstractButton;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLayout;
class TZNumberField;
class TZRadioGroup;

class TZSettingsPage : public TZConfigPage {
  Q_OBJECT

 public:
  TZSettingsPage(TZConfig& config, TZConfigActions& actions, QWidget* parent = nullptr);

  void ApplyTexts(const TZLanguage& language) override;

 protected:
  // Controls that carry a language text; a change of a checkable one marks the group.
  QCheckBox* AddCheck(const char* name, int text, TZConfigGroup group);
  QGroupBox* AddBox(int text, QLayout* layout);
  QLabel* AddLabel(int text);
  TZRadioGroup* AddRadioGroup(const char* name, int title, std::vector<int> items,
                              TZConfigGroup group);
  // A number field that marks the group when a key that makes a number is pressed.
  TZNumberField* AddNumberField(const char* name, TZConfigGroup group, bool acceptComma = false);
  void Caption(std::function<void(const TZLanguage&)> setter);
  void Mark(TZConfigGroup group) { emit groupChanged(group); }

  TZConfig& config_;
  TZConfigActions& actions_;

 private:
  std::vector<std::function<void(const TZLanguage&)>> captions_;
};
