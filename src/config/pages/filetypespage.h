#pragma once
// The "Filetypes" page: which media types the desktop opens with the program, and the program's
// actions in the file manager's context menus for media files and for DVDs.

#include "config/pages/configpage.h"
#include "config/pages/pagemessage.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QListWidget;
class QPushButton;
class QRadioButton;
class TZShellRegistration;

class TZFiletypesPage : public TZConfigPage {
  Q_OBJECT

 public:
  TZFiletypesPage(TZShellRegistration& shell, TZPageMessage showMessage, QWidget* parent = nullptr);

  void Fill() override;
  void ApplyGroup(TZConfigGroup group) override;
  void ApplyTexts(const TZLanguage& language) override;

  // Refills the check list from the registrations as they are now.
  void FillFiletypeList();

 private:
  void BuildControls();
  void ChoiceChanged();
  void EnableList();
  void SetAllTicked(bool ticked);
  QStringList TickedExtensions() const;
  void ApplyFileTypes();
  void ReportContextMenu(bool written);

  TZShellRegistration& shell_;
  TZPageMessage showMessage_;

  QGroupBox* gbFiletypes_ = nullptr;
  QRadioButton* rbRegFiletypes_ = nullptr;
  QRadioButton* rbUnregFiletypes_ = nullptr;
  QRadioButton* rbNoneFiletypes_ = nullptr;
  QButtonGroup* choice_ = nullptr;
  QListWidget* clbFiletypes_ = nullptr;
  QPushButton* btnFTSelectAll_ = nullptr;
  QPushButton* btnFTSelectNone_ = nullptr;
  QPushButton* btnRefreshFiletypes_ = nullptr;
  QCheckBox* cbGeneralEnableContextMenu_ = nullptr;
  QCheckBox* cbGeneralEnableContextMenuDVD_ = nullptr;
};
