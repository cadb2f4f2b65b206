// The program's side of the compiler: the prelude, host functions with converted arguments and
// results, looking functions up, and starting clean after Reset.
#include <gtest/gtest.h>

#include "components/script/zscriptprelude.h"
#include "scripttest.h"
#include "testsupport.h"

namespace {

// Records every call of the graph-building host functions as "Name(arg, arg)".
class RecordingHost {
 public:
  explicit RecordingHost(TZScriptCompiler& compiler) {
    compiler.SetPrelude(FilterGraphPrelude());
    for (const char* name :
         {"AddFilterScanDir", "RegisterFilter", "AddFilter", "ConnectPins", "ConnectPinsAuto",
          "Export", "GetFilters", "SetTypeName", "AddFileType", "AddFileName"}) {
      compiler.AddHostFunction(name, [this, name](const std::vector<TZScriptValue>& args) {
        QStringList texts;
        for (const TZScriptValue& arg : args) {
          EXPECT_EQ(arg.kind, TZScriptValue::Kind::String) << name;
          texts << QString::fromLatin1(arg.text);
        }
        calls << QStringLiteral("%1(%2)").arg(QLatin1StringView(name), texts.join(u','));
        return TZScriptValue();
      });
    }
  }

  QStringList calls;
};

TZScriptValue Filter(const char* name, const char* guid, qint64 pins) {
  TZScriptValue filter;
  filter.kind = TZScriptValue::Kind::Struct;
  filter.fields = {{"numpins", TZScriptValue::Int(pins)},  // any order: matched by name
                   {"name", TZScriptValue::String(name)},
                   {"guid", TZScriptValue::String(guid)}};
  return filter;
}

TEST(ScriptHost, ThePreludeCompilesAloneAndBeforeAScript) {
  TZScriptCompiler compiler("/", ScriptTempFolder());
  compiler.SetPrelude(FilterGraphPrelude());
  EXPECT_TRUE(compiler.CompileText("", "empty.zgraph")) << compiler.ErrorText().toStdString();
  EXPECT_TRUE(compiler.ErrorText().isEmpty());
  EXPECT_FALSE(compiler.FindFunction("Filter"));
  EXPECT_TRUE(compiler.CompileText("void Filter() { AddFilter(\"File Source\"); }", "f.zgraph"))
      << compiler.ErrorText().toStdString();
  EXPECT_TRUE(compiler.FindFunction("Filter"));
}

TEST(ScriptHost, StringArgumentsArriveInOrder) {
  TZScriptCompiler compiler("/", ScriptTempFolder());
  RecordingHost host(compiler);
  ASSERT_TRUE(compiler.CompileText(
      "string source = \"File Source\";\n"
      "void Filter() { AddFilterScanDir(\"filters/\" + 2); RegisterFilter(\"x.so\"); "
      "AddFilter(source); Export(\"[FileSource]\", source); }\n"
      "void Connect() { ConnectPins(source, \"src\", \"Decoder\", \"sink\"); "
      "ConnectPinsAuto(\"Decoder\", \"[Audio Renderer]\"); }",
      "t.zgraph"))
      << compiler.ErrorText().toStdString();
  ASSERT_TRUE(compiler.FindFunction("Filter")());
  ASSERT_TRUE(compiler.FindFunction("Connect")());
  EXPECT_EQ(host.calls, (QStringList{"AddFilterScanDir(filters/2)", "RegisterFilter(x.so)",
                                     "AddFilter(File Source)", "Export([FileSource],File Source)",
                                     "ConnectPins(File Source,src,Decoder,sink)",
                                     "ConnectPinsAuto(Decoder,[Audio Renderer])"}));
}

TEST(ScriptHost, EightBitTextPassesUnchanged) {
  ScriptHarness script;
  QByteArray seen;
  script.compiler.AddHostFunction("AddFileName", [&](const std::vector<TZScriptValue>& args) {
    seen = args.at(0).text;
    return TZScriptValue();
  });
  ASSERT_TRUE(script.Run("void Main() { AddFileName(\"caf\xe9\\xff\"); }"))
      << script.Errors().toStdString();
  EXPECT_EQ(seen, QByteArray("caf\xe9\xff"));
}

TEST(ScriptHost, NumbersAndStructsReturnedByTheHostArrive) {
  ScriptHarness script;
  std::vector<qint64> indices;
  script.compiler.AddHostFunction(
      "GetFilterCount", [](const std::vector<TZScriptValue>&) { return TZScriptValue::Int(2); });
  script.compiler.AddHostFunction("GetFilter", [&](const std::vector<TZScriptValue>& args) {
    EXPECT_EQ(args.at(0).kind, TZScriptValue::Kind::Int);
    indices.push_back(args.at(0).number);
    return args.at(0).number == 0 ? Filter("File Source", "{0-1}", 1) : Filter("Dec", "{2}", 3);
  });
  script.compiler.AddHostFunction("GetPin", [](const std::vector<TZScriptValue>& args) {
    TZScriptValue pin;
    pin.kind = TZScriptValue::Kind::Struct;
    pin.fields = {{"name", TZScriptValue::String("pin" + QByteArray::number(args.at(1).number))},
                  {"dir", TZScriptValue::Int(args.at(0).number + 256)}};
    return pin;
  });
  script.compiler.AddHostFunction("strcomp", [](const std::vector<TZScriptValue>& args) {
    return TZScriptValue::Int(args.at(0).text.compare(args.at(1).text));
  });
  ASSERT_TRUE(
      script.Run("void Main() {\n"
                 "  for (int i = 0; i < GetFilterCount(); i++) {\n"
                 "    sDSFilter = GetFilter(i);\n"
                 "    Say(sDSFilter.name + \" \" + sDSFilter.guid + \" \" + sDSFilter.numpins);\n"
                 "    sDSPin = GetPin(i, sDSFilter.numpins - 1);\n"
                 "    Say(sDSPin.name + \" \" + sDSPin.dir);\n"
                 "  }\n"
                 "  Num(strcomp(\"a\", \"b\") < 0); Num(strcomp(\"b\", \"b\"));\n"
                 "  Num(GetFilter(-1).numpins);\n"
                 "}"))
      << script.Errors().toStdString();
  EXPECT_EQ(script.said,
            (QStringList{"File Source {0-1} 1", "pin0 0", "Dec {2} 3", "pin2 1", "1", "0", "3"}));
  EXPECT_EQ(indices, (std::vector<qint64>{0, 1, -1}));
}

TEST(ScriptHost, ArgumentsAreConvertedToTheDeclaredTypes) {
  ScriptHarness script;
  std::vector<TZScriptValue> got;
  const auto keep = [&](const std::vector<TZScriptValue>& args) {
    got = args;
    return TZScriptValue();
  };
  script.compiler.AddHostFunction("TakeByte", keep);
  script.compiler.AddHostFunction("TakePin", keep);
  ASSERT_TRUE(
      script.Run("native void TakeByte(byte b, int i);\n"
                 "native void TakePin(DSPin p);\n"
                 "void Main() { TakeByte(300, 300); Num(1); DSPin p; p.name = \"out\"; p.dir = 1; "
                 "TakePin(p); }"))
      << script.Errors().toStdString();
  ASSERT_EQ(got.size(), 1u);
  ASSERT_EQ(got[0].kind, TZScriptValue::Kind::Struct);
  ASSERT_EQ(got[0].fields.size(), 2u);
  EXPECT_EQ(got[0].fields[0].first, "name");
  EXPECT_EQ(got[0].fields[0].second.text, "out");
  EXPECT_EQ(got[0].fields[1].first, "dir");
  EXPECT_EQ(got[0].fields[1].second.number, 1);
  ASSERT_TRUE(
      script.Run("native void TakeByte(byte b, int i);\nvoid Main() { TakeByte(300, 300); }"));
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].number, 44);
  EXPECT_EQ(got[1].number, 300);
}

