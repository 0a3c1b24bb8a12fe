// Regular expressions of `index` and `replace`: the ECMAScript-like dialect
// on Windows-1252 text, group references, and patterns that must fail
// cleanly instead of hanging the run.
#include <gtest/gtest.h>

#include <chrono>

#include "builtins_support.h"
#include "script/builtins/regex.h"

namespace velmora::script {
namespace {

using test::BuiltinRunner;

TEST(BuiltinsRegexTest, IndexMatchesWithoutRegardToCaseUmlautsIncluded) {
  BuiltinRunner r;
  EXPECT_EQ(r.Eval("index(@REGEXP, \"Urlaub am MEER\", \"meer\"); \" \"; index(@REGEXP, \"abc\", \"x\"); \" \"; "
                   "index(@REGEXP, \"IMG_0042.jpg\", \"\\d+\"); \" \"; index(@REGEXP, \"\xC4RGER \xFC\", \"\xE4rger \xDC\"); "
                   "\" \"; index(@REGEXP, \"\xD0\xDE\x8A\", \"\xF0\xFE\x9A\");"),
            "11 0 5 1 1");
  // \w and \b stay ASCII, as in ECMAScript.
  EXPECT_EQ(r.Eval("index(@REGEXP, \"\xE4x\", \"\\w\"); index(@REGEXP, \"a b\", \"\\bb\");"), "23");
}

TEST(BuiltinsRegexTest, ReplaceWithGroupsAndFirstOnly) {
  BuiltinRunner r;
  EXPECT_EQ(r.Eval("replace(@REGEXP, \"2024-01-05\", \"(\\d+)-(\\d+)-(\\d+)\", \"$3.$2.$1\");"), "05.01.2024");
  EXPECT_EQ(r.Eval("replace(@REGEXP, \"a1b22c333\", \"\\d+\", \"#\"); \" \"; "
                   "replace(@REGEXP, \"a1b22c333\", \"\\d+\", \"#\", @FIRST);"),
            "a#b#c# a#b22c333");
  // Case-sensitive, unlike index.
  EXPECT_EQ(r.Eval("replace(@REGEXP, \"Aa\", \"a\", \"x\");"), "Ax");
  EXPECT_EQ(r.Eval("replace(@REGEXP, \"ab\", \"(a)(x)?\", \"[$2|$1|$&|$$|$9|$`|$']\");"), "[|a|a|$|$9||b]b");
  EXPECT_EQ(r.Eval("replace(@REGEXP, \"abc\", \"x*\", \"-\");"), "-a-b-c-");
  EXPECT_EQ(r.Eval("s = format(\"Zeile1%\\Zeile2\"); replace(@REGEXP, s, \"^Z\", \"z\");"), "zeile1\r\nZeile2");
  EXPECT_EQ(r.FailCode("replace(@REGEXP, \"a\", \"a\", \"b\", \"x\");"), 4);
  EXPECT_EQ(r.FailCode("replace(@REGEXP, \"a\", 1, \"b\");"), 3);
}

TEST(BuiltinsRegexTest, EcmaScriptEscapesAndEmptyClasses) {
  std::int32_t at = 0;
  EXPECT_TRUE(RegexFind("xA", "\\u0041", false, at).ok);
  EXPECT_EQ(at, 2);
  EXPECT_TRUE(RegexFind("x\xE4", "\\xE4", false, at).ok);
  EXPECT_EQ(at, 2);
  EXPECT_TRUE(RegexFind("abc", "[]", false, at).ok);  // matches nothing
  EXPECT_EQ(at, 0);
  EXPECT_TRUE(RegexFind("abc", "c[^]", false, at).ok);
  EXPECT_EQ(at, 0);
  EXPECT_TRUE(RegexFind("ab\n", "b$", false, at).ok);  // "$" only at the very end
  EXPECT_EQ(at, 0);
  // (*UTF) would read the Windows-1252 bytes as broken UTF-8.
  EXPECT_FALSE(RegexFind("abc", "(*UTF)a", false, at).ok);
}

TEST(BuiltinsRegexTest, InvalidPatternIsErrorFourWithThePosition) {
  BuiltinRunner r;
  EXPECT_EQ(r.Eval("x = index(@REGEXP, \"abc\", \"a(b\"); x; \" weiter\";"), "@error weiter");
  EXPECT_EQ(r.ErrorCode(), 4);
  EXPECT_EQ(r.ErrorText(), "index: (4) Argument fehlerhaft");
  EXPECT_EQ(r.LastLogLine().rfind("RiloScript index: (4) Argument fehlerhaft: invalid regular expression at position", 0),
            0u)
      << r.LastLogLine();
  EXPECT_EQ(r.Eval("replace(@REGEXP, \"abc\", \"[a\", \"x\");"), "@error");
  EXPECT_NE(r.LastLogLine().find("missing terminating ]"), std::string::npos) << r.LastLogLine();
}

TEST(BuiltinsRegexTest, CatastrophicBacktrackingEndsWithError) {
  BuiltinRunner r;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(r.Eval("t = \"\"; for (i = 0; i < 5000; i = i + 1) t = t + \"a\"; t = t + \"!\"; "
                   "index(@REGEXP, t, \"^(a+)+$\"); \" \"; replace(@REGEXP, t, \"(\\w+\\s?)*$\", \"x\"); \" \"; "
                   "index(@REGEXP, t, \"!\");"),
            "@error @error 5001");
  EXPECT_EQ(r.ErrorCode(), 4);  // the last call succeeded and kept the report
  EXPECT_NE(r.LastLogLine().find("too many steps"), std::string::npos) << r.LastLogLine();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

TEST(BuiltinsRegexTest, ManyPatternsStayCorrectBeyondTheCache) {
  std::string out;
  for (int i = 0; i < 100; ++i) {
    const std::string pattern = "a{" + std::to_string(i % 40 + 1) + "}";
    ASSERT_TRUE(RegexReplace(std::string(static_cast<std::size_t>(i % 40 + 1), 'a'), pattern, "x", false, out).ok);
    EXPECT_EQ(out, "x");
  }
}

}  // namespace
}  // namespace velmora::script
