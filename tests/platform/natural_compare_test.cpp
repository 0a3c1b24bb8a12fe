#include "platform/natural_compare.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(NaturalCompare, RunsDigitsAndLeadingZeros) {
  EXPECT_EQ(NaturalCompare("img9", "img10"), -1);
  EXPECT_EQ(NaturalCompare("007", "7"), 0);
  EXPECT_EQ(NaturalCompare("1a", "a1"), -1);  // a digit run sorts before letters at the same place
  EXPECT_EQ(NaturalCompare("abc", "ABC"), 0);
  EXPECT_EQ(NaturalCompare("", "x"), -1);
  EXPECT_EQ(NaturalCompare("x", ""), 1);
  EXPECT_EQ(NaturalCompare("a99999999999999999999999", "a100000000000000000000000"), -1);  // beyond 64 bits
}

}  // namespace
}  // namespace velmora
