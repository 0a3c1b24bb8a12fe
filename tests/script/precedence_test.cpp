// Operator precedence and associativity, table-driven: for every pair of
// binary operators, in both orders, `a x b y c` must give what the grouping
// of the precedence table gives, on operands where the two groupings differ.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "script_runner.h"

namespace velmora::script {
namespace {

using test::ScriptRunner;

struct BinaryOperator {
  const char* text;
  int level;  // higher binds tighter
};

// From the loosest to the tightest; all of them group from the left.
constexpr BinaryOperator kOperators[] = {
    {"||", 1}, {"&&", 2}, {"|", 3},  {"^", 4},  {"&", 5}, {"==", 6}, {"!=", 6}, {"<=", 7},
    {"<", 7},  {">=", 7}, {">", 7},  {"+", 8},  {"-", 8}, {"/", 9},  {"*", 9},  {"%", 9},
};

constexpr const char* kOperands[] = {"0", "1", "2", "3", "7", "@TRUE"};

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> pieces(1);
  for (char c : text) {
    if (c == separator) {
      pieces.emplace_back();
    } else {
      pieces.back() += c;
    }
  }
  return pieces;
}

TEST(PrecedenceTest, EveryPairOfBinaryOperatorsGroupsAsTheTableSays) {
  ScriptRunner r;
  for (const BinaryOperator& x : kOperators) {
    for (const BinaryOperator& y : kOperators) {
      // One function per pair: each operand triple prints the plain
      // expression, then both groupings.
      std::string body;
      for (const char* a : kOperands) {
        for (const char* b : kOperands) {
          for (const char* c : kOperands) {
            const std::string sa = a, sb = b, sc = c, ox = x.text, oy = y.text;
            body += sa + " " + ox + " " + sb + " " + oy + " " + sc + "; \"|\"; ";
            body += "(" + sa + " " + ox + " " + sb + ") " + oy + " " + sc + "; \"|\"; ";
            body += sa + " " + ox + " (" + sb + " " + oy + " " + sc + "); \";\"; ";
          }
        }
      }
      const std::string output = r.RunBody(body);
      ASSERT_TRUE(r.last_compile.ok()) << x.text << " " << y.text;
      const bool left_first = x.level >= y.level;
      int deciding = 0;
      const std::vector<std::string> triples = Split(output, ';');
      for (std::size_t i = 0; i + 1 < triples.size(); ++i) {
        const std::vector<std::string> values = Split(triples[i], '|');
        ASSERT_EQ(values.size(), 3u) << triples[i];
        if (values[1] == values[2]) continue;
        ++deciding;
        EXPECT_EQ(values[0], left_first ? values[1] : values[2])
            << "a " << x.text << " b " << y.text << " c, operand triple " << i;
      }
      // Only operators of one level that commute with each other give no deciding triple.
      if (deciding == 0) {
        EXPECT_EQ(x.level, y.level) << x.text << " " << y.text << " was never decided";
      }
    }
  }
}

// Equality below comparison, the grouping a reader most easily gets wrong.
TEST(PrecedenceTest, EqualityBindsLooserThanComparison) {
  ScriptRunner r;
  EXPECT_EQ(r.RunBody("@TRUE == 1 < 2; \" \"; 1 < 2 == @TRUE; \" \"; @TRUE != 2 < 1;"), "@true @true @true");
}

}  // namespace
}  // namespace velmora::script
