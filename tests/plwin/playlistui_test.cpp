// The playlist's windows wired together: the playlist menu opens the search window, the item
// editor and the add dialogs, and a language change reaches all of them.

#include <QAction>
#include <QMenu>

#include "playlist/window/playlistui.h"
#include "plwinfixture.h"

namespace {

QAction* Action(QMenu& menu, const QString& text) {
  for (QAction* action : menu.actions()) {
    if (action->text() == text) {
      return action;
    }
  }
  return nullptr;
}

class PlaylistUiTest : public PlaylistWindowTest {
 protected:
  PlaylistUiTest() {
    window.reset();  // the bundle brings its own behaviour for the window
    ui = std::make_unique<TZPlaylistUi>(form(), playlist, player, skinned.skin, config, language,
                                        nullptr);
  }
  std::unique_ptr<TZPlaylistUi> ui;
};

}  // namespace

TEST_F(PlaylistUiTest, MenuOpensTheDialogsAndTheEditorForTheClickedEntry) {
  for (int i = 0; i < 5; ++i) {
    playlist.Add(QStringLiteral("Song %1").arg(i), QStringLiteral("/m/%1.ogg").arg(i), false,
                 QStringLiteral("00"), QStringLiteral("00:01:00"));
  }
  ui->Window().Redraw();
  QMenu& menu = ui->Window().Menu();
  Action(menu, language.Text(83))->trigger();
  EXPECT_TRUE(ui->Search().isVisible());
  EXPECT_EQ(ui->Search().results().size(), 5);
  Action(menu, language.Text(77))->trigger();
  EXPECT_TRUE(ui->AddUrl().isVisible());
  Action(menu, language.Text(76))->trigger();
  EXPECT_TRUE(ui->AddDisc().isVisible());

  const int row = ui->Window().RowHeight();
  const QRect list = form().listRect();
  QTest::mouseClick(&form(), Qt::LeftButton, Qt::NoModifier,
                    QPoint(list.left() + 10, list.top() + 3 * row + row / 2));
  Action(menu, language.Text(79))->trigger();
  EXPECT_TRUE(ui->Editor().isVisible());
  EXPECT_EQ(ui->Editor().EditIndex(), 3);
}

TEST_F(PlaylistUiTest, LanguageChangeReachesTheMenuAndTheDialogs) {
  language.SetText(83, QStringLiteral("Eintrag suchen"));
  language.SetText(305, QStringLiteral("Suche"));
  ApplyLanguage(language);
  EXPECT_NE(Action(ui->Window().Menu(), QStringLiteral("Eintrag suchen")), nullptr);
  EXPECT_EQ(ui->Search().windowTitle(), QStringLiteral("Suche"));
}
