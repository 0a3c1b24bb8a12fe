#include "reference/reference_pages.h"

#include <gtest/gtest.h>

namespace velmora::reference {
namespace {

DocTexts Texts(std::string_view text, const std::vector<std::string_view>& fields) {
  std::string error;
  auto texts = DocTexts::Parse(text, fields, error);
  EXPECT_TRUE(texts) << error;
  return texts.value_or(DocTexts{});
}

bool Has(const std::vector<std::string>& problems, std::string_view text) {
  for (const std::string& problem : problems) {
    if (problem.find(text) != std::string::npos) return true;
  }
  return false;
}

// The pages cannot drift from the program: a setting without a text, a
// text without a setting and a text without its fields are all problems.
TEST(ReferencePages, SettingsWithoutTextAndTextsWithoutSettingAreProblems) {
  const std::vector<SettingRow> rows = {{37, "THUMB_SIZE", "120"}, {38, "THUMB_WIDTH", "120"}, {2, "KOMMENTAR", ""}};
  const DocTexts texts = Texts(
      "THUMB_SIZE\n  page: OptionsThumbnails\n  values: 20 to 30000\n  The size.\n"
      "KOMMENTAR\n  page: OptionsProfile\n  The comment.\n"
      "THUMB_GONE\n  page: OptionsThumbnails\n  values: 0 or 1\n  Removed long ago.\n",
      SettingFields());
  const ReferencePage page =
      SettingsPage(rows, texts, {{"OptionsProfile", "Profile"}, {"OptionsThumbnails", "Thumbnails"}});
  EXPECT_EQ(page.problems.size(), 3u);
  EXPECT_TRUE(Has(page.problems, "setting THUMB_WIDTH has no explanation"));
  EXPECT_TRUE(Has(page.problems, "setting KOMMENTAR: no \"values:\" line"));
  EXPECT_TRUE(Has(page.problems, "line 8: setting THUMB_GONE does not exist in the program"));
  // Pages in the dialog's order, each setting with its default.
  EXPECT_LT(page.markdown.find("## Profile"), page.markdown.find("## Thumbnails"));
  EXPECT_NE(page.markdown.find("### `THUMB_SIZE` {#thumb_size}\n\nDefault: `120`  \nValues: 20 to 30000\n\nThe size."),
            std::string::npos)
      << page.markdown;
  EXPECT_NE(page.markdown.find("Default: (empty)"), std::string::npos);
}

TEST(ReferencePages, ASettingOnAPageTheDialogDoesNotHaveIsAProblem) {
  const DocTexts texts = Texts("X\n  page: OptionsNowhere\n  values: any\n  Text.\n", SettingFields());
  const ReferencePage page = SettingsPage({{1, "X", ""}}, texts, {{"OptionsProfile", "Profile"}});
  ASSERT_EQ(page.problems.size(), 1u);
  EXPECT_EQ(page.problems[0], "option page OptionsNowhere (of X) is not a page of the dialog");
}

TEST(ReferencePages, BuiltinsAreListedByNameWithCallResultAndErrors) {
  const DocTexts texts = Texts(
      "len\n  call: len(text)\n  result: INTEGER\n  errors: none\n  The length.\n"
      "abs\n  call: abs(x)\n  result: a number\n  The value.\n",
      BuiltinFields());
  const ReferencePage page = BuiltinsPage({"len", "abs", "mid"}, texts);
  EXPECT_TRUE(Has(page.problems, "built-in mid has no explanation"));
  EXPECT_TRUE(Has(page.problems, "built-in abs: no \"errors:\" line"));
  EXPECT_EQ(page.problems.size(), 2u);
  EXPECT_LT(page.markdown.find("`abs`"), page.markdown.find("`len`"));
  EXPECT_NE(page.markdown.find("    len(text)\n\nThe length.\n\nResult: INTEGER  \nErrors: none"), std::string::npos);
}

TEST(ReferencePages, ContextVariablesAndMessagesComeAsTableRows) {
  const DocTexts texts = Texts("file\n  type: STRING\n  set: per photo\n  The <name> | a_b.\n",
                               ContextVariableFields());
  const ReferencePage variables = ContextVariablesPage({"file", "dimx"}, texts);
  EXPECT_EQ(variables.problems, std::vector<std::string>{"context variable dimx has no explanation"});
  EXPECT_NE(variables.markdown.find("| <code>file</code> | STRING | per photo | The &lt;name&gt; &#124; a&#95;b. |"),
            std::string::npos)
      << variables.markdown;

  const ReferencePage messages =
      MessagesPage({{"Msg", "ErrA", "Fehler %1", "Error %1"}, {"Msg", "ErrB", "Nur deutsch", ""}});
  EXPECT_EQ(messages.problems, std::vector<std::string>{"message Msg/ErrB has no English text"});
  EXPECT_NE(messages.markdown.find("| ErrA | Fehler %1 | Error %1 |"), std::string::npos);
}

TEST(ReferencePages, TemplateSnippetsCarryLabelAndDefaultPerPageKind) {
  const DocTexts texts = Texts("HTML_TITLE\n  page: P\n  values: text\n  The title.\n", SettingFields());
  const ReferencePage page = TemplateKeysPage(
      {{"thumbnail", "HTML_TITLE", "Document title", "Velmora - Thumbnails"}, {"image", "HTML_PIC_PIC", "", "<img>"}},
      texts);
  EXPECT_EQ(page.problems, std::vector<std::string>{"template snippet HTML_PIC_PIC has no English label"});
  EXPECT_NE(page.markdown.find("## The thumbnail page"), std::string::npos);
  EXPECT_NE(page.markdown.find("*Document title*: The title.\n\nDefault: `Velmora - Thumbnails`"), std::string::npos);
}

// One text "PREFIX_*" explains a family of numbered keys; a family text
// that no key uses any more is as stale as a plain one.
TEST(ReferencePages, CloneListKeysMayShareOneTextByPrefix) {
  const DocTexts texts = Texts(
      "IMAGE_EFFECT_TYPE\n  values: a code\n  The effect.\n"
      "IMAGE_EFFECT_LONGVALUE_*\n  values: whole numbers\n  Integer parameters.\n"
      "IMAGE_EFFECT_GONE_*\n  values: any\n  Removed.\n",
      CloneKeyFields());
  const ReferencePage page = CloneListPage({{"Image effect", "IMAGE_EFFECT_TYPE", "0"},
                                            {"Image effect", "IMAGE_EFFECT_LONGVALUE_01", "50"},
                                            {"Image effect", "IMAGE_EFFECT_LONGVALUE_10", "0"},
                                            {"Image effect", "IMAGE_EFFECT_DOUBLEVALUE_01", "0.5"}},
                                           texts, {{0, "Sharpen", "L1=50, L2=7"}, {2, "Brightness", ""}});
  EXPECT_EQ(page.problems.size(), 2u);
  EXPECT_TRUE(Has(page.problems, "clone list key IMAGE_EFFECT_DOUBLEVALUE_01 has no explanation"));
  EXPECT_TRUE(Has(page.problems, "clone list key IMAGE_EFFECT_GONE_* does not exist in the program"));
  EXPECT_NE(page.markdown.find("| <code>IMAGE_EFFECT_LONGVALUE_10</code> | <code>0</code> | whole numbers | Integer "
                               "parameters. |"),
            std::string::npos)
      << page.markdown;
  EXPECT_NE(page.markdown.find("| 0 | Sharpen | L1=50, L2=7 |\n| 2 | Brightness | none |"), std::string::npos);
}

// A default is shown exactly: line breaks and long snippets as a block,
// backticks inside a code span fenced by a longer run.
TEST(ReferencePages, ValuesAreShownAsCodeThatMarkdownCannotBreak) {
  EXPECT_EQ(MarkdownCode("", false), "(empty)");
  EXPECT_EQ(MarkdownCode("a`b", false), "``a`b``");
  EXPECT_EQ(MarkdownCode("`x", false), "`` `x ``");
  EXPECT_EQ(MarkdownCode("<tr>\r\n", false), "\n```html\n<tr>\n\n```\n");
  EXPECT_EQ(MarkdownCode("a|b<c>", true), "<code>a&#124;b&lt;c&gt;</code>");
  EXPECT_EQ(MarkdownText("*x* [y](z) \\n"), "&#42;x&#42; &#91;y&#93;(z) &#92;n");
}

}  // namespace
}  // namespace velmora::reference
