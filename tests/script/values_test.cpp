#include <gtest/gtest.h>

#include "script/operations.h"
#include "script/rls_array.h"
#include "script/value.h"
#include "script/value_text.h"

namespace velmora::script {
namespace {

TEST(ValuesTest, NaturalKeyOrder) {
  EXPECT_LT(NaturalCompare("img2", "img10"), 0);
  EXPECT_LT(NaturalCompare("a", "B"), 0);
  EXPECT_EQ(NaturalCompare("Abc", "aBC"), 0);
  EXPECT_LT(NaturalCompare("", "a"), 0);
  EXPECT_LT(NaturalCompare("1x", "x"), 0);  // digit runs sort before text runs
  EXPECT_EQ(NaturalCompare("007", "7"), 0);
  EXPECT_GT(NaturalCompare("a10b2", "a10b1"), 0);
}

TEST(ValuesTest, ArrayKeysAreCaseInsensitiveAndDistinctWhenOnlyNumericallyEqual) {
  Value v = Value::NewArray();
  ArrayRep& a = v.MutableArray();
  a.Set("X", Value::Integer(1));
  a.Set("x", Value::Integer(2));
  a.Set("07", Value::Integer(3));
  a.Set("7", Value::Integer(4));
  EXPECT_EQ(a.Count(), 3u);
  EXPECT_EQ(a.Find("x")->value.integer(), 2);
  EXPECT_EQ(a.Find("07")->value.integer(), 3);
  EXPECT_EQ(a.Find("7")->value.integer(), 4);
  EXPECT_TRUE(a.Remove("X"));
  EXPECT_FALSE(a.RemoveAt(5));
  EXPECT_EQ(a.Count(), 2u);
}

TEST(ValuesTest, CopiesShareUntilOneIsChanged) {
  Value a = Value::NewArray();
  a.MutableArray().Set("k", Value::String("one"));
  Value b = a;
  b.MutableArray().Set("k", Value::String("two"));
  EXPECT_EQ(a.array().Find("k")->value.text(), "one");
  EXPECT_EQ(b.array().Find("k")->value.text(), "two");

  Value s = Value::String("abc");
  Value t = s;
  t.Append("def");
  EXPECT_EQ(s.text(), "abc");
  EXPECT_EQ(t.text(), "abcdef");
  s.SetString("xy");
  EXPECT_EQ(s.text(), "xy");
}

TEST(ValuesTest, SelfAssignmentFromInsideTheOldValueIsSafe) {
  Value a = Value::NewArray();
  a.MutableArray().Set("k", Value::String("inner"));
  a = a.array().Find("k")->value;  // the source lives inside what is released
  EXPECT_EQ(a.text(), "inner");
}

TEST(ValuesTest, NumberAndDateTexts) {
  NumberBuffer b;
  EXPECT_EQ(FormatDouble(2.0, b), "2.0");
  EXPECT_EQ(FormatDouble(0.25, b), "0.25");
  EXPECT_EQ(FormatDouble(-0.0, b), "0.0");
  EXPECT_EQ(FormatDouble(1e20, b), "100000000000000000000.0");
  EXPECT_EQ(FormatInteger(-2147483647 - 1, b), "-2147483648");
  EXPECT_EQ(FormatDate(MakeDate(2024, 2, 29, 13, 5, 9)), "29.02.2024 13:05:09");
  EXPECT_EQ(FormatDate(MakeDate(1999, 12, 31)), "31.12.1999");
  EXPECT_EQ(FormatDate(0.5), "12:00:00");
}

TEST(ValuesTest, PromotionTableIsSymmetricAndHasNoEntryForArrays) {
  for (int a = 1; a <= 5; ++a) {
    for (int b = 1; b <= 5; ++b) {
      EXPECT_EQ(Promote(ValueType(a), ValueType(b)), Promote(ValueType(b), ValueType(a)));
    }
  }
  EXPECT_EQ(Promote(ValueType::kDate, ValueType::kSymbol), ValueType::kSymbol);
  EXPECT_EQ(Promote(ValueType::kArray, ValueType::kInteger), ValueType::kEmpty);
  RLSKonstanteArray constants;
  EXPECT_EQ(Binary(Opcode::kAdd, Value::NewArray(), Value::Integer(1), constants).symbol(), kSymError);
  EXPECT_EQ(Binary(Opcode::kEqual, Value(), Value(), constants).symbol(), kSymFalse);
  EXPECT_EQ(Binary(Opcode::kNotEqual, Value(), Value(), constants).symbol(), kSymFalse);
  const Value later = Binary(Opcode::kAdd, Value::Date(MakeDate(2024, 1, 31)), Value::Integer(1), constants);
  EXPECT_EQ(FormatDate(later.real()), "01.02.2024");
  EXPECT_EQ(Binary(Opcode::kMultiply, Value::Date(1), Value::Integer(2), constants).symbol(), kSymError);
}

TEST(ValuesTest, SymbolsAreRegisteredInOrder) {
  RLSKonstanteArray constants;
  EXPECT_EQ(constants.SymbolCount(), 60);
  EXPECT_EQ(constants.SymbolName(kSymInifile), "inifile");
  EXPECT_EQ(constants.SymbolName(61), "ERROR!!!");
  EXPECT_EQ(constants.AddSymbol("@True")->symbol(), kSymTrue);
  EXPECT_EQ(constants.AddSymbol("@Neu")->symbol(), 61);
}

}  // namespace
}  // namespace velmora::script