TEST(ScriptHost, HostResultsFitTheDeclaredTypeOrStopTheScript) {
  ScriptHarness script;
  script.compiler.AddHostFunction("GetFilterCount", [](const std::vector<TZScriptValue>&) {
    return TZScriptValue();  // nothing: an empty value of the declared type
  });
  script.compiler.AddHostFunction("GetPin", [](const std::vector<TZScriptValue>&) {
    TZScriptValue partial;
    partial.kind = TZScriptValue::Kind::Struct;
    partial.fields = {{"dir", TZScriptValue::Int(1)}, {"unknown", TZScriptValue::Int(5)}};
    return partial;
  });
  script.compiler.AddHostFunction("strcomp", [](const std::vector<TZScriptValue>&) {
    return TZScriptValue::String("not a number");
  });
  ASSERT_TRUE(
      script.Run("void Main() { Num(GetFilterCount()); sDSPin = GetPin(0, 0); "
                 "Say(sDSPin.name); Num(sDSPin.dir); }"))
      << script.Errors().toStdString();
  EXPECT_EQ(script.said, (QStringList{"0", "", "1"}));

  EXPECT_FALSE(script.Run("void Main() {\n  Num(strcomp(\"a\", \"b\"));\n}"));
  EXPECT_EQ(script.Errors(),
            "t.zgraph:4:7: native function 'strcomp' returned a string where int is expected");
}

TEST(ScriptHost, AHostFunctionThatThrowsStopsTheScript) {
  ScriptHarness script;
  script.compiler.AddHostFunction("AddFilter",
                                  [](const std::vector<TZScriptValue>&) -> TZScriptValue {
                                    throw std::runtime_error("no such element");
                                  });
  EXPECT_FALSE(script.Run("void Main() { AddFilter(\"x\"); Say(\"after\"); }"));
  EXPECT_EQ(script.Errors(), "t.zgraph:3:15: native function 'AddFilter' failed: no such element");
  EXPECT_TRUE(script.said.isEmpty());
}

