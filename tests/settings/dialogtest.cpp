#include "dialogtest.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "config/dialog/pageparts.h"
#include "lang/applylanguage.h"
#include "lang/language.h"

void ConfigDialogTest::SetUp() {
  InitSkinDefaults(skin_);
  ASSERT_EQ(LoadSkin(skin_, QLatin1String(kBuiltInSkinName), true), slrLoaded);
  LoadDefaults(Language());
}

void ConfigDialogTest::TearDown() {
  dialog_.reset();
  LoadDefaults(Language());
}

void ConfigDialogTest::Open() {
  dialog_ = std::make_unique<TfrmConfig>(config_, skin_, actions_);
  dialog_->ShowCentred();
}

void ConfigDialogTest::Reopen() {
  dialog_->hide();
  dialog_->ShowCentred();
}

void ConfigDialogTest::Click(QAbstractButton* button) {
  ASSERT_NE(button, nullptr);
  // Check boxes and radio buttons take a click on their mark or text, near the left edge.
  QTest::mouseClick(button, Qt::LeftButton, {},
                    QPoint(std::min(8, button->width() / 2), button->height() / 2));
}

void ConfigDialogTest::ChooseRadio(const char* group, int item) {
  const QList<QRadioButton*> items = Control<TZRadioGroup>(group)->findChildren<QRadioButton*>();
  ASSERT_LT(item, items.size());
  Click(items[item]);
}

int ConfigDialogTest::RadioIndex(const char* group) {
  return Control<TZRadioGroup>(group)->Index();
}

void ConfigDialogTest::ClickItem(const char* list, const QString& text) {
  QListWidget* widget = Control<QListWidget>(list);
  const QList<QListWidgetItem*> found = widget->findItems(text, Qt::MatchExactly);
  ASSERT_EQ(found.size(), 1) << text.toStdString();
  QTest::mouseClick(widget->viewport(), Qt::LeftButton, {},
                    widget->visualItemRect(found[0]).center());
}

void ConfigDialogTest::Type(const char* field, const QString& text) {
  QTest::keyClicks(Control<QLineEdit>(field), text);
}

void ConfigDialogTest::PressKey(const char* field, Qt::Key key, Qt::KeyboardModifiers modifiers) {
  QTest::keyClick(Control<QLineEdit>(field), key, modifiers);
}

void ConfigDialogTest::Clear(const char* field) {
  PressKey(field, Qt::Key_A, Qt::ControlModifier);
  PressKey(field, Qt::Key_Backspace);
}

QString ConfigDialogTest::FieldText(const char* field) {
  return Control<QLineEdit>(field)->text();
}
