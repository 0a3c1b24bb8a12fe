#include "script/machine.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "script_runner.h"

namespace velmora::script {
namespace {

using test::ScriptRunner;

TEST(MachineTest, BareExpressionsPrintAndAssignmentsDoNot) {
  ScriptRunner r;
  EXPECT_EQ(r.RunBody("a = b = 3; a; b;"), "33");
  EXPECT_EQ(r.RunBody("x = 4; x = x; x;"), "4");
  // An assignment anywhere in the statement silences it (the rule of the
  // grammar: the statement has an effect).
  EXPECT_EQ(r.RunBody("(a = 2) + 1; a;"), "2");
  EXPECT_EQ(r.RunBody("a = 1; a == 1; a == 2;"), "@true@false");
  EXPECT_EQ(r.RunBody("a[1] = 2; a[\"k\"] = 5; a[\"K\"];"), "5");
}

TEST(MachineTest, SelfAssignmentEmitsNothing) {
  ScriptRunner r;
  ASSERT_TRUE(r.CompileModule("function f() { x = x; }").ok());
  const auto& code = r.program.functions().Find("f")->code;
  ASSERT_EQ(code.size(), 1u);
  EXPECT_EQ(code[0].opcode, Opcode::kReturn);
}

TEST(MachineTest, Arithmetic) {
  ScriptRunner r;
  EXPECT_EQ(r.RunBody("7 / 2; \" \"; 5 / 2; \" \"; 7.0 / 2; \" \"; 1 / 0; \" \"; -7 / 2;"), "4 2 3.5 @error -4");
  EXPECT_EQ(r.RunBody("7 % 3; \" \"; -7 % 3; \" \"; 7.5 % 2; \" \"; 1 % 0;"), "1 -1 0.0 @error");
  EXPECT_EQ(r.RunBody("\"a\" + 1; \" \"; \"10\" == 10; \" \"; \"B\" < \"a\"; \" \"; 2 * 1.5;"), "a1 @true @true 3.0");
  EXPECT_EQ(r.RunBody("2147483647 + 1; \" \"; 0xFFFFFFFF; \" \"; ~0; \" \"; 6 & 3; 6 | 3; 6 ^ 3;"),
            "2147483648.0 -1 -1 275");
  EXPECT_EQ(r.RunBody("\"x\" - 1; \" \"; @TRUE + 1; \" \"; -\"a\"; \" \"; 1.; \" \"; .25;"), "@error @error @error 1.0 0.25");
  EXPECT_EQ(r.RunBody("\"\" + @Red + 2.5;"), "red2.5");
}

TEST(MachineTest, TruthAndLogic) {
  ScriptRunner r;
  EXPECT_EQ(r.RunBody("if (\"abc\") 1; else 2; if (0.5) 3; else 4; if (@FALSE) 5; else 6;"), "236");
  EXPECT_EQ(r.RunBody("!0; !3; !@ERROR; !\"\"; 1 && 0; 1 || x;"), "@true@false@true@false@false@true");
  // Without a deciding operand the last one decides.
  EXPECT_EQ(r.RunBody("0 || 0; 0 || @FALSE || \"\"; 1 && 1 && 2;"), "@false@false@true");
  // Evaluation stops at the deciding operand.
  EXPECT_EQ(r.RunBody("n = 0; 0 && (n = 1); 1 || (n = 2); n;"), "0");
  EXPECT_EQ(r.RunBody("1 ? \"a\" : \"b\"; 0 ? \"a\" : 0 ? \"b\" : \"c\";"), "ac");
  EXPECT_EQ(r.RunBody("x = 5; x != @ERROR; a[1] == @ERROR; z == 0;"), "@true@true@false");
  // An empty value compares as neither equal nor unequal.
  EXPECT_EQ(r.RunBody("z != @ERROR; z == @ERROR;"), "@false@false");
}

// Unary operators apply from the operand outward: "-~0" negates ~0.
TEST(MachineTest, UnaryOperatorsApplyFromTheOperandOutward) {
  ScriptRunner r;
  EXPECT_EQ(r.RunBody("-~0; \" \"; ~-1; \" \"; !-0;"), "1 0 @true");
}

// A built-in that changes an array in place (`clear`, `remove`) gets a
// copy of a context variable: what the host set stays as it was.
TEST(MachineTest, BuiltinsThatChangeTheirArgumentGetCopiesOfContextVariables) {
  ScriptRunner r;
  ASSERT_EQ(r.RunModule("function fill() { global liste; liste[\"a\"] = 1; liste[\"b\"] = 2; }", "fill"), "");
  r.program.RegisterContextVariable("fotos", ValueType::kString, &r.Global("liste"));
  EXPECT_EQ(r.RunModule("function main() { global fotos; remove(fotos, \"a\"); clear(fotos);"
                        " x = fotos; x[\"a\"]; x[\"b\"]; }"),
            "@true@true12");
}

TEST(MachineTest, ControlFlow) {
  ScriptRunner r;
  EXPECT_EQ(r.RunBody("a = 1; b = 0; if (a) if (b) \"x\"; else \"y\";"), "y");
  EXPECT_EQ(r.RunBody("i = 0; while (i < 5) { i = i + 1; if (i == 2) continue; if (i == 4) break; i; }"), "13");
  EXPECT_EQ(r.RunBody("for (i = 0, j = 10; i < 3; i = i + 1) { i; j; }"), "010110210");
  EXPECT_EQ(r.RunBody("for (i = 0; ; i = i + 1) { if (i > 2) break; i; }"), "012");
  EXPECT_EQ(r.RunBody("i = 0; while (i < 3) { i = i + 1; switch (i) { case 2: continue; default: i; } \"|\"; }"),
            "1|3|");
}

TEST(MachineTest, ContinueOutOfASwitchLeavesNothingOnTheStack) {
  MachineLimits limits;
  limits.call_memory_bytes = 64 * sizeof(Value);
  ScriptRunner r;
  ASSERT_TRUE(r.CompileModule("function f() { i = 0; n = 0; while (i < 1000) { i = i + 1;"
                              " switch (i % 3 + 1) { case 2: switch (i + 0) { default: continue; } } n = n + 1; }"
                              " return n; }")
                  .ok());
  Machine small(r.program, limits);
  DiscardSink sink;
  EXPECT_EQ(small.Run("f", sink), RunStatus::kOk);
  EXPECT_EQ(r.program.return_value().value.integer(), 666);
}

TEST(MachineTest, SwitchWithoutFallThrough) {
  ScriptRunner r;
  const char* module = R"(
function pick(x) {
  switch (x) {
    default: "d";
    case 1: "one";
    case "s": "str"; break; "never";
    case @Red: "red";
    case 2.5: "dec";
  }
  "/";
}
function main() { pick(1); pick("s"); pick(@RED); pick(2.5); pick(9); pick(1 + 1); }
)";
  EXPECT_EQ(r.RunModule(module), "one/str/red/dec/d/d/");
  EXPECT_EQ(r.RunBody("switch (5) { case 1: \"a\"; } \"after\";"), "after");
  EXPECT_EQ(r.RunBody("switch (5) { default: \"only\"; }"), "only");
}

TEST(MachineTest, FunctionsArgumentsAndReturns) {
  ScriptRunner r;
  const char* module = R"(
function fact(n) { if (n <= 1) return 1; return n * fact(n - 1); }
function none() { }
function zero() { return; }
function two(a b) { return a + b; }
function count(a, b, c) { global ARG_ANZ; return ARG_ANZ; }
function main() {
  fact(10); "|"; none(); "|"; zero(); "|"; two(1 2); "|"; two(1); "|"; count(1, 2, 3); "|"; undefined_fn(1);
}
)";
  EXPECT_EQ(r.RunModule(module), "3628800||0|3|@error|3|@error");
  EXPECT_EQ(r.Global("ERRN_LAST").integer(), 1);
  EXPECT_TRUE(r.Global("ERRS_LAST").text().starts_with("undefined_fn: (1) "));
}

