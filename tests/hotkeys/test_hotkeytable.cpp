// The hotkey table: defaults, editing, names and the "hotkeys.zkeys" file.
#include <gtest/gtest.h>

#include "hotkeys/hotkeys.h"
#include "testsupport.h"

namespace {

// Each entry as the settings page shows it: key with prefix, action, "X" when system-wide.
QStringList Rows(const TZHotKeys& table) {
  QStringList rows;
  for (const TZHotKeyEntry& entry : table.Entries()) {
    rows << TZHotKeys::ModifierPrefix(entry.Modifiers) + TZHotKeys::KeyName(entry.Key) + " = " +
                ActionName(entry.Action) + (entry.SystemWide ? " X" : "");
  }
  return rows;
}

QByteArray Bytes(std::initializer_list<int> values) {
  QByteArray bytes;
  for (int value : values) {
    bytes.append(static_cast<char>(value));
  }
  return bytes;
}

}  // namespace

TEST(HotKeyTable, DefaultsAreTheNineteenLocalBindings) {
  const TZHotKeys table;
  EXPECT_EQ(Rows(table), (QStringList{
                             "Y = Previos",
                             "X = Play",
                             "C = Pause",
                             "V = Stop",
                             "B = Next",
                             "Space = Pause",
                             "Return = Play",
                             "Up = Increment Volume",
                             "Down = Decrement Volume",
                             "Left = Timejump Backward",
                             "Right = Timejump Forward",
                             "Alt + Return = Toggle fullscreen",
                             "J = Open playlist search",
                             "F3 = Open playlist search",
                             "Alt + S = Playlist caption sort",
                             "Alt + F4 = Close Zephonic",
                             "F9 = Screenshot original",
                             "1 = Decrement Brightness",
                             "2 = Increment Brightness",
                         }));
  EXPECT_EQ(table.Entry(15), (TZHotKeyEntry{115, hmAlt, haClose, false}));
}

TEST(HotKeyTable, EditingKeepsOrderAndIgnoresIndicesOutsideTheTable) {
  TZHotKeys table;
  table.Clear();
  EXPECT_EQ(table.Count(), 0);
  table.Add(65, hmCtrl, true, haNext);
  table.Add(66, 0, false, haStop);
  table.Add(65, hmCtrl, false, haPause);
  EXPECT_EQ(table.Entry(0), (TZHotKeyEntry{65, hmCtrl, haNext, true}));
  EXPECT_EQ(table.Entry(3), TZHotKeyEntry());
  EXPECT_EQ(table.Entry(-1), TZHotKeyEntry());

  // Both bindings of Ctrl + A fire, in table order; A alone fires nothing.
  EXPECT_EQ(table.Matching(65, hmCtrl), (QList<int>{0, 2}));
  EXPECT_TRUE(table.Matching(65, 0).isEmpty());
  EXPECT_TRUE(table.KeyUsed(65));
  EXPECT_FALSE(table.KeyUsed(67));

  table.Change(1, 67, true, haPlay, hmShift | hmAlt);
  EXPECT_EQ(table.Entry(1), (TZHotKeyEntry{67, hmShift | hmAlt, haPlay, true}));
  table.Change(3, 1, true, haPlay, 0);
  table.Delete(table.Count());
  table.Delete(-1);
  EXPECT_EQ(table.Count(), 3);
  table.Delete(0);
  EXPECT_EQ(table.Count(), 2);
  EXPECT_EQ(table.Entry(0).Key, 67);

  table.SetDefaults();
  EXPECT_EQ(table.Count(), 19);
}

TEST(HotKeyTable, KeyNamesAndModifierPrefix) {
  EXPECT_EQ(TZHotKeys::KeyName(13), "Return");
  EXPECT_EQ(TZHotKeys::KeyName(65), "A");
  EXPECT_EQ(TZHotKeys::KeyName(49), "1");
  EXPECT_EQ(TZHotKeys::KeyName(96), "Numpad 0");
  EXPECT_EQ(TZHotKeys::KeyName(105), "Numpad 9");
  EXPECT_EQ(TZHotKeys::KeyName(110), "Numpfad ,");
  EXPECT_EQ(TZHotKeys::KeyName(112), "F1");
  EXPECT_EQ(TZHotKeys::KeyName(135), "F24");
  EXPECT_EQ(TZHotKeys::KeyName(36), "Pos1");
  EXPECT_EQ(TZHotKeys::KeyName(186), QStringLiteral("Ü"));
  EXPECT_EQ(TZHotKeys::KeyName(221), QStringLiteral("´"));
  EXPECT_EQ(TZHotKeys::KeyName(254), "Clear");
  // Unlisted codes show their own Windows-1252 character.
  EXPECT_EQ(TZHotKeys::KeyName(0xC8), QStringLiteral("È"));
  EXPECT_EQ(TZHotKeys::KeyName(128), "F17");
  EXPECT_EQ(TZHotKeys::KeyName(0), "");

  EXPECT_EQ(TZHotKeys::ModifierPrefix(0), "");
  EXPECT_EQ(TZHotKeys::ModifierPrefix(hmCtrl), "Ctrl + ");
  EXPECT_EQ(TZHotKeys::ModifierPrefix(hmAlt | hmShift) + TZHotKeys::KeyName(115),
            "Alt + Shift + F4");
  EXPECT_EQ(TZHotKeys::ModifierPrefix(hmAlt | hmShift | hmCtrl), "Alt + Shift + Ctrl + ");
}

