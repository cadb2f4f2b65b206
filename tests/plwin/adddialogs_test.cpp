// The "Add URL" and "Add DVD/VCD/SVCD" dialogs add what they are given and stay open otherwise.

#include <QComboBox>
#include <QLineEdit>

#include "playlist/window/adddialogs.h"
#include "plwinfixture.h"
#include "testsupport.h"

TEST(AddUrl, AcceptsStreamingSchemesInAnyCase) {
  EXPECT_TRUE(IsAddableUrl(QStringLiteral("http://127.0.0.1:8000/live")));
  EXPECT_TRUE(IsAddableUrl(QStringLiteral("HTTPS://127.0.0.1/x")));
  EXPECT_TRUE(IsAddableUrl(QStringLiteral("MMS://127.0.0.1/x")));
  EXPECT_FALSE(IsAddableUrl(QStringLiteral("ftp://127.0.0.1/x")));
  EXPECT_FALSE(IsAddableUrl(QStringLiteral("http:/127.0.0.1")));
  EXPECT_FALSE(IsAddableUrl(QString()));
}

TEST_F(PlaylistWindowTest, AddUrlAppendsWithoutPlayingOrWarns) {
  TfrmAddURL dialog(playlist, *window, language);
  dialog.ShowCentred(form());
  EXPECT_EQ(dialog.edtURL->text(), QStringLiteral("http://"));
  ReportCapture reports;
  dialog.edtURL->setText(QStringLiteral("ftp://127.0.0.1/song.mp3"));
  EXPECT_FALSE(dialog.Add());
  ASSERT_EQ(reports.reports().size(), 1u);
  EXPECT_TRUE(reports.reports()[0].text.contains(QStringLiteral("ftp://127.0.0.1/song.mp3")));
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(playlist.Count(), 0);

  dialog.edtURL->setText(QStringLiteral("MMS://127.0.0.1/radio"));
  QTest::keyClick(dialog.edtURL, Qt::Key_Return);
  ASSERT_EQ(playlist.Count(), 1);
  const TZPlaylistEntry& entry = *playlist.Get(0);
  EXPECT_EQ(entry.Caption, QStringLiteral("MMS://127.0.0.1/radio"));
  EXPECT_EQ(entry.FileName, entry.Caption);
  EXPECT_EQ(entry.Time, QStringLiteral("00:00:00"));
  EXPECT_EQ(entry.Track, QStringLiteral("00"));
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_TRUE(player.played.empty());
}

TEST(AddDisc, ListTextsAndThePreselectedDrive) {
  EXPECT_EQ(DiscSourceText("/dev/sr0", "", "No medium found."),
            QStringLiteral("/dev/sr0 [ No medium found. ]"));
  EXPECT_EQ(DiscSourceText("/media/disc", "MOVIE", "-"), QStringLiteral("/media/disc [ MOVIE ]"));
  EXPECT_EQ(PreselectedSource({}), -1);
  EXPECT_EQ(PreselectedSource({{"a", "", ""}, {"b", "", ""}}), 0);
  EXPECT_EQ(PreselectedSource({{"a", "X", ""}, {"b", "Y", ""}, {"c", "", ""}}), 1);
  // Every listed drive is an optical device of this system.
  for (const TZDiscSource& drive : OpticalDrives(QStringLiteral("No medium found."))) {
    EXPECT_TRUE(drive.Text.startsWith(drive.Path)) << drive.Text.toStdString();
  }
}

TEST_F(PlaylistWindowTest, AddDiscFromFoldersPlaysWhenIdleAndStaysOpenWhenEmpty) {
  ScratchFolder discs;
  WriteBytes(discs.file(QStringLiteral("Film/VIDEO_TS/VIDEO_TS.IFO")), "ifo");
  QDir().mkpath(discs.file(QStringLiteral("Holiday/MPEGAV")));
  QDir().mkpath(discs.file(QStringLiteral("Blank")));
  config.OFACheckIsValidFile = false;
  TfrmAddDVD dialog(playlist, player, *window, config, language);
  dialog.ShowCentred(form());

  dialog.AddSource(discs.file(QStringLiteral("Blank")));
  EXPECT_EQ(dialog.Accept(), 0);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(playlist.Count(), 0);

  dialog.AddSource(discs.file(QStringLiteral("Film")));
  EXPECT_EQ(dialog.cbDrives->currentText(),
            discs.file(QStringLiteral("Film")) + QStringLiteral(" [ Film ]"));
  EXPECT_EQ(dialog.Accept(), 1);
  ASSERT_EQ(playlist.Count(), 1);
  EXPECT_EQ(playlist.Get(0)->Caption, QStringLiteral("[ DVD: Film ]"));
  EXPECT_EQ(playlist.Get(0)->FileName, discs.file(QStringLiteral("Film/VIDEO_TS/VIDEO_TS.IFO")));
  EXPECT_EQ(player.played, std::vector<int>{0});
  EXPECT_FALSE(dialog.isVisible());

  dialog.ShowCentred(form());
  dialog.AddSource(discs.file(QStringLiteral("Holiday")));
  EXPECT_EQ(dialog.Accept(), 1);
  ASSERT_EQ(playlist.Count(), 2);
  EXPECT_EQ(playlist.Get(1)->Caption, QStringLiteral("[ VCD: Holiday ]"));
  EXPECT_EQ(player.played.size(), 1u);  // already playing: nothing new starts
}
