#pragma once
// The skin description file (.zskn): 385 value lines in a fixed order, each matched against
// its pattern; comment lines (empty, or starting with "/") may stand anywhere.

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "skin/scanpattern.h"
#include "skin/zgui.h"

// One value of a line, bound to its field of the record.
struct SkinField {
  bool word = false;  // read with "%s", else with "%d"
  std::function<void(const ScanValue&)> store;
  std::function<QString()> text;
};

// One value line: its key and the values between the brackets.
struct SkinValueLine {
  QString key;
  std::vector<SkinField> fields;

  // The line's pattern, e.g. "SkinPos [ %d %d ]".
  QString pattern() const;
  // Matches a line of the file and stores what matched before the first mismatch.
  void read(QStringView line) const;
  // The line as the program writes it.
  QString write() const;
};

// Every value line of the record, in file order, bound to the record's fields.
std::vector<SkinValueLine> SkinValueLines(TZGUI& skin);

// True for lines the reader skips.
bool IsSkinCommentLine(QStringView line);

// Reads description lines over the record. Missing lines leave the remaining values as they are.
void ReadSkinDescription(const QStringList& lines, TZGUI& skin);

// The author's information in the first lines of a description.
struct SkinInformation {
  QString Name;
  QString Author;
  QString Web;
  QString Contact;
};

// A complete description of the record's values behind an information header.
QStringList WriteSkinDescription(const TZGUI& skin, const SkinInformation& info);
