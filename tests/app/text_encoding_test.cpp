#include "app/platform/text_encoding.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(TextEncoding, EveryCp1252ByteSurvivesTheRoundTrip) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  auto back = Utf8ToCp1252(Cp1252ToUtf8(all));
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(*back, all);
}

TEST(TextEncoding, UmlautsAndEuroMapToTheirCp1252Bytes) {
  EXPECT_EQ(Utf8ToCp1252("\xC3\xA4\xE2\x82\xAC").value(), "\xE4\x80");
  EXPECT_EQ(Cp1252ToUtf8("\xE4\x80"), "\xC3\xA4\xE2\x82\xAC");
}

TEST(TextEncoding, RejectsCharactersOutsideCp1252AndBrokenUtf8) {
  EXPECT_FALSE(Utf8ToCp1252("\xE6\x97\xA5").has_value());  // a CJK character
  EXPECT_FALSE(Utf8ToCp1252("\xC3").has_value());           // truncated sequence
  EXPECT_FALSE(Utf8ToCp1252("\xC0\xAF").has_value());       // overlong slash
  EXPECT_FALSE(IsValidUtf8("\xFF"));
}

}  // namespace
}  // namespace velmora
