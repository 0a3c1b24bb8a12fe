#include "image/stamps/option_value_checks.h"

#include <gtest/gtest.h>

namespace velmora::image {
namespace {

std::string KeyOf(const std::optional<OptionValueFailure>& failure) {
  return failure ? std::string(failure->key.name()) : std::string("accepted");
}

TEST(OptionValueChecksTest, BordersAndStampsTakeTheirRangesInclusive) {
  EXPECT_EQ(KeyOf(CheckOptionValue("1", kBorderWidthRange)), "accepted");
  EXPECT_EQ(KeyOf(CheckOptionValue("9999", kBorderWidthRange)), "accepted");
  EXPECT_EQ(KeyOf(CheckOptionValue("0", kBorderWidthRange)), "ErrBorderWidth");
  EXPECT_EQ(KeyOf(CheckOptionValue("10000", kBorderWidthRange)), "ErrBorderWidth");
  EXPECT_EQ(KeyOf(CheckOptionValue("0", kBorderOffsetRange)), "accepted");
  EXPECT_EQ(KeyOf(CheckOptionValue("-1", kBorderOffsetRange)), "ErrBorderOffset");
  EXPECT_EQ(KeyOf(CheckOptionValue("-9999", kStampOffsetRange)), "accepted");
  EXPECT_EQ(KeyOf(CheckOptionValue("9999", kStampOffsetRange)), "accepted");
  EXPECT_EQ(KeyOf(CheckOptionValue("-10000", kStampOffsetRange)), "ErrStampOffset");
}

TEST(OptionValueChecksTest, TheMessageNamesLowestAndHighest) {
  const auto failure = CheckOptionValue("-10000", kStampOffsetRange);
  ASSERT_TRUE(failure);
  ASSERT_EQ(failure->parameters.size(), 2u);
  EXPECT_EQ(failure->parameters[0].bytes(), "-9999");
  EXPECT_EQ(failure->parameters[1].bytes(), "9999");
}

TEST(OptionValueChecksTest, WhatIsNoWholeNumberIsRefused) {
  for (const char* text : {"", " ", "abc", "12a", "1.5", "-", "+", "+-5", "--5", "99999999999999999999999", "1 2"}) {
    EXPECT_EQ(KeyOf(CheckOptionValue(text, kStampOffsetRange)), "ErrStampOffset") << '"' << text << '"';
  }
  EXPECT_EQ(KeyOf(CheckOptionValue("  42 ", kStampOffsetRange)), "accepted");
  EXPECT_EQ(KeyOf(CheckOptionValue("+42", kStampOffsetRange)), "accepted");
}

TEST(OptionValueChecksTest, ItemChecksNameTheFirstRefusedField) {
  CBorder border;
  EXPECT_FALSE(CheckBorderValues(border));
  border.SetOffsetBottom(10000);
  EXPECT_EQ(KeyOf(CheckBorderValues(border)), "ErrBorderOffset");
  border.SetWidth(0);
  EXPECT_EQ(KeyOf(CheckBorderValues(border)), "ErrBorderWidth");
  for (const auto setter : {&CBorder::SetOffsetLeft, &CBorder::SetOffsetRight, &CBorder::SetOffsetTop}) {
    CBorder one;
    (one.*setter)(-1);
    EXPECT_EQ(KeyOf(CheckBorderValues(one)), "ErrBorderOffset");
  }

  CImageStamp stamp;
  EXPECT_FALSE(CheckImageStampValues(stamp));
  stamp.SetOffsetY(-10000);
  EXPECT_EQ(KeyOf(CheckImageStampValues(stamp)), "ErrStampOffset");
  stamp.SetOffsetY(0);
  stamp.SetOffsetX(10000);
  EXPECT_EQ(KeyOf(CheckImageStampValues(stamp)), "ErrStampOffset");
}

}  // namespace
}  // namespace velmora::image
