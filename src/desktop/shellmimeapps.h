#pragma once
// The user's "mimeapps.list" held as its bytes and edited line by line in the section
// [Default Applications]. Every line this program did not write keeps its bytes, its line end
// and its place, so that undoing a registration gives back the file as it was.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QMap>

class TZMimeAppsList {
 public:
  explicit TZMimeAppsList(QByteArrayView bytes = {});
  QByteArray Bytes() const;

  // The line (without its line end) that sets the default of a MIME type in the first
  // [Default Applications] section; empty when there is none.
  QByteArray DefaultLine(QByteArrayView mimeType) const;
  // The value of that line with the blanks around it removed.
  QByteArray DefaultValue(QByteArrayView mimeType) const;

  bool HasDefaultSection() const;
  // Appends an empty [Default Applications] section at the end of the file.
  void AddDefaultSection();
  // Removes the last [Default Applications] section when it holds nothing but blank lines.
  void RemoveEmptyDefaultSection();

  // Puts `line` in place of the MIME type's default line; a new line goes after the last line
  // of the first section that is not blank. An empty `line` removes the default line. Needs the
  // section.
  void SetDefaultLine(QByteArrayView mimeType, QByteArrayView line);

 private:
  struct Line {
    QByteArray text;
    QByteArray end;  // "\r\n", "\n", "\r" or empty for a last line without one
  };
  int FindDefault(QByteArrayView mimeType) const;
  int FirstSectionHeader() const;
  QByteArray LineEnd() const;

  QList<Line> lines_;
};

// The defaults that registering replaced, kept so that unregistering can put them back: for
// each MIME type, the whole line it had in "mimeapps.list".
struct TZDefaultsBackup {
  QMap<QByteArray, QByteArray> Lines;
  // Registering had to add the [Default Applications] section itself.
  bool SectionAdded = false;

  static TZDefaultsBackup Parse(QByteArrayView bytes);
  QByteArray Bytes() const;
  bool IsEmpty() const { return Lines.isEmpty() && !SectionAdded; }
};
