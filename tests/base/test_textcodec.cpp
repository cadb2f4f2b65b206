#include <gtest/gtest.h>

#include "base/text/textcodec.h"
#include "base/text/textfile.h"
#include "testsupport.h"

TEST(TextCodec, ValidUtf8IsReadAsUtf8AndEverythingElseAsWindows1252) {
  EXPECT_EQ(DecodeText("Gr\xC3\xBC\xC3\x9F"
                       "e"),
            QStringLiteral("Grüße"));
  // "Grüße" in Windows-1252, and the euro sign and curly quotes from the 0x80..0x9F block.
  EXPECT_EQ(DecodeText("Gr\xFC\xDF"
                       "e"),
            QStringLiteral("Grüße"));
  EXPECT_EQ(DecodeText("\x80 \x93x\x94"), QStringLiteral("€ “x”"));
  // Overlong encodings and encoded surrogates are not UTF-8.
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));
  EXPECT_FALSE(IsValidUtf8("\xE2\x82"));  // cut short
  EXPECT_TRUE(IsValidUtf8("\xF0\x9F\x8E\xB5"));
}

TEST(TextFile, SplitsAtEveryLineEndAndWritesCrLfAtomically) {
  EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (QStringList{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\r\n\r\nb\r\n"), (QStringList{"a", "", "b"}));
  EXPECT_TRUE(SplitLines("").isEmpty());

  ScratchFolder dir;
  const QString path = dir.file("x.txt");
  ASSERT_TRUE(WriteTextLines(path, {"one", "zwei ü"}));
  EXPECT_EQ(ReadBytes(path), QByteArray("one\r\nzwei \xC3\xBC\r\n"));
  QStringList lines;
  ASSERT_TRUE(ReadTextLines(path, &lines));
  EXPECT_EQ(lines, (QStringList{"one", "zwei ü"}));
  EXPECT_FALSE(ReadTextLines(dir.file("missing.txt"), &lines));
  // A folder that does not exist cannot be written, and nothing appears there.
  EXPECT_FALSE(WriteTextLines(dir.file("no/such/x.txt"), {"a"}));
}
