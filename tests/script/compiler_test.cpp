#include "script/compiler.h"

#include <gtest/gtest.h>

#include <string>

#include "script/sources.h"
#include "script_runner.h"

namespace velmora::script {
namespace {

using test::MessageRecorder;
using test::ScriptRunner;

int ErrorOf(std::string_view source) {
  Program program;
  return Compile(program, source, SourceKind::kModule, "m").code;
}

int BodyErrorOf(std::string_view body) { return ErrorOf("function f(a, b) {\n" + std::string(body) + "\n}\n"); }

TEST(CompilerTest, ModuleStructureErrors) {
  EXPECT_EQ(ErrorOf("x = 1;"), err::kMissingFunction);
  EXPECT_EQ(ErrorOf("function 1() {}"), err::kInvalidFunctionname);
  EXPECT_EQ(ErrorOf("function f {}"), err::kArgumentlist);
  EXPECT_EQ(ErrorOf("function f(a {}"), err::kFunctionargumentsMissingTailingBracket);
  EXPECT_EQ(ErrorOf("function f() x"), err::kBodyMissing);
  EXPECT_EQ(ErrorOf("function f() { x;"), err::kFunctionMissingTailingBracket);
  EXPECT_EQ(ErrorOf("function f() {} function F() {}"), err::kFunctionAlreadyExist);
  EXPECT_EQ(ErrorOf("function len() {}"), err::kFunctionAlreadyExist);
  EXPECT_EQ(ErrorOf("function f(a b, c) { return a; }"), err::kOk);
}

TEST(CompilerTest, StatementAndExpressionErrors) {
  EXPECT_EQ(BodyErrorOf("x = 1 y"), err::kSemikolon);
  EXPECT_EQ(BodyErrorOf("for (i = 0 i < 3; ) ;"), err::kSemikolon);
  EXPECT_EQ(BodyErrorOf("a[1;"), err::kMissingRightSquareBracket);
  EXPECT_EQ(BodyErrorOf("if x) y;"), err::kMissingLeftBracket);
  EXPECT_EQ(BodyErrorOf("while (x y;"), err::kMissingRightBracket);
  EXPECT_EQ(BodyErrorOf("switch (x) case 1: y;"), err::kMissingLeftBraceBracket);
  EXPECT_EQ(BodyErrorOf("{ x;"), err::kFunctionMissingTailingBracket);
  EXPECT_EQ(BodyErrorOf("x = * 2;"), err::kMissingOperator);
  EXPECT_EQ(BodyErrorOf("f(1,);"), err::kMissingArgument);
  EXPECT_EQ(BodyErrorOf("f(1; 2);"), err::kArgumentlist);
  EXPECT_EQ(BodyErrorOf("switch (x) { case 1 y; }"), err::kMissingColon);
  EXPECT_EQ(BodyErrorOf("x = a ? b c;"), err::kMissingColon);
  EXPECT_EQ(BodyErrorOf("continue;"), err::kContinue);
  EXPECT_EQ(BodyErrorOf("switch (x) { case 1: continue; }"), err::kContinue);
  EXPECT_EQ(BodyErrorOf("break;"), err::kBreak);
  EXPECT_EQ(BodyErrorOf("1 = x;"), err::kAssignmentInvalid);
  EXPECT_EQ(BodyErrorOf("(a + b) = x;"), err::kAssignmentInvalid);
  EXPECT_EQ(BodyErrorOf("switch (x) { case y: ; }"), err::kMssingConstant);
  EXPECT_EQ(BodyErrorOf("x = \"open;\n"), err::kMissingStringDelimiter);
  EXPECT_EQ(BodyErrorOf("x = @ ;"), err::kMissingEnumName);
  EXPECT_EQ(BodyErrorOf("x = 99999999999;"), err::kNumberRange);
  EXPECT_EQ(BodyErrorOf("global a, 1;"), err::kGlobalList);
}

TEST(CompilerTest, ReadOnlyGlobalsCannotBeAssignedOrIndexed) {
  Program program;
  program.RegisterContextVariable("count_cur_file", ValueType::kInteger);
  CompileResult r = Compile(program, "x{count_cur_file = 2}", SourceKind::kTemplate, "t");
  EXPECT_EQ(r.code, err::kAssignmentReadonly);
  EXPECT_EQ(r.token, "count_cur_file");
  EXPECT_EQ(Compile(program, "{count_cur_file[1]}", SourceKind::kTemplate, "t2").code, err::kAssignmentReadonly);
  EXPECT_EQ(Compile(program, "function f() { global errn_last; errn_last = 1; }", SourceKind::kModule, "m").code,
            err::kAssignmentReadonly);
  EXPECT_EQ(Compile(program, "{count_cur_file}", SourceKind::kTemplate, "t3").code, err::kOk);
}

// Every way out of a function stays inside its code: a jump to just behind
// the last statement lands on the closing return, never behind the code.
TEST(CompilerTest, JumpsStayInsideTheirFunction) {
  for (const char* body : {"if (a) return 1;", "if (a) return 1; else return 2;", "while (a) return 1;",
                           "switch (a) { case 1: return 1; }", "for (; a;) return 1;", "a || b;"}) {
    Program program;
    ASSERT_TRUE(Compile(program, "function f(a, b) { " + std::string(body) + " }", SourceKind::kModule, "m").ok())
        << body;
    const RLSFunktion* f = program.functions().Find("f");
    ASSERT_NE(f, nullptr);
    const auto size = static_cast<std::int32_t>(f->code.size());
    EXPECT_EQ(f->code.back().opcode, Opcode::kReturn) << body;
    for (const RLSInstruction& i : f->code) {
      const bool conditional =
          i.opcode == Opcode::kJumpIfFalse || i.opcode == Opcode::kOrJump || i.opcode == Opcode::kAndJump;
      if (i.opcode != Opcode::kJump && !conditional) continue;
      const std::int32_t target = (i.opcode == Opcode::kJump ? i.a : i.b).index;
      EXPECT_GE(target, 1) << body;
      EXPECT_LE(target, size) << body;
    }
  }
  ScriptRunner r;
  EXPECT_EQ(r.RunModule("function f(a) { if (a) return 1; }\nfunction main() { f(0); \"|\"; f(1); }"), "|1");
}

TEST(CompilerTest, ErrorPositionLineAndToken) {
  Program program;
  CompileResult r = Compile(program, "function f() {\n\nx = 1 y\n}\n", SourceKind::kModule, "m");
  EXPECT_EQ(r.code, err::kSemikolon);
  EXPECT_EQ(r.token, "y");
  EXPECT_EQ(r.line, 3);
  EXPECT_EQ(r.token_start, 23);  // 1-based position of `y`

  r = Compile(program, "function g() {\nx = 1\ny = 2;\n}\n", SourceKind::kModule, "m");
  EXPECT_EQ(r.token, "y");
  EXPECT_EQ(r.line, 3);  // the line of `y`: the line counter has passed the break

  // Unterminated string: the caret goes behind the broken token.
  r = Compile(program, "function h() { x = \"ab\n}", SourceKind::kModule, "m");
  EXPECT_EQ(r.code, err::kMissingStringDelimiter);
  EXPECT_EQ(r.token_start, 20 + 2 + 1);
}

TEST(CompilerTest, FailedFunctionIsNotLeftDefined) {
  Program program;
  EXPECT_EQ(Compile(program, "function ok() {} function bad() { x = ; }", SourceKind::kModule, "m").code,
            err::kMissingOperator);
  EXPECT_EQ(program.functions().Find("ok")->state, FunctionState::kScript);
  EXPECT_EQ(program.functions().Find("bad")->state, FunctionState::kReferenced);
  // So it can be compiled again once corrected.
  EXPECT_EQ(Compile(program, "function bad() {}", SourceKind::kModule, "m").code, err::kOk);
}

TEST(CompilerTest, CompilerMessageShowsKeyTokenCutTo25AndLine) {
  Program program;
  const std::string name(40, 'q');
  CompileResult r = Compile(program, "function f() {\nx = 1 " + name + "\n}", SourceKind::kModule, "m");
  ASSERT_EQ(r.code, err::kSemikolon);
  const std::string message = r.Message();
  EXPECT_NE(message.find(lang::GetText("Msg", "ErrRLSSemikolon")), std::string::npos);
  EXPECT_NE(message.find(lang::GetText("Msg", "ErrRLSFound") + " " + std::string(25, 'q') + "\r\n"), std::string::npos);
  EXPECT_EQ(message.find(std::string(26, 'q')), std::string::npos);
  EXPECT_TRUE(message.ends_with(lang::GetText("Msg", "ErrRLSLine") + " 2"));
  EXPECT_EQ(CompileResult{}.Message(), lang::GetText("Msg", "ErrRLSOk"));
}

TEST(CompilerTest, CompileErrorsAreShownWithTheirWrappingKey) {
  MessageRecorder recorder;
  Program program;
  const ModuleSource modules[] = {{"Good", "function a() {}"}, {"Broken", "function b() { x = 1 y }"}};
  const ModulesResult result = CompileModules(program, modules, SourceOrigin::kProfileModule);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.failed, 1u);
  ASSERT_EQ(recorder.messages.size(), 1u);
  EXPECT_EQ(recorder.messages[0].title, "RiloScript Compiler");
  EXPECT_EQ(recorder.messages[0].key, "ErrProfileModuleLastErr");
  EXPECT_EQ(recorder.messages[0].style, lang::kIconExclamation);

