// The program's windows joined to the real main window: the playlist window and its dialogs, the
// media controls, the about and news windows, the hotkeys and the desktop-control callbacks, each
// reached the way a person reaches it (toggles, menus, rows, keys).
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QTest>
#include <QTimer>

#include "app/programwiring.h"
#include "controltest.h"
#include "desktop/mpris/playermpris.h"
#include "hotkeys/dispatch/hotkeydispatch.h"
#include "hotkeys/hotkeys.h"
#include "hotkeys/keycodes.h"
#include "lang/applylanguage.h"
#include "lang/language.h"
#include "mainwindowtest.h"
#include "playlist/window/adddialogs.h"
#include "playlist/window/edititem.h"
#include "playlist/window/playlistsearch.h"
#include "playlist/window/playlistwindow.h"
#include "ui/about.h"
#include "ui/news.h"

namespace {

// The menu entry with the language text `text`, searched through the submenus too.
QAction* MenuItem(QMenu& menu, int text) {
  for (QAction* action : menu.actions()) {
    if (action->text() == Language().Text(text)) {
      return action;
    }
    if (QMenu* sub = action->menu()) {
      if (QAction* found = MenuItem(*sub, text)) {
        return found;
      }
    }
  }
  return nullptr;
}

void Trigger(QMenu& menu, int text) {
  QAction* action = MenuItem(menu, text);
  ASSERT_NE(action, nullptr) << "no menu entry " << text;
  action->trigger();
}

void PressKey(QWidget& window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers);
  QApplication::sendEvent(&window, &press);
}

QStringList Captions(const TZPlaylist& playlist) {
  QStringList captions;
  for (int i = 0; i < playlist.Count(); ++i) {
    captions << playlist.Get(i)->Caption;
  }
  return captions;
}

}  // namespace

class WiringTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    ASSERT_FALSE(HasFatalFailure());
    // The built-in skin hides the window toggles; a skin that shows them, as packages may.
    skin_.Main.PlaylistCheckBox.Visible = true;
    skin_.Main.EqualizerCheckBox.Visible = true;
    ApplySurfaces(skin_, windows_);
    window_->SkinChanged();
    wiring_ = std::make_unique<TZProgramWiring>(*window_, skin_, config_, Language());
    wiring_->ProgramStarted();
    main_.show();
  }
  void TearDown() override {
    wiring_.reset();
    MainWindowTest::TearDown();
  }

  // Clicks a main-window toggle until its window is shown.
  void ShowThrough(TZSkinCheckBox& toggle, QWidget& window) {
    for (int tries = 0; tries < 2 && !window.isVisible(); ++tries) {
      ClickControl(toggle);
    }
    ASSERT_TRUE(window.isVisible());
  }
  void ShowPlaylistWindow() { ShowThrough(*main_.imgPlaylistCheckbox, playlistWindow_); }
  void ShowMediaControls() { ShowThrough(*main_.imgEqualizerCheckbox, mediaControls_); }

  QPoint RowPoint(int row) const {
    const QRect list = playlistWindow_.listRect();
    const int height = wiring_->PlaylistWindow().RowHeight();
    return QPoint(list.left() + 20, list.top() + row * height + height / 2);
  }

  void AddNames(const QStringList& captions) {
    for (const QString& caption : captions) {
      playlist_.Add(caption, scratch_.file(caption + ".wav"), false, "00", "00:00:01");
    }
  }

  std::unique_ptr<TZProgramWiring> wiring_;
};

TEST_F(WiringTest, PlaylistToggleShowsTheListThatFollowsThePlayersRedraw) {
  ShowPlaylistWindow();
  ASSERT_GT(wiring_->PlaylistWindow().VisibleRows(), 0);
  QStringList many;
  for (int i = 0; i < wiring_->PlaylistWindow().VisibleRows() + 20; ++i) {
    many << QStringLiteral("entry %1").arg(i);
  }
  AddNames(many);
  EXPECT_EQ(playlistWindow_.ScrollThumb->max(), 0);
  window_->RedrawPlaylist();
  EXPECT_EQ(playlistWindow_.ScrollThumb->max(), 20);

  ClickControl(*main_.imgPlaylistCheckbox);
  EXPECT_FALSE(playlistWindow_.isVisible());
  ClickControl(*main_.imgPlaylistCheckbox);
  EXPECT_TRUE(playlistWindow_.isVisible());
}

TEST_F(WiringTest, PlaylistMenuOpensSearchAddDialogsAndTheItemEditor) {
  ShowPlaylistWindow();
  AddNames({"alpha", "beta", "gamma"});
  window_->RedrawPlaylist();
  QMenu& menu = wiring_->PlaylistWindow().Menu();

  Trigger(menu, 83);  // "Find item"
  EXPECT_TRUE(wiring_->Search().isVisible());
  Trigger(menu, 77);  // "Add url..."
  EXPECT_TRUE(wiring_->AddUrl().isVisible());
  Trigger(menu, 76);  // the disc dialog
  EXPECT_TRUE(wiring_->AddDisc().isVisible());

  QTest::mouseClick(&playlistWindow_, Qt::LeftButton, Qt::NoModifier, RowPoint(1));
  ASSERT_EQ(wiring_->PlaylistWindow().ClickedIndex(), 1);
  Trigger(menu, 79);  // "Fileinformation"
  EXPECT_TRUE(wiring_->ItemEditor().isVisible());
  EXPECT_EQ(wiring_->ItemEditor().EditIndex(), 1);
  EXPECT_EQ(wiring_->ItemEditor().edtPECaption->text(), QStringLiteral("beta"));
}

