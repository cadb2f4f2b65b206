#pragma once
// The installer's first-start values. They live in the key file "installer.ini" in the program
// folder, which an installer writes:
//
//   [Zephonic]
//   FirstStart=true
//   InstallerLanguage=deutsch

#include <QString>

struct TZConfig;

// The key file in the program folder.
QString FirstStartFile();

// When the key file says FirstStart=true: sets it to false, takes the installer's language into
// the configuration ("english" stands for the built-in texts) and returns true. Otherwise (no
// file, no key, false) changes nothing and returns false.
bool ApplyFirstStart(const QString& keyFile, TZConfig& config);
