#pragma once
// The filter-graph script compiler: compiles a small C-like script language at run time, in front
// of a prelude of declarations, against host functions the program binds by name, and runs the
// compiled functions. Every run is bounded (steps, call depth, memory): a runaway script ends in
// a script error, never a hang or a crash.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

// A value crossing between a script and its host. Strings are 8-bit text; they are passed and
// returned by value, so the host never frees what the script holds and the other way round.
struct TZScriptValue {
  enum class Kind { Void, Int, String, Struct };

  // Declared, not implicit: clang cannot otherwise settle the default construction of a value
  // whose field list holds values.
  TZScriptValue() = default;

  Kind kind = Kind::Void;
  qint64 number = 0;  // Int (also the script's `byte`)
  QByteArray text;    // String
  // Struct: the fields in their declaration order.
  std::vector<std::pair<QByteArray, TZScriptValue>> fields;

  static TZScriptValue Int(qint64 value);
  static TZScriptValue String(QByteArray value);
};

// A host function: its arguments in declaration order, converted to the declared types.
using TZScriptHostFunction = std::function<TZScriptValue(const std::vector<TZScriptValue>& args)>;

// Copying or comparing strings also counts as steps, one per 16 bytes, so that work on ever
// longer strings cannot outlast the step limit.
struct TZScriptLimits {
  qint64 steps = 10'000'000;              // statements and expressions evaluated per call
  int callDepth = 200;                    // nested script calls
  qint64 memoryBytes = 64 * 1024 * 1024;  // strings and values held at once
};

class TZScriptCompiler {
 public:
  // The two folders the program gives every compiler: its own folder and "data/temp/".
  TZScriptCompiler(QString programFolder, QString tempFolder);
  ~TZScriptCompiler();
  TZScriptCompiler(const TZScriptCompiler&) = delete;
  TZScriptCompiler& operator=(const TZScriptCompiler&) = delete;

  // Given before each compilation: the host functions (by the names the prelude declares) and
  // the prelude's lines, compiled in front of the script.
  void AddHostFunction(const QString& name, TZScriptHostFunction function);
  void SetPrelude(const QStringList& lines);
  void SetLimits(const TZScriptLimits& limits);

  // Compiles a script file (or text, named `fileName` in messages); a relative path starts at
  // the program folder. On failure ErrorText() holds
  // one line per error: "file:line:column: message".
  bool CompileFile(const QString& path);
  bool CompileText(const QByteArray& source, const QString& fileName);
  QString ErrorText() const;

  // A compiled function of the script by name, callable without arguments, its result ignored;
  // empty when the script has none. A call returns false when the script stopped on a run-time
  // error (a limit, a division by zero, ...); its text is then in ErrorText().
  using Function = std::function<bool()>;
  Function FindFunction(const QString& name);

  // Forgets the compiled script, the host functions and the prelude: the next compilation by the
  // same instance starts clean.
  void Reset();

 private:
  class Impl;
  std::unique_ptr<Impl> impl_;
};