TEST_F(WiringTest, LanguageChangeReachesThePlaylistMenu) {
  const QString before = Language().Text(83);
  Language().SetText(83, QStringLiteral("Search the list"));
  ApplyLanguage(Language());
  const bool renamed = MenuItem(wiring_->PlaylistWindow().Menu(), 83) != nullptr;
  Language().SetText(83, before);
  ApplyLanguage(Language());
  EXPECT_TRUE(renamed);
  EXPECT_NE(MenuItem(wiring_->PlaylistWindow().Menu(), 83), nullptr);
}

TEST_F(WiringTest, DoubleClickedRowPlaysOnTheMainWindowsPlayer) {
  ShowPlaylistWindow();
  AddTones(3, 2.0);
  window_->RedrawPlaylist();
  // The toolkit's order: press, release, then the double click.
  QTest::mouseClick(&playlistWindow_, Qt::LeftButton, Qt::NoModifier, RowPoint(2));
  QTest::mouseDClick(&playlistWindow_, Qt::LeftButton, Qt::NoModifier, RowPoint(2));
  Run(100);
  EXPECT_EQ(PlayingIndex(), 2);
  EXPECT_TRUE(window_->Player().Playing());
}

TEST_F(WiringTest, NextButtonCentresThePlayingEntryInTheList) {
  ShowPlaylistWindow();
  const int visible = wiring_->PlaylistWindow().VisibleRows();
  ASSERT_GT(visible, 2);
  const QString tone = Tone(QStringLiteral("tone.wav"), 440, 2.0);
  for (int i = 0; i < 3 * visible; ++i) {
    playlist_.Add(QStringLiteral("entry %1").arg(i), tone, false, "00", "00:00:02");
  }
  window_->RedrawPlaylist();
  const int start = 2 * visible;
  window_->Player().PlayEntry(start);
  Run(50);
  ASSERT_EQ(wiring_->PlaylistWindow().TopRow(), 0);
  ClickControl(*main_.imgForwardButton);
  Run(50);
  ASSERT_EQ(PlayingIndex(), start + 1);
  EXPECT_EQ(wiring_->PlaylistWindow().TopRow(), start + 1 - visible / 2);
}

TEST_F(WiringTest, StartUpShowsTheLastPlayedEntryOnlyWhenRemembered) {
  ShowPlaylistWindow();
  const int visible = wiring_->PlaylistWindow().VisibleRows();
  ASSERT_GT(visible, 2);
  QStringList names;
  for (int i = 0; i < 3 * visible; ++i) {
    names << QStringLiteral("entry %1").arg(i);
  }
  AddNames(names);
  window_->RedrawPlaylist();
  playlist_.LastPlayedIndex = 2 * visible;

  config_.RememberLastPlayed = false;
  wiring_->ProgramStarted();
  EXPECT_EQ(wiring_->PlaylistWindow().TopRow(), 0);
  EXPECT_FALSE(playlist_.Get(2 * visible)->Selected);

  config_.RememberLastPlayed = true;
  wiring_->ProgramStarted();
  EXPECT_EQ(wiring_->PlaylistWindow().TopRow(), 2 * visible - visible / 2);
  EXPECT_TRUE(playlist_.Get(2 * visible)->Selected);
  EXPECT_EQ(PlayingIndex(), -1);
}

TEST_F(WiringTest, EqualizerToggleShowsMediaControlsThatActOnThePlayer) {
  ShowMediaControls();
  TZSkinSeekbar& speed = *mediaControls_.SpeedSeekbar;
  speed.setPosition(8);
  config_.Speed = 8;
  ::Press(speed.knob(), {2, 2}, Qt::RightButton);
  ::Release(speed.knob(), {2, 2}, Qt::RightButton);
  EXPECT_EQ(config_.Speed, 4);
  EXPECT_EQ(speed.range().Position, 4);
  EXPECT_EQ(window_->SpeedPosition(), 4);

  ClickControl(*main_.imgEqualizerCheckbox);
  EXPECT_FALSE(mediaControls_.isVisible());
  EXPECT_FALSE(config_.MediaConVis);
}

