// The media-type -> graph-script list "dsgraphs.lst".
#include <gtest/gtest.h>

#include "config/config.h"
#include "testsupport.h"

TEST(GraphList, DefaultsMapTrackerAndRealMediaToScriptsOfTheirName) {
  const TZConfig config;
  EXPECT_EQ(config.Graphs,
            (QList<TZGraphEntry>{{"Tracker", "Tracker"}, {"RealMedia", "RealMedia"}}));

  ScratchFolder dir;
  ASSERT_TRUE(SaveGraphList(dir.file("dsgraphs.lst"), config));
  EXPECT_EQ(ReadBytes(dir.file("dsgraphs.lst")),
            "2\r\nTracker}:x:{Tracker\r\nRealMedia}:x:{RealMedia\r\n");
}

TEST(GraphList, RoundTripReplacesTheList) {
  ScratchFolder dir;
  const QString path = dir.file("dsgraphs.lst");
  TZConfig written;
  written.Graphs = {{"Matroska Video", "MKV graph"}, {"", "no type"}, {"Ogg", ""}};
  ASSERT_TRUE(SaveGraphList(path, written));
  TZConfig read;
  ASSERT_TRUE(LoadGraphList(path, read));
  EXPECT_EQ(read.Graphs, written.Graphs);

  written.Graphs.clear();
  ASSERT_TRUE(SaveGraphList(path, written));
  ASSERT_TRUE(LoadGraphList(path, read));
  EXPECT_TRUE(read.Graphs.isEmpty());
}

TEST(GraphList, CountDecidesHowManyLinesAreReadAndBadLinesAreSkipped) {
  TZConfig config;
  // Says 3 but holds two entry lines, one of them without the separator.
  ASSERT_TRUE(ApplyGraphListLines({"3", "Tracker}:x:{Tracker", "no separator"}, config));
  EXPECT_EQ(config.Graphs, (QList<TZGraphEntry>{{"Tracker", "Tracker"}}));

  // Says 1: later lines are not entries. The first separator splits.
  ASSERT_TRUE(ApplyGraphListLines({" 1", "a}:x:{b}:x:{c", "d}:x:{e"}, config));
  EXPECT_EQ(config.Graphs, (QList<TZGraphEntry>{{"a", "b}:x:{c"}}));

  ASSERT_TRUE(ApplyGraphListLines({"2147483647", "x}:x:{y"}, config));
  EXPECT_EQ(config.Graphs, (QList<TZGraphEntry>{{"x", "y"}}));

  ASSERT_TRUE(
      ApplyGraphListLines({"1", QString(300, u't') + "}:x:{" + QString(300, u's')}, config));
  EXPECT_EQ(config.Graphs.first().Type, QString(255, u't'));
  EXPECT_EQ(config.Graphs.first().Script, QString(255, u's'));
}

TEST(GraphList, AFileWithoutCountFailsAndKeepsTheList) {
  ScratchFolder dir;
  TZConfig config;
  EXPECT_FALSE(LoadGraphList(dir.file("missing.lst"), config));
  WriteBytes(dir.file("bad.lst"), "two\r\nA}:x:{B\r\n");
  EXPECT_FALSE(LoadGraphList(dir.file("bad.lst"), config));
  WriteBytes(dir.file("empty.lst"), "");
  EXPECT_FALSE(LoadGraphList(dir.file("empty.lst"), config));
  EXPECT_FALSE(ApplyGraphListLines({"-1", "A}:x:{B"}, config));
  EXPECT_EQ(config.Graphs, TZConfig::DefaultGraphs());
}

TEST(GraphList, LookupsIgnoreCaseAndFindTheFirstEntry) {
  TZConfig config;
  config.Graphs = {{"Tracker", "Old"}, {"MPEG", "Mpeg2"}, {"tracker", "New"}};
  EXPECT_EQ(FindGraphType(config, "TRACKER"), 0);
  EXPECT_EQ(FindGraphType(config, "mpeg"), 1);
  EXPECT_EQ(FindGraphType(config, "Ogg"), -1);
  EXPECT_EQ(FindGraphPair(config, "TRACKER", "new"), 2);
  EXPECT_EQ(FindGraphPair(config, "mpeg", "MPEG2"), 1);
  EXPECT_EQ(FindGraphPair(config, "mpeg", "Tracker"), -1);
}

// Failures that hold for root too: a full disk keeps the old list whole, and nothing can be
// written below a regular file.
TEST(GraphList, FailedSavesKeepTheOldFile) {
  ScratchFolder dir;
  const QString path = dir.file("dsgraphs.lst");
  ASSERT_TRUE(SaveGraphList(path, TZConfig()));
  const QByteArray before = ReadBytes(path);
  TZConfig changed;
  changed.Graphs = {{"Matroska Video", "MKV graph"}};
  {
    FileSizeLimit limit(4);
    EXPECT_FALSE(SaveGraphList(path, changed));
  }
  EXPECT_EQ(ReadBytes(path), before);
  EXPECT_EQ(FolderEntries(dir.path()), QStringList({"dsgraphs.lst"}));
  EXPECT_FALSE(SaveGraphList(PathBelowAFile(dir, "dsgraphs.lst"), changed));
}
