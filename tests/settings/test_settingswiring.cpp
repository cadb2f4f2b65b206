// The settings dialog joined to the real windows: opened from the main window, a skin chosen in
// it dresses every window, a language chosen in it re-labels every window.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QToolTip>
#include <QTreeWidget>

#include "app/program.h"
#include "app/programwiring.h"
#include "app/settingswiring.h"
#include "config/dialog/configdialog.h"
#include "config/dialog/pageparts.h"
#include "config/pages/filetypespage.h"
#include "config/pages/shortcutspage.h"
#include "config/pages/videofilterpage.h"
#include "config/pages/videoosdpage.h"
#include "lang/applylanguage.h"
#include "lang/language.h"
#include "mainwindowtest.h"
#include "playlist/window/playlistwindow.h"
#include "skintestsupport.h"
#include "testsupport.h"
#include "ui/skinchange.h"

namespace {

QStringList MenuTexts(const QMenu& menu) {
  QStringList texts;
  for (const QAction* action : menu.actions()) {
    texts << action->text();
    if (const QMenu* sub = action->menu()) {
      texts << MenuTexts(*sub);
    }
  }
  return texts;
}

QAction* MenuEntry(QMenu& menu, const QString& text) {
  for (QAction* action : menu.actions()) {
    if (action->text() == text) {
      return action;
    }
  }
  return nullptr;
}

// The share of a window's face painted in one colour.
double ShareOf(TZSkinHost& window, QRgb colour) {
  const QImage& face = window.face();
  qint64 same = 0;
  for (int y = 0; y < face.height(); ++y) {
    for (int x = 0; x < face.width(); ++x) {
      same += (face.pixel(x, y) & 0xffffff) == (colour & 0xffffff);
    }
  }
  return face.isNull() ? 0.0 : double(same) / (double(face.width()) * face.height());
}

}  // namespace

class SettingsWiringTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    ASSERT_FALSE(HasFatalFailure());
    LoadDefaults(Language());
    wiring_ = std::make_unique<TZProgramWiring>(*window_, skin_, config_, Language());
    wiring_->ProgramStarted();
    // The program body's part of a skin change.
    skinEvents_ = AddProgramEventHandler([this](const QString& event) {
      if (event == kSkinChange) {
        RedrawAfterSkinChange(skin_, windows_, config_, false);
        window_->SkinChanged();
        wiring_->PlaylistWindow().ApplySkin();
      }
    });
    main_.show();
  }
  void TearDown() override {
    skinEvents_ = ProgramEventHandle();
    wiring_.reset();
    LoadDefaults(Language());
    MainWindowTest::TearDown();
  }

  TfrmConfig& Dialog() { return wiring_->Settings().Dialog(); }
  void OpenFromMenu() {
    QAction* entry = MenuEntry(window_->MainMenu(), Language().Text(45));
    ASSERT_NE(entry, nullptr);
    entry->trigger();
    ASSERT_TRUE(Dialog().isVisible());
  }
  void ChooseInList(const char* list, const QString& text) {
    auto* widget = Dialog().findChild<QListWidget*>(QLatin1String(list));
    ASSERT_NE(widget, nullptr);
    const QList<QListWidgetItem*> found = widget->findItems(text, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    emit widget->itemClicked(found[0]);
  }
  void PressApply() { Dialog().findChild<QPushButton*>(QStringLiteral("Button1"))->click(); }

  std::unique_ptr<TZProgramWiring> wiring_;
  ProgramEventHandle skinEvents_;
};

