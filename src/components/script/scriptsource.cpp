#include "scriptsource.h"

namespace zscript {

void Diagnostics::Error(Pos pos, const QString& message) {
  errors_.push_back({pos, message});
  if (static_cast<int>(errors_.size()) >= kMaxErrors) {
    errors_.push_back({pos, QStringLiteral("too many errors, giving up")});
    throw CompileAbort{};
  }
}

QString FormatDiagnostic(const std::vector<QString>& fileNames, const Diagnostic& diagnostic) {
  const int file = diagnostic.pos.file;
  const QString name =
      file >= 0 && file < static_cast<int>(fileNames.size()) ? fileNames[file] : QString();
  return QStringLiteral("%1:%2:%3: %4")
      .arg(name)
      .arg(diagnostic.pos.line)
      .arg(diagnostic.pos.column)
      .arg(diagnostic.message);
}

}  // namespace zscript
