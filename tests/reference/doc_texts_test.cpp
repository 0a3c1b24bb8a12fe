#include "reference/doc_texts.h"

#include <gtest/gtest.h>

namespace velmora::reference {
namespace {

const std::vector<std::string_view> kFields = {"type", "set"};

TEST(DocTexts, EntriesHoldFieldsAndTheirDescription) {
  std::string error;
  const auto texts = DocTexts::Parse(
      "# comment\r\n"
      "file\r\n"
      "  type: STRING\r\n"
      "  set: per photo\r\n"
      "  The name of the picture,\r\n"
      "  without extension.\r\n"
      "\r\n"
      "dimx\n"
      "\ttype: INTEGER\n"
      "  Width: in pixels.\n",
      kFields, error);
  ASSERT_TRUE(texts) << error;
  ASSERT_EQ(texts->entries().size(), 2u);
  const DocEntry* file = texts->Find("file");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(file->Field("type"), "STRING");
  EXPECT_EQ(file->Field("set"), "per photo");
  EXPECT_EQ(file->text, "The name of the picture, without extension.");
  EXPECT_EQ(file->line, 2);
  // "Width: in pixels." is no field: only the known names are.
  EXPECT_EQ(texts->Find("dimx")->text, "Width: in pixels.");
  EXPECT_EQ(texts->Find("dimx")->Field("set"), "");
  EXPECT_EQ(texts->Find("missing"), nullptr);
}

// Once the description has begun, a line that looks like a field is text.
TEST(DocTexts, FieldsComeBeforeTheDescription) {
  std::string error;
  const auto texts = DocTexts::Parse("x\n  Text first.\n  type: STRING\n", kFields, error);
  ASSERT_TRUE(texts) << error;
  EXPECT_EQ(texts->Find("x")->Field("type"), "");
  EXPECT_EQ(texts->Find("x")->text, "Text first. type: STRING");
}

TEST(DocTexts, MistakesInTheFileAreRefusedWithTheirLine) {
  std::string error;
  EXPECT_FALSE(DocTexts::Parse("x\n  Text.\nx\n  Again.\n", kFields, error));
  EXPECT_EQ(error, "line 3: x is explained twice");
  EXPECT_FALSE(DocTexts::Parse("\n  orphan text\nx\n  Text.\n", kFields, error));
  EXPECT_EQ(error, "line 2: text before the first name");
  EXPECT_FALSE(DocTexts::Parse("x\ny\n  Text.\n", kFields, error));
  EXPECT_EQ(error, "line 1: x has no text");
  EXPECT_FALSE(DocTexts::Parse("y\n  Text.\nx\n", kFields, error));
  EXPECT_EQ(error, "line 3: x has no text");
  EXPECT_FALSE(DocTexts::Parse("two words\n  Text.\n", kFields, error));
  EXPECT_EQ(error, "line 1: a name holds no blanks: two words");
}

}  // namespace
}  // namespace velmora::reference