TEST(ScriptHost, AHostFunctionCannotCallBackIntoTheRunningScript) {
  ScriptHarness script;
  TZScriptCompiler::Function again;
  bool nestedResult = true;
  script.compiler.AddHostFunction("GetFilters", [&](const std::vector<TZScriptValue>&) {
    nestedResult = again();
    return TZScriptValue();
  });
  ASSERT_TRUE(script.Compile("void Main() { GetFilters(); Say(\"after\"); }"));
  again = script.compiler.FindFunction("Main");
  ASSERT_TRUE(again);
  EXPECT_TRUE(again());
  EXPECT_FALSE(nestedResult);
  EXPECT_EQ(script.said, QStringList{"after"});
  EXPECT_EQ(script.Errors(),
            "t.zgraph:3:6: a script function cannot be called while the script runs");
}

TEST(ScriptHost, FunctionsAreFoundByNameWhenCallableWithoutArguments) {
  ScriptHarness script;
  ASSERT_TRUE(
      script.Compile("int Value() { return 4; }\nvoid Take(int n) { }\n"
                     "void Later();\nvoid Later() { Say(\"later\"); }"))
      << script.Errors().toStdString();
  EXPECT_TRUE(script.compiler.FindFunction("Value"));
  EXPECT_FALSE(script.compiler.FindFunction("Take"));       // needs an argument
  EXPECT_FALSE(script.compiler.FindFunction("AddFilter"));  // a host function
  EXPECT_FALSE(script.compiler.FindFunction("value"));      // names are case-sensitive
  EXPECT_FALSE(script.compiler.FindFunction("Missing"));
  const auto later = script.compiler.FindFunction("Later");
  ASSERT_TRUE(later);
  EXPECT_TRUE(later());
  EXPECT_EQ(script.said, QStringList{"later"});
}

TEST(ScriptHost, ResetForgetsScriptHostFunctionsAndPrelude) {
  ScriptHarness script;
  ASSERT_TRUE(script.Compile("int calls;\nvoid Filter() { calls++; Num(calls); }"));
  const auto first = script.compiler.FindFunction("Filter");
  ASSERT_TRUE(first);

  script.compiler.Reset();
  EXPECT_FALSE(script.compiler.FindFunction("Filter"));
  EXPECT_TRUE(script.compiler.ErrorText().isEmpty());
  // Without the prelude its declarations are gone.
  EXPECT_FALSE(script.compiler.CompileText("void Connect() { AddFilter(\"x\"); }", "b.zgraph"));
  EXPECT_EQ(script.compiler.ErrorText(), "b.zgraph:1:18: unknown function 'AddFilter'");
  // Without the host functions a native declared again is unbound.
  ASSERT_TRUE(script.compiler.CompileText("native void Num(int n);\nvoid Connect() { Num(1); }",
                                          "b.zgraph"));
  EXPECT_FALSE(script.compiler.FindFunction("Filter"));
  EXPECT_FALSE(script.compiler.FindFunction("Connect")());
  EXPECT_EQ(script.compiler.ErrorText(),
            "b.zgraph:2:18: native function 'Num' is not bound by the host");
  EXPECT_TRUE(script.said.isEmpty());

  // A function handed out before stays callable with its own script and globals.
  EXPECT_TRUE(first());
  EXPECT_TRUE(first());
  EXPECT_EQ(script.said, (QStringList{"1", "2"}));
}

TEST(ScriptHost, EachCompilationStartsWithFreshGlobals) {
  ScriptHarness script;
  const QByteArray source = "int n = 5;\nvoid Main() { n++; Num(n); }";
  ASSERT_TRUE(script.Run(source));
  ASSERT_TRUE(script.Run(source));
  EXPECT_EQ(script.said, (QStringList{"6", "6"}));
}

TEST(ScriptHost, FilesAreReadAndRelativePathsStartAtTheProgramFolder) {
  ScratchFolder folder;
  WriteBytes(folder.file("data/dsgraphs/a.zgraph"),
             "\xEF\xBB\xBFvoid Filetypes() { SetTypeName(\"A\"); }\nvoid F() { x; }");
  TZScriptCompiler compiler(folder.path(), folder.file("data/temp/"));
  RecordingHost host(compiler);
  EXPECT_FALSE(compiler.CompileFile("data/dsgraphs/a.zgraph"));
  EXPECT_EQ(compiler.ErrorText(), "data/dsgraphs/a.zgraph:2:12: unknown identifier 'x'");
  WriteBytes(folder.file("data/dsgraphs/a.zgraph"), "void Filetypes() { SetTypeName(\"A\"); }");
  ASSERT_TRUE(compiler.CompileFile(folder.file("data/dsgraphs/a.zgraph")));
  ASSERT_TRUE(compiler.FindFunction("Filetypes")());
  EXPECT_EQ(host.calls, QStringList{"SetTypeName(A)"});
}

}  // namespace
