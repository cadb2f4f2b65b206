#include <gtest/gtest.h>

#include "desktop/shellmimeapps.h"

namespace {

TEST(MimeAppsList, KeepsEveryByteItDoesNotEdit) {
  for (const QByteArray& bytes :
       {QByteArray("# mine\r\n[Default Applications]\r\naudio/ogg = a.desktop;\r\n\r\n"),
        QByteArray("[Added Associations]\naudio/ogg=a.desktop;\n[Default Applications]\nx=y"),
        QByteArray("\r\r\n\n  [Default Applications]  \r"), QByteArray()}) {
    EXPECT_EQ(TZMimeAppsList(bytes).Bytes(), bytes);
  }
}

TEST(MimeAppsList, FindsDefaultsOnlyInTheirSection) {
  const TZMimeAppsList list(
      "[Added Associations]\n"
      "audio/mpeg=other.desktop;\n"
      "[Default Applications]\n"
      "# audio/flac=commented.desktop;\n"
      "  audio/mpeg   =  vlc.desktop;mpv.desktop;  \n"
      "[Removed Associations]\n"
      "audio/ogg=gone.desktop;\n");
  EXPECT_EQ(list.DefaultLine("audio/mpeg"), "  audio/mpeg   =  vlc.desktop;mpv.desktop;  ");
  EXPECT_EQ(list.DefaultValue("audio/mpeg"), "vlc.desktop;mpv.desktop;");
  EXPECT_TRUE(list.DefaultLine("audio/flac").isEmpty());
  EXPECT_TRUE(list.DefaultLine("audio/ogg").isEmpty());
  EXPECT_TRUE(list.DefaultLine("audio").isEmpty());
}

TEST(MimeAppsList, ReplacesInsertsAndRemovesWithTheFilesLineEnds) {
  const QByteArray original =
      "[Default Applications]\r\n"
      "audio/mpeg=vlc.desktop;\r\n"
      "\r\n"
      "[Added Associations]\r\n"
      "video/mp4=mpv.desktop;";
  TZMimeAppsList list(original);
  list.SetDefaultLine("audio/mpeg", "audio/mpeg=z.desktop;");
  list.SetDefaultLine("audio/ogg", "audio/ogg=z.desktop;");
  list.SetDefaultLine("video/mp4", "video/mp4=z.desktop;");
  EXPECT_EQ(list.Bytes(),
            "[Default Applications]\r\n"
            "audio/mpeg=z.desktop;\r\n"
            "audio/ogg=z.desktop;\r\n"
            "video/mp4=z.desktop;\r\n"
            "\r\n"
            "[Added Associations]\r\n"
            "video/mp4=mpv.desktop;");
  list.SetDefaultLine("video/mp4", "");
  list.SetDefaultLine("audio/ogg", "");
  list.SetDefaultLine("audio/mpeg", "audio/mpeg=vlc.desktop;");
  EXPECT_EQ(list.Bytes(), original);
}

TEST(MimeAppsList, AddsAndRemovesItsOwnSection) {
  TZMimeAppsList list("[Added Associations]\naudio/ogg=a.desktop;");
  EXPECT_FALSE(list.HasDefaultSection());
  list.SetDefaultLine("audio/ogg", "audio/ogg=z.desktop;");  // no section: nothing happens
  EXPECT_EQ(list.Bytes(), "[Added Associations]\naudio/ogg=a.desktop;");
  list.AddDefaultSection();
  list.SetDefaultLine("audio/ogg", "audio/ogg=z.desktop;");
  EXPECT_EQ(list.Bytes(),
            "[Added Associations]\naudio/ogg=a.desktop;\n[Default Applications]\n"
            "audio/ogg=z.desktop;\n");
  list.RemoveEmptyDefaultSection();  // not empty yet
  EXPECT_TRUE(list.HasDefaultSection());
  list.SetDefaultLine("audio/ogg", "");
  list.RemoveEmptyDefaultSection();
  EXPECT_FALSE(list.HasDefaultSection());
  // The line end that the section needed stays: the one byte a file without a last line end
  // gains.
  EXPECT_EQ(list.Bytes(), "[Added Associations]\naudio/ogg=a.desktop;\n");
}

TEST(DefaultsBackup, RoundTripsLinesWithBlanksTabsAndSemicolons) {
  TZDefaultsBackup backup;
  backup.SectionAdded = true;
  backup.Lines.insert("audio/mpeg", " audio/mpeg =\tvlc.desktop;mpv.desktop; ");
  backup.Lines.insert("video/mp4", "video/mp4=");
  const TZDefaultsBackup read = TZDefaultsBackup::Parse(backup.Bytes());
  EXPECT_TRUE(read.SectionAdded);
  EXPECT_EQ(read.Lines, backup.Lines);
  EXPECT_TRUE(TZDefaultsBackup::Parse("# nothing\n\ndefault\tno-tab-after-type\n").IsEmpty());
}

}  // namespace