TEST(MachineTest, TooFewArgumentsDoNotRunTheBody) {
  ScriptRunner r;
  EXPECT_EQ(r.RunModule("function f(a, b) { global hit; hit = 1; return a; }\n"
                        "function main() { global hit; hit = 0; f(1); hit; }"),
            "@error0");
}

TEST(MachineTest, NamesInCodeFunctionsAreLocalUnlessDeclaredGlobal) {
  ScriptRunner r;
  r.program.RegisterContextVariable("count_all_files", ValueType::kInteger).SetInteger(42);
  EXPECT_EQ(r.RunModule("function f() { return count_all_files; }\n"
                        "function g() { global count_all_files; return count_all_files; }\n"
                        "function main() { type(f()); g(); }"),
            "@unknown42");
}

TEST(MachineTest, TemplatesUseGlobalsAndBraces) {
  ScriptRunner r;
  auto file = r.program.RegisterContextVariable("count_cur_file", ValueType::kInteger);
  auto all = r.program.RegisterContextVariable("count_all_files", ValueType::kInteger);
  ASSERT_TRUE(r.CompileTemplate("Image {count_cur_file} of {count_all_files}{ if (count_cur_file > 1) \"&lt;\"; }",
                                "Nav")
                  .ok());
  file.SetInteger(1);
  all.SetInteger(3);
  EXPECT_EQ(r.Run("Nav"), "Image 1 of 3");
  file.SetInteger(2);
  EXPECT_EQ(r.Run("Nav"), "Image 2 of 3&lt;");
  EXPECT_EQ(r.Global("_RETURN_VALUE").symbol(), kSymUndefined);
  EXPECT_EQ(r.RunTemplate("a~<b~>c", "t1"), "a{b}c");
  EXPECT_EQ(r.RunTemplate("{x = 7}{x}", "t2"), "7");
  EXPECT_EQ(r.RunTemplate("{x}", "t3"), "7");  // globals keep their values between calls
}

