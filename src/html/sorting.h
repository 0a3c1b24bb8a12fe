// The order of directories in a run and of the images on a directory's pages.
// Both sorts are the same unstable Shell sort with a fixed gap sequence, so
// that equal keys land exactly where users of earlier versions saw them; the
// result is returned as a permutation for the caller to apply to its records.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

namespace velmora::html {

// Sort modes as the settings DIR_SORT and THUMB_SORTIERUNG hold them.
enum SortMode : int {
  kSortNone = 0,
  kSortName = 1,
  kSortDate = 2,
  kSortBytes = 3,
  kSortDimension = 4,
  kSortRandom = 5,
  kSortImageCount = 6,
  kSortNaturalName = 7,
};

// DIR_SORTDIRECTION / THUMB_SORTIERRICHTUNG.
enum SortDirection : int { kAscending = 0, kDescending = 1 };

struct DirectorySortKey {
  std::string_view name;
  std::int64_t last_write = 0;  // any monotonic time scale, the same for all records
  std::int64_t image_count = 0;
};

struct ImageSortKey {
  std::string_view name;
  std::int64_t date = 0;
  std::int64_t bytes = 0;
  int width = 0;
  int height = 0;
};

// Uniform values in [0, 1); the random mode draws from it.
using RandomSource = std::function<double()>;
// A generator seeded from the clock.
RandomSource ClockSeededRandom();

// The new order: result[i] is the index of the record that goes to place i.
std::vector<std::size_t> SortDirectories(std::span<const DirectorySortKey> keys, int mode, int direction,
                                         const RandomSource& random = ClockSeededRandom());
std::vector<std::size_t> SortImages(std::span<const ImageSortKey> keys, int mode, int direction,
                                    const RandomSource& random = ClockSeededRandom());

// Puts records into the order a sort returned.
template <class Record>
void ApplyOrder(std::vector<Record>& records, std::span<const std::size_t> order) {
  std::vector<Record> sorted;
  sorted.reserve(records.size());
  for (std::size_t index : order) sorted.push_back(std::move(records[index]));
  records = std::move(sorted);
}

}  // namespace velmora::html
