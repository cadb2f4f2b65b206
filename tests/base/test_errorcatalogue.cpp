#include <gtest/gtest.h>

#include "base/errorcatalogue.h"
#include "testsupport.h"

TEST(ErrorCatalogue, MessagesFillTheDetailAndKnowTheirSpecialCases) {
  EXPECT_EQ(ErrorMessage(100, "Chrome"), QStringLiteral("Skinfiles 'Chrome' not found."));
  EXPECT_EQ(ErrorMessage(1001, "AVSEQ01.MPG"),
            QStringLiteral("SVCD can´t load because medium is not inserted or codec not found."));
  EXPECT_EQ(ErrorMessage(1001, "x.avi"),
            QStringLiteral("Not supported file 'x.avi' or codec not found."));
  EXPECT_EQ(ErrorMessage(3100, "line 3"),
            QStringLiteral("Syntax error in directshow graph script:\r\nline 3"));
  EXPECT_EQ(ErrorMessage(9999, "\r\nboom"), QStringLiteral("\r\nboom"));
  EXPECT_EQ(ErrorMessage(12345, "x"), QString());
  // A detail holding "%s" is inserted once, not expanded again.
  EXPECT_EQ(ErrorMessage(1000, "%s"), QStringLiteral("Can't find file '%s'"));
  EXPECT_EQ(ErrorMessage(3002, ""), QStringLiteral("DirectX can´t found or not installed"));
}

TEST(ErrorCatalogue, WarningsCarryOnAndFatalReportsRequestTermination) {
  ReportCapture capture;
  ReportError(12345, "X", "", false);
  ASSERT_EQ(capture.reports().size(), 1u);
  EXPECT_EQ(capture.reports()[0].text, QString(40, '*') + "\r\nZephonic runtime warning:\r\n" +
                                           QString(40, '*') +
                                           "\r\nID: 12345\r\nClass: X\r\nMessage: ");
  EXPECT_FALSE(TerminationRequested());

  ReportError(9999, "TZUnknownException [E , 8]", "\r\nboom", false);
  EXPECT_EQ(capture.reports().size(), 1u);  // shown to nobody

  ReportError(9999, "TZUnknownException [E , 8]", "\r\nboom", true);
  ASSERT_EQ(capture.reports().size(), 2u);
  EXPECT_TRUE(capture.reports()[1].fatal);
  EXPECT_TRUE(capture.reports()[1].text.endsWith("Message: \r\nboom\r\nProgram terminated."));
  EXPECT_TRUE(TerminationRequested());
}

TEST(ErrorCatalogue, FatalReportTextHasTheStarRowsAndEndsTheProgram) {
  const QString stars(40, '*');
  EXPECT_EQ(ErrorReportText(3002, "TZDirectX", "", true),
            stars + "\r\nZephonic runtime exception:\r\n" + stars +
                "\r\nID: 3002\r\nClass: TZDirectX\r\nMessage: DirectX can\u00B4t found or not "
                "installed\r\nProgram terminated.");
  // The graph-building message breaks its lines with bare CRs.
  EXPECT_EQ(ErrorMessage(2007, "").count(u'\r'), 2);
  EXPECT_FALSE(ErrorMessage(2007, "").contains(u'\n'));
}
