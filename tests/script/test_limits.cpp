// Runaway scripts and hostile input end in a script error within the limits, never in a hang
// or a crash.
#include <gtest/gtest.h>

#include <time.h>

#include "scripttest.h"

namespace {

// A runaway script ends within a second of processor time; unoptimised builds (the sanitizer
// builds among them) run every step several times slower, so they get more.
#ifdef NDEBUG
constexpr qint64 kRunawayBudgetMs = 1000;
#else
constexpr qint64 kRunawayBudgetMs = 10'000;
#endif

// Processor time of this thread in milliseconds: the machine may be shared, and what matters is
// the work the compiler does, not how long it waited for a core.
qint64 ThreadMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return now.tv_sec * 1000 + now.tv_nsec / 1'000'000;
}

struct Runaway {
  const char* name;
  const char* source;
  const char* error;  // the error message after "file:line:column: "
};

void PrintTo(const Runaway& c, std::ostream* os) {
  *os << c.name;
}

class Runaways : public testing::TestWithParam<Runaway> {};

TEST_P(Runaways, EndInAScriptErrorWithinASecond) {
  ScriptHarness script;
  ASSERT_TRUE(script.Compile(GetParam().source)) << script.Errors().toStdString();
  const auto main = script.compiler.FindFunction("Main");
  ASSERT_TRUE(main);
  const qint64 start = ThreadMilliseconds();
  EXPECT_FALSE(main());
  EXPECT_LT(ThreadMilliseconds() - start, kRunawayBudgetMs);
  EXPECT_TRUE(script.Errors().endsWith(QString::fromLatin1(GetParam().error)))
      << script.Errors().toStdString();
  // The same function can run again after the failure, and fails the same way.
  EXPECT_FALSE(main());
  EXPECT_TRUE(script.Errors().endsWith(QString::fromLatin1(GetParam().error)));
}

const Runaway kRunaways[] = {
    {"EndlessLoop", "void Main() { while (1) { } }", "step limit exceeded (10000000 steps)"},
    {"EndlessEmptyFor", "void Main() { for (;;); }", "step limit exceeded (10000000 steps)"},
    {"EndlessRecursion", "void Main() { Main(); }", "call depth limit exceeded (200 calls)"},
    {"MutualRecursion", "void A() { B(); }\nvoid B() { A(); }\nvoid Main() { A(); }",
     "call depth limit exceeded (200 calls)"},
    {"StringDoubling", "void Main() { string s = \"x\"; while (1) s = s + s; }",
     "memory limit exceeded (67108864 bytes)"},
    {"StringDoublingThroughCalls",
     "string Double(string s) { return Double(s + s); }\nvoid Main() { Double(\"ab\"); }",
     "memory limit exceeded (67108864 bytes)"},
    {"AppendingToAGlobal",
     "string g;\nvoid Main() { string h = \"0123456789abcdef\"; for (int i = 0; i < 8; i++) "
     "h += h; while (1) g += h; }",
     "memory limit exceeded (67108864 bytes)"},
};

INSTANTIATE_TEST_SUITE_P(Script, Runaways, testing::ValuesIn(kRunaways),
                         [](const testing::TestParamInfo<Runaway>& info) {
                           return info.param.name;
                         });

TEST(ScriptLimits, TheHostsLimitsApplyToEachCall) {
  ScriptHarness script;
  script.compiler.SetLimits({.steps = 1000, .callDepth = 5, .memoryBytes = 4096});
  ASSERT_TRUE(script.Compile(
      "int Depth(int n) { if (n == 0) return 0; return Depth(n - 1) + 1; }\n"
      "void Loop(int n) { for (int i = 0; i < n; i++) { } }\n"
      "string Grow(int n) { string s = \"x\"; while (n > 0) { s = s + s; n--; } return s; }\n"
      "void Small() { Num(Depth(3)); Loop(10); Num(Grow(8) == Grow(8)); }\n"
      "void Deep() { Num(Depth(4)); }\n"
      "void Long() { Loop(1000); }\n"
      "void Big() { Say(Grow(12)); }"))
      << script.Errors().toStdString();
  // Main and four nested calls fit in five; every call starts with the whole budget again.
  EXPECT_TRUE(script.compiler.FindFunction("Small")()) << script.Errors().toStdString();
  EXPECT_TRUE(script.compiler.FindFunction("Small")()) << script.Errors().toStdString();
  EXPECT_FALSE(script.compiler.FindFunction("Deep")());
  EXPECT_TRUE(script.Errors().endsWith("call depth limit exceeded (5 calls)"));
  EXPECT_FALSE(script.compiler.FindFunction("Long")());
  EXPECT_TRUE(script.Errors().endsWith("step limit exceeded (1000 steps)"));
  EXPECT_FALSE(script.compiler.FindFunction("Big")());
  EXPECT_TRUE(script.Errors().endsWith("memory limit exceeded (4096 bytes)"));
  EXPECT_EQ(script.said, (QStringList{"3", "1", "3", "1"}));
}

