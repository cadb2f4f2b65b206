// The "Filter" page under "Video": the type rows from the script catalogue, the scripts offered
// for a row, and what Apply stores.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

#include "base/programpath.h"
#include "config/pages/graphtyperows.h"
#include "config/pages/videofilterpage.h"
#include "pagetest.h"
#include "testsupport.h"

namespace {

TFilterGraphScript Script(const QString& name, const QString& type) {
  return {name, type, {QStringLiteral(".avi")}, {}};
}

class VideoFilterPageTest : public ::testing::Test {
 protected:
  VideoFilterPageTest() {
    SetProgramPath(folder_.path());
    for (const char* script : {"dsgraphs/Split.zgraph", "dsgraphs/Plain.zgraph",
                               "dvdgraphs/Nav.zgraph", "dvdgraphs/Menu.zgraph"}) {
      WriteBytes(folder_.file(QStringLiteral("data/") + script), "void Filter() {}\n");
    }
    config_.Graphs = {{"video", "Split"}, {"Audio", "Gone"}, {"Other", "Plain"}};
    config_.DVDGraph = "Nav";
    page_.resize(480, 400);
    page_.show();
  }

  template <typename T>
  T& Control(const char* name) {
    return Child<T>(page_, name);
  }
  QTreeWidget& Rows() { return Control<QTreeWidget>("lvDSGraphTypeList"); }
  QComboBox& Choice() { return Control<QComboBox>("cbDSActualGraphScript"); }
  QList<TZGraphEntry> Shown() {
    QList<TZGraphEntry> rows;
    for (int index = 0; index < Rows().topLevelItemCount(); ++index) {
      rows.push_back({Rows().topLevelItem(index)->text(0), Rows().topLevelItem(index)->text(1)});
    }
    return rows;
  }
  void SelectRow(int index) {
    QTreeWidgetItem* row = Rows().topLevelItem(index);
    ASSERT_NE(row, nullptr);
    QTest::mouseClick(Rows().viewport(), Qt::LeftButton, {}, Rows().visualItemRect(row).center());
  }
  QStringList Items(const QComboBox& box) {
    QStringList items;
    for (int index = 0; index < box.count(); ++index) {
      items << box.itemText(index);
    }
    return items;
  }

