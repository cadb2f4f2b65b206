// The stored window layout, the main menu's window entries and the help entries.
#include <QFile>
#include <QMenu>

#include "base/text/textfile.h"
#include "mainwindowtest.h"
#include "playlist/mediakind.h"

namespace {

QAction* MenuItem(QMenu& menu, const QString& text) {
  for (QAction* item : menu.actions()) {
    if (item->text() == text) {
      return item;
    }
  }
  return nullptr;
}

}  // namespace

TEST_F(MainWindowTest, StartShowsReadyWithABlankTimeAndLogsTheFilter) {
  EXPECT_EQ(window_->TitleText(), "Ready");
  EXPECT_TRUE(main_.imgTime->displayed().isNull());
  EXPECT_FALSE(main_.imgProgressBar->isEnabled());
  EXPECT_EQ(window_->VolumeControl().Maximum, 10000);
  EXPECT_EQ(window_->VolumeControl().Position, config_.Volume);
  EXPECT_EQ(window_->BalancePosition(), config_.Balance);
  bool filterLogged = false;
  for (const QString& line : LogLines()) {
    filterLogged =
        filterLogged || (line.trimmed().startsWith("Filter: ") && line.contains("*.MP3"));
  }
  EXPECT_TRUE(filterLogged);
}

TEST_F(MainWindowTest, LayoutFollowsTheConfigurationAndTheMenuFlipsWindows) {
  config_.MainPos = QPoint(40, 30);
  config_.PlaylistPos = QPoint(340, 30);
  config_.MediaControlsPos = QPoint(40, 130);
  config_.PlaylistVis = false;
  config_.MediaConVis = true;
  config_.Mute = true;
  config_.AutoFullscreen = true;
  window_->ApplyWindowLayout();
  EXPECT_EQ(main_.pos(), QPoint(40, 30));
  EXPECT_EQ(playlistWindow_.pos(), QPoint(340, 30));
  EXPECT_EQ(mediaControls_.pos(), QPoint(40, 130));
  EXPECT_TRUE(main_.isVisible());
  EXPECT_FALSE(playlistWindow_.isVisible());
  EXPECT_TRUE(mediaControls_.isVisible());
  EXPECT_TRUE(main_.imgMuteCheckbox->isChecked());
  EXPECT_TRUE(main_.imgAutofullscreenCheckbox->isChecked());
  EXPECT_FALSE(main_.imgPlaylistCheckbox->isChecked());

  QMenu& menu = window_->MainMenu();
  QAction* playlistItem = MenuItem(menu, "Playlist window");
  QAction* mediaItem = MenuItem(menu, "Mediacontrols window");
  ASSERT_TRUE(playlistItem && mediaItem);
  EXPECT_FALSE(playlistItem->isChecked());
  EXPECT_TRUE(mediaItem->isChecked());
  playlistItem->trigger();
  EXPECT_TRUE(config_.PlaylistVis);
  EXPECT_TRUE(playlistWindow_.isVisible());
  EXPECT_TRUE(playlistItem->isChecked());
  EXPECT_TRUE(main_.imgPlaylistCheckbox->isChecked());
  mediaItem->trigger();
  EXPECT_FALSE(mediaControls_.isVisible());
  EXPECT_FALSE(main_.imgEqualizerCheckbox->isChecked());

  // The places go back into the configuration at the end.
  mediaControls_.move(70, 170);
  window_->StorePositions();
  EXPECT_EQ(config_.MediaControlsPos, QPoint(70, 170));
  EXPECT_EQ(config_.PlaylistSize, playlistWindow_.size());
}

TEST_F(MainWindowTest, VideoMenuStaysDisabledAndAudioFollowsThePlayer) {
  QMenu& menu = window_->MainMenu();
  QAction* video = MenuItem(menu, "Video");
  QAction* audio = MenuItem(menu, "Audio");
  ASSERT_TRUE(video && audio);
  EXPECT_FALSE(video->isEnabled());
  EXPECT_FALSE(audio->isEnabled());
  AddTones(1, 2.0);
  ClickControl(*main_.imgPlayButton);
  EXPECT_TRUE(audio->isEnabled());
  EXPECT_FALSE(video->isEnabled());
}

TEST_F(MainWindowTest, LiveUpdateStartsTheProgramOrWarns) {
  ReportCapture reports;
  window_->StartLiveUpdate(false);
  ASSERT_EQ(reports.reports().size(), 1u);
  EXPECT_TRUE(reports.reports()[0].text.contains("ID: 5500"));
  EXPECT_FALSE(reports.reports()[0].fatal);

  const QString program = scratch_.file("liveupdate");
  WriteBytes(program, "#!/bin/sh\necho \"started $*\" > \"$(dirname \"$0\")/ran.txt\"\n");
  QFile::setPermissions(program,
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  window_->StartLiveUpdate(true);
  ASSERT_TRUE(WaitFor([&] { return QFile::exists(scratch_.file("ran.txt")); }, 10000));
  ASSERT_TRUE(WaitFor([&] { return ReadBytes(scratch_.file("ran.txt")).contains("\n"); }, 5000));
  EXPECT_EQ(ReadBytes(scratch_.file("ran.txt")), "started /autostart\n");
  EXPECT_EQ(reports.reports().size(), 1u);
}

TEST_F(MainWindowTest, FileTypeListHoldsEveryRegistrableTypeSorted) {
  ASSERT_TRUE(window_->WriteFileTypeList());
  QStringList lines;
  ASSERT_TRUE(ReadTextLines(scratch_.file("filetypes.txt"), &lines));
  QStringList expected;
  for (auto table : {BassStreamTable(), DirectShowAudioTable(), DirectShowVideoTable(), DvdTable(),
                     CdTable(), PlaylistTable()}) {
    ASSERT_GT(table.size(), 1u);
    expected << QString::fromUtf8(table[1].Description);
    EXPECT_TRUE(lines.contains(QString::fromUtf8(table[table.size() - 1].Description)));
  }
  for (const QString& description : expected) {
    EXPECT_TRUE(lines.contains(description)) << description.toStdString();
  }
  QStringList sorted = lines;
  sorted.sort();
  EXPECT_EQ(lines, sorted);
  EXPECT_EQ(ReadBytes(scratch_.file("filetypes.txt")).count("\r\n"), lines.size());
}
