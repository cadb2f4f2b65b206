// The "Filetypes" page against registrations in a scratch home, checked with the desktop's own
// tool.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <algorithm>

#include "config/pages/filetypespage.h"
#include "desktop/shellintegration.h"
#include "lang/language.h"
#include "pagetest.h"
#include "testsupport.h"

namespace {

const QStringList kTicked{".MP3", ".MKV", ".AVI"};

class FiletypesPageTest : public ::testing::Test {
 protected:
  FiletypesPageTest()
      : places_{home_.path() + "data", home_.path() + "config", home_.file("zephonic")},
        shell_(places_, language_),
        page_(shell_, [this](const QString& text) { messages_ << text; }) {
    // The desktop's tool only answers with entries whose program exists.
    WriteBytes(places_.Program, "#!/bin/sh\n");
    QFile::setPermissions(places_.Program, QFile::ReadOwner | QFile::ExeOwner);
    page_.resize(480, 400);
    page_.show();
  }

  // Another player is the default of every type the test ticks.
  void WriteOtherPlayer() {
    QByteArray types;
    QByteArray defaults = "[Default Applications]\n";
    for (const QString& extension : kTicked) {
      const QByteArray type = MimeTypesForExtension(extension).value(0).toUtf8();
      ASSERT_FALSE(type.isEmpty()) << extension.toStdString();
      types += type + ';';
      defaults += type + "=otherplayer.desktop;\n";
    }
    WriteBytes(
        places_.ApplicationsFolder() + "/otherplayer.desktop",
        "[Desktop Entry]\nType=Application\nName=Other\nExec=true %F\nMimeType=" + types + "\n");
    WriteBytes(places_.MimeAppsList(), defaults);
  }

  QString QueryDefault(const QString& extension) const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_DATA_HOME", places_.DataHome);
    environment.insert("XDG_CONFIG_HOME", places_.ConfigHome);
    // The system's own applications and defaults stay out of the answers.
    environment.insert("XDG_DATA_DIRS", home_.path() + "system");
    environment.insert("XDG_CONFIG_DIRS", home_.path() + "system");
    environment.insert("XDG_CURRENT_DESKTOP", "");
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start("xdg-mime", {"query", "default", MimeTypesForExtension(extension).value(0)});
    EXPECT_TRUE(process.waitForFinished(30000));
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
  }

  template <typename T>
  T& Control(const char* name) {
    return Child<T>(page_, name);
  }

  QListWidgetItem* Row(const QString& extension) {
    const QList<QListWidgetItem*> found =
        Control<QListWidget>("clbFiletypes").findItems(extension, Qt::MatchExactly);
    EXPECT_EQ(found.size(), 1) << extension.toStdString();
    return found.value(0);
  }

  QStringList TickedRows() {
    QStringList ticked;
    QListWidget& list = Control<QListWidget>("clbFiletypes");
    for (int row = 0; row < list.count(); ++row) {
      if (list.item(row)->checkState() == Qt::Checked) {
        ticked << list.item(row)->text();
      }
    }
    return ticked;
  }

  ScratchFolder home_;
  TZShellPlaces places_;
  TZLanguage language_;
  TZShellRegistration shell_;
  QStringList messages_;
  TZFiletypesPage page_;
};

TEST_F(FiletypesPageTest, TickedTypesOpenWithTheProgramAndUnregisteringGivesTheOldDefaultsBack) {
  WriteOtherPlayer();
  page_.Fill();
  ASSERT_TRUE(TickedRows().isEmpty());
  QSignalSpy changed(&page_, &TZConfigPage::groupChanged);
  Click(Control<QRadioButton>("rbRegFiletypes"));
  ASSERT_EQ(changed.count(), 1);
  EXPECT_EQ(changed.at(0).at(0).value<TZConfigGroup>(), TZConfigGroup::FileTypes);
  for (const QString& extension : kTicked) {
    Row(extension)->setCheckState(Qt::Checked);
  }
  page_.ApplyGroup(TZConfigGroup::FileTypes);
  EXPECT_EQ(messages_, QStringList{"Filetypes successfull registered."});
  for (const QString& extension : kTicked) {
    EXPECT_EQ(QueryDefault(extension), "zephonic.desktop") << extension.toStdString();
  }
  EXPECT_EQ(QueryDefault(".OGG"), "");  // not ticked, not taken

  // Opening again shows the registered types ticked, with the types that share their MIME
  // types on this desktop (".DIVX" is the same video type as ".AVI").
  page_.Fill();
  const QStringList ticked = TickedRows();
  for (const QString& extension : kTicked) {
    EXPECT_TRUE(ticked.contains(extension)) << extension.toStdString();
  }
  for (const QString& extension : ticked) {
    const QString type = MimeTypesForExtension(extension).value(0);
    EXPECT_TRUE(std::any_of(kTicked.begin(), kTicked.end(), [&](const QString& chosen) {
      return MimeTypesForExtension(chosen).contains(type);
    })) << extension.toStdString();
  }
  EXPECT_FALSE(ticked.contains(".OGG"));

  Click(Control<QRadioButton>("rbUnregFiletypes"));
  page_.ApplyGroup(TZConfigGroup::FileTypes);
  EXPECT_EQ(messages_.last(), "Filetypes successfull unregistered.");
  for (const QString& extension : kTicked) {
    EXPECT_EQ(QueryDefault(extension), "otherplayer.desktop") << extension.toStdString();
  }
  page_.FillFiletypeList();
  EXPECT_TRUE(TickedRows().isEmpty());
  SavePicture(page_, "filetypes");
}

