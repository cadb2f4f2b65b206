// Each construct of the script language, run and checked through what the script reports.
#include <gtest/gtest.h>

#include "scripttest.h"

namespace {

struct Case {
  const char* name;
  const char* source;  // defines Main(), may declare globals, structs and helper functions
  QStringList expected;
};

void PrintTo(const Case& c, std::ostream* os) {
  *os << c.name;
}

class Language : public testing::TestWithParam<Case> {};

TEST_P(Language, ReportsWhatTheScriptComputes) {
  ScriptHarness script;
  ASSERT_TRUE(script.Run(GetParam().source)) << script.Errors().toStdString();
  EXPECT_EQ(script.said, GetParam().expected);
}

const Case kCases[] = {
    {"Precedence",
     "void Main() { Num(1 + 2 * 3); Num((1 + 2) * 3); Num(10 - 4 - 3); Num(2 * 3 % 4); "
     "Num(-2 * -3); Num(- -5); }",
     {"7", "9", "3", "2", "6", "5"}},
    {"DivisionTruncatesTowardZero",
     "void Main() { Num(7 / 2); Num(-7 / 2); Num(7 % 3); Num(-7 % 3); Num(7 % -3); }",
     {"3", "-3", "1", "-1", "1"}},
    {"IntWrapsAt32Bits",
     "void Main() { Num(2147483647 + 1); Num(0xFFFFFFFF); Num(65536 * 65536); "
     "Num(-2147483648 / -1); Num(-2147483648 - 1); int big = 0x7fffffff; big++; Num(big); }",
     {"-2147483648", "-1", "0", "-2147483648", "2147483647", "-2147483648"}},
    {"ByteKeepsEightBits",
     "byte g = 256 + 7;\n"
     "void Main() { byte b = 250; b = b + 10; Num(b); byte c = -1; Num(c); c++; Num(c); "
     "Num(g); b = 200; Num(b + b); b += 100; Num(b); }",
     {"4", "255", "0", "7", "400", "44"}},
    {"ComparisonsAndLogic",
     "void Main() { Num(3 < 4); Num(4 <= 3); Num(3 >= 3); Num(2 > 5); Num(3 == 3 && 2 != 2); "
     "Num(!0); Num(!7); Num(0 || 5); Num(1 && 2); }",
     {"1", "0", "1", "0", "0", "1", "0", "1", "1"}},
    {"ShortCircuit",
     "int Side(int v) { Say(\"side\" + v); return v; }\n"
     "void Main() { Num(0 && Side(1)); Num(1 || Side(2)); Num(1 && Side(3)); "
     "Num(0 || Side(0)); }",
     {"0", "1", "side3", "1", "side0", "0"}},
    {"StringsJoinAndCompare",
     "void Main() { Say(\"a\" + \"b\"); Say(\"n=\" + 42); Say(7 + \"x\"); Say(\"\" + -3); "
     "Num(\"abc\" < \"abd\"); Num(\"a\" == \"a\"); Num(\"B\" < \"a\"); Num(\"ab\" != \"ab\"); "
     "Say(\"one \" \"two\"); }",
     {"ab", "n=42", "7x", "-3", "1", "1", "1", "0", "one two"}},
    {"Escapes",
     "void Main() { Say(\"q\\\"b\\\\s\"); Say(\"\\x41\\x62c\"); Say(\"t\\tn\\n\"); Num('A'); "
     "Num('\\n'); Say(\"it's\"); }",
     {"q\"b\\s", "Abc", "t\tn\n", "65", "10", "it's"}},
    {"IfElseChains",
     "void Grade(int n) { if (n > 90) Say(\"A\"); else if (n > 50) Say(\"B\"); else Say(\"C\"); }\n"
     "void Main() { Grade(95); Grade(60); Grade(10); if (0) Say(\"no\"); }",
     {"A", "B", "C"}},
    {"Loops",
     "void Main() {\n"
     "  int i = 0; int sum = 0;\n"
     "  while (i < 5) { i++; if (i == 2) continue; sum += i; }\n"
     "  Num(sum);\n"
     "  for (int j = 0; j < 10; j++) { if (j == 3) break; Num(j); }\n"
     "  for (i = 10; i > 0; i = i - 4) Num(i);\n"
     "  do { Num(i); } while (i > 0);\n"
     "  int n = 0; for (;;) { if (++n >= 3) break; } Num(n);\n"
     "}",
     {"13", "0", "1", "2", "10", "6", "2", "-2", "3"}},
    {"NestedLoopsBreakOnlyTheInner",
     "void Main() { for (int a = 0; a < 3; a++) { for (int b = 0; b < 3; b++) { if (b > a) "
     "break; Num(a * 10 + b); } } }",
     {"0", "10", "11", "20", "21", "22"}},
    {"FunctionsAndRecursion",
     "int Add(int a, int b) { return a + b; }\n"
     "int Fib(int n) { if (n < 2) return n; return Fib(n - 1) + Fib(n - 2); }\n"
     "string Twice(string s) { return s + s; }\n"
     "void Early(int n) { if (n > 0) return; Say(\"late\"); }\n"
     "int NoReturn() { }\n"
     "byte Low(int n) { return n; }\n"
     "void Main() { Num(Add(2, 3)); Num(Fib(15)); Say(Twice(\"ab\")); Early(1); Early(0); "
     "Num(NoReturn()); Num(Low(513)); Num(Later()); }\n"
     "int Later() { return 9; }",
     {"5", "610", "abab", "late", "0", "1", "9"}},
    {"GlobalsKeepTheirValues",
     "int count; string text; int start = 40 + 2; string hello = \"hi\" + start;\n"
     "void Bump() { count++; text += \"x\"; }\n"
     "void Main() { Num(count); Say(text); Num(start); Say(hello); Bump(); Bump(); "
     "Num(count); Say(text); }",
     {"0", "", "42", "hi42", "2", "xx"}},
    {"ScopesShadow",
     "int v = 1;\n"
     "void Main() { Num(v); int v = 2; Num(v); { int v = 3; Num(v); } Num(v); "
     "for (int v = 7; v < 8; v++) Num(v); Num(v); }",
     {"1", "2", "3", "2", "7", "2"}},
    {"LocalsStartEmptyOnEveryEntry",
     "void Once(int set) { int n; string s; if (set) { n = 5; s = \"x\"; } Num(n); Say(s); }\n"
     "void Main() { Once(1); Once(0); for (int i = 0; i < 2; i++) { int k; Num(k); k = 9; } }",
     {"5", "x", "0", "", "0", "0"}},
    {"StructsCopyByValue",
     "struct Point { int x; int y; string name; }\n"
     "struct Line { Point from; Point to; };\n"
     "Point Make(int x, int y) { Point p; p.x = x; p.y = y; p.name = \"p\" + x; return p; }\n"
     "int Length(Line l) { return l.to.x - l.from.x + l.to.y - l.from.y; }\n"
     "void Main() { Point a = Make(1, 2); Point b = a; b.x = 5; Num(a.x); Num(b.x); "
     "Say(b.name); Line l; l.from = a; l.to = b; l.to.y = 10; Num(Length(l)); Num(a.y); "
     "Num(Make(3, 4).y); Say(l.to.name); }",
     {"1", "5", "p1", "12", "2", "4", "p1"}},
    {"StructDeclarationsEndWithOrWithoutAVariable",
     "struct A { int v; } a\n"
     "struct B { A inner; }\n"
     "B b;\n"
     "struct C { string s; } c;\n"
     "void Main() { a.v = 1; b.inner = a; c.s = \"c\"; Num(b.inner.v); Say(c.s); }",
     {"1", "c"}},
    {"PreludeStructVariables",
     "void Main() { sDSPin.name = \"In\"; sDSPin.dir = 257; Say(sDSPin.name); Num(sDSPin.dir); "
     "DSFilter f; f.numpins = 3; sDSFilter = f; Num(sDSFilter.numpins); Say(sDSFilter.guid); "
     "struct DSPin p = sDSPin; Say(p.name); }",
     {"In", "1", "3", "", "In"}},
    {"CompoundAssignmentAndIncrements",
     "void Main() { int i = 10; i += 5; Num(i); i -= 3; Num(i); i *= 2; Num(i); i /= 5; Num(i); "
     "i %= 3; Num(i); Num(i++); Num(i); Num(++i); Num(i--); Num(--i); int a; int b; "
     "a = b = 4; Num(a + b); string s = \"n\"; s += 1; s += \"!\"; Say(s); }",
     {"15", "12", "24", "4", "1", "1", "2", "3", "3", "1", "8", "n1!"}},
    {"Comments",
     "// a line comment\n"
     "/* a block comment\n   over lines */\n"
     "void Main() { Num(1 /* inside */ + 2); // trailing\n Say(\"// not a comment\"); }",
     {"3", "// not a comment"}},
};

INSTANTIATE_TEST_SUITE_P(Script, Language, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

}  // namespace
