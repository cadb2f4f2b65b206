#include "config/pages/shortcutspage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTreeWidget>
#include <algorithm>

#include "config/pages/pagewidgets.h"
#include "hotkeys/hotkeyactions.h"
#include "hotkeys/keyevent.h"
#include "lang/textids.h"

namespace {

enum Column { kOptionColumn, kHotKeyColumn, kSystemWideColumn };

// Virtual-key codes of Shift, Ctrl and Alt: pressed alone they are no hotkey.
bool IsModifierKey(std::uint16_t key) {
  return key == 16 || key == 17 || key == 18;
}

QString KeyText(std::uint16_t key, std::uint8_t modifiers) {
  return TZHotKeys::ModifierPrefix(modifiers) + TZHotKeys::KeyName(key);
}

}  // namespace

void TZKeyCaptureEdit::keyPressEvent(QKeyEvent* event) {
  const TZKeyStroke stroke = KeyStrokeFromEvent(*event);
  if (stroke.Key != 0 && !IsModifierKey(stroke.Key)) {
    emit keyCaptured(stroke.Key, stroke.Modifiers);
  }
  event->accept();
}

bool TZKeyCaptureEdit::event(QEvent* event) {
  // Tab would otherwise move the focus instead of reaching the field.
  if (event->type() == QEvent::KeyPress) {
    keyPressEvent(static_cast<QKeyEvent*>(event));
    return true;
  }
  return QLineEdit::event(event);
}

TZShortcutsPage::TZShortcutsPage(TZHotKeys& table, TableChanged tableChanged, QWidget* parent)
    : TZConfigPage(parent), table_(table), tableChanged_(std::move(tableChanged)) {
  BuildControls();
  ApplyTexts(language_);
}

void TZShortcutsPage::BuildControls() {
  lvHotKeys_ = new QTreeWidget(this);
  lvHotKeys_->setObjectName(QStringLiteral("lvHotKeys"));
  lvHotKeys_->setRootIsDecorated(false);
  lvHotKeys_->setColumnCount(3);
  lvHotKeys_->setSelectionMode(QAbstractItemView::SingleSelection);
  lvHotKeys_->header()->setSectionResizeMode(kOptionColumn, QHeaderView::Stretch);
  UseDarkBlueSelection(*lvHotKeys_);
  connect(lvHotKeys_, &QTreeWidget::itemSelectionChanged, this, &TZShortcutsPage::RowSelected);

  edHotKey_ = new TZKeyCaptureEdit(this);
  edHotKey_->setObjectName(QStringLiteral("edHotKey"));
  edHotKey_->setReadOnly(true);
  connect(edHotKey_, &TZKeyCaptureEdit::keyCaptured, this, &TZShortcutsPage::KeyCaptured);

  cbHotKeyAction_ = new QComboBox(this);
  cbHotKeyAction_->setObjectName(QStringLiteral("cbHotKeyAction"));
  connect(cbHotKeyAction_, &QComboBox::activated, this, &TZShortcutsPage::InputsChanged);
  cbSystemWide_ = new QCheckBox(this);
  cbSystemWide_->setObjectName(QStringLiteral("cbSystemWide"));

  btnAdd_ = NewNamedButton("btnHotKeyAdd", this);
  btnEdit_ = NewNamedButton("btnHotKeyEdit", this);
  btnDel_ = NewNamedButton("btnHotKeyDel", this);
  btnReset_ = NewNamedButton("btnHotKeyReset", this);
  connect(btnAdd_, &QPushButton::clicked, this, &TZShortcutsPage::AddEntry);
  connect(btnEdit_, &QPushButton::clicked, this, &TZShortcutsPage::EditEntry);
  connect(btnDel_, &QPushButton::clicked, this, &TZShortcutsPage::DeleteEntry);
  connect(btnReset_, &QPushButton::clicked, this, &TZShortcutsPage::ResetTable);

  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(lvHotKeys_, 0, 0, 1, 4);
  layout->addWidget(cbHotKeyAction_, 1, 0, 1, 2);
  layout->addWidget(edHotKey_, 1, 2, 1, 2);
  layout->addWidget(cbSystemWide_, 2, 0, 1, 4);
  layout->addWidget(btnAdd_, 3, 0);
  layout->addWidget(btnEdit_, 3, 1);
  layout->addWidget(btnDel_, 3, 2);
  layout->addWidget(btnReset_, 3, 3);
}

void TZShortcutsPage::Fill() {
  cbHotKeyAction_->setCurrentIndex(0);
  cbSystemWide_->setChecked(false);
  selectedRow_ = -1;
  capturedKey_ = 0;
  capturedModifiers_ = 0;
  FillEntryList();
  ShowCapturedKey();
  btnAdd_->setEnabled(false);
  btnEdit_->setEnabled(false);
  btnDel_->setEnabled(false);
}

void TZShortcutsPage::FillEntryList() {
  const QSignalBlocker quiet(lvHotKeys_);
  lvHotKeys_->clear();
  for (const TZHotKeyEntry& entry : table_.Entries()) {
    auto* row = new QTreeWidgetItem(lvHotKeys_);
    row->setText(kOptionColumn,
                 ActionName(entry.Action, [this](int number) { return language_.Text(number); }));
    row->setText(kHotKeyColumn, KeyText(entry.Key, entry.Modifiers));
    row->setText(kSystemWideColumn, entry.SystemWide ? QStringLiteral("X") : QString());
  }
  if (selectedRow_ >= 0 && selectedRow_ < lvHotKeys_->topLevelItemCount()) {
    lvHotKeys_->topLevelItem(selectedRow_)->setSelected(true);
  }
  PaintConflicts();
}

