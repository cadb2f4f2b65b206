#include "scripttest.h"

#include "components/script/zscriptprelude.h"
#include "testsupport.h"

QString ScriptTempFolder() {
  static const ScratchFolder folder;
  return folder.path();
}

ScriptHarness::ScriptHarness() : compiler(QStringLiteral("/"), ScriptTempFolder()) {
  compiler.SetPrelude(FilterGraphPrelude());
  compiler.AddHostFunction("Num", [this](const std::vector<TZScriptValue>& args) {
    said << QString::number(args.at(0).number);
    return TZScriptValue();
  });
  compiler.AddHostFunction("Say", [this](const std::vector<TZScriptValue>& args) {
    said << QString::fromLatin1(args.at(0).text);
    return TZScriptValue();
  });
}

bool ScriptHarness::Compile(const QByteArray& source) {
  return compiler.CompileText(kReportNatives + source, QStringLiteral("t.zgraph"));
}

bool ScriptHarness::Run(const QByteArray& source, const char* function) {
  if (!Compile(source)) {
    return false;
  }
  const TZScriptCompiler::Function call = compiler.FindFunction(QString::fromLatin1(function));
  return call && call();
}
