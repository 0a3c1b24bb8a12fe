#include "script/lexer.h"

#include <gtest/gtest.h>

#include <vector>

namespace velmora::script {
namespace {

std::vector<Token> Tokens(std::string_view source, LexMode mode = LexMode::kCode) {
  Lexer lexer(source, mode);
  std::vector<Token> tokens;
  for (;;) {
    Token t = lexer.Next();
    if (t.kind == tok::kEndOfInput) return tokens;
    tokens.push_back(std::move(t));
  }
}

std::vector<int> Kinds(std::string_view source, LexMode mode = LexMode::kCode) {
  std::vector<int> kinds;
  for (const Token& t : Tokens(source, mode)) kinds.push_back(t.kind);
  return kinds;
}

TEST(LexerTest, OperatorsTakeASecondCharacterOnlyWhereDefined) {
  EXPECT_EQ(Kinds("a==b"), (std::vector<int>{tok::kIdentifier, tok::kEqual, tok::kIdentifier}));
  EXPECT_EQ(Kinds("a = = b"), (std::vector<int>{tok::kIdentifier, tok::kAssign, tok::kAssign, tok::kIdentifier}));
  EXPECT_EQ(Kinds("<> += && || & | ! != ~ ^"),
            (std::vector<int>{tok::kLess, tok::kGreater, '+', tok::kAssign, tok::kAndAnd, tok::kOrOr, tok::kAnd,
                              tok::kOr, tok::kNot, tok::kNotEqual, tok::kTilde, tok::kXor}));
  EXPECT_EQ(Kinds("( ) * % # : ; ? [ ] $"), (std::vector<int>{40, 41, 42, 37, 35, 58, 59, 63, 91, 93, '$'}));
}

TEST(LexerTest, StringsKeepDoubledQuotesAndStopAtLineEnds) {
  const auto tokens = Tokens(R"("say ""hi""")");
  ASSERT_EQ(tokens.size(), 1u);
  EXPECT_EQ(tokens[0].kind, tok::kString);
  EXPECT_EQ(tokens[0].text, "say \"hi\"");
  EXPECT_EQ(Kinds("\"open\nx")[0], tok::kUnterminatedString);
  EXPECT_EQ(Kinds("\"open")[0], tok::kUnterminatedString);
}

TEST(LexerTest, NumbersHexAndDecimals) {
  auto t = Tokens("0x1F 0y1 1.5.2 .5 12ab 0XaBz");
  ASSERT_EQ(t.size(), 10u);
  EXPECT_EQ(t[0].kind, tok::kHex);
  EXPECT_EQ(t[0].text, "0x1F");
  EXPECT_EQ(t[1].kind, tok::kInteger);
  EXPECT_EQ(t[1].text, "0");
  EXPECT_EQ(t[2].kind, tok::kIdentifier);
  EXPECT_EQ(t[2].text, "y1");
  EXPECT_EQ(t[3].text, "1.5");
  EXPECT_EQ(t[4].kind, tok::kDecimal);
  EXPECT_EQ(t[4].text, ".2");
  EXPECT_EQ(t[5].kind, tok::kDecimal);
  EXPECT_EQ(t[6].text, "12");
  EXPECT_EQ(t[7].text, "ab");
  EXPECT_EQ(t[8].text, "0XaB");
}

TEST(LexerTest, SymbolsKeywordsAndLetters) {
  auto t = Tokens("@ x @Red While IF gr\xF6\xDF" "e");
  ASSERT_EQ(t.size(), 6u);
  EXPECT_EQ(t[0].kind, tok::kLoneAt);
  EXPECT_EQ(t[2].kind, tok::kSymbol);
  EXPECT_EQ(t[2].text, "@Red");
  EXPECT_EQ(t[3].kind, tok::kWhile);
  EXPECT_EQ(t[4].kind, tok::kIf);
  // Umlauts and sharp s of the code page are letters.
  EXPECT_EQ(t[5].kind, tok::kIdentifier);
  EXPECT_EQ(t[5].text, "gr\xF6\xDF" "e");
}

TEST(LexerTest, LineFeedsInCommentsAndStringsAreCountedOnce) {
  Lexer lexer("a // note\r\nb\n\"x\ny", LexMode::kCode);
  EXPECT_EQ(lexer.Next().text, "a");
  EXPECT_EQ(lexer.Next().text, "b");
  EXPECT_EQ(lexer.line(), 2);
  EXPECT_EQ(lexer.Next().kind, tok::kUnterminatedString);
  EXPECT_EQ(lexer.line(), 3);
  EXPECT_EQ(lexer.Next().text, "y");
  EXPECT_EQ(lexer.line(), 4);
}

TEST(LexerTest, CommentsAreReturnedOnlyForHighlighting) {
  EXPECT_EQ(Kinds("a // c\nb"), (std::vector<int>{tok::kIdentifier, tok::kIdentifier}));
  const auto t = Tokens("a // c\nb", LexMode::kCodeWithComments);
  ASSERT_EQ(t.size(), 3u);
  EXPECT_EQ(t[1].kind, tok::kComment);
  EXPECT_EQ(t[1].text, "// c\n");
  // A comment on a last line without a line break is dropped in code mode.
  EXPECT_EQ(Kinds("a // end"), (std::vector<int>{tok::kIdentifier}));
}

TEST(LexerTest, TemplateModeCutsTextAtBracesAndSwitchesBetweenTokens) {
  Lexer lexer("x{y}z", LexMode::kTemplate);
  Token t = lexer.Next();
  EXPECT_EQ(t.kind, tok::kTemplateText);
  EXPECT_EQ(t.text, "x");
  lexer.SetMode(LexMode::kCode);
  EXPECT_EQ(lexer.Next().kind, tok::kLeftBrace);
  EXPECT_EQ(lexer.Next().text, "y");
  EXPECT_EQ(lexer.Peek().kind, tok::kRightBrace);
  lexer.SetMode(LexMode::kTemplate);  // the buffered token keeps its kind
  EXPECT_EQ(lexer.Next().kind, tok::kRightBrace);
  t = lexer.Next();
  EXPECT_EQ(t.kind, tok::kTemplateText);
  EXPECT_EQ(t.text, "z");
  EXPECT_EQ(lexer.Next().kind, tok::kEndOfInput);

  EXPECT_EQ(Kinds("a ~< b", LexMode::kTemplate), (std::vector<int>{tok::kTemplateText}));
  EXPECT_EQ(Lexer("{x", LexMode::kTemplate).Peek().kind, tok::kEmpty);
}

TEST(LexerTest, CodeFourEndsTheInput) { EXPECT_EQ(Kinds("a\x04 b"), (std::vector<int>{tok::kIdentifier})); }

}  // namespace
}  // namespace velmora::script