  EXPECT_FALSE(CompileTemplate(program, "<b>{x = }</b>", "ThumbPic", SourceOrigin::kTemplate, "Thumbs"));
  EXPECT_EQ(recorder.messages.back().key, "ErrTagLastErr");
}

TEST(CompilerTest, SyntaxTestLeavesNothingBehind) {
  MessageRecorder recorder;
  Program program;
  const CompileResult r = SyntaxTest(program, "<p>{1 + 2}</p>", SourceKind::kTemplate, "ThumbHead",
                                     SourceOrigin::kTemplate, "Thumbs");
  EXPECT_TRUE(r.ok());
  EXPECT_EQ(recorder.messages.back().style, lang::kIconInformation);
  EXPECT_EQ(program.functions().Find("ThumbHead")->state, FunctionState::kReferenced);
  // A template without code needs no test, and says so.
  SyntaxTest(program, "<p>plain</p>", SourceKind::kTemplate, "ThumbHead", SourceOrigin::kTemplate, "Thumbs");
  ASSERT_EQ(recorder.messages.back().key, "ErrTagLastErr");
  EXPECT_NE(recorder.messages.back().text.find(lang::GetText("Msg", "MsgSyntaxcheckNotNecessary")), std::string::npos);
}

TEST(CompilerTest, TemplatesToleratesAnUnclosedBlockAndStrayClosingBrace) {
  ScriptRunner r;
  EXPECT_EQ(r.RunTemplate("a{x = 5; x"), "a5");
  EXPECT_EQ(r.RunTemplate("a}b", "t2"), "a}b");
}

TEST(CompilerTest, EqualLiteralsShareOneConstantCell) {
  Program program;
  ASSERT_TRUE(Compile(program, "function f() { return \"x\"; } function g() { return \"x\"; }", SourceKind::kModule,
                      "m")
                  .ok());
  const auto* f = program.functions().Find("f");
  const auto* g = program.functions().Find("g");
  EXPECT_EQ(f->code[0].a.cell, g->code[0].a.cell);
}

}  // namespace
}  // namespace velmora::script
