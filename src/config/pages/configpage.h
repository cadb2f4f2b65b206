#pragma once
// One page of the settings dialog. The dialog holds the pending state and, on Apply, runs the
// marked groups in their fixed order; each page fills its controls from the running program,
// says which group a control changed and applies the groups it owns.

#include <QWidget>

#include "config/pages/configgroups.h"

class TZLanguage;

class TZConfigPage : public QWidget {
  Q_OBJECT

 public:
  using QWidget::QWidget;

  // Fills every control from the stored state when the dialog opens; filling never marks a group.
  virtual void Fill() = 0;
  // Applies one of the page's groups; the dialog calls it only for marked groups.
  virtual void ApplyGroup(TZConfigGroup group) = 0;
  // Shows the page's captions, items and hints in the language.
  virtual void ApplyTexts(const TZLanguage& language) = 0;
  // The page was chosen in the page tree.
  virtual void PageShown() {}

 signals:
  void groupChanged(TZConfigGroup group);
  // A control took back what marked the group (the Filetypes page's "no change" choice).
  void groupCleared(TZConfigGroup group);
};
