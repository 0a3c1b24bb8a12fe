// The command-line tokenizer and parser.
#include "app/command_arguments.h"

#include <gtest/gtest.h>

#include <random>

namespace velmora::app {
namespace {

CommandArguments Parse(std::string_view text) {
  CommandArguments arguments;
  arguments.SetCommandLine(text);
  return arguments;
}

TEST(CommandArguments, QuotedProfileWithBlankBaseDirectoryAndLevelGiveThreeItems) {
  const auto arguments = Parse(R"(  /Profile="Mein Web"  /Basedir=D:\Bilder /Level=1  )");
  ASSERT_FALSE(arguments.Error());
  EXPECT_EQ(arguments.CommandLine(), R"(/Profile="Mein Web"  /Basedir=D:\Bilder /Level=1)");
  ASSERT_EQ(arguments.Count(), 3u);
  EXPECT_EQ(arguments.ItemKey(1), "Profile");
  EXPECT_EQ(arguments.ItemParameter("profile"), "Mein Web");
  EXPECT_EQ(arguments.ItemParameter("BASEDIR"), "D:\\Bilder");
  EXPECT_EQ(arguments.ItemParameter("Level"), "1");
  EXPECT_EQ(arguments.ItemParameter("Logfile"), std::nullopt);
  EXPECT_EQ(arguments.ItemKey(4), "");
}

TEST(CommandArguments, SameSwitchTwiceInOtherCaseKeepsTheSecondValue) {
  const auto arguments = Parse("/Level=1 /LEVEL=2");
  ASSERT_FALSE(arguments.Error());
  ASSERT_EQ(arguments.Count(), 1u);
  EXPECT_EQ(arguments.ItemKey(1), "LEVEL");
  EXPECT_EQ(arguments.ItemParameter("level"), "2");
}

TEST(CommandArguments, MalformedCommandLinesAreErrors) {
  for (const char* text : {"/Basedir", "/Basedir=", "value", "/Profile=Web extra", "/Profile=\"Mein Web",
                           "/Level=1 /", "=1", "/Level==1", "/Level=1 =", "/Basedir=/home/anna"}) {
    EXPECT_TRUE(Parse(text).Error()) << text;
  }
}

TEST(CommandArguments, SpacesAroundEqualsAndQuotesAnywhereInAValue) {
  const auto arguments = Parse(R"(/A = 1 /B=pre"fix with blank"post /C="" /D=x"" /E="a""b" /F="/home/anna/Mein Web")");
  ASSERT_FALSE(arguments.Error());
  EXPECT_EQ(arguments.ItemParameter("A"), "1");
  // Inside a bare word a quote is kept and opens a quoted part; the closing one is dropped.
  EXPECT_EQ(arguments.ItemParameter("B"), "pre\"fix with blankpost");
  EXPECT_EQ(arguments.ItemParameter("C"), "");
  EXPECT_EQ(arguments.ItemParameter("D"), "x\"");
  EXPECT_EQ(arguments.ItemParameter("E"), "a\"b");
  EXPECT_EQ(arguments.ItemParameter("F"), "/home/anna/Mein Web");
}

TEST(CommandArguments, EmptyLineHasNoItemsAndRemoveDropsOne) {
  EXPECT_FALSE(Parse("   ").Error());
  EXPECT_EQ(Parse("").Count(), 0u);
  auto arguments = Parse("/Logfile=\"\" /Profile=Web");
  arguments.Remove("LOGFILE");
  ASSERT_EQ(arguments.Count(), 1u);
  EXPECT_EQ(arguments.ItemKey(1), "Profile");
}

// Whatever bytes arrive, parsing ends and an accepted line gives items whose
// keys can be found again.
TEST(CommandArguments, RandomInputNeverCrashes) {
  std::mt19937 random(20261206);
  const std::string alphabet = "/=\" aZ09\\$\t\xE4";
  for (int round = 0; round < 20000; ++round) {
    std::string text(random() % 24, ' ');
    for (char& c : text) c = alphabet[random() % alphabet.size()];
    const auto arguments = Parse(text);
    for (std::size_t i = 1; i <= arguments.Count(); ++i) {
      ASSERT_TRUE(arguments.ItemParameter(arguments.ItemKey(i)).has_value()) << text;
    }
  }
}

}  // namespace
}  // namespace velmora::app
