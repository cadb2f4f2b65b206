// The skinned playlist window driven through the mouse, the keyboard, the wheel, drops and its
// context menu, checked by what the playlist then holds.

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

#include "playlist/playlistfiles.h"
#include "playlist/window/listpainter.h"
#include "plwinfixture.h"
#include "testsupport.h"

namespace {

QAction* FindAction(QMenu& menu, const QString& text) {
  for (QAction* action : menu.actions()) {
    if (action->text() == text) {
      return action;
    }
    if (action->menu()) {
      if (QAction* inner = FindAction(*action->menu(), text)) {
        return inner;
      }
    }
  }
  return nullptr;
}

void Drop(QWidget& target, const QStringList& paths) {
  QMimeData data;
  QList<QUrl> urls;
  for (const QString& path : paths) {
    urls << QUrl::fromLocalFile(path);
  }
  data.setUrls(urls);
  const QPointF at(target.width() / 2, target.height() / 2);
  QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&target, &enter);
  ASSERT_TRUE(enter.isAccepted());
  QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&target, &drop);
}

}  // namespace

TEST_F(PlaylistWindowTest, FewEntriesHideTheScrollBarAndIgnoreTheWheel) {
  Fill(5);
  ASSERT_GE(window->VisibleRows(), 10);
  EXPECT_FALSE(form().ScrollThumb->image()->isVisible());
  WheelNotches(-1);
  EXPECT_EQ(window->TopRow(), 0);
  Key(Qt::Key_End);
  EXPECT_EQ(window->TopRow(), 0);
}

TEST_F(PlaylistWindowTest, WheelAndPageKeysMoveByTenWithinTheRange) {
  Fill(100);
  const int visible = window->VisibleRows();
  EXPECT_TRUE(form().ScrollThumb->image()->isVisible());
  WheelNotches(-1);
  EXPECT_EQ(window->TopRow(), 10);
  EXPECT_EQ(form().ScrollThumb->position(), 10);
  WheelNotches(2);
  EXPECT_EQ(window->TopRow(), 0);
  Key(Qt::Key_PageDown);
  EXPECT_EQ(window->TopRow(), 10);
  Key(Qt::Key_End);
  EXPECT_EQ(window->TopRow(), 100 - visible);
  WheelNotches(-3);
  EXPECT_EQ(window->TopRow(), 100 - visible);
  Key(Qt::Key_Home);
  EXPECT_EQ(window->TopRow(), 0);
  Key(Qt::Key_PageUp);
  EXPECT_EQ(window->TopRow(), 0);
}

TEST_F(PlaylistWindowTest, ClickShiftClickAndCtrlClickSelect) {
  Fill(20);
  Press(2);
  EXPECT_EQ(Selected(), (std::vector<int>{2}));
  EXPECT_EQ(playlist.PlaylistCursor, 2);
  EXPECT_EQ(playlist.SelectionAnchor, 2);
  EXPECT_EQ(window->ClickedIndex(), 2);

  Press(5, Qt::LeftButton, Qt::ShiftModifier);
  EXPECT_EQ(Selected(), (std::vector<int>{2, 3, 4, 5}));
  EXPECT_EQ(playlist.SelectionEnd, 5);
  EXPECT_EQ(window->ClickedIndex(), 2);

  Press(3, Qt::LeftButton, Qt::ControlModifier);
  EXPECT_EQ(Selected(), (std::vector<int>{2, 4, 5}));
  Press(8, Qt::LeftButton, Qt::ControlModifier);
  EXPECT_EQ(Selected(), (std::vector<int>{2, 4, 5, 8}));
  EXPECT_EQ(playlist.PlaylistCursor, 8);

  // After scrolling, rows map to entries from the top row on.
  WheelNotches(-1);
  const qint64 top = window->TopRow();
  ASSERT_GT(top, 0);
  Press(0);
  EXPECT_EQ(Selected(), (std::vector<int>{int(top)}));
}

