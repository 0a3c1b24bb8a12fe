#include "script/modules.h"

#include <gtest/gtest.h>

#include "script/sources.h"
#include "script_runner.h"
#include "support/temp_dir.h"

namespace velmora::script {
namespace {

using test::MessageRecorder;
using velmora::test::ReadFile;
using velmora::test::TempDir;
using velmora::test::WriteFile;

TEST(ModulesTest, ScriptFileLoadsModulesAndDropsComments) {
  TempDir dir;
  WriteFile(dir / "s.rls", "* test\r\n!*Util\r\n!+function f() {\r\n!+}\r\n\r\n   !*  Second  \n!+  x  \n");
  RLModule modules;
  ASSERT_TRUE(LoadScriptFile(dir / "s.rls", modules));
  ASSERT_EQ(modules.Count(), 2u);
  EXPECT_EQ(modules.at(0).name, "Util");
  EXPECT_EQ(modules.at(0).content, "function f() {\r\n}");
  EXPECT_EQ(modules.at(0).status, kModuleNotCompiled);
  EXPECT_EQ(modules.at(1).name, "Second");
  EXPECT_EQ(modules.at(1).content, "  x  ");

  ASSERT_TRUE(StoreScriptFile(dir / "out.rls", modules));
  EXPECT_EQ(ReadFile(dir / "out.rls"), "!*Util\r\n!+function f() {\r\n!+}\r\n!*Second\r\n!+  x  \r\n");
  RLModule again;
  ASSERT_TRUE(LoadScriptFile(dir / "out.rls", again));
  EXPECT_EQ(again.at(0).content, modules.at(0).content);
  EXPECT_EQ(again.at(1).content, modules.at(1).content);
}

TEST(ModulesTest, SameNameTwiceKeepsTheSecondContent) {
  TempDir dir;
  WriteFile(dir / "s.rls", "!*A\r\n!+one\r\n!*a\r\n!+two\r\n");
  RLModule modules;
  ASSERT_TRUE(LoadScriptFile(dir / "s.rls", modules));
  ASSERT_EQ(modules.Count(), 1u);
  EXPECT_EQ(modules.at(0).content, "two");
}

TEST(ModulesTest, BrokenScriptFileKeepsModulesUpToTheFaultyLine) {
  MessageRecorder recorder;
  TempDir dir;
  WriteFile(dir / "s.rls", "!*A\r\n!+one\r\nnonsense\r\n!*B\r\n");
  RLModule modules;
  EXPECT_FALSE(LoadScriptFile(dir / "s.rls", modules));
  EXPECT_EQ(modules.Count(), 1u);
  ASSERT_EQ(recorder.messages.size(), 1u);
  EXPECT_EQ(recorder.messages[0].key, "ErrRLSFileRead");

  WriteFile(dir / "t.rls", "!+orphan\r\n");
  EXPECT_FALSE(LoadScriptFile(dir / "t.rls", modules));
  EXPECT_FALSE(LoadScriptFile(dir / "missing.rls", modules));
  EXPECT_EQ(recorder.messages.back().key, "ErrRLSFileOpen");
}

TEST(ModulesTest, MissingFunctionCheckNamesFunctionAndModule) {
  MessageRecorder recorder;
  Program program;
  const ModuleSource modules[] = {{"Util", "function helper() { return 1; }"}};
  ASSERT_TRUE(CompileModules(program, modules, SourceOrigin::kScriptFileModule).ok);
  ASSERT_TRUE(CompileTemplate(program, "{helper()}{thumbs()}", "ThumbPic", SourceOrigin::kTemplate, "Thumbs"));
  EXPECT_FALSE(CheckMissingFunctions(program));
  ASSERT_EQ(recorder.messages.size(), 1u);
  EXPECT_EQ(recorder.messages[0].key, "ErrMissingFunction");
  EXPECT_EQ(recorder.messages[0].title, "RiloScript Compiler");
}

TEST(ModulesTest, OracleIsWrappedAsATemplateAndChecked) {
  MessageRecorder recorder;
  Program program;
  ASSERT_TRUE(CompileOracle(program, "return @TRUE;"));
  EXPECT_TRUE(CheckMissingFunctions(program));
  Machine machine(program);
  DiscardSink sink;
  machine.Run("_oracle", sink);
  EXPECT_EQ(program.return_value().value.symbol(), kSymTrue);

  Program other;
  ASSERT_TRUE(CompileOracle(other, "thumbs();"));
  EXPECT_FALSE(CheckMissingFunctions(other));
  EXPECT_EQ(recorder.messages.back().key, "ErrMissingFunction");
  const RLSFunktion* missing = other.functions().FirstMissing();
  ASSERT_NE(missing, nullptr);
  EXPECT_EQ(missing->name, "thumbs");
  EXPECT_EQ(missing->referenced_from, "_oracle");

  EXPECT_FALSE(CompileOracle(other, "x = ;"));
  EXPECT_EQ(recorder.messages.back().key, "ErrOracleLastErr");
}

}  // namespace
}  // namespace velmora::script