TEST(ScriptLimits, AHugeCallDepthLimitStillCannotOverflowTheStack) {
  ScriptHarness script;
  script.compiler.SetLimits(
      {.steps = 100'000'000, .callDepth = 100'000'000, .memoryBytes = 1 << 30});
  ASSERT_TRUE(script.Compile("void Main() { Main(); }"));
  EXPECT_FALSE(script.compiler.FindFunction("Main")());
  EXPECT_TRUE(script.Errors().contains("call depth limit exceeded"))
      << script.Errors().toStdString();
}

TEST(ScriptLimits, GlobalInitialisersAreBoundedToo) {
  ScriptHarness script;
  script.compiler.SetLimits({.steps = 500, .callDepth = 200, .memoryBytes = 1 << 20});
  EXPECT_FALSE(script.Compile("int Spin() { while (1) { } return 0; }\nint g = Spin();"));
  EXPECT_TRUE(script.Errors().endsWith("step limit exceeded (500 steps)"));
}

// Input nested far beyond any real script is refused at compile time, quickly.
struct DeepInput {
  const char* name;
  QByteArray (*make)(int depth);
  const char* error;
};

void PrintTo(const DeepInput& c, std::ostream* os) {
  *os << c.name;
}

class DeepInputs : public testing::TestWithParam<DeepInput> {};

TEST_P(DeepInputs, AreRefused) {
  ScriptHarness script;
  const qint64 start = ThreadMilliseconds();
  EXPECT_FALSE(script.Compile(GetParam().make(10'000)));
  EXPECT_LT(ThreadMilliseconds() - start, kRunawayBudgetMs);
  EXPECT_TRUE(script.Errors().contains(QString::fromLatin1(GetParam().error)))
      << script.Errors().left(300).toStdString();
  // Nesting a real script might use still compiles.
  EXPECT_TRUE(script.Compile(GetParam().make(40))) << script.Errors().left(300).toStdString();
}

const DeepInput kDeepInputs[] = {
    {"Parentheses",
     [](int depth) {
       return "int x = " + QByteArray(depth, '(') + "1" + QByteArray(depth, ')') + ";";
     },
     "nesting too deep"},
    {"LongSum",
     [](int depth) {
       QByteArray sum = "1";
       for (int i = 0; i < depth; ++i) {
         sum += "+1";
       }
       return "int x = " + sum + ";";
     },
     "expression too deeply nested"},
    {"Blocks",
     [](int depth) { return "void F() " + QByteArray(depth, '{') + QByteArray(depth, '}'); },
     "nesting too deep"},
    {"ElseIfChain",
     [](int depth) {
       QByteArray body = "void F() { int n; ";
       for (int i = 0; i < depth; ++i) {
         body += "if (n == " + QByteArray::number(i) + ") n++; else ";
       }
       return body + "n--; }";
     },
     "nesting too deep"},
    {"UnaryMinus", [](int depth) { return "int x = " + QByteArray(depth, '!') + "1;"; },
     "nesting too deep"},
};

INSTANTIATE_TEST_SUITE_P(Script, DeepInputs, testing::ValuesIn(kDeepInputs),
                         [](const testing::TestParamInfo<DeepInput>& info) {
                           return info.param.name;
                         });

}  // namespace
