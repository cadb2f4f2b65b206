// The "Shortcuts" page: keys captured in its field, the rules that enable its buttons, and the
// table it edits at once.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "config/pages/shortcutspage.h"
#include "pagetest.h"
#include "testsupport.h"

namespace {

class ShortcutsPageTest : public ::testing::Test {
 protected:
  ShortcutsPageTest()
      : page_(table_, [this](const TZHotKeys& table) { told_ << table.Entries(); }) {
    page_.resize(480, 400);
    page_.show();
    page_.Fill();
  }

  template <typename T>
  T& Control(const char* name) {
    return Child<T>(page_, name);
  }
  QLineEdit& KeyField() { return Control<QLineEdit>("edHotKey"); }
  QTreeWidget& List() { return Control<QTreeWidget>("lvHotKeys"); }
  QPushButton& Button(const char* name) { return Control<QPushButton>(name); }

  void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(&KeyField(), key, modifiers);
  }
  void ChooseAction(const QString& name) {
    ChooseByKeyboard(Control<QComboBox>("cbHotKeyAction"), name);
  }
  void SelectRow(int row) {
    QTreeWidgetItem* item = List().topLevelItem(row);
    ASSERT_NE(item, nullptr);
    QTest::mouseClick(List().viewport(), Qt::LeftButton, {}, List().visualItemRect(item).center());
  }
  QStringList RowTexts(int row) {
    const QTreeWidgetItem* item = List().topLevelItem(row);
    return {item->text(0), item->text(1), item->text(2)};
  }
  QList<int> RedRows() {
    QList<int> rows;
    for (int row = 0; row < List().topLevelItemCount(); ++row) {
      if (List().topLevelItem(row)->foreground(1).color() == Qt::red) {
        rows << row;
      }
    }
    return rows;
  }

  TZHotKeys table_;
  QList<QList<TZHotKeyEntry>> told_;
  TZShortcutsPage page_;
};

TEST_F(ShortcutsPageTest, ModifiersAloneCaptureNothingAndAddNeedsAFreeKeyAndAnAction) {
  EXPECT_EQ(KeyField().text(), "No key pressed");
  EXPECT_EQ(List().topLevelItemCount(), table_.Count());
  EXPECT_EQ(RowTexts(11), QStringList({"Toggle fullscreen", "Alt + Return", ""}));

  Press(Qt::Key_Control, Qt::ControlModifier);
  Press(Qt::Key_Shift, Qt::ShiftModifier);
  Press(Qt::Key_Alt, Qt::AltModifier);
  EXPECT_EQ(KeyField().text(), "No key pressed");
  ChooseAction("Next");
  EXPECT_FALSE(Button("btnHotKeyAdd").isEnabled());

  // Y is bound to "Previos" without modifiers: a conflict, drawn in red.
  Press(Qt::Key_Y);
  EXPECT_EQ(KeyField().text(), "Y");
  EXPECT_EQ(RedRows(), QList<int>{0});
  EXPECT_FALSE(Button("btnHotKeyAdd").isEnabled());
  SavePicture(page_, "shortcuts");

  // Tab is a key like any other here, not a move to the next control.
  Press(Qt::Key_Tab);
  EXPECT_EQ(KeyField().text(), "Tab");
  EXPECT_TRUE(Button("btnHotKeyAdd").isEnabled());

  Press(Qt::Key_F4, Qt::AltModifier | Qt::ShiftModifier);
  EXPECT_EQ(KeyField().text(), "Alt + Shift + F4");
  EXPECT_TRUE(RedRows().isEmpty());
  EXPECT_TRUE(Button("btnHotKeyAdd").isEnabled());
  ChooseAction("None");
  EXPECT_FALSE(Button("btnHotKeyAdd").isEnabled());
  ChooseAction("Stop");
  EXPECT_TRUE(Button("btnHotKeyAdd").isEnabled());
  // Edit and Del need a chosen row.
  EXPECT_FALSE(Button("btnHotKeyEdit").isEnabled());
  EXPECT_FALSE(Button("btnHotKeyDel").isEnabled());
}

TEST_F(ShortcutsPageTest, AddAppendsTheEntryAtOnceAndStartsTheInputsOver) {
  const int count = table_.Count();
  Press(Qt::Key_M, Qt::ControlModifier);
  ChooseAction("Toggle mute");
  Click(Control<QCheckBox>("cbSystemWide"));
  Click(Button("btnHotKeyAdd"));

  ASSERT_EQ(table_.Count(), count + 1);
  EXPECT_EQ(table_.Entry(count), (TZHotKeyEntry{'M', hmCtrl, haToggleMute, true}));
  ASSERT_EQ(told_.size(), 1);
  EXPECT_EQ(told_[0], table_.Entries());
  EXPECT_EQ(RowTexts(count), QStringList({"Toggle mute", "Ctrl + M", "X"}));
  EXPECT_EQ(KeyField().text(), "No key pressed");
  EXPECT_EQ(Control<QComboBox>("cbHotKeyAction").currentIndex(), 0);
  EXPECT_FALSE(Control<QCheckBox>("cbSystemWide").isChecked());
  EXPECT_FALSE(Button("btnHotKeyAdd").isEnabled());

  // The same key again is a duplicate now.
  Press(Qt::Key_M, Qt::ControlModifier);
  ChooseAction("Next");
  EXPECT_FALSE(Button("btnHotKeyAdd").isEnabled());
  EXPECT_EQ(RedRows(), QList<int>{count});
}