  ScratchFolder folder_;
  TZConfig config_;
  int catalogueBuilt_ = 0;
  // Two spellings of one type, an audio type whose script file is gone.
  std::vector<TFilterGraphScript> catalogue_{Script("Split", "Video"), Script("Other", "video"),
                                             Script("Plain", "Video"), Script("Mix", "Audio")};
  TZVideoFilterPage page_{config_, [this] {
                            ++catalogueBuilt_;
                            return catalogue_;
                          }};
};

TEST_F(VideoFilterPageTest, OneRowPerTypeWithItsScriptWhenTheFileIsThere) {
  QSignalSpy changed(&page_, &TZConfigPage::groupChanged);
  page_.Fill();
  EXPECT_EQ(catalogueBuilt_, 1);
  EXPECT_EQ(Shown(), (QList<TZGraphEntry>{{"Video", "Split"}, {"Audio", "No script"}}));
  EXPECT_FALSE(Choice().isEnabled());
  EXPECT_EQ(Choice().count(), 0);
  EXPECT_EQ(changed.count(), 0);

  // Only the scripts of the row's exact type are offered.
  SelectRow(0);
  EXPECT_TRUE(Choice().isEnabled());
  EXPECT_EQ(Items(Choice()), QStringList({"No script", "Split", "Plain"}));
  EXPECT_EQ(Choice().currentText(), "Split");
  SelectRow(1);
  EXPECT_EQ(Items(Choice()), QStringList({"No script", "Mix"}));
  EXPECT_EQ(Choice().currentText(), "No script");
  EXPECT_EQ(changed.count(), 0);
  SavePicture(page_, "videofilter");
}

TEST_F(VideoFilterPageTest, ChosenScriptsAndUntouchedNoScriptRowsAreStored) {
  page_.Fill();
  SelectRow(0);
  QSignalSpy changed(&page_, &TZConfigPage::groupChanged);
  ChooseByKeyboard(Choice(), "Plain");
  ASSERT_GE(changed.count(), 1);
  EXPECT_EQ(changed.last().at(0).value<TZConfigGroup>(), TZConfigGroup::GraphList);
  EXPECT_EQ(Rows().topLevelItem(0)->text(1), "Plain");

  // Looking at another page and back keeps the choice.
  page_.PageShown();
  EXPECT_EQ(Rows().topLevelItem(0)->text(1), "Plain");
  EXPECT_TRUE(Rows().selectedItems().isEmpty());
  EXPECT_FALSE(Choice().isEnabled());

  page_.ApplyGroup(TZConfigGroup::GraphList);
  EXPECT_EQ(config_.Graphs, (QList<TZGraphEntry>{{"Video", "Plain"}, {"Audio", "No script"}}));
  // "No script" names no file: the type has no script when the list is read again.
  page_.Fill();
  EXPECT_EQ(Shown(), (QList<TZGraphEntry>{{"Video", "Plain"}, {"Audio", "No script"}}));
}

TEST_F(VideoFilterPageTest, DvdScriptBoxListsTheDvdScriptsAndStoresTheChoice) {
  QSignalSpy changed(&page_, &TZConfigPage::groupChanged);
  page_.Fill();
  QComboBox& dvd = Control<QComboBox>("cbFilterDVDGraph");
  EXPECT_EQ(Items(dvd), QStringList({"Menu", "Nav"}));
  EXPECT_EQ(dvd.currentText(), "Nav");
  EXPECT_EQ(changed.count(), 0);

  ChooseByKeyboard(dvd, "Menu");
  ASSERT_EQ(changed.count(), 1);
  EXPECT_EQ(changed.at(0).at(0).value<TZConfigGroup>(), TZConfigGroup::DvdScript);
  page_.ApplyGroup(TZConfigGroup::DvdScript);
  EXPECT_EQ(config_.DVDGraph, "Menu");

  // A stored script whose file is gone selects nothing.
  config_.DVDGraph = "Gone";
  page_.Fill();
  EXPECT_EQ(dvd.currentIndex(), -1);
}

// The catalogue as the program's script host builds it from the script files.
class CatalogueHost : public TZGraphScriptHost {
 public:
  ZGraph& Graph() override { return graph; }
  ZFilter VideoRenderer() override { return {}; }
  ZFilter DspFilter() override { return {}; }
  void PrepareGraph() override {}
  void RebuildDvdMenus() override {}
  void CheckDvdMode() override {}

  ZGraph graph;
};

TEST(VideoFilterPageCatalogue, RowsComeFromTheScriptFilesOfTheDataFolder) {
  ScratchFolder folder;
  SetProgramPath(folder.path());
  QDir().mkpath(folder.file("data/temp"));
  const auto script = [&](const QString& name, const QString& type) {
    WriteBytes(folder.file("data/dsgraphs/" + name + ".zgraph"),
               QStringLiteral("void Filetypes() {\n  SetTypeName(\"%1\");\n"
                              "  AddFileType(\".mkv\");\n}\n")
                   .arg(type)
                   .toUtf8());
  };
  script("Haali", "Matroska");
  script("Lav", "MATROSKA");
  script("Tone", "Audio");
  TZConfig config;
  config.Graphs = {{"matroska", "Lav"}};
  CatalogueHost host;
  TDynFilter filters;
  TZGraphScripts scripts(config, filters, host);
  TZVideoFilterPage page(config, ScriptCatalogueOf(scripts));
  page.Fill();
  QTreeWidget& rows = Child<QTreeWidget>(page, "lvDSGraphTypeList");
  ASSERT_EQ(rows.topLevelItemCount(), 2);
  // The scripts are read in name order; the first spelling of a type names its row.
  EXPECT_EQ(rows.topLevelItem(0)->text(0), "Matroska");
  EXPECT_EQ(rows.topLevelItem(0)->text(1), "Lav");
  EXPECT_EQ(rows.topLevelItem(1)->text(0), "Audio");
  EXPECT_EQ(rows.topLevelItem(1)->text(1), "No script");
  // A script added while the dialog is closed shows at the next opening.
  script("Mpc", "Video");
  page.Fill();
  EXPECT_EQ(rows.topLevelItemCount(), 3);
}

}  // namespace