TEST(MachineTest, HostCallsAndReturnValue) {
  ScriptRunner r;
  ASSERT_TRUE(r.CompileModule("function _init() { return 5; } function p(a) { return a; }").ok());
  r.Run("_init");
  EXPECT_EQ(r.Global("_RETURN_VALUE").integer(), 5);
  EXPECT_EQ(r.Run("nothing_here"), "");
  EXPECT_EQ(r.status, RunStatus::kNotFound);
  EXPECT_EQ(r.Global("_RETURN_VALUE").integer(), 5);
  r.Run("p");
  EXPECT_EQ(r.status, RunStatus::kHasParameters);
  // The oracle form: a template whose code returns.
  EXPECT_EQ(r.RunTemplate("{\r\nreturn @TRUE;\r\n}", "_oracle"), "");
  EXPECT_EQ(r.Global("_RETURN_VALUE").symbol(), kSymTrue);
}

TEST(MachineTest, ArraysHaveValueSemanticsAndNaturalOrder) {
  ScriptRunner r;
  EXPECT_EQ(r.RunBody("a[\"b\"] = 1; a[\"a\"] = 2; a[#1]; a[#2]; a[5]; a[];"), "ab@error2");
  EXPECT_EQ(r.RunBody("a[\"x\"] = 1; b = a; b[\"x\"] = 2; b[\"y\"] = 3; a[\"x\"]; a[]; b[\"x\"]; b[];"), "1122");
  EXPECT_EQ(r.RunBody("a[]; type(a); a;"), "0@array@array");
  EXPECT_EQ(r.RunBody("a[\"img10\"] = 1; a[\"img2\"] = 1; a[\"B\"] = 1; a[\"a\"] = 1; a[#1]; a[#2]; a[#3]; a[#4];"),
            "abimg2img10");
  EXPECT_EQ(r.RunBody("a[\"k\"] = 1; a[#\"K\"]; a[#9]; a[1.5];"), "k@error@error");
  EXPECT_EQ(r.RunBody("a[\"x\"] = 5; (a[\"x\"] = 6) + 1; a[\"x\"]; a[\"y\"] = a[\"x\"] = 9; a[\"y\"];"), "69");
}