TEST_F(ShortcutsPageTest, ChosenRowIsEditedOrDeletedOnlyWithAFreeKey) {
  SelectRow(2);  // C: Pause
  EXPECT_EQ(KeyField().text(), "C");
  EXPECT_EQ(Control<QComboBox>("cbHotKeyAction").currentText(), "Pause");
  EXPECT_TRUE(Button("btnHotKeyEdit").isEnabled());
  EXPECT_TRUE(Button("btnHotKeyDel").isEnabled());

  // Another action for the same key: the key is in use, so Edit and Del go grey.
  ChooseAction("Next");
  EXPECT_FALSE(Button("btnHotKeyEdit").isEnabled());
  EXPECT_FALSE(Button("btnHotKeyDel").isEnabled());
  Press(Qt::Key_P, Qt::AltModifier);
  ASSERT_TRUE(Button("btnHotKeyEdit").isEnabled());
  Click(Button("btnHotKeyEdit"));
  EXPECT_EQ(table_.Entry(2), (TZHotKeyEntry{'P', hmAlt, haNext, false}));
  EXPECT_EQ(RowTexts(2), QStringList({"Next", "Alt + P", ""}));
  EXPECT_FALSE(Button("btnHotKeyEdit").isEnabled());

  const TZHotKeyEntry next = table_.Entry(3);
  SelectRow(2);
  Click(Button("btnHotKeyDel"));
  EXPECT_EQ(table_.Entry(2), next);
  EXPECT_EQ(told_.size(), 2u);
  EXPECT_FALSE(Button("btnHotKeyDel").isEnabled());

  Click(Button("btnHotKeyReset"));
  EXPECT_EQ(table_.Entries(), TZHotKeys().Entries());
  EXPECT_EQ(told_.size(), 3u);
}

TEST_F(ShortcutsPageTest, FileWrittenAfterEditsReadsBackAsTheListShowsIt) {
  Press(Qt::Key_F5, Qt::ShiftModifier | Qt::ControlModifier);
  ChooseAction("Add URL");
  Click(Control<QCheckBox>("cbSystemWide"));
  Click(Button("btnHotKeyAdd"));
  SelectRow(0);
  Press(Qt::Key_Z);
  Click(Button("btnHotKeyEdit"));
  SelectRow(5);
  Click(Button("btnHotKeyDel"));

  ScratchFolder folder;
  ASSERT_TRUE(table_.SaveToFile(folder.file("hotkeys.zkeys")));
  TZHotKeys read;
  read.Clear();
  ASSERT_TRUE(read.LoadFromFile(folder.file("hotkeys.zkeys")));
  EXPECT_EQ(read.Entries(), table_.Entries());
  ASSERT_EQ(List().topLevelItemCount(), read.Count());
  for (int row = 0; row < read.Count(); ++row) {
    const TZHotKeyEntry entry = read.Entry(row);
    EXPECT_EQ(RowTexts(row)[1],
              TZHotKeys::ModifierPrefix(entry.Modifiers) + TZHotKeys::KeyName(entry.Key));
  }
  EXPECT_EQ(read.Entry(0).Key, 'Z');
  EXPECT_EQ(read.Entries().last(), (TZHotKeyEntry{116, hmShift | hmCtrl, haAddURL, true}));
}

TEST_F(ShortcutsPageTest, ShowingThePageStartsOver) {
  SelectRow(4);
  Press(Qt::Key_Q);
  page_.PageShown();
  EXPECT_EQ(KeyField().text(), "No key pressed");
  EXPECT_TRUE(List().selectedItems().isEmpty());
  EXPECT_FALSE(Button("btnHotKeyEdit").isEnabled());
  EXPECT_FALSE(Button("btnHotKeyDel").isEnabled());
  EXPECT_TRUE(RedRows().isEmpty());
  EXPECT_TRUE(told_.isEmpty());  // nothing was edited
}

TEST_F(ShortcutsPageTest, NamesFollowTheLanguageAndTheChosenActionStays) {
  Press(Qt::Key_K);
  ChooseAction("Stop");
  TZLanguage german;
  german.SetText(370, "Weiter");
  german.SetText(374, "Anhalten");
  german.SetText(362, "Keine Taste");
  page_.ApplyTexts(german);
  EXPECT_EQ(RowTexts(4)[0], "Weiter");
  EXPECT_EQ(Control<QComboBox>("cbHotKeyAction").currentText(), "Anhalten");
  EXPECT_EQ(KeyField().text(), "K");
  Click(Button("btnHotKeyAdd"));
  EXPECT_EQ(table_.Entries().last(), (TZHotKeyEntry{'K', 0, haStop, false}));
  EXPECT_EQ(KeyField().text(), "Keine Taste");
}

}  // namespace
