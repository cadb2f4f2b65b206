#include "config/pages/filetypespage.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "config/pages/pagewidgets.h"
#include "desktop/shellintegration.h"
#include "lang/language.h"
#include "lang/textids.h"

TZFiletypesPage::TZFiletypesPage(TZShellRegistration& shell, TZPageMessage showMessage,
                                 QWidget* parent)
    : TZConfigPage(parent), shell_(shell), showMessage_(std::move(showMessage)) {
  BuildControls();
  ApplyTexts(TZLanguage());
}

void TZFiletypesPage::BuildControls() {
  gbFiletypes_ = new QGroupBox(this);
  rbRegFiletypes_ = new QRadioButton(gbFiletypes_);
  rbRegFiletypes_->setObjectName(QStringLiteral("rbRegFiletypes"));
  rbUnregFiletypes_ = new QRadioButton(gbFiletypes_);
  rbUnregFiletypes_->setObjectName(QStringLiteral("rbUnregFiletypes"));
  rbNoneFiletypes_ = new QRadioButton(gbFiletypes_);
  rbNoneFiletypes_->setObjectName(QStringLiteral("rbNoneFiletypes"));
  choice_ = new QButtonGroup(this);
  for (QRadioButton* button : {rbRegFiletypes_, rbUnregFiletypes_, rbNoneFiletypes_}) {
    choice_->addButton(button);
    // Only the user's clicks count as changes; filling the page sets the buttons silently.
    connect(button, &QRadioButton::clicked, this, &TZFiletypesPage::ChoiceChanged);
  }

  clbFiletypes_ = new QListWidget(gbFiletypes_);
  clbFiletypes_->setObjectName(QStringLiteral("clbFiletypes"));
  btnFTSelectAll_ = NewNamedButton("btnFTSelectAll", gbFiletypes_);
  btnFTSelectNone_ = NewNamedButton("btnFTSelectNone", gbFiletypes_);
  btnRefreshFiletypes_ = NewNamedButton("btnRefreshFiletypes", gbFiletypes_);
  connect(btnFTSelectAll_, &QPushButton::clicked, this, [this] { SetAllTicked(true); });
  connect(btnFTSelectNone_, &QPushButton::clicked, this, [this] { SetAllTicked(false); });
  connect(btnRefreshFiletypes_, &QPushButton::clicked, this, &TZFiletypesPage::FillFiletypeList);

  cbGeneralEnableContextMenu_ = new QCheckBox(this);
  cbGeneralEnableContextMenu_->setObjectName(QStringLiteral("cbGeneralEnableContextMenu"));
  connect(cbGeneralEnableContextMenu_, &QCheckBox::clicked, this,
          [this] { emit groupChanged(TZConfigGroup::ContextMenu); });
  cbGeneralEnableContextMenuDVD_ = new QCheckBox(this);
  cbGeneralEnableContextMenuDVD_->setObjectName(QStringLiteral("cbGeneralEnableContextMenuDVD"));
  connect(cbGeneralEnableContextMenuDVD_, &QCheckBox::clicked, this,
          [this] { emit groupChanged(TZConfigGroup::DvdContextMenu); });

  auto* choices = new QVBoxLayout;
  choices->addWidget(rbRegFiletypes_);
  choices->addWidget(rbUnregFiletypes_);
  choices->addWidget(rbNoneFiletypes_);
  choices->addStretch();
  choices->addWidget(btnFTSelectAll_);
  choices->addWidget(btnFTSelectNone_);
  choices->addWidget(btnRefreshFiletypes_);
  auto* group = new QHBoxLayout(gbFiletypes_);
  group->addWidget(clbFiletypes_, 1);
  group->addLayout(choices);

  auto* page = new QVBoxLayout(this);
  page->setContentsMargins(0, 0, 0, 0);
  page->addWidget(gbFiletypes_, 1);
  page->addWidget(cbGeneralEnableContextMenu_);
  page->addWidget(cbGeneralEnableContextMenuDVD_);
}

void TZFiletypesPage::Fill() {
  rbNoneFiletypes_->setChecked(true);
  FillFiletypeList();
  cbGeneralEnableContextMenu_->setChecked(shell_.VerbsRegistered());
  cbGeneralEnableContextMenuDVD_->setChecked(shell_.DvdRegistered());
  EnableList();
}

