// Internal functions on texts, numbers, conversions, dates and arrays, run
// as small scripts through the machine, with their error report.
#include <gtest/gtest.h>

#include <cmath>

#include "builtins_support.h"
#include "lang/language_registry.h"
#include "script/builtins/date_text.h"
#include "script/value_text.h"

namespace velmora::script {
namespace {

using test::BuiltinRunner;

TEST(BuiltinsTest, ErrorReportNamesFunctionCodeTextAndCallChain) {
  BuiltinRunner r;
  EXPECT_EQ(r.Eval("len(\"abc\"); \" \"; len(1);"), "3 @error");
  EXPECT_EQ(r.ErrorCode(), 3);
  EXPECT_EQ(r.ErrorText(), "len: (3) Argumenttyp fehlerhaft");
  EXPECT_EQ(r.FailCode("len();"), 2);
  EXPECT_EQ(r.ErrorText(), "len: (2) Argumentanzahl fehlerhaft");
  r.program.Reset();
  EXPECT_EQ(r.RunModule("function inner() { return mid(1, 2); }\nfunction main() { x = inner(); x; \"/\"; callstack(); }"),
            "@error/main");
  EXPECT_EQ(r.ErrorChain(), "mid < inner < main");
  // The run goes on after a failed call, and a later success leaves the report alone.
  EXPECT_EQ(r.Eval("a = upper(5); b = upper(\"x\"); a; b; global errn_last; errn_last;"), "@errorX3");
}

TEST(BuiltinsTest, EveryArgumentCountOutsideTheTableIsErrorTwo) {
  BuiltinRunner r;
  const char* calls[] = {"type()",        "integer(1, 2)", "string()",      "date()",           "remove(a)",
                         "clear()",       "read()",        "read(1,2,3,4)", "write()",          "exist()",
                         "input()",       "input(1,2,3)",  "sin()",         "pow(1)",           "convert(1)",
                         "random()",      "abs(1, 2)",     "min()",         "max()",            "now(1)",
                         "datepart(1)",   "mid(\"a\")",    "index(\"a\")",  "replace(\"a\", \"b\")", "format()",
                         "upper()",       "trim()",        "split(\"a\", \",\")", "urlencode()", "dbread(\"a\", \"b\")",
                         "callstack(1)",  "filenamepart(\"a\")", "index(\"a\", \"b\", \"c\")", "replace(@REGEXP, \"a\", \"b\")"};
  for (const char* call : calls) {
    EXPECT_EQ(r.Eval(std::string(call) + ";"), "@error") << call;
    EXPECT_EQ(r.ErrorCode(), 2) << call;
  }
}

TEST(BuiltinsTest, TypesAndConversions) {
  BuiltinRunner r;
  EXPECT_EQ(r.Eval("type(@FALSE); type(1); type(1.5); type(\"\"); type(now()); a[1] = 1; type(a); type(q);"),
            "@symbol@integer@double@string@date@array@unknown");
  EXPECT_EQ(r.Eval("integer(\"12\"); \" \"; integer(\"\"); \" \"; integer(\".5\"); \" \"; integer(2.5); \" \"; "
                   "integer(3.5); \" \"; integer(\" -7 \"); \" \"; integer(\"1.5e1\");"),
            "12 0 0 2 4 -7 15");
  EXPECT_EQ(r.FailCode("integer(\"x\");"), 3);
  EXPECT_EQ(r.Eval("integer(@TRUE); integer(now()); integer(\"inf\"); integer(\"1,5\");"), "@error@error@error@error");
  EXPECT_EQ(r.FailCode("integer(3000000000.0);"), 4);
  EXPECT_EQ(r.Eval("double(\".5\"); \" \"; double(2); \" \"; double(\"\");"), "0.5 2.0 0.0");
  EXPECT_EQ(r.Eval("string(2); \" \"; string(2.0); \" \"; string(0.25); \" \"; string(@Red); \" \"; "
                   "string(date(\"24.12.2023 18:30\"));"),
            "2 2.0 0.25 red 24.12.2023 18:30:00");
  EXPECT_EQ(r.Eval("a[1] = 1; string(a);"), "@error");
  EXPECT_EQ(r.Eval("symbol(\"Neu\") == symbol(\"NEU\"); \" \"; symbol(\"@red\") == @RED; \" \"; symbol(@BLUE); "
                   "\" \"; symbol(\"\"); symbol(1);"),
            "@true @true @blue @error@error");
  EXPECT_EQ(r.Eval("convert(255, @HEX); \" \"; convert(8, @OCT); \" \"; convert(5, @BIN); \" \"; convert(35, 36); "
                   "\" \"; convert(-1, @HEX); \" \"; convert(2.5, 10);"),
            "FF 10 101 Z FFFFFFFF 2");
  EXPECT_EQ(r.FailCode("convert(1, @RED);"), 4);
  EXPECT_EQ(r.Eval("convert(1, 37); convert(1, 1);"), "@error@error");
  EXPECT_EQ(r.ErrorCode(), 4);
  EXPECT_EQ(r.FailCode("convert(\"1\", 2);"), 3);
}

TEST(BuiltinsTest, TextPieces) {
  BuiltinRunner r;
  EXPECT_EQ(r.Eval("mid(\"abcdef\", 2, 3); \"|\"; mid(\"abc\", 2); \"|\"; mid(\"abc\", 0, 2); \"|\"; mid(\"abc\", 9); "
                   "\"|\"; mid(\"abc\", 2, -1); \"|\";"),
            "bcd|bc|ab|||");
  EXPECT_EQ(r.Eval("mid(\"abc\", \"2\");"), "@error");
  EXPECT_EQ(r.Eval("split(\"a, b ,c\", \",\", 2); \"|\"; split(\"a\", \",\", 5); \"|\"; split(\"a::b\", \"::\", 2); "
                   "\"|\"; split(\"a,,c\", \",\", 3);"),
            "b||b|c");
  EXPECT_EQ(r.Eval("split(\"a\", \"\", 1); split(\"a\", \",\", 0);"), "@error@error");
  EXPECT_EQ(r.ErrorCode(), 4);
  EXPECT_EQ(r.Eval("trim(\"  a b \"); \"|\"; trim(\" a \", @LEADING); \"|\"; trim(\" a \", @TRAILING); \"|\"; "
                   "trim(\" a \", @BOTH); \"|\";"),
            "a b|a | a|a|");
  // Only spaces go: a tab or other control character at the edge belongs to the text.
  EXPECT_EQ(r.Eval("trim(\"\t a \x01\"); \"|\"; trim(\" \ta\t \", @LEADING); \"|\"; "
                   "split(\"a,\t b \t,c\", \",\", 2); \"|\";"),
            "\t a \x01|\ta\t |\t b \t|");
  EXPECT_EQ(r.FailCode("trim(\" a \", @RED);"), 4);
  EXPECT_EQ(r.FailCode("trim(\" a \", 1);"), 3);
  // Umlauts change case in the Windows-1252 code page; ß has no capital.
  EXPECT_EQ(r.Eval("upper(\"gr\xF6\xDF" "e \xE4\"); lower(\"\xC4\xD6\xDC ABC\");"), "GR\xD6\xDF" "E \xC4\xE4\xF6\xFC abc");
  EXPECT_EQ(r.Eval("urlencode(\"Ferien 2024/B\xE4ume_1-a.jpg?x=1&y\");"), "Ferien%202024/B%E4ume_1-a.jpg%3Fx%3D1%26y");
}

// Names from the photo tree reach pages as text, never as markup, in element
// text and in attributes quoted either way; umlauts stay Windows-1252 bytes.
TEST(BuiltinsTest, HtmlencodeMakesNamesTextInPages) {
  BuiltinRunner r;
  EXPECT_EQ(r.Eval("htmlencode(\"<img src=x onerror=document.title='PWNED'>\");"),
            "&lt;img src=x onerror=document.title=&#39;PWNED&#39;&gt;");
  EXPECT_EQ(r.Eval("htmlencode(\"a\"\"b\");"), "a&quot;b");
  // An entity already in a name is a name, not an entity: it must show as typed.
  EXPECT_EQ(r.Eval("htmlencode(\"x&amp;y\");"), "x&amp;amp;y");
  EXPECT_EQ(r.Eval("htmlencode(\"B\xE4ume 1\"); htmlencode(\"\"); htmlencode(12); htmlencode(@Red);"),
            "B\xE4ume 112red");
  EXPECT_EQ(r.FailCode("a[1] = 1; htmlencode(a);"), 3);
  EXPECT_EQ(r.FailCode("htmlencode(\"a\", \"b\");"), 2);
}

TEST(BuiltinsTest, SearchAndPlainReplace) {
  BuiltinRunner r;
  EXPECT_EQ(r.Eval("index(\"abcabc\", \"c\"); index(\"abc\", \"C\"); index(\"abc\", \"\"); index(\"\", \"a\");"), "3000");
  EXPECT_EQ(r.Eval("replace(\"a.b.c\", \".\", \"--\"); \" \"; replace(\"a.b.c\", \".\", \"\", @FIRST); \" \"; "
                   "replace(\"aaa\", \"a\", \"aa\"); \" \"; replace(\"abc\", \"\", \"x\"); \" \"; replace(\"aBc\", \"b\", \"x\");"),
            "a--b--c ab.c aaaaaa abc aBc");
  EXPECT_EQ(r.FailCode("replace(\"a\", \"a\", \"b\", 1);"), 4);
  EXPECT_EQ(r.FailCode("index(@RED, \"a\", \"b\");"), 4);
  EXPECT_EQ(r.FailCode("index(\"a\", 1);"), 3);
}

TEST(BuiltinsTest, FormatPlaceholders) {
  BuiltinRunner r;
  EXPECT_EQ(r.Eval("format(\"[%5]\", 42);"), "[   42]");
  EXPECT_EQ(r.Eval("format(\"[%-5]\", 42);"), "[42   ]");
  EXPECT_EQ(r.Eval("format(\"[%.2]\", 3.14159);"), "[3.14]");
  EXPECT_EQ(r.Eval("format(\"[%8.3]\", 2);"), "[   2.000]");
  EXPECT_EQ(r.Eval("format(\"%3!5\", 1);"), "  15");
  EXPECT_EQ(r.Eval("format(\"%1x\", \"abc\");"), "abcx");  // never cut
  EXPECT_EQ(r.Eval("format(\"100%% %\\ok\");"), "100% \r\nok");
  EXPECT_EQ(r.Eval("format(\"%.0|%\", 2.5, @Red);"), "2|@red");
  EXPECT_EQ(r.Eval("format(\"a%b%c\", 1);"), "a1bc");  // no argument left: nothing
  EXPECT_EQ(r.Eval("format(\"%-3\", \"x\"); format(\"%\", date(\"1.2.2003\"));"), "x  01.02.2003");
  EXPECT_EQ(r.Eval("format(\"%.1\", -0.04);"), "0.0");
  EXPECT_EQ(r.FailCode("format(1);"), 3);
}

TEST(BuiltinsTest, Numbers) {
  BuiltinRunner r;
  EXPECT_EQ(r.Eval("sqrt(16); \" \"; pow(2, 10); \" \"; ln(1); \" \"; log(1000); \" \"; exp(0); \" \"; sin(0); \" \"; "
                   "cos(0); \" \"; abs(-3); \" \"; abs(-2.5); \" \"; type(abs(-3));"),
            "4.0 1024.0 0.0 3.0 1.0 0.0 1.0 3 2.5 @integer");
  EXPECT_EQ(r.Eval("asin(1) * 2 == acos(-1); atan(1) * 4 == acos(-1); tan(0);"), "@true@true0.0");
  EXPECT_EQ(r.FailCode("sqrt(\"4\");"), 3);
  EXPECT_EQ(r.Eval("sqrt(-1); ln(0); asin(2);"), "@error@error@error");
  EXPECT_EQ(r.ErrorCode(), 4);
  EXPECT_EQ(r.Eval("min(3, 2.5, 7); \" \"; max(3, 2.5, 7); \" \"; min(2, 2.0); \" \"; max(\"a\", \"B\"); \" \"; min(5);"),
            "2.5 7 2 a 5");
  EXPECT_EQ(r.FailCode("a[1] = 1; min(1, a);"), 3);
  for (int i = 0; i < 50; ++i) {
    const std::string value = r.Eval("random(3);");
    EXPECT_TRUE(value == "1" || value == "2" || value == "3") << value;
  }
  EXPECT_EQ(r.FailCode("random(0);"), 4);
}

TEST(BuiltinsTest, ArraysChangeInPlace) {
  BuiltinRunner r;
  EXPECT_EQ(r.Eval("a[\"x\"] = 1; a[\"y\"] = 2; a[\"z\"] = 3; remove(a, \"Y\"); a[]; a[#2]; remove(a, 1); a[#1]; "
                   "remove(a, 9); remove(a, \"q\"); b = a; clear(a); a[]; b[];"),
            "@true2z@truez@false@false@true01");
  EXPECT_EQ(r.FailCode("s = \"x\"; clear(s);"), 3);
  EXPECT_EQ(r.FailCode("a[1] = 1; remove(a, 1.0);"), 3);
}

TEST(BuiltinsTest, DatesInPatternsAndLanguageFormats) {
  BuiltinRunner r;
  EXPECT_EQ(r.Eval("d = date(\"24.12.2023 18:05:09\"); datepart(d, \"yyyy\"); \" \"; type(datepart(d, \"mm\")); \" \"; "
                   "datepart(d, \"dd.mm.yy hh:nn:ss\"); \" \"; datepart(d, \"d/m/yyyy h:m\"); \" \"; "
                   "datepart(d, \"dddd, d. mmmm\"); \" \"; datepart(d, \"ddd mmm\"); \" \"; datepart(d, \"hh:mm am/pm\"); "
                   "\" \"; datepart(d, \"'yyyy' yyyymmdd\"); \" \"; datepart(d, \"c\");"),
            "2023 @integer 24.12.23 18:05:09 24.12.2023 18:5 Sonntag, 24. Dezember So Dez 06:05 pm yyyy 20231224 "
            "24.12.2023 18:05:09");
  // Digits beyond 32 bits stay a text.
  EXPECT_EQ(r.Eval("type(datepart(date(\"24.12.2023\"), \"yyyymmddhhnn\"));"), "@string");
  EXPECT_EQ(r.Eval("date(\"2023-12-24\") == date(\"24.12.2023\"); date(\"2023:12:24 10:00:00\") > date(\"24.12.2023\"); "
                   "date(\"10:30\") < 1; date(45000) == date(\"15.03.2023\");"),
            "@true@true@true@true");
  EXPECT_EQ(r.Eval("date(\"31.02.2023\"); date(\"gestern\"); date(a);"), "@error@error@error");
  EXPECT_EQ(r.ErrorCode(), 3);
  EXPECT_EQ(r.Eval("datepart(1, \"yyyy\");"), "@error");
  EXPECT_EQ(r.Eval("type(now()); now() > date(\"1.1.2024\");"), "@date@true");
}

TEST(BuiltinsTest, DateTextFollowsTheCurrentLanguage) {
  const double d = MakeDate(2024, 3, 5, 7, 8, 9);
  EXPECT_EQ(FormatDatePattern(d, "ddddd t"), "5.3.2024 07:08:09");
  lang::RLLanguage& english = lang::LanguageList().GetOrAdd("en");
  english.AddText("Global", "FormatDate", "yyyy-mm-dd");
  english.AddText("Global", "FormatTime", "hh:mm:ss");
  english.AddText("Global", "FormatDateTime", "yyyy-mm-dd hh:mm:ss");
  lang::SelectLanguage("en");
  EXPECT_EQ(FormatDatePattern(d, "c"), "2024-03-05 07:08:09");
  EXPECT_EQ(FormatDatePattern(d, "dddd d/mmmm"), "Tuesday 5-March");
  const auto parsed = ParseDateText("2024-03-05 07:08:09");
  ASSERT_TRUE(parsed.has_value());
  EXPECT_NEAR(*parsed, d, 1e-9);
  lang::SelectLanguage(std::string(lang::kBuiltinLanguageID));
}

}  // namespace
}  // namespace velmora::script
