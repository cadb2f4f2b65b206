#include <gtest/gtest.h>

#include "lang/textformat.h"
#include "printers.h"

TEST(TextFormat, FillsTheConversionsOfTheBuiltInTexts) {
  EXPECT_EQ(FormatText("[ Volume %3.1f %s ]", {45.0, "%"}), "[ Volume 45.0 % ]");
  EXPECT_EQ(FormatText("[ Volume %3.1f %s ]", {5.26, "%"}), "[ Volume 5.3 % ]");
  EXPECT_EQ(FormatText("Jump to chapter %d in title %d", {3, 12}), "Jump to chapter 3 in title 12");
  EXPECT_EQ(FormatText("[ %s is playing ]", {QString::fromUtf8("Motörhead.mp3")}),
            QString::fromUtf8("[ Motörhead.mp3 is playing ]"));
  EXPECT_EQ(FormatText("Set speed to 25%", {}), "Set speed to 25%");
  EXPECT_EQ(FormatText("100%% sure", {}), "100% sure");
  EXPECT_EQ(FormatText("[%5d|%-5d|%05d|%+d]", {42, 42, 42, 42}), "[   42|42   |00042|+42]");
  EXPECT_EQ(FormatText("[%-6s|%6s|%.2s]", {"ab", "ab", "abc"}), "[ab    |    ab|ab]");
  EXPECT_EQ(FormatText("%d", {qint64(1) << 40}), "1099511627776");
}

TEST(TextFormat, HostileTextsCannotReachPrintf) {
  // More conversions than values, unknown kinds and dangling percent signs stay as written.
  EXPECT_EQ(FormatText("%s and %s", {"one"}), "one and %s");
  EXPECT_EQ(FormatText("%n%x%p %", {"a", "b"}), "%n%x%p %");
  EXPECT_EQ(FormatText("%.", {1}), "%.");
  // A number where a text is asked for shows its digits, and the other way round.
  EXPECT_EQ(FormatText("%s/%s", {7, 2.5}), "7/2.5");
  EXPECT_EQ(FormatText("%d|%3.1f", {"x", "y"}), "x|  y");
  EXPECT_EQ(FormatText("%f", {3}), "3.000000");
  // Huge fields are bounded instead of asking for gigabytes.
  EXPECT_EQ(FormatText("%99999999999d", {1}).size(), 255);
  EXPECT_EQ(FormatText("%.99999999999f", {1.0}).size(), 257);
}
