#pragma once
// Positions and diagnostics shared by every stage of the script compiler.

#include <QByteArray>
#include <QString>
#include <stdexcept>
#include <vector>

namespace zscript {

// A place in one of the compiled texts: the prelude is file 0, the script file 1.
struct Pos {
  int file = 0;
  int line = 1;
  int column = 1;
};

struct Diagnostic {
  Pos pos;
  QString message;
};

// Collects compile errors. Past a bound further errors are pointless noise, so the stage that
// reports them stops (by throwing CompileAbort) once the bound is reached.
class Diagnostics {
 public:
  static constexpr int kMaxErrors = 30;

  void Error(Pos pos, const QString& message);
  bool Empty() const { return errors_.empty(); }
  const std::vector<Diagnostic>& All() const { return errors_; }

 private:
  std::vector<Diagnostic> errors_;
};

// Ends a compilation stage early (too many errors, input nested too deeply).
struct CompileAbort {};

// Formats "file:line:column: message".
QString FormatDiagnostic(const std::vector<QString>& fileNames, const Diagnostic& diagnostic);

}  // namespace zscript
