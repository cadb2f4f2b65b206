#pragma once
// Reading the program's log in tests.

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QStringList>

#include "base/text/textfile.h"

inline QStringList ReadLog(const QString& path) {
  QStringList lines;
  EXPECT_TRUE(ReadTextLines(path, &lines)) << path.toStdString();
  return lines;
}

// Checks that the log holds lines matching the patterns (regular expressions over the whole
// line, indentation included), in this order, with no line between them.
inline void ExpectLogLines(const QStringList& log, const QStringList& patterns) {
  ASSERT_EQ(log.size(), patterns.size()) << log.join(u'\n').toStdString();
  for (qsizetype i = 0; i < log.size(); ++i) {
    const QRegularExpression pattern(QRegularExpression::anchoredPattern(patterns[i]));
    EXPECT_TRUE(pattern.match(log[i]).hasMatch())
        << "line " << i << ": \"" << log[i].toStdString() << "\" does not match \""
        << patterns[i].toStdString() << '"';
  }
}

// The keyboard hook's start-up lines: it grabs keys on X11 only.
inline QStringList HookStartLines(bool x11) {
  if (!x11) {
    return {
        R"(  No X11 display: system-wide hotkeys are off; hotkeys work in the program's own windows\.)",
        R"(  Hook installation failed\.)"};
  }
  return {R"(  Hook installation successfully\.)"};
}

inline QString HookKillLine(bool x11) {
  return x11 ? R"(  Hook kill successfully\.)" : R"(  Hook kill failed\.)";
}

// The lines of a first run on an empty program folder, from start to end.
inline QStringList FirstRunLog(const QString& programPath,
                               bool x11 = !qEnvironmentVariableIsEmpty("DISPLAY")) {
  return QStringList{
             R"(ZInitialize\.\.\.)",
             R"(  Zephonic version: \d+\.\d+\.\d+)",
             "  Zephonic path: " + QRegularExpression::escape(programPath),
             R"(  DirectX \d+\.\d+ installed\.)",
             R"(  Create directory if nessesary\.\.\.)",
             R"(  Configurationfile not found\. Set configuration to default\.)",
             R"(  DS Graphs file not found\. Set to default\.)",
             R"(  Languagefile not found\. Set language to default \(english\)\.)",
             R"(  GUI initialize OK)",
             R"(  GUI load default skin OK\.)",
             R"(  GUI Applysurfaces OK\.)",
             R"(  Variables initialize OK\.)",
             R"(  Hotkeys initialize OK\.)",
             R"(  Hotkeys file not found\. Setting to default\.)",
         } +
         HookStartLines(x11) +
         QStringList{
             R"(  BASS Soundsystem initialize OK, (\(\d+ speakers\)|no speaker environment)\.)",
             R"(  Playlist initialize OK\.)",
             R"(  Playlist not found\. Playlist is cleared\.)",
             R"(ZInitialize complete \[ \d+\.\d\d msecs \])",
             "",
             "Running",
             "Close",
             "",
             R"(ZKill\.\.\.)",
             "  BASS Soundsystem deinitialize OK",
             "  GUI deinitialize OK",
             "  Configurationfile saved OK",
             R"(  DS Graphs saved file OK\.)",
             "  Playlist saved OK",
             "  Playlist deinitialize OK",
             "  Variables deinitialize OK",
             HookKillLine(x11),
             R"(  Hotkeys saved file OK\.)",
             "  Hotkeys deinitialize OK",
             R"(ZKill complete \[ \d+\.\d\d msecs \])",
         };
}

// The same run of the whole program without X11 and a session bus: desktop media control says
// it is off, the main window logs the add-files filter, and the command line that nothing was
// given.
inline QStringList ProgramFirstRunLog(const QString& programPath) {
  QStringList lines = FirstRunLog(programPath, false);
  const qsizetype end = lines.indexOf(R"(ZInitialize complete \[ \d+\.\d\d msecs \])");
  lines.insert(
      end,
      R"(  Filter: All media files \(\*\.WAV .*\);;.*;;Playlist files \(\*\.zpl \*\.pls \*\.m3u\))");
  lines.insert(end, "  No session bus: desktop media control is off.");
  lines.insert(lines.indexOf("Running") + 1, "  No parameters found.");
  return lines;
}