TEST_F(FiletypesPageTest, MessagesComeWithNothingTickedAndNoneTakesTheChangeBack) {
  page_.Fill();
  QListWidget& list = Control<QListWidget>("clbFiletypes");
  // The list is sorted and starts greyed with its buttons.
  ASSERT_GT(list.count(), 20);
  for (int row = 1; row < list.count(); ++row) {
    EXPECT_LT(list.item(row - 1)->text(), list.item(row)->text());
  }
  EXPECT_FALSE(list.isEnabled());
  EXPECT_FALSE(Control<QPushButton>("btnFTSelectAll").isEnabled());

  Click(Control<QRadioButton>("rbRegFiletypes"));
  EXPECT_TRUE(list.isEnabled());
  EXPECT_TRUE(Control<QPushButton>("btnRefreshFiletypes").isEnabled());
  page_.ApplyGroup(TZConfigGroup::FileTypes);
  EXPECT_EQ(messages_, QStringList{"Filetypes successfull registered."});
  EXPECT_FALSE(QFile::exists(places_.MimeAppsList()));

  Click(Control<QRadioButton>("rbUnregFiletypes"));
  page_.ApplyGroup(TZConfigGroup::FileTypes);
  EXPECT_EQ(messages_.last(), "Filetypes successfull unregistered.");

  QSignalSpy cleared(&page_, &TZConfigPage::groupCleared);
  Click(Control<QRadioButton>("rbNoneFiletypes"));
  ASSERT_EQ(cleared.count(), 1);
  EXPECT_EQ(cleared.at(0).at(0).value<TZConfigGroup>(), TZConfigGroup::FileTypes);
  EXPECT_FALSE(list.isEnabled());
  // A "none" choice registers nothing even when the dialog applies the group.
  page_.ApplyGroup(TZConfigGroup::FileTypes);
  EXPECT_EQ(messages_.size(), 2);
}

TEST_F(FiletypesPageTest, SelectAllTicksEveryTypeAndMarksTheGroup) {
  page_.Fill();
  Click(Control<QRadioButton>("rbRegFiletypes"));
  QSignalSpy changed(&page_, &TZConfigPage::groupChanged);
  Click(Control<QPushButton>("btnFTSelectAll"));
  EXPECT_EQ(TickedRows().size(), Control<QListWidget>("clbFiletypes").count());
  Click(Control<QPushButton>("btnFTSelectNone"));
  EXPECT_TRUE(TickedRows().isEmpty());
  EXPECT_EQ(changed.count(), 2);
}

TEST_F(FiletypesPageTest, ContextMenuBoxesShowAndChangeTheRegistrations) {
  ASSERT_TRUE(shell_.RegisterDvd());
  QSignalSpy changed(&page_, &TZConfigPage::groupChanged);
  page_.Fill();
  EXPECT_EQ(changed.count(), 0);  // filling marks nothing
  QCheckBox& verbs = Control<QCheckBox>("cbGeneralEnableContextMenu");
  QCheckBox& dvd = Control<QCheckBox>("cbGeneralEnableContextMenuDVD");
  EXPECT_FALSE(verbs.isChecked());
  EXPECT_TRUE(dvd.isChecked());

  Click(verbs);
  Click(dvd);
  ASSERT_EQ(changed.count(), 2);
  EXPECT_EQ(changed.at(0).at(0).value<TZConfigGroup>(), TZConfigGroup::ContextMenu);
  EXPECT_EQ(changed.at(1).at(0).value<TZConfigGroup>(), TZConfigGroup::DvdContextMenu);
  page_.ApplyGroup(TZConfigGroup::ContextMenu);
  page_.ApplyGroup(TZConfigGroup::DvdContextMenu);
  EXPECT_TRUE(shell_.VerbsRegistered());
  EXPECT_FALSE(shell_.DvdRegistered());
  EXPECT_FALSE(QFile::exists(places_.DvdDesktopEntry()));
  EXPECT_TRUE(messages_.isEmpty());
}

}  // namespace

namespace {

// Registering where nothing can be written must not claim success.
TEST(FiletypesPageFailure, WritesThatFailGiveMessagesThatSaySo) {
  ScratchFolder home;
  const TZShellPlaces places{PathBelowAFile(home, "data"), PathBelowAFile(home, "config"),
                             home.file("zephonic")};
  TZLanguage language;
  TZShellRegistration shell(places, language);
  QStringList messages;
  TZFiletypesPage page(shell, [&](const QString& text) { messages << text; });
  page.resize(480, 400);
  page.show();
  page.Fill();
  Click(Child<QRadioButton>(page, "rbRegFiletypes"));
  Child<QListWidget>(page, "clbFiletypes")
      .findItems(".MP3", Qt::MatchExactly)
      .value(0)
      ->setCheckState(Qt::Checked);
  page.ApplyGroup(TZConfigGroup::FileTypes);
  ASSERT_EQ(messages.size(), 1);
  EXPECT_NE(messages[0], "Filetypes successfull registered.");
  EXPECT_TRUE(messages[0].contains("could not")) << messages[0].toStdString();
  EXPECT_FALSE(shell.FileTypeRegistered(".MP3"));
  Click(Child<QCheckBox>(page, "cbGeneralEnableContextMenuDVD"));
  page.ApplyGroup(TZConfigGroup::DvdContextMenu);
  ASSERT_EQ(messages.size(), 2);
  EXPECT_TRUE(messages[1].contains("could not")) << messages[1].toStdString();
}

}  // namespace
