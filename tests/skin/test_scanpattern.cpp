#include <gtest/gtest.h>

#include "skin/scanpattern.h"

namespace {

std::vector<ScanValue> Scan(const char* line, const char* pattern) {
  return ScanLine(QString::fromUtf8(line), QString::fromUtf8(pattern));
}

std::vector<ScanValue> Numbers(std::initializer_list<int> numbers) {
  return std::vector<ScanValue>(numbers.begin(), numbers.end());
}

TEST(ScanLine, ReadsNumbersBetweenLiterals) {
  EXPECT_EQ(Scan("SkinPos [ 3 -4 ]", "SkinPos [ %d %d ]"), Numbers({3, -4}));
  EXPECT_EQ(Scan("SkinPos [ +7 0 ] trailing text", "SkinPos [ %d %d ]"), Numbers({7, 0}));
}

TEST(ScanLine, BlankInPatternMatchesAnyRunOfBlanksOrNone) {
  EXPECT_EQ(Scan("SkinPos[3 4]", "SkinPos [ %d %d ]"), Numbers({3, 4}));
  EXPECT_EQ(Scan("SkinPos \t [   3\t4   ]", "SkinPos [ %d %d ]"), Numbers({3, 4}));
}

TEST(ScanLine, LiteralsMustMatchExactly) {
  EXPECT_TRUE(Scan("skinpos [ 1 2 ]", "SkinPos [ %d %d ]").empty());
  EXPECT_TRUE(Scan(" SkinPos [ 1 2 ]", "SkinPos [ %d %d ]").empty());
  EXPECT_TRUE(Scan("SkinPos ( 1 2 )", "SkinPos [ %d %d ]").empty());
  EXPECT_TRUE(Scan("", "SkinPos [ %d %d ]").empty());
}

TEST(ScanLine, StopsAtTheFirstMismatchKeepingWhatWasRead) {
  EXPECT_EQ(Scan("Size [ 5 x ]", "Size [ %d %d ]"), Numbers({5}));
  EXPECT_EQ(Scan("Size [ 5 - 6 ]", "Size [ %d %d ]"), Numbers({5}));
  EXPECT_EQ(Scan("Size [ 5", "Size [ %d %d ]"), Numbers({5}));
}

TEST(ScanLine, WordsStopAtBlanks) {
  const auto values = Scan("Font [ Arial Black 8 ]", "Font [ %s %d ]");
  ASSERT_EQ(values.size(), 1u);  // "Black" is no number
  EXPECT_EQ(std::get<QString>(values[0]), QStringLiteral("Arial"));
  const auto glued = Scan("Masked [ TRUE]", "Masked [ %s ]");
  ASSERT_EQ(glued.size(), 1u);
  EXPECT_EQ(std::get<QString>(glued[0]), QStringLiteral("TRUE]"));
}

TEST(ScanLine, AReusedVectorHoldsOnlyTheLatestLinesValues) {
  std::vector<ScanValue> values;
  ScanLine(u"Font [ Arial 8 ]", u"Font [ %s %d ]", values);
  ASSERT_EQ(values.size(), 2u);
  ScanLine(u"Size [ 5 x ]", u"Size [ %d %d ]", values);
  EXPECT_EQ(values, Numbers({5}));
  ScanLine(u"Size ( 5 6 )", u"Size [ %d %d ]", values);
  EXPECT_TRUE(values.empty());
}

TEST(ScanLine, LargeNumbersKeepTheirLow32Bits) {
  EXPECT_EQ(Scan("B [ 4294967551 ]", "B [ %d ]"), Numbers({255}));
  EXPECT_EQ(Scan("B [ -1 ]", "B [ %d ]"), Numbers({-1}));
  EXPECT_EQ(Scan("B [ 99999999999999999999999 ]", "B [ %d ]"), Numbers({-1}));
}

}  // namespace
