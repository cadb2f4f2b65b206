#pragma once
// The skin description file (.zskn): 385 value lines in a fixed order, each matched against
// its pattern; comment lines (empty, or starting with "/") may stand anywhere.

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "skin/scanpattern.h"
#include "skin/zgui.h"

// One value of a line: how it is stored into a record and written from one.
struct SkinField {
  bool word = false;  // read with "%s", else with "%d"
  std::function<void(TZGUI&, const ScanValue&)> store;
  std::function<QString(const TZGUI&)> text;
  // For "%d" values, the number itself: whole lines are then written without a string per value.
  std::function<int(const TZGUI&)> number;
};

// One value line: its key and the values between the brackets.
struct SkinValueLine {
  QString key;
  std::vector<SkinField> fields;

  // The line's pattern, e.g. "SkinPos [ %d %d ]".
  const QString& pattern() const { return pattern_; }
  // Matches a line of the file and stores into the record what matched before the first
  // mismatch.
  void read(QStringView line, TZGUI& skin) const;
  // The same, scanning into the caller's vector so that a reader of many lines keeps one.
  void read(QStringView line, TZGUI& skin, std::vector<ScanValue>& values) const;
  // The record's values as the program writes the line.
  QString write(const TZGUI& skin) const;

  // Makes the pattern from the key and the fields; called once when the table is made.
  void makePattern();

 private:
  QString pattern_;
};

// Every value line of a record, in file order. Made once; shared by all records.
const std::vector<SkinValueLine>& SkinValueLines();

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
