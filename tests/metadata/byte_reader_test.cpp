// Bounds-checked reads: every read that would leave the buffer answers
// nothing, whatever the position, even near the top of the number range.
#include "metadata/byte_reader.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace velmora::metadata {
namespace {

TEST(ByteReaderTest, ReadsInBothOrdersAndRefusesToLeaveTheBuffer) {
  const std::vector<std::uint8_t> bytes = {0x12, 0x34, 0x56, 0x78, 0x9A};
  const ByteReader little(bytes, ByteOrder::kLittle);
  const ByteReader big(bytes, ByteOrder::kBig);
  EXPECT_EQ(little.U16(0), 0x3412);
  EXPECT_EQ(big.U16(0), 0x1234);
  EXPECT_EQ(little.U32(1), 0x9A785634u);
  EXPECT_EQ(big.U32(1), 0x3456789Au);
  EXPECT_EQ(big.U32(2), std::nullopt);
  EXPECT_EQ(big.U16(4), std::nullopt);
  EXPECT_EQ(big.U8(5), std::nullopt);
  constexpr std::uint64_t kTop = std::numeric_limits<std::uint64_t>::max();
  EXPECT_FALSE(big.Contains(kTop, 2));
  EXPECT_FALSE(big.Contains(1, kTop));
  EXPECT_EQ(big.Bytes(3, kTop - 1), std::nullopt);
  EXPECT_EQ(big.Bytes(5, 0)->size(), 0u);
  EXPECT_EQ(big.From(3).size(), 2u);
  EXPECT_TRUE(big.From(5).empty());
  EXPECT_TRUE(big.From(kTop).empty());
  EXPECT_TRUE(big.Matches(1, "\x34\x56"));
  EXPECT_FALSE(big.Matches(4, std::string_view("\x9A\x00", 2)));
}

TEST(ByteReaderTest, MmInAnyLetterCaseIsBigEndianAndAllElseLittle) {
  EXPECT_EQ(ByteOrderOf('M', 'M'), ByteOrder::kBig);
  EXPECT_EQ(ByteOrderOf('m', 'M'), ByteOrder::kBig);
  EXPECT_EQ(ByteOrderOf('m', 'm'), ByteOrder::kBig);
  EXPECT_EQ(ByteOrderOf('I', 'I'), ByteOrder::kLittle);
  EXPECT_EQ(ByteOrderOf('M', 'I'), ByteOrder::kLittle);
  EXPECT_EQ(ByteOrderOf(0, 0), ByteOrder::kLittle);
}

}  // namespace
}  // namespace velmora::metadata