TEST(HotKeyActions, NamesComeInTextNumberOrderThroughTheLanguageLookup) {
  const QStringList names = ActionNames();
  ASSERT_EQ(names.size(), kHotKeyActionCount);
  EXPECT_EQ(names.first(), "None");
  EXPECT_EQ(names[3], "Pause");  // 372 comes before Stop's 374
  EXPECT_EQ(names[45], "Close Zephonic");
  EXPECT_EQ(names.last(), "Zephonic to front");
  const QList<int> codes = ActionsInTextOrder();
  for (int i = 0; i < kHotKeyActionCount; ++i) {
    EXPECT_EQ(ActionName(codes[i]), names[i]);
  }

  EXPECT_EQ(ActionTextNumber(haStop), 374);
  EXPECT_EQ(ActionTextNumber(haSpeedFirst + 3), 402);
  EXPECT_EQ(ActionName(haSpeedLast), "Set speed to 250%");
  EXPECT_EQ(ActionName(haZoomFirst + 1), "Set digitalzoom to  125%");
  EXPECT_EQ(ActionName(kHotKeyActionCount), "");
  EXPECT_EQ(ActionTextNumber(-1), -1);

  EXPECT_EQ(ActionByName("Close Zephonic"), haClose);
  EXPECT_EQ(ActionByName("close zephonic"), haNone);
  EXPECT_EQ(ActionByName("Screenshot fixed"), haScreenshotFixed);

  // Another language's texts.
  const TZTextLookup german = [](int number) {
    return number == 374 ? QStringLiteral("Anhalten") : EnglishActionText(number);
  };
  EXPECT_EQ(ActionName(haStop, german), "Anhalten");
  EXPECT_EQ(ActionByName("Anhalten", german), haStop);
  EXPECT_EQ(ActionByName("Stop", german), haNone);
}

TEST(HotKeyFile, LayoutIsCountThenSixBytesPerEntry) {
  TZHotKeys table;
  table.Clear();
  table.Add(0x1234, hmAlt | hmCtrl, true, haClose);
  table.Add(13, 0, false, haPlay);
  EXPECT_EQ(table.ToBytes(), Bytes({2, 0, 0, 0, 0x34, 0x12, 6, 50, 1, 0, 13, 0, 0, 5, 0, 0}));

  ScratchFolder dir;
  const QString path = dir.file("hotkeys.zkeys");
  ASSERT_TRUE(table.SaveToFile(path));
  EXPECT_EQ(ReadBytes(path), table.ToBytes());
  TZHotKeys read;
  ASSERT_TRUE(read.LoadFromFile(path));
  EXPECT_EQ(read.Entries(), table.Entries());

  const TZHotKeys defaults;
  ASSERT_TRUE(defaults.SaveToFile(path));
  EXPECT_EQ(ReadBytes(path).size(), 4 + 6 * 19);
  read.Clear();
  ASSERT_TRUE(read.LoadFromFile(path));
  EXPECT_EQ(read.Entries(), defaults.Entries());
}

TEST(HotKeyFile, MalformedFiles) {
  TZHotKeys table;
  // Count 0: an empty table.
  EXPECT_TRUE(table.FromBytes(Bytes({0, 0, 0, 0})));
  EXPECT_EQ(table.Count(), 0);

  // Shorter than its count says: the entries that are there, and failure.
  EXPECT_FALSE(table.FromBytes(Bytes({3, 0, 0, 0, 65, 0, 0, 1, 0, 0, 66, 0, 0, 2, 0, 0, 67})));
  EXPECT_EQ(Rows(table), (QStringList{"A = Next", "B = Previos"}));
  EXPECT_FALSE(table.FromBytes(Bytes({0xFF, 0xFF, 0xFF, 0x7F, 65, 0, 0, 1, 0, 0})));
  EXPECT_EQ(table.Count(), 1);

  // Too short for a count, or a negative count.
  EXPECT_FALSE(table.FromBytes(Bytes({1, 0})));
  EXPECT_EQ(table.Count(), 0);
  EXPECT_FALSE(table.FromBytes(Bytes({0xFF, 0xFF, 0xFF, 0xFF})));
  EXPECT_EQ(table.Count(), 0);

  // The reserved byte is ignored, any non-zero system-wide byte is set, bytes after the last
  // entry are ignored.
  ASSERT_TRUE(table.FromBytes(Bytes({1, 0, 0, 0, 65, 0, 4, 17, 2, 9, 99})));
  EXPECT_EQ(table.Entry(0), (TZHotKeyEntry{65, hmCtrl, haToggleMute, true}));

  // A missing file reads nothing and leaves the table as it was.
  ScratchFolder dir;
  EXPECT_FALSE(table.LoadFromFile(dir.file("missing.zkeys")));
  EXPECT_EQ(table.Count(), 1);
  EXPECT_FALSE(table.SaveToFile(dir.file("no/such/hotkeys.zkeys")));

  // Failures that hold for root too: a full disk keeps the old file whole, and nothing can be
  // written below a regular file.
  const QString path = dir.file("hotkeys.zkeys");
  ASSERT_TRUE(TZHotKeys().SaveToFile(path));
  const QByteArray before = ReadBytes(path);
  {
    FileSizeLimit limit(4);
    EXPECT_FALSE(table.SaveToFile(path));
  }
  EXPECT_EQ(ReadBytes(path), before);
  EXPECT_EQ(FolderEntries(dir.path()), QStringList({"hotkeys.zkeys"}));
  EXPECT_FALSE(table.SaveToFile(PathBelowAFile(dir, "hotkeys.zkeys")));
  EXPECT_EQ(table.Count(), 1);
}

TEST(HotKeyTable, GlobalTableIsCreatedAndFreedByItsOwner) {
  EXPECT_EQ(HotKeys(), nullptr);
  SetHotKeys(std::make_unique<TZHotKeys>());
  ASSERT_NE(HotKeys(), nullptr);
  EXPECT_EQ(HotKeys()->Count(), 19);
  SetHotKeys(nullptr);
  EXPECT_EQ(HotKeys(), nullptr);
}
