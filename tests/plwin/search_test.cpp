// The search window: keyword rules, the kind filter, and choosing a result plays its entry.

#include <QButtonGroup>
#include <QDir>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

#include "playlist/window/playlistsearch.h"
#include "plwinfixture.h"
#include "testsupport.h"

namespace {

TZPlaylist Captions(const QStringList& captions, const QString& extension = ".mp3") {
  TZPlaylist playlist;
  for (const QString& caption : captions) {
    playlist.Add(caption, QStringLiteral("/m/") + caption + extension, false, QString(), QString());
  }
  return playlist;
}

}  // namespace

TEST(SearchCaptions, WordsMustAllOccurIgnoringCase) {
  const TZPlaylist playlist =
      Captions({"Daft Punk - One More Time", "Punk Rock Song", "Another One", "daft punk - one"});
  EXPECT_EQ(SearchCaptions(playlist, "PUNK one", skAll),
            (QStringList{"Daft Punk - One More Time", "daft punk - one"}));
  EXPECT_EQ(SearchCaptions(playlist, "rock", skAll), QStringList{"Punk Rock Song"});
  EXPECT_TRUE(SearchCaptions(playlist, "jazz", skAll).isEmpty());
}

TEST(SearchCaptions, BlankRulesAndDistinctCaptions) {
  const TZPlaylist playlist = Captions({"Alpha Beta", "alpha beta", "Gamma", "Alpha Beta"});
  EXPECT_TRUE(SearchCaptions(playlist, "alpha  beta", skAll).isEmpty());
  EXPECT_TRUE(SearchCaptions(playlist, " alpha", skAll).isEmpty());
  EXPECT_TRUE(SearchCaptions(playlist, "alpha ", skAll).isEmpty());
  EXPECT_EQ(SearchCaptions(playlist, "", skAll), (QStringList{"Alpha Beta", "Gamma"}));
}

TEST(SearchCaptions, KindChoiceFiltersAudioAndVideo) {
  TZPlaylist playlist = Captions({"Song"});
  playlist.Add("Clip", "/m/clip.avi", false, QString(), QString());
  playlist.Add("Radio", "http://127.0.0.1/live", false, QString(), QString());
  EXPECT_EQ(SearchCaptions(playlist, "", skAudio), (QStringList{"Song", "Radio"}));
  EXPECT_EQ(SearchCaptions(playlist, "", skVideo), QStringList{"Clip"});
  EXPECT_EQ(SearchCaptions(playlist, "", skAll).size(), 3);
}

TEST_F(PlaylistWindowTest, SearchPlaysTheFirstOfEqualCaptions) {
  Fill(30);
  playlist.Get(7)->Caption = QStringLiteral("Twin Song");
  playlist.Get(21)->Caption = QStringLiteral("Twin Song");
  config.OFACheckIsValidFile = false;
  TfrmSearch search(*window, playlist, config, language);
  search.ShowCentred(form());
  EXPECT_EQ(search.results().size(), 29);
  EXPECT_TRUE(search.btnSelect->isEnabled());

  QTest::keyClicks(search.edtKeyword, QStringLiteral("no such"));
  EXPECT_TRUE(search.results().isEmpty());
  EXPECT_FALSE(search.btnSelect->isEnabled());
  QTest::keyClick(search.edtKeyword, Qt::Key_Return);
  EXPECT_TRUE(player.played.empty());

  search.edtKeyword->clear();
  QTest::keyClicks(search.edtKeyword, QStringLiteral("twin"));
  EXPECT_EQ(search.results(), QStringList{QStringLiteral("Twin Song")});
  ASSERT_TRUE(QDir().mkpath(TestOutputFolder()));
  ASSERT_TRUE(search.grab().save(TestOutputFolder() + QStringLiteral("plwin-search.png")));
  QTest::keyClick(search.edtKeyword, Qt::Key_Return);
  EXPECT_EQ(player.played, std::vector<int>{7});
  EXPECT_EQ(Selected(), std::vector<int>{7});
  EXPECT_EQ(playlist.PlaylistCursor, 7);
  EXPECT_FALSE(search.isVisible());
}

TEST_F(PlaylistWindowTest, SearchResultListNeedsAChoice) {
  Fill(12);
  config.OFACheckIsValidFile = false;
  config.SearchHideOnPlay = false;
  TfrmSearch search(*window, playlist, config, language);
  search.ShowCentred(form());
  QTest::keyClick(search.lbResults, Qt::Key_Return);
  EXPECT_TRUE(player.played.empty());
  search.lbResults->setCurrentIndex(search.lbResults->model()->index(11, 0));
  QTest::keyClick(search.lbResults, Qt::Key_Return);
  EXPECT_EQ(player.played, std::vector<int>{11});
  EXPECT_TRUE(search.isVisible());
  search.rgSearchFor->button(skVideo)->click();
  EXPECT_TRUE(search.results().isEmpty());
  QTest::keyClick(search.edtKeyword, Qt::Key_Escape);
  EXPECT_FALSE(search.isVisible());
}

TEST(SearchCaptions, CaseIsIgnoredBeyondAscii) {
  const TZPlaylist playlist = Captions({"Über Straße", "über straße", "ÜBER Weg"});
  EXPECT_EQ(SearchCaptions(playlist, "ÜBER", skAll), (QStringList{"Über Straße", "ÜBER Weg"}));
  EXPECT_EQ(SearchCaptions(playlist, "straße", skAll), QStringList{"Über Straße"});
}