TEST_F(PlaylistWindowTest, ShiftClickWithoutAnchorSelectsOnlyThatEntry) {
  Fill(10);
  Press(4, Qt::LeftButton, Qt::ShiftModifier);
  EXPECT_EQ(Selected(), (std::vector<int>{4}));
}

TEST_F(PlaylistWindowTest, RightClickKeepsASelectionItHits) {
  Fill(10);
  Press(1);
  Press(3, Qt::LeftButton, Qt::ShiftModifier);
  Press(2, Qt::RightButton);
  EXPECT_EQ(Selected(), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(window->ClickedIndex(), 2);
  Press(6, Qt::RightButton);
  EXPECT_EQ(Selected(), (std::vector<int>{6}));
  form().popmPlaylist->hide();
}

TEST_F(PlaylistWindowTest, ClickBelowTheEntriesClearsAndDisablesEditItem) {
  Fill(3);
  std::vector<int> edited;
  TZPlaylistWindowHooks hooks;
  hooks.editItem = [&](int index) { edited.push_back(index); };
  window->SetHooks(hooks);
  Press(1);
  window->EditItem();
  EXPECT_EQ(edited, (std::vector<int>{1}));
  Press(6);
  EXPECT_TRUE(Selected().empty());
  EXPECT_EQ(window->ClickedIndex(), -1);
  EXPECT_EQ(playlist.PlaylistCursor, -1);
  window->EditItem();
  EXPECT_EQ(edited.size(), 1u);
}

TEST_F(PlaylistWindowTest, DoubleClickPlaysTheEntry) {
  Fill(5);
  config.OFACheckIsValidFile = false;
  // The toolkit's order: press, release, then the double click.
  Press(3);
  EXPECT_TRUE(player.played.empty());
  QTest::mouseDClick(&form(), Qt::LeftButton, Qt::NoModifier, RowPoint(3));
  ASSERT_FALSE(player.played.empty());
  EXPECT_EQ(player.played.back(), 3);
}

TEST_F(PlaylistWindowTest, CursorKeysMoveSelectAndScroll) {
  Fill(40);
  const int visible = window->VisibleRows();
  Key(Qt::Key_Down);
  EXPECT_EQ(playlist.PlaylistCursor, 0);
  EXPECT_EQ(Selected(), (std::vector<int>{0}));
  Key(Qt::Key_Down);
  Key(Qt::Key_Down, Qt::ShiftModifier);
  Key(Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(playlist.SelectionAnchor, 1);
  EXPECT_EQ(Selected(), (std::vector<int>{1, 2, 3}));
  Key(Qt::Key_Up, Qt::ShiftModifier);
  EXPECT_EQ(Selected(), (std::vector<int>{1, 2}));
  Key(Qt::Key_Up);
  EXPECT_EQ(Selected(), (std::vector<int>{1}));
  EXPECT_EQ(playlist.SelectionAnchor, 1);

  // Moving past the last drawn row scrolls by one.
  for (int i = 1; i < visible; ++i) {
    Key(Qt::Key_Down);
  }
  EXPECT_EQ(playlist.PlaylistCursor, visible);
  EXPECT_EQ(window->TopRow(), 1);
  Key(Qt::Key_Home);
  Press(0);
  Key(Qt::Key_PageDown, Qt::ShiftModifier);
  EXPECT_EQ(Selected().size(), 40u);
  EXPECT_EQ(playlist.PlaylistCursor, 39);
  Key(Qt::Key_PageUp, Qt::ShiftModifier);
  EXPECT_EQ(Selected(), (std::vector<int>{0}));
  Key(Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(Selected().size(), 40u);
}

TEST_F(PlaylistWindowTest, DeleteKeyRemovesTheSelectionAndMovesTheTopRow) {
  Fill(50);
  Key(Qt::Key_End);
  const qint64 top = window->TopRow();
  Press(0);
  Press(2, Qt::LeftButton, Qt::ShiftModifier);
  Key(Qt::Key_Delete);
  EXPECT_EQ(playlist.Count(), 47);
  EXPECT_EQ(window->TopRow(), top - 3);
  EXPECT_EQ(playlist.SelectionAnchor, -1);
  EXPECT_EQ(playlist.SelectionEnd, -1);
  EXPECT_EQ(playlist.Get(int(top))->Caption, QStringLiteral("Entry %1").arg(top + 4));
}

TEST_F(PlaylistWindowTest, ContextMenuOffersEveryCommand) {
  Fill(6);
  QMenu& menu = window->Menu();
  for (int text : {74, 75, 76, 77, 78, 79, 80, 81, 82, 83, 84, 85, 86, 87, 88, 89, 90, 91}) {
    EXPECT_NE(FindAction(menu, language.Text(text)), nullptr) << text;
  }
  int finds = 0;
  TZPlaylistWindowHooks hooks;
  hooks.findItem = [&] { ++finds; };
  window->SetHooks(hooks);
  FindAction(menu, language.Text(83))->trigger();
  EXPECT_EQ(finds, 1);

  Press(1);
  Press(2, Qt::LeftButton, Qt::ControlModifier);
  FindAction(menu, language.Text(81))->trigger();  // crop keeps what was selected
  ASSERT_EQ(playlist.Count(), 2);
  EXPECT_EQ(playlist.Get(0)->Caption, QStringLiteral("Entry 2"));
  EXPECT_EQ(playlist.Get(1)->Caption, QStringLiteral("Entry 3"));
  FindAction(menu, language.Text(84))->trigger();
  EXPECT_EQ(Selected().size(), 2u);
  FindAction(menu, language.Text(86))->trigger();
  EXPECT_TRUE(Selected().empty());
  FindAction(menu, language.Text(99))->trigger();  // reverse
  EXPECT_EQ(playlist.Get(0)->Caption, QStringLiteral("Entry 3"));
  FindAction(menu, language.Text(87))->trigger();
  EXPECT_EQ(playlist.Count(), 0);
  EXPECT_EQ(window->TopRow(), 0);
}

TEST_F(PlaylistWindowTest, RightClickOpensTheMenuOverTheList) {
  Fill(3);
  QContextMenuEvent event(QContextMenuEvent::Mouse, RowPoint(1), form().mapToGlobal(RowPoint(1)));
  QApplication::sendEvent(&form(), &event);
  EXPECT_TRUE(form().popmPlaylist->isVisible());
  form().popmPlaylist->hide();
}

TEST_F(PlaylistWindowTest, SortShowsItsTitleAndRestoresIt) {
  Fill(3);
  QStringList titles;
  QString title = QStringLiteral("Zephonic");
  std::vector<int> pictures;
  TZPlaylistWindowHooks hooks;
  hooks.title = [&] { return title; };
  hooks.setTitle = [&](const QString& text) {
    titles << text;
    title = text;
  };
  hooks.showStatusPicture = [&](int picture) { pictures.push_back(picture); };
  window->SetHooks(hooks);
  player.playing = true;
  window->SortItems(psoReverse);
  EXPECT_EQ(titles, (QStringList{QStringLiteral("Sorting..."), QStringLiteral("Zephonic")}));
  EXPECT_EQ(pictures, (std::vector<int>{4, 2}));
  EXPECT_EQ(playlist.Get(0)->Caption, QStringLiteral("Entry 3"));
}

TEST_F(PlaylistWindowTest, RemovingFilesAsksAndRemovesOnlyDeletedOnes) {
  ScratchFolder folder;
  const QString doomed = folder.file(QStringLiteral("doomed.mp3"));
  WriteBytes(doomed, "x");
  playlist.Add(QStringLiteral("doomed"), doomed, true, QStringLiteral("00"), QString());
  playlist.Add(QStringLiteral("gone"), folder.file(QStringLiteral("missing.mp3")), true,
               QStringLiteral("00"), QString());
  playlist.Add(QStringLiteral("radio"), QStringLiteral("http://127.0.0.1:9/live"), true,
               QStringLiteral("00"), QString());
  playlist.Add(QStringLiteral("kept"), doomed, false, QStringLiteral("00"), QString());

  // Unattended, the question takes its default answer: No.
  window->RemoveFilesFromDisk();
  EXPECT_TRUE(QFile::exists(doomed));
  EXPECT_EQ(playlist.Count(), 4);

  QStringList asked;
  TZPlaylistWindowHooks hooks;
  hooks.confirm = [&](const QString& question) {
    asked << question;
    return true;
  };
  window->SetHooks(hooks);
  window->RemoveFilesFromDisk();
  EXPECT_EQ(asked,
            QStringList{QStringLiteral("Would you really like delete all selected files ?")});
  EXPECT_FALSE(QFile::exists(doomed));
  ASSERT_EQ(playlist.Count(), 3);
  EXPECT_EQ(playlist.Get(0)->Caption, QStringLiteral("gone"));
  EXPECT_EQ(playlist.Get(1)->Caption, QStringLiteral("radio"));
  EXPECT_EQ(playlist.Get(2)->Caption, QStringLiteral("kept"));
}

TEST_F(PlaylistWindowTest, StatusLineCountsDaysAndHours) {
  Fill(1, QStringLiteral("25:00:00"));
  EXPECT_EQ(window->StatusText(),
            QStringLiteral("Entrys: 1 playduration: 1 day(s) 1 hour(s) 0 minute(s) 0 second(s)"));
  Fill(2, QStringLiteral("00:59:59"));
  EXPECT_EQ(window->StatusText(),
            QStringLiteral("Entrys: 3 playduration: 1 day(s) 2 hour(s) 59 minute(s) 58 second(s)"));
}

TEST_F(PlaylistWindowTest, DropsFollowTheDropMode) {
  ScratchFolder folder;
  TZPlaylist saved;
  saved.Add(QStringLiteral("Listed one"), folder.file(QStringLiteral("a.mp3")), false,
            QStringLiteral("01"), QStringLiteral("00:01:00"));
  saved.Add(QStringLiteral("Listed two"), folder.file(QStringLiteral("b.mp3")), false,
            QStringLiteral("02"), QStringLiteral("00:02:00"));
  const QString list = folder.file(QStringLiteral("saved.zpl"));
  ASSERT_TRUE(WriteZplFile(list, saved));
  const QString media = folder.file(QStringLiteral("dropped.mp3"));
  WriteBytes(media, "not really sound");
  WriteBytes(folder.file(QStringLiteral("sub/deeper.wav")), "x");
  config.OFACheckIsValidFile = false;
  player.playing = true;  // no auto play in the way

  config.PLOnDragDropMode = 0;
  Drop(form(), {media});
  EXPECT_EQ(playlist.Count(), 0);

  config.PLOnDragDropMode = 2;
  Drop(form(), {list, media});
  ASSERT_EQ(playlist.Count(), 3);
  EXPECT_EQ(playlist.Get(0)->Caption, QStringLiteral("Listed one"));
  EXPECT_EQ(playlist.Get(2)->Caption, QStringLiteral("dropped"));

  Drop(form(), {media, list});
  ASSERT_EQ(playlist.Count(), 2);
  EXPECT_EQ(playlist.Get(1)->Caption, QStringLiteral("Listed two"));

  config.PLOnDragDropMode = 1;
  Drop(form(), {folder.file(QStringLiteral("sub")), folder.file(QStringLiteral("nothing.mp3"))});
  ASSERT_EQ(playlist.Count(), 3);
  EXPECT_EQ(playlist.Get(2)->Caption, QStringLiteral("deeper"));
}

TEST_F(PlaylistWindowTest, DroppedPlaylistStartsAnIdlePlayer) {
  ScratchFolder folder;
  TZPlaylist saved;
  saved.Add(QStringLiteral("One"), QStringLiteral("http://127.0.0.1:9/a"), false,
            QStringLiteral("00"), QString());
  const QString list = folder.file(QStringLiteral("one.zpl"));
  ASSERT_TRUE(WriteZplFile(list, saved));
  Drop(form(), {list});
  EXPECT_EQ(player.played, (std::vector<int>{0}));
}

TEST_F(PlaylistWindowTest, ScrollThumbDragMovesTheTopRow) {
  Fill(200);
  TZSkinThumb& thumb = *form().ScrollThumb;
  const QRect list = form().listRect();
  thumb.ThumbMouseDown(QPoint(2, 2));
  thumb.ThumbMouseMove(QPoint(2, list.height()));
  thumb.ThumbMouseUp();
  EXPECT_EQ(window->TopRow(), 200 - window->VisibleRows());
  Key(Qt::Key_Home);
  EXPECT_EQ(thumb.position(), 0);
}

TEST_F(PlaylistWindowTest, RememberedEntryIsTheOnlySelectionInTheMiddle) {
  Fill(100);
  playlist.Get(3)->Selected = true;
  window->ScrollToRemembered(60);
  EXPECT_EQ(Selected(), (std::vector<int>{60}));
  EXPECT_EQ(window->TopRow(), 60 - window->VisibleRows() / 2);
  EXPECT_EQ(playlist.PlaylistCursor, -1);
}

TEST_F(PlaylistWindowTest, DraggingAnEntryMovesIt) {
  Fill(8);
  TZPlaylistEntry* dragged = playlist.Get(1);
  QTest::mousePress(&form(), Qt::LeftButton, Qt::NoModifier, RowPoint(1));
  QTest::mouseMove(&form(), RowPoint(2));
  QTest::mouseMove(&form(), RowPoint(4));
  QTest::mouseRelease(&form(), Qt::LeftButton, Qt::NoModifier, RowPoint(4));
  EXPECT_EQ(playlist.Get(4), dragged);
  EXPECT_EQ(playlist.Get(1)->Caption, QStringLiteral("Entry 3"));
  EXPECT_EQ(playlist.Get(3)->Caption, QStringLiteral("Entry 5"));
  EXPECT_EQ(Selected(), std::vector<int>{4});
  EXPECT_EQ(playlist.PlaylistCursor, 4);
  // Dragging upwards, and a move after the release moves nothing.
  QTest::mousePress(&form(), Qt::LeftButton, Qt::NoModifier, RowPoint(4));
  QTest::mouseMove(&form(), RowPoint(0));
  QTest::mouseRelease(&form(), Qt::LeftButton, Qt::NoModifier, RowPoint(0));
  QTest::mouseMove(&form(), RowPoint(6));
  EXPECT_EQ(playlist.Get(0), dragged);
  EXPECT_EQ(playlist.Get(1)->Caption, QStringLiteral("Entry 1"));
  EXPECT_EQ(playlist.Count(), 8);
}

TEST_F(PlaylistWindowTest, GripAndCaptionBarPlaceTheWindow) {
  form().resize(500, 500);
  const QRect grip = form().imgResizer->geometry();
  // A real double click ends with a release, which lets the grip go.
  QTest::mouseDClick(&form(), Qt::LeftButton, Qt::NoModifier, grip.center());
  QTest::mouseRelease(&form(), Qt::LeftButton, Qt::NoModifier, grip.center());
  EXPECT_EQ(form().size(), skinned.skin.Playlist.Frame.DefaultSize);
  TZPlaylistWindowHooks hooks;
  hooks.mainWindowFrame = [] { return QRect(40, 30, 275, 116); };
  window->SetHooks(hooks);
  const QRect caption = form().imgCaptionbar->geometry();
  QTest::mouseDClick(&form(), Qt::LeftButton, Qt::NoModifier,
                     QPoint(caption.left() + 5, caption.center().y()));
  EXPECT_EQ(form().pos(), QPoint(40, 146));
}

TEST_F(PlaylistWindowTest, CloseRequestsAreRefused) {
  EXPECT_FALSE(form().close());
  EXPECT_TRUE(form().isVisible());
}
