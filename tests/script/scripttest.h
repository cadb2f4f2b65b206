#pragma once
// A compiler with the filter-graph prelude and two reporting host functions, for running small
// scripts and looking at what they said.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <ostream>

#include "components/script/zscript.h"

// Readable failure messages for the Qt texts the tests compare.
inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& list, std::ostream* os) {
  *os << '{';
  for (const QString& text : list) {
    *os << '"' << text.toStdString() << "\", ";
  }
  *os << '}';
}

// Declarations the test scripts use to report: Num(n) and Say(text) append to `said`.
inline constexpr const char* kReportNatives =
    "native void Num(int n);\n"
    "native void Say(string s);\n";

// The compiler's temporary folder: a scratch folder of this test program, never the system's.
QString ScriptTempFolder();

class ScriptHarness {
 public:
  ScriptHarness();

  // Compiles `source` (named "t.zgraph") with the prelude and the reporting natives in front.
  bool Compile(const QByteArray& source);
  // Compiles and calls `function`; false when either fails.
  bool Run(const QByteArray& source, const char* function = "Main");
  QString Errors() const { return compiler.ErrorText(); }

  TZScriptCompiler compiler;
  QStringList said;
};
