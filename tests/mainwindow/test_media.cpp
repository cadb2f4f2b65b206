// Media put in from the main window: drops, the eject button's dialog and folders.
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFileDialog>
#include <QMimeData>
#include <QSet>
#include <QTimer>
#include <QUrl>

#include "mainwindowtest.h"

namespace {

void Drop(QWidget& window, const QStringList& paths) {
  QMimeData data;
  QList<QUrl> urls;
  for (const QString& path : paths) {
    urls << QUrl::fromLocalFile(path);
  }
  data.setUrls(urls);
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &enter);
  ASSERT_TRUE(enter.isAccepted()) << "file-manager URL lists are accepted";
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &drop);
}

QSet<QString> FileNames(const TZPlaylist& playlist) {
  QSet<QString> names;
  for (int i = 0; i < playlist.Count(); ++i) {
    names.insert(playlist.Get(i)->FileName);
  }
  return names;
}

}  // namespace

TEST_F(MainWindowTest, DroppedFolderReplacesThePlaylistWithEverythingBelowIt) {
  AddTones(2, 2.0);
  ClickControl(*main_.imgPlayButton);
  ASSERT_EQ(PlayingIndex(), 0);
  const QSet<QString> expected = {Tone("drop/a.wav", 500, 2.0), Tone("drop/sub/b.wav", 600, 2.0),
                                  Tone("drop/sub/deeper/c.wav", 700, 2.0)};
  WriteBytes(scratch_.file("drop/notes.txt"), "not media");
  Drop(main_, {scratch_.file("drop")});
  EXPECT_EQ(FileNames(playlist_), expected);
  EXPECT_TRUE(window_->Player().Playing());
  EXPECT_EQ(PlayingIndex(), 0);
  EXPECT_TRUE(expected.contains(window_->Player().State().CurrentEntry->FileName));
}

TEST_F(MainWindowTest, DroppedUpperCaseM3uIsReadAsAPlaylist) {
  const QString first = Tone("list/one.wav", 500, 2.0);
  const QString second = Tone("list/two.wav", 600, 2.0);
  WriteBytes(scratch_.file("list/MIX.M3U"), (first + "\r\n" + second + "\r\n").toUtf8());
  Drop(main_, {scratch_.file("list/MIX.M3U"), scratch_.file("does-not-exist.wav")});
  ASSERT_EQ(playlist_.Count(), 2);
  EXPECT_EQ(playlist_.Get(0)->FileName, first);
  EXPECT_EQ(playlist_.Get(1)->FileName, second);
  EXPECT_EQ(PlayingIndex(), 0);
  EXPECT_EQ(window_->TitleText(), "[ one is playing ]");
}

TEST_F(MainWindowTest, EjectButtonReplacesThePlaylistWithTheChosenFileAndPlaysIt) {
  AddTones(2, 2.0);
  const QString chosen = Tone("eject/chosen.wav", 800, 2.0);
  config_.LastDir = scratch_.file("eject");
  bool answered = false;
  // The file dialog is modal: answer it from the event loop once it is up.
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->selectFile(chosen);
    static_cast<QDialog*>(dialog)->accept();
    answered = true;
  });
  ClickControl(*main_.imgEjectButton);
  ASSERT_TRUE(answered);
  ASSERT_EQ(playlist_.Count(), 1);
  EXPECT_EQ(playlist_.Get(0)->FileName, chosen);
  EXPECT_TRUE(window_->Player().Playing());
  EXPECT_EQ(PlayingIndex(), 0);
}

TEST_F(MainWindowTest, AddFolderKeepsPlayingAndRemembersTheFolder) {
  AddTones(1, 3.0);
  ClickControl(*main_.imgPlayButton);
  Tone("more/x.wav", 500, 1.0);
  Tone("more/y/z.wav", 600, 1.0);
  window_->AddFolder(scratch_.file("more"), false);
  EXPECT_EQ(playlist_.Count(), 3);
  EXPECT_EQ(PlayingIndex(), 0);
  EXPECT_TRUE(window_->Player().Playing());
  EXPECT_EQ(window_->TitleText(), "[ tone0 is playing ]");
  EXPECT_EQ(config_.LastDir, scratch_.file("more"));
}
