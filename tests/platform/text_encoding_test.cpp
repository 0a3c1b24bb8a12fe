#include "platform/text_encoding.h"
#include "platform/control_characters.h"

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

TEST(TextEncoding, CodePointsOfTheHighControlBlockAreTheirCharacters) {
  EXPECT_EQ(Cp1252ToCodePoints("a\xE4\x80\xA9\x9F"), U"a\u00E4\u20AC\u00A9\u0178");
  EXPECT_EQ(Cp1252ToCodePoints("\x81\x9D"), U"\u0081\u009D");
  EXPECT_EQ(Cp1252ToCodePoints(std::string_view("\0z", 2)), std::u32string(U"\0z", 2));
}

TEST(TextEncoding, RejectsCharactersOutsideCp1252AndBrokenUtf8) {
  EXPECT_FALSE(Utf8ToCp1252("\xE6\x97\xA5").has_value());  // a CJK character
  EXPECT_FALSE(Utf8ToCp1252("\xC3").has_value());           // truncated sequence
  EXPECT_FALSE(Utf8ToCp1252("\xC0\xAF").has_value());       // overlong slash
  EXPECT_FALSE(IsValidUtf8("\xFF"));
}

// Names that cannot be held are still shown recognisably in messages.
TEST(TextEncoding, DisplayFormKeepsWhatFitsAndSpellsOutTheRest) {
  EXPECT_EQ(Utf8ToCp1252ForDisplay("M\xC3\xBCnchen"), "M\xFCnchen");
  EXPECT_EQ(Utf8ToCp1252ForDisplay("/a/\xE6\x97\xA5x"), "/a/\\u{65E5}x");
  EXPECT_EQ(Utf8ToCp1252ForDisplay("b\xFF\xC3"), "b\\xFF\\xC3");
}

// Every message and log line passes here: nothing from a file name may
// break a line or reach the terminal as a command.
TEST(ControlCharacters, AreSpelledOutExceptTheLineBreaksOfAMessage) {
  EXPECT_EQ(EscapeControlCharacters("a\nb\x1B[31mc\rd\x7F\x9D\xE4"), "a\\x0Ab\\x1B[31mc\\x0Dd\\x7F\\x9D\xE4");
  EXPECT_EQ(EscapeControlCharacters("one\r\ntwo\n", true), "one\r\ntwo\\x0A");
  EXPECT_EQ(EscapeControlCharacters("one\r\ntwo"), "one\\x0D\\x0Atwo");
}

}  // namespace
}  // namespace velmora
