#pragma once
// The "Shortcuts" page: the hotkey table as a list, and the inputs that add, change and remove
// its entries. Unlike the other pages it edits the table at once (no Apply) and tells the
// program after every change, so the system-wide key grabs follow.

#include <QLineEdit>
#include <cstdint>
#include <functional>

#include "config/pages/configpage.h"
#include "hotkeys/hotkeys.h"
#include "lang/language.h"

class QCheckBox;
class QComboBox;
class QPushButton;
class QTreeWidget;

// The field that takes the next key pressed in it: Shift, Ctrl or Alt alone capture nothing.
class TZKeyCaptureEdit : public QLineEdit {
  Q_OBJECT

 public:
  using QLineEdit::QLineEdit;

 signals:
  void keyCaptured(std::uint16_t key, std::uint8_t modifiers);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool event(QEvent* event) override;
};

class TZShortcutsPage : public TZConfigPage {
  Q_OBJECT

 public:
  using TableChanged = std::function<void(const TZHotKeys& table)>;

  TZShortcutsPage(TZHotKeys& table, TableChanged tableChanged, QWidget* parent = nullptr);

  void Fill() override;
  // The page applies nothing: its edits reach the table when they are made.
  void ApplyGroup(TZConfigGroup group) override {}
  void ApplyTexts(const TZLanguage& language) override;
  // Showing the page starts over, as opening the dialog does.
  void PageShown() override { Fill(); }

 private:
  void BuildControls();
  void FillEntryList();
  void RowSelected();
  void KeyCaptured(std::uint16_t key, std::uint8_t modifiers);
  void InputsChanged();
  void ShowCapturedKey();
  void PaintConflicts();
  bool KeyTaken(std::uint16_t key, std::uint8_t modifiers) const;
  int ChosenAction() const;
  void AddEntry();
  void EditEntry();
  void DeleteEntry();
  void ResetTable();
  void TableEdited();

  TZHotKeys& table_;
  TableChanged tableChanged_;
  TZLanguage language_;

  // Page state: the selected row (-1 none) and the captured key (0 none).
  int selectedRow_ = -1;
  std::uint16_t capturedKey_ = 0;
  std::uint8_t capturedModifiers_ = 0;

  QTreeWidget* lvHotKeys_ = nullptr;
  TZKeyCaptureEdit* edHotKey_ = nullptr;
  QComboBox* cbHotKeyAction_ = nullptr;
  QCheckBox* cbSystemWide_ = nullptr;
  QPushButton* btnAdd_ = nullptr;
  QPushButton* btnEdit_ = nullptr;
  QPushButton* btnDel_ = nullptr;
  QPushButton* btnReset_ = nullptr;
};
