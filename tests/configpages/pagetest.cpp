#include "pagetest.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QRadioButton>
#include <QTest>

#include "testsupport.h"

void ChooseByKeyboard(QComboBox& box, const QString& text) {
  const int target = box.findText(text);
  ASSERT_GE(target, 0) << text.toStdString();
  QTest::keyClick(&box, Qt::Key_Home);
  for (int index = 0; index < target; ++index) {
    QTest::keyClick(&box, Qt::Key_Down);
  }
  ASSERT_EQ(box.currentText(), text);
}

void Click(QWidget& control) {
  // A check box or radio button takes clicks on its mark and its text, not on the empty rest
  // of its row.
  const bool marked = qobject_cast<QCheckBox*>(&control) || qobject_cast<QRadioButton*>(&control);
  const QPoint centre = control.rect().center();
  QTest::mouseClick(&control, Qt::LeftButton, {}, marked ? QPoint(6, centre.y()) : centre);
}

void SavePicture(QWidget& page, const QString& name) {
  const QString folder = TestOutputFolder() + QStringLiteral("configpages/");
  QDir().mkpath(folder);
  EXPECT_TRUE(page.grab().save(folder + name + QStringLiteral(".png")));
}