TEST_F(SettingsWiringTest, ConfigurationOpensTheDialogCentredAndFilled) {
  config_.JumpInterval = 4321;
  OpenFromMenu();
  EXPECT_EQ(Dialog().size(), QSize(TfrmConfig::kWidth, TfrmConfig::kHeight));
  EXPECT_TRUE(Dialog().windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(Dialog().findChild<QLineEdit*>(QStringLiteral("edtTJCount"))->text(), "4321");
  Dialog().hide();
  emit window_->settingsRequested();  // the main window's button
  EXPECT_TRUE(Dialog().isVisible());
}

TEST_F(SettingsWiringTest, ChoosingASkinAndApplyDressesEveryWindowInIt) {
  QImage picture(591, 567, QImage::Format_RGB888);
  const QRgb colour = qRgb(200, 10, 10);
  picture.fill(colour);
  WriteBytes(scratch_.file("data/skins/red/red.zskn"), DefaultDescriptionBytes());
  WriteBytes(scratch_.file("data/skins/red/red.bmp"), BitmapBytes(picture));
  std::vector<TZSkinHost*> hosts{&main_, &playlistWindow_, &mediaControls_, &video_, &fullscreen_};
  for (TZSkinHost* host : hosts) {
    EXPECT_LT(ShareOf(*host, colour), 0.01) << host->objectName().toStdString();
  }
  OpenFromMenu();
  Dialog().SelectPage(cpSkins);
  ChooseInList("lbSkins", "red");
  PressApply();
  EXPECT_EQ(config_.Skin, "red");
  for (TZSkinHost* host : hosts) {
    EXPECT_GT(ShareOf(*host, colour), 0.3) << host->objectName().toStdString();
  }
  EXPECT_TRUE(LogLines().contains("  Changing skin \"red\" OK"));
}

TEST_F(SettingsWiringTest, ChoosingALanguageAndApplyRelabelsEveryWindow) {
  QStringList lines;
  for (int n = 1; n <= TZLanguage::kTextCount; ++n) {
    lines << QStringLiteral("%1 L%2").arg(n, 5, 10, QChar(u'0')).arg(n);
  }
  WriteBytes(scratch_.file("data/languages/pirate.zlng"), JoinLines(lines));
  OpenFromMenu();
  Dialog().SelectPage(cpLanguages);
  ChooseInList("lbLanguages", "pirate");
  PressApply();
  EXPECT_EQ(config_.Language, "pirate");

  const QStringList mainMenu = MenuTexts(window_->MainMenu());
  for (const char* text : {"L44", "L45", "L52", "L55", "L53", "L278", "L54", "L61", "L72"}) {
    EXPECT_TRUE(mainMenu.contains(text)) << text;
  }
  EXPECT_EQ(main_.imgPlayButton->property(kHintProperty).toString(), "L106");
  // Resting the mouse on the play button shows its hint.
  const QPoint play = Centre(*main_.imgPlayButton);
  QHelpEvent help(QEvent::ToolTip, play, main_.mapToGlobal(play));
  QApplication::sendEvent(&main_, &help);
  EXPECT_EQ(QToolTip::text(), "L106");
  EXPECT_EQ(main_.imgScrolllabel->property(kHintProperty).toString(), "L116");
  EXPECT_EQ(window_->TitleText(), "L4") << "the title is renewed in the new language";
  const QStringList playlistMenu = MenuTexts(wiring_->PlaylistWindow().Menu());
  EXPECT_TRUE(playlistMenu.contains("L74"));
  EXPECT_TRUE(playlistMenu.contains("L92"));
  EXPECT_TRUE(MenuTexts(*mediaControls_.popmMediaControls).contains("L365"));
  EXPECT_EQ(mediaControls_.SpeedSeekbar->knob()->property(kHintProperty).toString(), "L259");
  EXPECT_EQ(Dialog().findChild<QPushButton*>(QStringLiteral("Button2"))->text(), "L124");
  EXPECT_EQ(Dialog().findChild<QLabel*>(QStringLiteral("lblBookTitle"))->text(), "L133");

  ChooseInList("lbLanguages", "english[default]");
  PressApply();
  EXPECT_EQ(config_.Language, "english");
  EXPECT_TRUE(MenuTexts(window_->MainMenu()).contains("Configuration..."));
  EXPECT_EQ(main_.imgPlayButton->property(kHintProperty).toString(), "Play");
}

TEST_F(SettingsWiringTest, AppliedSettingsReachTheRunningWindows) {
  OpenFromMenu();
  auto* playModes = Dialog().findChild<TZRadioGroup*>(QStringLiteral("rgPlaymode"));
  Dialog().SelectPage(cpSystem);
  playModes->findChildren<QRadioButton*>()[0]->click();
  Dialog().SelectPage(cpPlaylist);
  Dialog()
      .findChild<TZRadioGroup*>(QStringLiteral("rgPLSB"))
      ->findChildren<QRadioButton*>()[0]
      ->click();
  Dialog().SelectPage(cpVideo);
  Dialog().findChild<QCheckBox*>(QStringLiteral("cbAutoFS"))->click();
  PressApply();
  EXPECT_FALSE(config_.PlayMode);
  EXPECT_FALSE(main_.imgPlaymodeCheckbox->isChecked());
  EXPECT_TRUE(main_.imgAutofullscreenCheckbox->isChecked());
  EXPECT_TRUE(skin_.Playlist.StatusBar.Hidden);
  EXPECT_FALSE(playlistWindow_.imgStatusBar->isVisible());
  // The play mode chosen on the main window shows in the dialog.
  window_->PlayModeMenu().actions().at(2)->trigger();
  EXPECT_EQ(playModes->Index(), 2);
}

TEST_F(SettingsWiringTest, EveryPageSitsInItsPlaceAndIsDrawnForALookAtIt) {
  OpenFromMenu();
  EXPECT_NE(dynamic_cast<TZFiletypesPage*>(Dialog().Page(cpFiletypes)), nullptr);
  EXPECT_NE(dynamic_cast<TZShortcutsPage*>(Dialog().Page(cpShortcuts)), nullptr);
  EXPECT_NE(dynamic_cast<TZVideoFilterPage*>(Dialog().Page(cpVideoFilter)), nullptr);
  EXPECT_NE(dynamic_cast<TZVideoOsdPage*>(Dialog().Page(cpVideoOSD)), nullptr);
  const QString folder = TestOutputFolder() + "settings/";
  QDir().mkpath(folder);
  auto* tree = Dialog().findChild<QTreeWidget*>(QStringLiteral("TreeView1"));
  auto* title = Dialog().findChild<QLabel*>(QStringLiteral("lblBookTitle"));
  for (int index = 0; index < kConfigPageCount; ++index) {
    Dialog().SelectPage(index);
    EXPECT_EQ(title->text(), Language().Text(128 + index));
    EXPECT_EQ(tree->currentItem()->text(0), Language().Text(128 + index));
    const QImage shot = Dialog().grab().toImage();
    EXPECT_EQ(shot.size(), QSize(TfrmConfig::kWidth, TfrmConfig::kHeight));
    const QString name = QStringLiteral("%1-%2.png")
                             .arg(index, 2, 10, QChar(u'0'))
                             .arg(QString(Language().Text(128 + index)).remove(u' '));
    EXPECT_TRUE(shot.save(folder + name)) << name.toStdString();
  }
}
