// Compile and run-time errors: each names the file, line and column of its cause.
#include <gtest/gtest.h>

#include "components/script/zscriptprelude.h"
#include "scripttest.h"

namespace {

struct ErrorCase {
  const char* name;
  const char* source;
  const char* firstError;  // the first line of the error text, exactly
};

void PrintTo(const ErrorCase& c, std::ostream* os) {
  *os << c.name;
}

class CompileErrors : public testing::TestWithParam<ErrorCase> {};

TEST_P(CompileErrors, NameTheirPlace) {
  TZScriptCompiler compiler("/", ScriptTempFolder());
  compiler.SetPrelude(FilterGraphPrelude());
  EXPECT_FALSE(compiler.CompileText(GetParam().source, "t.zgraph"));
  EXPECT_EQ(compiler.ErrorText().split(u'\n').first(), QString::fromLatin1(GetParam().firstError));
  EXPECT_FALSE(compiler.FindFunction("F"));
}

const ErrorCase kErrors[] = {
    {"UnknownIdentifier", "void F() {\n  x = 1;\n}", "t.zgraph:2:3: unknown identifier 'x'"},
    {"TypeMismatchInitialiser", "void F() {\n  int n = \"a\";\n}",
     "t.zgraph:2:11: type mismatch: string given where int is expected"},
    {"TypeMismatchArgument", "void F() {\n  AddFilter(3);\n}",
     "t.zgraph:2:13: type mismatch in argument 1 of 'AddFilter': int given where string is "
     "expected"},
    {"TypeMismatchOperator", "void F() {\n  int n = \"a\" - 1;\n}",
     "t.zgraph:2:15: type mismatch: operator '-' cannot take string and int"},
    {"StructAssignedNumber", "void F() {\n  sDSPin = 1;\n}",
     "t.zgraph:2:12: type mismatch: int given where DSPin is expected"},
    {"StringCondition", "void F() {\n  if (\"yes\") F();\n}",
     "t.zgraph:2:7: a condition must be a number, not string"},
    {"MissingSemicolon", "void F() {\n  int n = 1\n  n = 2;\n}",
     "t.zgraph:2:12: missing ';' after the declaration"},
    {"MissingSemicolonAfterCall", "void F() {\n  GetFilters()\n}",
     "t.zgraph:2:15: missing ';' after the statement"},
    {"UnterminatedString", "void F() {\n  AddFilter(\"abc);\n}",
     "t.zgraph:2:13: unterminated string"},
    {"UnterminatedComment", "void F() { }\n /* no end", "t.zgraph:2:2: unterminated comment"},
    {"UnexpectedCharacter", "void F() {\n  int n = 1 # 2;\n}",
     "t.zgraph:2:13: unexpected character '#'"},
    {"WrongArgumentCount", "void F() {\n  AddFilter(\"a\", \"b\");\n}",
     "t.zgraph:2:3: function 'AddFilter' takes 1 argument(s), 2 given"},
    {"ScriptFunctionArgumentCount", "int G(int a) { return a; }\nvoid F() { G(); }",
     "t.zgraph:2:12: function 'G' takes 1 argument(s), 0 given"},
    {"UnknownFunction", "void F() {\n  Foo();\n}", "t.zgraph:2:3: unknown function 'Foo'"},
    {"ReturnOutsideFunction", "int x;\nreturn 1;", "t.zgraph:2:1: 'return' outside a function"},
    {"BreakOutsideLoop", "void F() {\n  break;\n}", "t.zgraph:2:3: 'break' outside a loop"},
    {"VoidReturnsValue", "void F() {\n  return 1;\n}",
     "t.zgraph:2:3: void function 'F' cannot return a value"},
    {"MissingReturnValue", "int F() {\n  return;\n}",
     "t.zgraph:2:3: function 'F' must return a value"},
    {"UnknownField", "void F() {\n  int n = sDSFilter.pins;\n}",
     "t.zgraph:2:21: struct 'DSFilter' has no field 'pins'"},
    {"FieldOfNumber", "void F() {\n  int n = 1;\n  n.x = 2;\n}", "t.zgraph:3:5: int has no fields"},
    {"UnknownType", "void F() {\n  Pin p;\n}", "t.zgraph:2:3: unknown type 'Pin'"},
    {"Redefinition", "int a;\nstring a;", "t.zgraph:2:8: redefinition of 'a'"},
    {"RedefinedFunction", "void F() { }\nvoid F() { }",
     "t.zgraph:2:6: redefinition of function 'F'"},
    {"AssignToValue", "void F() {\n  GetFilterCount() = 1;\n}",
     "t.zgraph:2:20: '=' needs a variable or field on its left"},
    {"VoidVariable", "void F() {\n  void v;\n}", "t.zgraph:2:8: variable 'v' cannot be void"},
    {"NumberOutOfRange", "int big = 4294967296;", "t.zgraph:1:11: number out of range"},
    {"DeclaredNeverDefined", "int G();\nvoid F() { G(); }",
     "t.zgraph:2:12: function 'G' is declared but never defined"},
    {"StatementAtTopLevel", "GetFilters();",
     "t.zgraph:1:1: expected a declaration, found identifier"},
    {"UnclosedBlock", "void F() {\n  GetFilters();\n",
     "t.zgraph:3:1: expected '}' to close the block, found end of text"},
};

INSTANTIATE_TEST_SUITE_P(Script, CompileErrors, testing::ValuesIn(kErrors),
                         [](const testing::TestParamInfo<ErrorCase>& info) {
                           return info.param.name;
                         });

TEST(ScriptErrors, SeveralErrorsAreReportedOnePerLine) {
  TZScriptCompiler compiler("/", ScriptTempFolder());
  compiler.SetPrelude(FilterGraphPrelude());
  ASSERT_FALSE(compiler.CompileText("void F() {\n  a = 1;\n  b = 2;\n  Foo(a);\n}", "t.zgraph"));
  EXPECT_EQ(compiler.ErrorText(),
            "t.zgraph:2:3: unknown identifier 'a'\n"
            "t.zgraph:3:3: unknown identifier 'b'\n"
            "t.zgraph:4:7: unknown identifier 'a'\n"
            "t.zgraph:4:3: unknown function 'Foo'");

  // Syntax errors do not end the parse either: each broken statement is reported.
  ASSERT_FALSE(compiler.CompileText("void F() {\n  int a = ;\n  int b = 2\n}\nint c = );", "s"));
  EXPECT_EQ(compiler.ErrorText(),
            "s:2:11: expected an expression, found ';'\n"
            "s:3:12: missing ';' after the declaration\n"
            "s:5:9: expected an expression, found ')'");
}

TEST(ScriptErrors, EndlessErrorsStopAtABound) {
  TZScriptCompiler compiler("/", ScriptTempFolder());
  QByteArray source;
  for (int i = 0; i < 1000; ++i) {
    source += "int x" + QByteArray::number(i) + " = y;\n";
  }
  ASSERT_FALSE(compiler.CompileText(source, "t"));
  const QStringList lines = compiler.ErrorText().split(u'\n');
  EXPECT_LT(lines.size(), 40);
  EXPECT_EQ(lines.last(),
            "t:" + QString::number(lines.size() - 1) + ":11: too many errors, giving up");
}

TEST(ScriptErrors, PreludeErrorsUseThePreludeLines) {
  TZScriptCompiler compiler("/", ScriptTempFolder());
  QStringList prelude = FilterGraphPrelude();
  prelude[12] = "native void ConnectPins(string _Filter1 string _PinName1);";
  compiler.SetPrelude(prelude);
  ASSERT_FALSE(compiler.CompileText("void F() { }", "t.zgraph"));
  EXPECT_EQ(compiler.ErrorText(),
            "<prelude>:13:41: expected ')' after the parameters, found 'string'");
}

TEST(ScriptErrors, CompileErrorsInTheScriptCountItsOwnLines) {
  TZScriptCompiler compiler("/", ScriptTempFolder());
  compiler.SetPrelude(FilterGraphPrelude());
  ASSERT_FALSE(compiler.CompileText("\n\n\nvoid F() { Foo(); }", "t.zgraph"));
  EXPECT_EQ(compiler.ErrorText(), "t.zgraph:4:12: unknown function 'Foo'");
}

struct RunErrorCase {
  const char* name;
  const char* source;
  const char* error;
};

void PrintTo(const RunErrorCase& c, std::ostream* os) {
  *os << c.name;
}

class RunErrors : public testing::TestWithParam<RunErrorCase> {};

TEST_P(RunErrors, StopTheCallWithTheirPlace) {
  ScriptHarness script;
  ASSERT_TRUE(script.Compile(GetParam().source)) << script.Errors().toStdString();
  const auto main = script.compiler.FindFunction("Main");
  ASSERT_TRUE(main);
  EXPECT_FALSE(main());
  EXPECT_EQ(script.Errors(), QString::fromLatin1(GetParam().error));
  EXPECT_EQ(script.said, QStringList{"before"});  // what ran before the error stays done
}

// Line 1 and 2 of the compiled text are the reporting natives.
const RunErrorCase kRunErrors[] = {
    {"DivisionByZero", "void Main() {\n  Say(\"before\");\n  int z = 0;\n  Num(5 / z);\n}",
     "t.zgraph:6:9: division by zero"},
    {"ModuloByZero", "int z;\nvoid Main() { Say(\"before\"); z %= z; }",
     "t.zgraph:4:32: modulo by zero"},
    {"UnboundNative", "native int Missing();\nvoid Main() { Say(\"before\"); Missing(); }",
     "t.zgraph:4:30: native function 'Missing' is not bound by the host"},
};

INSTANTIATE_TEST_SUITE_P(Script, RunErrors, testing::ValuesIn(kRunErrors),
                         [](const testing::TestParamInfo<RunErrorCase>& info) {
                           return info.param.name;
                         });

TEST(ScriptErrors, AFailingGlobalInitialiserFailsTheCompilation) {
  ScriptHarness script;
  EXPECT_FALSE(script.Compile("int zero = 0;\nint bad = 1 / zero;\nvoid Main() { }"));
  EXPECT_EQ(script.Errors(), "t.zgraph:4:13: division by zero");
  EXPECT_FALSE(script.compiler.FindFunction("Main"));
}

TEST(ScriptErrors, AnOversizedScriptIsRefusedUnread) {
  TZScriptCompiler compiler("/", ScriptTempFolder());
  const QByteArray comment = "// " + QByteArray(1 << 20, 'x');
  EXPECT_FALSE(compiler.CompileText(comment, "big.zgraph"));
  EXPECT_EQ(compiler.ErrorText(), "big.zgraph:1:1: script too large (over 1048576 bytes)");
}

TEST(ScriptErrors, AnUnreadableFileIsReported) {
  TZScriptCompiler compiler("/", ScriptTempFolder());
  EXPECT_FALSE(compiler.CompileFile("/nonexistent/folder/x.zgraph"));
  EXPECT_EQ(compiler.ErrorText(), "/nonexistent/folder/x.zgraph: cannot read the file");
}

}  // namespace
