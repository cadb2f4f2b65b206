// Any bytes as a filter-graph script: compiled with the prelude and harmless host functions,
// then Filetypes, Filter and Connect run under small limits. Nothing may crash or hang, and a
// failed compilation must explain itself in "file:line:column: message" lines.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "components/script/zscript.h"
#include "components/script/zscriptprelude.h"

namespace {

TZScriptValue Struct(std::vector<std::pair<QByteArray, TZScriptValue>> fields) {
  TZScriptValue value;
  value.kind = TZScriptValue::Kind::Struct;
  value.fields = std::move(fields);
  return value;
}

void AddHarmlessHosts(TZScriptCompiler& compiler) {
  const auto nothing = [](const std::vector<TZScriptValue>&) { return TZScriptValue(); };
  for (const char* name :
       {"AddFilterScanDir", "RegisterFilter", "AddFilter", "ConnectPins", "ConnectPinsAuto",
        "Export", "GetFilters", "SetTypeName", "AddFileType", "AddFileName"}) {
    compiler.AddHostFunction(name, nothing);
  }
  compiler.AddHostFunction("GetFilterCount",
                           [](const std::vector<TZScriptValue>&) { return TZScriptValue::Int(2); });
  compiler.AddHostFunction("GetFilter", [](const std::vector<TZScriptValue>& args) {
    return Struct({{"name", TZScriptValue::String("File Source")},
                   {"guid", TZScriptValue::String("{00000000-0000-0000-0000-000000000000}")},
                   {"numpins", TZScriptValue::Int(args.at(0).number)}});
  });
  compiler.AddHostFunction("GetPin", [](const std::vector<TZScriptValue>& args) {
    return Struct(
        {{"name", TZScriptValue::String("src")}, {"dir", TZScriptValue::Int(args.at(1).number)}});
  });
  compiler.AddHostFunction("strcomp", [](const std::vector<TZScriptValue>& args) {
    return TZScriptValue::Int(args.at(0).text.compare(args.at(1).text));
  });
}

bool WellFormedErrors(const QString& text) {
  if (text.isEmpty()) {
    return false;
  }
  for (const QString& line : text.split(u'\n')) {
    if (!line.startsWith("f.zgraph:") && !line.startsWith("<prelude>:")) {
      return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TZScriptCompiler compiler("/nonexistent/", "/nonexistent/temp/");
  compiler.SetLimits({.steps = 3000, .callDepth = 30, .memoryBytes = 64 * 1024});
  compiler.SetPrelude(FilterGraphPrelude());
  AddHarmlessHosts(compiler);
  const QByteArray source(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  if (!compiler.CompileText(source, "f.zgraph")) {
    if (!WellFormedErrors(compiler.ErrorText())) {
      std::abort();
    }
    return 0;
  }
  for (const char* name : {"Filetypes", "Filter", "Connect"}) {
    if (const auto function = compiler.FindFunction(name);
        function && !function() && !WellFormedErrors(compiler.ErrorText())) {
      std::abort();
    }
  }
  return 0;
}