TEST(MachineTest, ArraysPassedToFunctionsAreCopies) {
  ScriptRunner r;
  EXPECT_EQ(r.RunModule("function f(x) { x[\"n\"] = 2; return x[\"n\"]; }\n"
                        "function main() { a[\"n\"] = 1; f(a); a[\"n\"]; }"),
            "21");
}

TEST(MachineTest, InternalFunctionErrorReport) {
  ScriptRunner r;
  EXPECT_EQ(r.RunModule("function g() { return len(); }\nfunction main() { len(\"abc\"); g(); len(1); }"),
            "3@error@error");
  EXPECT_EQ(r.Global("ERRN_LAST").integer(), 3);
  r.RunModule("function h() { len(); }\nfunction run() { h(); }", "run");
  EXPECT_EQ(r.Global("ERRN_LAST").integer(), 2);
  EXPECT_EQ(r.Global("ERRS_LAST").text(), "len: (2) " + lang::GetText("Msg", "ErrKIFParameterCount"));
  EXPECT_EQ(r.Global("ERRF_LAST").text(), "len < h < run");
}

TEST(MachineTest, AddingToTheDestinationItself) {
  ScriptRunner r;
  EXPECT_EQ(r.RunBody("s = \"ab\"; s = s + s; s = s + 1; s = s + @Red; s;"), "abab1red");
  EXPECT_EQ(r.RunBody("s = \"a\"; t = s; s = s + \"b\"; t; s;"), "aab");  // a shared text is not changed
  EXPECT_EQ(r.RunBody("x = 1; c = 1; x = c ? 10 : x + 1; x; x = x + 0.5; x; y = x = x + 1; y;"), "1010.511.5");
  EXPECT_EQ(r.RunBody("i = 2147483647; i = i + 1; i; s = \"x\"; s = s + a; s;"), "2147483648.0@error");
  // Building a long text piece by piece stays linear.
  EXPECT_EQ(r.RunBody("s = \"\"; for (i = 0; i < 200000; i = i + 1) s = s + \"0123456789\"; len(s);"), "2000000");
}

TEST(MachineTest, AnArrayStoredInItselfIsACopy) {
  ScriptRunner r;
  EXPECT_EQ(r.RunBody("b[\"x\"] = 1; b[\"self\"] = b; b[\"x\"] = 2; b[]; t = b[\"self\"]; t[\"x\"]; t[];"), "212");
  r.program.Reset();
  EXPECT_EQ(r.RunModule("function g() { global b; c[\"k\"] = b; return c; }\n"
                        "function main() { global b; b[\"x\"] = 1; b[\"y\"] = g(); b[]; }"),
            "2");
  // Nested chains are built and freed without C++ recursion.
  EXPECT_EQ(r.RunBody("for (i = 0; i < 3000; i = i + 1) { c[\"x\"] = a; a = c; } a[];"), "1");
}

TEST(MachineTest, TemplateCalledFromCodeReturnsToItsCaller) {
  ScriptRunner r;
  ASSERT_TRUE(r.CompileTemplate("<td>{x = 1}</td>", "Cell").ok());
  EXPECT_EQ(r.RunModule("function main() { Cell(); \"after\"; type(Cell()); }"), "<td></td>@undefinedafter<td></td>@symbol");
}

TEST(MachineTest, ArraysWrittenToAFileEndTheirLine) {
  ScriptRunner r;
  ASSERT_TRUE(r.CompileModule("function main() { a[] ; a; 1; }").ok());
  std::FILE* file = std::tmpfile();
  FileSink sink(file);
  r.machine.Run("main", sink);
  std::rewind(file);
  char buffer[32] = {};
  const std::size_t n = std::fread(buffer, 1, sizeof buffer, file);
  std::fclose(file);
  EXPECT_EQ(std::string(buffer, n), "0@array\r\n1");
}

TEST(MachineTest, OutputFormatting) {
  ScriptRunner r;
  EXPECT_EQ(r.RunBody("2.0; \" \"; 0.25; \" \"; 1.0 / 3; \" \"; -0.5; \" \"; @Foo; \" \"; x;"),
            "2.0 0.25 0.333333333333333 -0.5 @foo ");
}

}  // namespace
}  // namespace velmora::script
