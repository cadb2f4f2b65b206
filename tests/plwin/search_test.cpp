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

// One index over a series of keystrokes must give what a fresh search gives after each one,
// whether the keyword grows, shrinks, passes through an empty word or the kind changes.
TEST(SearchIndex, EveryKeystrokeGivesWhatAFreshSearchGives) {
  TZPlaylist playlist = Captions(
      {"Song 12 live", "song 1", "Song 123", "Other", "SONG 12 LIVE", "Long song", "Song  12"});
  playlist.Add("Song 12 clip", "/m/clip.avi", false, QString(), QString());
  const QStringList typed{"",        "s",          "so",           "song",   "song ",
                          "song 1",  "song 12",    "song 12 l",    "song 1", "song  ",
                          "song  1", "song 12 li", "song 12 live", "ong",    "x"};
  TZSearchIndex index;
  for (const TZSearchKind kind : {skAll, skVideo, skAudio}) {
    for (const QString& keyword : typed) {
      EXPECT_EQ(index.Search(playlist, keyword, kind), SearchCaptions(playlist, keyword, kind))
          << "after \"" << keyword.toStdString() << "\", kind " << kind;
    }
  }
  // The results themselves, for two of the steps above.
  EXPECT_EQ(index.Search(playlist, "song ", skAll), QStringList());
  EXPECT_EQ(index.Search(playlist, "song 12 l", skAll),
            (QStringList{"Song 12 live", "Song 12 clip"}));
  EXPECT_EQ(index.Search(playlist, "song 12", skAll),
            (QStringList{"Song 12 live", "Song 123", "Song  12", "Song 12 clip"}));
}

// Captions, file names and entries change between keystrokes (a stream names its station, the
// user sorts or adds); the next keystroke must see them even when it only types on.
TEST(SearchIndex, SeesThePlaylistChangeBetweenKeystrokes) {
  TZPlaylist playlist = Captions({"Alpha", "Beta", "Alphabet"});
  TZSearchIndex index;
  EXPECT_EQ(index.Search(playlist, "al", skAll), (QStringList{"Alpha", "Alphabet"}));
  playlist.Get(1)->Caption = QStringLiteral("Alpine Radio");
  EXPECT_EQ(index.Search(playlist, "alp", skAll),
            (QStringList{"Alpha", "Alpine Radio", "Alphabet"}));
  playlist.Get(0)->Caption.append(QStringLiteral(" Omega"));  // changed in place
  EXPECT_EQ(index.Search(playlist, "alpha o", skAll), QStringList{"Alpha Omega"});
  playlist.Sort(psoCaption);
  EXPECT_EQ(index.Search(playlist, "alp", skAll),
            (QStringList{"Alpha Omega", "Alphabet", "Alpine Radio"}));
  playlist.Add("alphabet", "/m/other.mp3", false, QString(), QString());
  playlist.Add("Alpha Video", "/m/alpha.avi", false, QString(), QString());
  EXPECT_EQ(index.Search(playlist, "alph", skVideo), QStringList{"Alpha Video"});
  playlist.Get(4)->FileName = QStringLiteral("/m/alpha.mp3");
  EXPECT_EQ(index.Search(playlist, "alpha", skVideo), QStringList());
  EXPECT_EQ(index.Search(playlist, "alphab", skAll), QStringList{"Alphabet"});
}
