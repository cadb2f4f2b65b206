#pragma once
// The application log: one plain-text file per run, one line per event, two blanks of
// indentation per nesting level. Every line is appended by opening and closing the file, so the
// log on disk is complete after a crash.

#include <QString>
#include <memory>
#include <stdexcept>

class TZDebug {
 public:
  // Deletes an existing file of that name: every run starts a fresh log.
  explicit TZDebug(QString fileName);

  // Appends indentation + text and CR LF. Throws std::runtime_error when the line cannot be
  // written (read-only folder, full disk); callers guard it like the step around them.
  void Write(const QString& text);
  void WriteBlank() { Write(QString()); }
  void Indent() { ++level_; }
  void Unindent();

  int Level() const { return level_; }
  const QString& FileName() const { return fileName_; }

 private:
  QString fileName_;
  int level_ = 0;
  QString indentUnit_ = QStringLiteral("  ");
};

// The one log of the program, or null before start-up created it and after shutdown freed it.
TZDebug* ZDebug();
void SetZDebug(std::unique_ptr<TZDebug> log);

// Writes a line to the program's log when there is one. Errors propagate as from Write.
void ZLog(const QString& text);
// Nest the lines that follow one level deeper, or back, when there is a log.
void ZLogIndent();
void ZLogUnindent();
