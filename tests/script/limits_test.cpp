// Bad input ends with a clean error, never a crash.
#include <gtest/gtest.h>

#include <string>

#include "lang/messages.h"
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

TEST(LimitsTest, RecursionNestsAsDeepAsMemoryAllows) {
  ScriptRunner r;
  const char* counting = "function r(n) { if (n > 0) return r(n - 1) + 1; return 0; }\n";
  EXPECT_EQ(r.RunModule(std::string(counting) + "function main() { r(2500); \"|\"; r(200000); }"), "2500|200000");
  EXPECT_EQ(r.status, RunStatus::kOk);
}

TEST(LimitsTest, RunawayRecursionYieldsErrorAndTheScriptGoesOn) {
  ScriptRunner r;
  // The deepest call that does not fit is not made; every level above adds
  // 1 to @ERROR, which stays @ERROR, and the caller goes on.
  ASSERT_TRUE(r.CompileModule(
                   "function f(n) { global depth; depth = n; return f(n + 1) + 1; }\n"
                   "function main() { global depth, ERRN_LAST, ERRS_LAST; \"a\"; x = f(1); x == @ERROR; \"b\";"
                   " ERRN_LAST; \"|\"; ERRS_LAST; \"|\"; depth > 100000; }")
                  .ok());
  ASSERT_TRUE(r.CompileTemplate("x{f(1)}y{1 + 1}").ok());
  // 16 MB of call memory, a sixteenth of the default, keeps the test quick.
  MachineLimits limits;
  limits.call_memory_bytes = std::size_t{16} << 20;
  Machine machine(r.program, limits);
  StringSink module_output;
  EXPECT_EQ(machine.Run("main", module_output), RunStatus::kOk);
  EXPECT_EQ(module_output.text(), "a@trueb23|f: (23) " + lang::GetText("Msg", "ErrKIFRecursionTooDeep") + "|@true");
  // In a template the rest of the snippet is written.
  StringSink template_output;
  EXPECT_EQ(machine.Run("snippet", template_output), RunStatus::kOk);
  EXPECT_EQ(template_output.text(), "x@errory2");
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
  limits.call_memory_bytes = 64 * sizeof(Value);
  ScriptRunner r;
  std::string args;
  for (int i = 0; i < 100; ++i) args += "1,";
  args += "1";
  ASSERT_TRUE(r.CompileModule("function f() { return g(" + args + "); }").ok());
  Machine small(r.program, limits);
  DiscardSink sink;
  EXPECT_EQ(small.Run("f", sink), RunStatus::kStackExhausted);
}

}  // namespace
}  // namespace velmora::script
