#include "config/pages/videofilterpage.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "config/pages/graphtyperows.h"
#include "config/pages/pagewidgets.h"
#include "lang/textids.h"

namespace {

enum Column { kTypeColumn, kScriptColumn };

// The graph list keeps names of at most this many characters.
constexpr int kGraphNameLength = 255;

}  // namespace

TZScriptCatalogueSource ScriptCatalogueOf(TZGraphScripts& scripts) {
  return [&scripts] {
    scripts.BuildScriptCatalogue();
    return scripts.Catalogue();
  };
}

TZVideoFilterPage::TZVideoFilterPage(TZConfig& config, TZScriptCatalogueSource catalogue,
                                     QWidget* parent)
    : TZConfigPage(parent), config_(config), catalogueSource_(std::move(catalogue)) {
  BuildControls();
  ApplyTexts(language_);
}

void TZVideoFilterPage::BuildControls() {
  gbDvdScript_ = new QGroupBox(this);
  cbFilterDVDGraph_ = new QComboBox(gbDvdScript_);
  cbFilterDVDGraph_->setObjectName(QStringLiteral("cbFilterDVDGraph"));
  connect(cbFilterDVDGraph_, &QComboBox::currentIndexChanged, this, [this] {
    if (!filling_) {
      emit groupChanged(TZConfigGroup::DvdScript);
    }
  });
  auto* dvd = new QVBoxLayout(gbDvdScript_);
  dvd->addWidget(cbFilterDVDGraph_);

  gbMediaTypes_ = new QGroupBox(this);
  lvDSGraphTypeList_ = new QTreeWidget(gbMediaTypes_);
  lvDSGraphTypeList_->setObjectName(QStringLiteral("lvDSGraphTypeList"));
  lvDSGraphTypeList_->setRootIsDecorated(false);
  lvDSGraphTypeList_->setColumnCount(2);
  lvDSGraphTypeList_->setSelectionMode(QAbstractItemView::SingleSelection);
  lvDSGraphTypeList_->header()->setSectionResizeMode(QHeaderView::Stretch);
  UseDarkBlueSelection(*lvDSGraphTypeList_);
  connect(lvDSGraphTypeList_, &QTreeWidget::itemSelectionChanged, this,
          &TZVideoFilterPage::RowChanged);

  cbDSActualGraphScript_ = new QComboBox(gbMediaTypes_);
  cbDSActualGraphScript_->setObjectName(QStringLiteral("cbDSActualGraphScript"));
  connect(cbDSActualGraphScript_, &QComboBox::activated, this, &TZVideoFilterPage::ScriptChosen);
  auto* types = new QVBoxLayout(gbMediaTypes_);
  types->addWidget(lvDSGraphTypeList_, 1);
  types->addWidget(cbDSActualGraphScript_);

  auto* page = new QVBoxLayout(this);
  page->setContentsMargins(0, 0, 0, 0);
  page->addWidget(gbDvdScript_);
  page->addWidget(gbMediaTypes_, 1);
}

void TZVideoFilterPage::Fill() {
  FillDvdScripts();
  catalogue_ = catalogueSource_ ? catalogueSource_() : std::vector<TFilterGraphScript>();
  rowsChosen_ = false;
  FillGraphTypeList();
}

void TZVideoFilterPage::FillDvdScripts() {
  filling_ = true;
  cbFilterDVDGraph_->clear();
  cbFilterDVDGraph_->addItems(DvdScriptNames());
  cbFilterDVDGraph_->setCurrentIndex(cbFilterDVDGraph_->findText(config_.DVDGraph));
  filling_ = false;
}

void TZVideoFilterPage::PageShown() {
  // A script chosen on this page stays while the user looks at other pages.
  if (rowsChosen_) {
    lvDSGraphTypeList_->clearSelection();
  } else {
    FillGraphTypeList();
  }
}

void TZVideoFilterPage::FillGraphTypeList() {
  const QSignalBlocker quiet(lvDSGraphTypeList_);
  lvDSGraphTypeList_->clear();
  for (const TZGraphEntry& row :
       GraphTypeRows(catalogue_, config_, MediaScriptExists, NoScript())) {
    auto* item = new QTreeWidgetItem(lvDSGraphTypeList_);
    item->setText(kTypeColumn, row.Type);
    item->setText(kScriptColumn, row.Script);
  }
  RowChanged();
}

void TZVideoFilterPage::RowChanged() {
  cbDSActualGraphScript_->clear();
  QTreeWidgetItem* row = lvDSGraphTypeList_->currentItem();
  if (row == nullptr || !row->isSelected()) {
    cbDSActualGraphScript_->setEnabled(false);
    return;
  }
  cbDSActualGraphScript_->addItems(ScriptChoices(catalogue_, row->text(kTypeColumn), NoScript()));
  cbDSActualGraphScript_->setCurrentIndex(
      cbDSActualGraphScript_->findText(row->text(kScriptColumn)));
  cbDSActualGraphScript_->setEnabled(true);
}

void TZVideoFilterPage::ScriptChosen(int index) {
  QTreeWidgetItem* row = lvDSGraphTypeList_->currentItem();
  const QString script = cbDSActualGraphScript_->itemText(index);
  if (row == nullptr || script.isEmpty()) {
    return;
  }
  row->setText(kScriptColumn, script);
  rowsChosen_ = true;
  emit groupChanged(TZConfigGroup::GraphList);
}

void TZVideoFilterPage::ApplyGroup(TZConfigGroup group) {
  if (group == TZConfigGroup::DvdScript) {
    config_.DVDGraph = cbFilterDVDGraph_->currentText();
  } else if (group == TZConfigGroup::GraphList) {
    // A row left at "No script" is stored with that name, which names no file.
    config_.Graphs.clear();
    for (int index = 0; index < lvDSGraphTypeList_->topLevelItemCount(); ++index) {
      const QTreeWidgetItem* row = lvDSGraphTypeList_->topLevelItem(index);
      config_.Graphs.push_back({row->text(kTypeColumn).left(kGraphNameLength),
                                row->text(kScriptColumn).left(kGraphNameLength)});
    }
    rowsChosen_ = false;
  }
}

QString TZVideoFilterPage::NoScript() const {
  return language_.Text(kTextNoScript);
}

void TZVideoFilterPage::ApplyTexts(const TZLanguage& language) {
  const QString oldNoScript = NoScript();
  language_ = language;
  gbDvdScript_->setTitle(language.Text(kTextFilterDvdScript));
  gbMediaTypes_->setTitle(language.Text(kTextFilterMediaTypes));
  lvDSGraphTypeList_->setHeaderLabels(
      {language.Text(kTextFilterType), language.Text(kTextFilterScript)});
  // Rows without a script show the new language's words for it.
  for (int index = 0; index < lvDSGraphTypeList_->topLevelItemCount(); ++index) {
    QTreeWidgetItem* row = lvDSGraphTypeList_->topLevelItem(index);
    if (row->text(kScriptColumn) == oldNoScript) {
      row->setText(kScriptColumn, NoScript());
    }
  }
  RowChanged();
}