TEST_F(WiringTest, AboutComesFromTheMenuAndNewsAtStartUpByItsSetting) {
  Trigger(window_->MainMenu(), 44);
  EXPECT_TRUE(wiring_->About().isVisible());

  EXPECT_FALSE(wiring_->News().isVisible());
  config_.NewsWindowOnStartUp = true;
  window_->ProgramStart();
  EXPECT_TRUE(wiring_->News().isVisible());
  wiring_->News().hide();
  config_.NewsWindowOnStartUp = false;
  window_->ProgramStart();
  EXPECT_FALSE(wiring_->News().isVisible());
}

TEST_F(WiringTest, HotKeysRunTheirActionsOnTheMainWindow) {
  TZHotKeys table;
  table.Clear();
  table.Add(VirtualKeyFromQt(Qt::Key_R, Qt::NoModifier), hmCtrl, false, haSortReverse);
  table.Add(VirtualKeyFromQt(Qt::Key_F, Qt::NoModifier), hmCtrl, false, haPlaylistSearch);
  table.Add(VirtualKeyFromQt(Qt::Key_F9, Qt::NoModifier), 0, true, haVolumeUp);
  wiring_->InstallHotKeys(table);
  ASSERT_NE(HotKeyDispatcher(), nullptr);
  AddNames({"a", "b", "c"});

  // A local key acts only while a window of the program has the focus.
  main_.show();
  main_.activateWindow();
  QApplication::setActiveWindow(&main_);
  ASSERT_EQ(wiring_->Focus().FocusedWindow(), THotKeyWindow::Main);
  PressKey(main_, Qt::Key_R, Qt::ControlModifier);
  EXPECT_EQ(Captions(playlist_), (QStringList{"c", "b", "a"}));
  PressKey(main_, Qt::Key_F, Qt::ControlModifier);
  EXPECT_TRUE(wiring_->Search().isVisible());

  const qint64 before = main_.VolumeSeekbar->range().Position;
  const qint64 step = main_.VolumeSeekbar->range().Max / 100;
  ASSERT_GT(step, 0);
  ASSERT_LE(before + step, main_.VolumeSeekbar->range().Max);
  PressKey(main_, Qt::Key_F9);
  EXPECT_EQ(main_.VolumeSeekbar->range().Position, before + step);

  wiring_.reset();
  EXPECT_EQ(HotKeyDispatcher(), nullptr);
}

TEST_F(WiringTest, DesktopControlRaisesQuitsAndSetsThePlayModeOnTheMainWindow) {
  // No session bus: the service is not offered, the callbacks are still joined.
  qunsetenv("DBUS_SESSION_BUS_ADDRESS");
  qunsetenv("DISPLAY");
  EXPECT_FALSE(wiring_->RegisterMpris());
  ASSERT_NE(wiring_->Mpris(), nullptr);

  main_.hide();
  wiring_->Mpris()->Raise();
  EXPECT_TRUE(main_.isVisible());

  main_.imgPlaymodeCheckbox->setChecked(false);
  wiring_->Mpris()->SetPlayMode(true, pmRandom);
  EXPECT_TRUE(main_.imgPlaymodeCheckbox->isChecked());

  // Quit ends the message loop although the playlist window refuses to close by itself.
  ShowPlaylistWindow();
  QTimer::singleShot(0, [this] { wiring_->Mpris()->Quit(); });
  QTimer::singleShot(5000, [] { QCoreApplication::exit(7); });
  EXPECT_EQ(QApplication::exec(), 0);
  EXPECT_FALSE(main_.isVisible());
}

TEST_F(WiringTest, MainWindowWithPlaylistAndMediaControlsShown) {
  ShowPlaylistWindow();
  ShowMediaControls();
  AddTones(4, 1.0);
  window_->RedrawPlaylist();
  QTest::mouseClick(&playlistWindow_, Qt::LeftButton, Qt::NoModifier, RowPoint(1));
  const QImage main = main_.grab().toImage();
  const QImage list = playlistWindow_.grab().toImage();
  const QImage controls = mediaControls_.grab().toImage();
  ASSERT_FALSE(main.isNull() || list.isNull() || controls.isNull());

  // The three windows as the magnets keep them: the list below, the controls to the right.
  QImage screen(qMax(main.width(), list.width()) + controls.width(), main.height() + list.height(),
                QImage::Format_RGB32);
  screen.fill(Qt::darkGray);
  QPainter painter(&screen);
  painter.drawImage(0, 0, main);
  painter.drawImage(0, main.height(), list);
  painter.drawImage(qMax(main.width(), list.width()), 0, controls);
  painter.end();
  const QString folder = TestOutputFolder() + QStringLiteral("/wiring/");
  QDir().mkpath(folder);
  EXPECT_TRUE(screen.save(folder + QStringLiteral("windows.png")));

  // The list shows its entries: a filled row differs from an empty one below the last entry.
  const int rows = wiring_->PlaylistWindow().VisibleRows();
  ASSERT_GT(rows, 5);
  const auto band = [&](int r) {
    const QRect area = playlistWindow_.listRect();
    const int height = wiring_->PlaylistWindow().RowHeight();
    return list.copy(area.left(), area.top() + r * height, area.width(), height);
  };
  EXPECT_NE(band(0), band(rows - 1));
}
