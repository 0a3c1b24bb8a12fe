#include "html/sorting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/natural_compare.h"

namespace velmora::html {
namespace {

std::vector<std::string> SortedImageNames(std::vector<std::string> names, int mode, int direction) {
  std::vector<ImageSortKey> keys;
  for (const auto& name : names) keys.push_back({.name = name});
  const auto order = SortImages(keys, mode, direction);
  std::vector<std::string> result;
  for (std::size_t index : order) result.push_back(names[index]);
  return result;
}

using Names = std::vector<std::string>;

TEST(ImageSort, ByNameIgnoresCaseAndDescendingReverses) {
  EXPECT_EQ(SortedImageNames({"b", "A", "c"}, kSortName, kAscending), (Names{"A", "b", "c"}));
  EXPECT_EQ(SortedImageNames({"b", "A", "c"}, kSortName, kDescending), (Names{"c", "b", "A"}));
  // Umlauts fold too: "Ä" sorts with "ä", after plain letters by code.
  EXPECT_EQ(SortedImageNames({"\xE4x", "\xC4" "a", "z"}, kSortName, kAscending), (Names{"z", "\xC4" "a", "\xE4x"}));
}

TEST(ImageSort, NaturalNamesOrderNumbersByValue) {
  EXPECT_EQ(SortedImageNames({"img10", "img9", "img1"}, kSortNaturalName, kAscending),
            (Names{"img1", "img9", "img10"}));
  EXPECT_EQ(SortedImageNames({"img10", "img9", "img1"}, kSortName, kAscending), (Names{"img1", "img10", "img9"}));
}

TEST(ImageSort, ModeNoneKeepsTheOrderEvenWhenDescending) {
  EXPECT_EQ(SortedImageNames({"b", "a", "c"}, kSortNone, kDescending), (Names{"b", "a", "c"}));
}

TEST(ImageSort, SingleRecordStaysInEveryMode) {
  for (int mode = 0; mode <= 7; ++mode) {
    EXPECT_EQ(SortedImageNames({"x"}, mode, kDescending), (Names{"x"})) << mode;
  }
}

TEST(ImageSort, ImageCountIsNoComparisonForImagesSoOnlyReversalApplies) {
  EXPECT_EQ(SortedImageNames({"b", "a", "c"}, kSortImageCount, kAscending), (Names{"b", "a", "c"}));
  EXPECT_EQ(SortedImageNames({"b", "a", "c"}, kSortImageCount, kDescending), (Names{"c", "a", "b"}));
}

TEST(ImageSort, BySizeDimensionAndDate) {
  std::vector<ImageSortKey> keys = {{.name = "a", .date = 30, .bytes = 5, .width = 10, .height = 900},
                                    {.name = "b", .date = 10, .bytes = 9, .width = 800, .height = 20},
                                    {.name = "c", .date = 20, .bytes = 1, .width = 50, .height = 50}};
  EXPECT_EQ(SortImages(keys, kSortBytes, kAscending), (std::vector<std::size_t>{2, 0, 1}));
  EXPECT_EQ(SortImages(keys, kSortDimension, kAscending), (std::vector<std::size_t>{2, 1, 0}));
  EXPECT_EQ(SortImages(keys, kSortDate, kDescending), (std::vector<std::size_t>{0, 2, 1}));
}

TEST(ImageSort, RandomModeIsAPermutationAndIgnoresDirection) {
  std::vector<ImageSortKey> keys(500);
  std::uint64_t state = 42;
  auto random = [&state] {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<double>(state >> 11) / 9007199254740992.0;
  };
  auto order = SortImages(keys, kSortRandom, kDescending, random);
  std::sort(order.begin(), order.end());
  for (std::size_t i = 0; i < order.size(); ++i) ASSERT_EQ(order[i], i);
}

TEST(ImageSort, LargeListsSortCorrectly) {
  std::vector<std::string> names;
  for (int i = 2000; i > 0; --i) names.push_back("p" + std::to_string(i * 7919 % 2003));
  auto sorted = SortedImageNames(names, kSortNaturalName, kAscending);
  EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end(),
                             [](const std::string& a, const std::string& b) { return NaturalCompare(a, b) < 0; }));
}

TEST(DirectorySort, ModesWithoutComparisonKeepOrderOrReverseExactly) {
  std::vector<DirectorySortKey> keys = {{"b", 1, 3}, {"a", 2, 1}, {"c", 3, 2}};
  for (int mode : {kSortBytes, kSortDimension, kSortNaturalName}) {
    EXPECT_EQ(SortDirectories(keys, mode, kAscending), (std::vector<std::size_t>{0, 1, 2}));
    EXPECT_EQ(SortDirectories(keys, mode, kDescending), (std::vector<std::size_t>{2, 1, 0}));
  }
  EXPECT_EQ(SortDirectories(keys, kSortImageCount, kAscending), (std::vector<std::size_t>{1, 2, 0}));
  EXPECT_EQ(SortDirectories(keys, kSortName, kAscending), (std::vector<std::size_t>{1, 0, 2}));
}

}  // namespace
}  // namespace velmora::html
