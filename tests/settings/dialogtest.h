#pragma once
// The settings dialog on a record of the test's own, acting on a fake program, driven by mouse
// clicks and key presses on its controls.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QListWidget>
#include <QPushButton>
#include <memory>

#include "config/config.h"
#include "config/dialog/configdialog.h"
#include "fakeactions.h"
#include "skin/zgui.h"
#include "skintestsupport.h"

class TZRadioGroup;

class ConfigDialogTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Creates the dialog and shows it, as "Configuration..." does.
  void Open();
  // Hides and shows it again: every page is filled from the record anew.
  void Reopen();

  template <typename T>
  T* Control(const char* name) {
    T* control = dialog_->findChild<T*>(QLatin1String(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  void ShowPage(int index) { dialog_->SelectPage(index); }
  void Click(QAbstractButton* button);
  void ClickButton(const char* name) { Click(Control<QAbstractButton>(name)); }
  void ChooseRadio(const char* group, int item);
  int RadioIndex(const char* group);
  void ClickItem(const char* list, const QString& text);
  // Types the keys into a field; Qt key codes, with the number-pad modifier where asked.
  void Type(const char* field, const QString& text);
  void PressKey(const char* field, Qt::Key key, Qt::KeyboardModifiers modifiers = {});
  // Empties a field with Ctrl+A and Backspace.
  void Clear(const char* field);
  QString FieldText(const char* field);
  bool ApplyEnabled() { return Control<QPushButton>("Button1")->isEnabled(); }
  void Apply() { ClickButton("Button1"); }

  SkinHome home_;
  TZGUI skin_;
  TZConfig config_;
  FakeConfigActions actions_;
  std::unique_ptr<TfrmConfig> dialog_;
};