void TZFiletypesPage::FillFiletypeList() {
  clbFiletypes_->clear();
  for (const QString& extension : RegistrableExtensions()) {
    auto* item = new QListWidgetItem(extension, clbFiletypes_);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(shell_.FileTypeRegistered(extension) ? Qt::Checked : Qt::Unchecked);
  }
  clbFiletypes_->sortItems();
}

void TZFiletypesPage::EnableList() {
  const bool usable = !rbNoneFiletypes_->isChecked();
  for (QWidget* control : std::initializer_list<QWidget*>{clbFiletypes_, btnFTSelectAll_,
                                                          btnFTSelectNone_, btnRefreshFiletypes_}) {
    control->setEnabled(usable);
  }
}

void TZFiletypesPage::ChoiceChanged() {
  EnableList();
  if (rbNoneFiletypes_->isChecked()) {
    emit groupCleared(TZConfigGroup::FileTypes);
  } else {
    emit groupChanged(TZConfigGroup::FileTypes);
  }
}

void TZFiletypesPage::SetAllTicked(bool ticked) {
  for (int row = 0; row < clbFiletypes_->count(); ++row) {
    clbFiletypes_->item(row)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
  }
  emit groupChanged(TZConfigGroup::FileTypes);
}

QStringList TZFiletypesPage::TickedExtensions() const {
  QStringList ticked;
  for (int row = 0; row < clbFiletypes_->count(); ++row) {
    const QListWidgetItem* item = clbFiletypes_->item(row);
    if (item->checkState() == Qt::Checked) {
      ticked << item->text();
    }
  }
  return ticked;
}

void TZFiletypesPage::ApplyGroup(TZConfigGroup group) {
  switch (group) {
    case TZConfigGroup::FileTypes:
      ApplyFileTypes();
      break;
    case TZConfigGroup::ContextMenu:
      ReportContextMenu(cbGeneralEnableContextMenu_->isChecked() ? shell_.RegisterVerbs()
                                                                 : shell_.UnregisterVerbs());
      break;
    case TZConfigGroup::DvdContextMenu:
      ReportContextMenu(cbGeneralEnableContextMenuDVD_->isChecked() ? shell_.RegisterDvd()
                                                                    : shell_.UnregisterDvd());
      break;
    default:
      break;
  }
}

void TZFiletypesPage::ApplyFileTypes() {
  // The shell code tells the desktop's indexes itself after writing.
  if (rbRegFiletypes_->isChecked()) {
    showMessage_(shell_.RegisterFileTypes(TickedExtensions())
                     ? QStringLiteral("Filetypes successfull registered.")
                     : QStringLiteral("Filetypes could not all be registered: a registration "
                                      "file could not be written."));
  } else if (rbUnregFiletypes_->isChecked()) {
    showMessage_(shell_.UnregisterFileTypes(TickedExtensions())
                     ? QStringLiteral("Filetypes successfull unregistered.")
                     : QStringLiteral("Filetypes could not all be unregistered: a registration "
                                      "file could not be written."));
  }
}

// The context menus change silently; only a failed write is worth a word.
void TZFiletypesPage::ReportContextMenu(bool written) {
  if (!written) {
    showMessage_(QStringLiteral(
        "The context menu entries could not be changed: a registration file could not be "
        "written."));
  }
}

void TZFiletypesPage::ApplyTexts(const TZLanguage& language) {
  rbRegFiletypes_->setText(language.Text(kTextFileTypesRegister));
  rbUnregFiletypes_->setText(language.Text(kTextFileTypesUnregister));
  rbNoneFiletypes_->setText(language.Text(kTextFileTypesNone));
  btnRefreshFiletypes_->setText(language.Text(kTextFileTypesRefresh));
  btnFTSelectNone_->setText(language.Text(kTextFileTypesSelectNone));
  btnFTSelectAll_->setText(language.Text(kTextFileTypesSelectAll));
  cbGeneralEnableContextMenu_->setText(language.Text(kTextFileTypesContextMenu));
  cbGeneralEnableContextMenuDVD_->setText(language.Text(kTextFileTypesContextMenuDvd));
  gbFiletypes_->setTitle(language.Text(kTextPageFileTypes));
}
