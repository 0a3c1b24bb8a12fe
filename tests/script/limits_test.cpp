// Bad input ends with a clean error, never a crash.
#include <gtest/gtest.h>

#include <string>

#include "script/runtime_error.h"
#include "script_runner.h"

namespace velmora::script {
namespace {

using test::ScriptRunner;

TEST(LimitsTest, DeepNestingIsACompileErrorNotACrash) {
  ScriptRunner r;
  const std::string parens = std::string(10000, '(') + "1" + std::string(10000, ')');
  EXPECT_EQ(r.CompileModule("function f() { x = " + parens + "; }").code, err::kNestingTooDeep);
  EXPECT_EQ(r.CompileModule("function g() { " + std::string(10000, '{') + std::string(10000, '}') + " }").code,
            err::kNestingTooDeep);
  std::string chain = "function h() { x = 1";
  for (int i = 0; i < 10000; ++i) chain += " ? 1 : 1";
  EXPECT_EQ(r.CompileModule(chain + "; }").code, err::kOk);  // conditionals chain without recursion
  std::string calls;
  for (int i = 0; i < 10000; ++i) calls += "f(";
  EXPECT_EQ(r.CompileModule("function k() { " + calls + "}").code, err::kNestingTooDeep);
  EXPECT_EQ(r.CompileModule("function m() { x = " + std::string(10000, '-') + "1; x; }").code, err::kOk);
  // Moderate nesting is fine.
  EXPECT_EQ(r.CompileModule("function n() { x = " + std::string(50, '(') + "1" + std::string(50, ')') + "; }").code,
            err::kOk);
}

TEST(LimitsTest, RunawayRecursionStopsWithError) {
  ScriptRunner r;
  EXPECT_EQ(r.RunModule("function f(n) { return f(n + 1) + 1; }\nfunction main() { \"a\"; f(1); \"b\"; }"), "a");
  EXPECT_EQ(r.status, RunStatus::kRecursionTooDeep);
  EXPECT_EQ(r.Global("_RETURN_VALUE").symbol(), kSymError);
  EXPECT_EQ(r.Global("ERRN_LAST").integer(), rterr::kRecursionTooDeep);
  // The machine is usable again afterwards.
  EXPECT_EQ(r.RunModule("function ok() { \"fine\"; }", "ok"), "fine");
  EXPECT_EQ(r.status, RunStatus::kOk);
}

TEST(LimitsTest, EndlessTemplateLoopHitsTheInstructionBudget) {
  ScriptRunner r;
  EXPECT_EQ(r.RunTemplate("x{while (1) { }}y"), "x");
  EXPECT_EQ(r.status, RunStatus::kInstructionLimit);
  EXPECT_EQ(r.Global("ERRN_LAST").integer(), rterr::kInstructionLimit);
}

TEST(LimitsTest, HundredMegabyteStringAndOutputLimit) {
  ScriptRunner r;
  // Doubling a text 27 times gives 128 MiB; each step is one allocation.
  EXPECT_EQ(r.RunBody("s = \"x\"; for (i = 0; i < 27; i = i + 1) s = s + s; len(s);"), "134217728");
  EXPECT_EQ(r.RunBody("s = \"x\"; for (i = 0; i < 40; i = i + 1) s = s + s; s == @ERROR;"), "@true");

  MachineLimits limits;
  limits.max_output_bytes = 1000;
  Machine small(r.program, limits);
  ASSERT_TRUE(r.CompileModule("function spam() { while (1) \"0123456789\"; }").ok());
  StringSink sink;
  EXPECT_EQ(small.Run("spam", sink), RunStatus::kOutputLimit);
  EXPECT_LE(sink.text().size(), 1000u);
}

TEST(LimitsTest, ManyArgumentsExhaustTheStackCleanly) {
  MachineLimits limits;
  limits.stack_slots = 64;
  ScriptRunner r;
  std::string args;
  for (int i = 0; i < 100; ++i) args += "1,";
  args += "1";
  ASSERT_TRUE(r.CompileModule("function f() { return g(" + args + "); }").ok());
  Machine small(r.program, limits);
  DiscardSink sink;
  EXPECT_EQ(small.Run("f", sink), RunStatus::kRecursionTooDeep);
}

}  // namespace
}  // namespace velmora::script