void TZShortcutsPage::ShowCapturedKey() {
  edHotKey_->setText(capturedKey_ == 0 ? language_.Text(kTextShortcutsNoKey)
                                       : KeyText(capturedKey_, capturedModifiers_));
}

void TZShortcutsPage::PaintConflicts() {
  for (int row = 0; row < lvHotKeys_->topLevelItemCount(); ++row) {
    const TZHotKeyEntry entry = table_.Entry(row);
    const bool conflict =
        capturedKey_ != 0 && entry.Key == capturedKey_ && entry.Modifiers == capturedModifiers_;
    QTreeWidgetItem* item = lvHotKeys_->topLevelItem(row);
    for (int column = 0; column < lvHotKeys_->columnCount(); ++column) {
      item->setForeground(column, conflict ? QBrush(Qt::red) : QBrush());
    }
  }
}

void TZShortcutsPage::RowSelected() {
  const QList<QTreeWidgetItem*> selected = lvHotKeys_->selectedItems();
  selectedRow_ = selected.isEmpty() ? -1 : lvHotKeys_->indexOfTopLevelItem(selected.first());
  if (selectedRow_ < 0) {
    btnEdit_->setEnabled(false);
    btnDel_->setEnabled(false);
    return;
  }
  const TZHotKeyEntry entry = table_.Entry(selectedRow_);
  capturedKey_ = entry.Key;
  capturedModifiers_ = entry.Modifiers;
  cbHotKeyAction_->setCurrentIndex(
      static_cast<int>(std::max<qsizetype>(0, ActionsInTextOrder().indexOf(entry.Action))));
  cbSystemWide_->setChecked(entry.SystemWide);
  ShowCapturedKey();
  PaintConflicts();
  btnAdd_->setEnabled(false);
  btnEdit_->setEnabled(true);
  btnDel_->setEnabled(true);
}

void TZShortcutsPage::KeyCaptured(std::uint16_t key, std::uint8_t modifiers) {
  capturedKey_ = key;
  capturedModifiers_ = modifiers;
  ShowCapturedKey();
  PaintConflicts();
  InputsChanged();
}

void TZShortcutsPage::InputsChanged() {
  const bool usable =
      capturedKey_ != 0 && ChosenAction() != haNone && !KeyTaken(capturedKey_, capturedModifiers_);
  btnAdd_->setEnabled(usable);
  btnEdit_->setEnabled(usable && selectedRow_ >= 0);
  btnDel_->setEnabled(usable && selectedRow_ >= 0);
}

bool TZShortcutsPage::KeyTaken(std::uint16_t key, std::uint8_t modifiers) const {
  return !table_.Matching(key, modifiers).isEmpty();
}

int TZShortcutsPage::ChosenAction() const {
  const QList<int> actions = ActionsInTextOrder();
  const int index = cbHotKeyAction_->currentIndex();
  return index >= 0 && index < actions.size() ? actions[index] : haNone;
}

void TZShortcutsPage::AddEntry() {
  if (capturedKey_ == 0 || ChosenAction() == haNone || KeyTaken(capturedKey_, capturedModifiers_)) {
    return;
  }
  table_.Add(capturedKey_, capturedModifiers_, cbSystemWide_->isChecked(),
             static_cast<std::uint8_t>(ChosenAction()));
  TableEdited();
}

void TZShortcutsPage::EditEntry() {
  if (selectedRow_ < 0 || capturedKey_ == 0) {
    return;
  }
  table_.Change(selectedRow_, capturedKey_, cbSystemWide_->isChecked(),
                static_cast<std::uint8_t>(ChosenAction()), capturedModifiers_);
  TableEdited();
}

void TZShortcutsPage::DeleteEntry() {
  if (selectedRow_ < 0) {
    return;
  }
  table_.Delete(selectedRow_);
  TableEdited();
}

void TZShortcutsPage::ResetTable() {
  table_.SetDefaults();
  TableEdited();
}

// Every edit starts the inputs over and lets the program grab the new system-wide keys.
void TZShortcutsPage::TableEdited() {
  Fill();
  if (tableChanged_) {
    tableChanged_(table_);
  }
}

void TZShortcutsPage::ApplyTexts(const TZLanguage& language) {
  language_ = language;
  lvHotKeys_->setHeaderLabels({language.Text(kTextShortcutsOption),
                               language.Text(kTextShortcutsHotkey),
                               language.Text(kTextShortcutsSystemWideColumn)});
  btnReset_->setText(language.Text(kTextShortcutsReset));
  btnAdd_->setText(language.Text(kTextShortcutsAdd));
  btnDel_->setText(language.Text(kTextShortcutsRemove));
  btnEdit_->setText(language.Text(kTextShortcutsEdit));
  cbSystemWide_->setText(language.Text(kTextShortcutsSystemWide));
  const int chosen = cbHotKeyAction_->currentIndex();
  cbHotKeyAction_->clear();
  cbHotKeyAction_->addItems(ActionNames([&](int number) { return language.Text(number); }));
  cbHotKeyAction_->setCurrentIndex(std::max(chosen, 0));
  FillEntryList();
  ShowCapturedKey();
}
