// Shell sort of directory and image records.
#include "html/sorting.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <memory>
#include <numeric>
#include <random>

#include "platform/cp1252_case.h"
#include "platform/natural_compare.h"

namespace velmora::html {
namespace {

// Places every record in a randomly drawn free slot; the direction does not apply.
std::vector<std::size_t> RandomOrder(std::size_t n, const RandomSource& random) {
  constexpr std::size_t kFree = static_cast<std::size_t>(-1);
  std::vector<std::size_t> slots(n, kFree);
  for (std::size_t record = 0; record < n; ++record) {
    std::size_t slot;
    do {
      slot = std::min(static_cast<std::size_t>(random() * static_cast<double>(n)), n - 1);
    } while (slots[slot] != kFree);
    slots[slot] = record;
  }
  return slots;
}

// The common frame: gap 2^k - 1 halved down to 1, exchange only when the
// earlier record is strictly greater, reverse at the end for descending order.
template <class Key, class Greater>
std::vector<std::size_t> ShellSort(std::span<const Key> keys, int mode, int direction, const RandomSource& random,
                                   Greater greater) {
  const std::size_t n = keys.size();
  std::vector<std::size_t> order(n);
  std::iota(order.begin(), order.end(), std::size_t{0});
  if (mode == kSortNone || n < 1) return order;
  if (mode == kSortRandom) return RandomOrder(n, random);

  for (std::size_t gap = std::bit_floor(n) - 1; gap > 0; gap /= 2) {
    for (std::size_t i = 0; i + gap < n; ++i) {
      for (std::size_t j = i + 1; j >= 1; j -= gap) {
        std::size_t& a = order[j - 1];
        std::size_t& b = order[j - 1 + gap];
        if (!greater(keys[a], keys[b])) break;
        std::swap(a, b);
        if (j <= gap) break;
      }
    }
  }
  if (direction == kDescending) std::reverse(order.begin(), order.end());
  return order;
}

}  // namespace

RandomSource ClockSeededRandom() {
  auto engine = std::make_shared<std::mt19937_64>(
      static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
  return [engine] { return std::uniform_real_distribution<double>(0.0, 1.0)(*engine); };
}

std::vector<std::size_t> SortDirectories(std::span<const DirectorySortKey> keys, int mode, int direction,
                                         const RandomSource& random) {
  return ShellSort(keys, mode, direction, random, [mode](const DirectorySortKey& a, const DirectorySortKey& b) {
    switch (mode) {
      case kSortName: return Cp1252CompareIgnoreCase(a.name, b.name) > 0;
      case kSortDate: return a.last_write > b.last_write;
      case kSortImageCount: return a.image_count > b.image_count;
      default: return false;
    }
  });
}

std::vector<std::size_t> SortImages(std::span<const ImageSortKey> keys, int mode, int direction,
                                    const RandomSource& random) {
  return ShellSort(keys, mode, direction, random, [mode](const ImageSortKey& a, const ImageSortKey& b) {
    switch (mode) {
      case kSortName: return Cp1252CompareIgnoreCase(a.name, b.name) > 0;
      case kSortDate: return a.date > b.date;
      case kSortBytes: return a.bytes > b.bytes;
      case kSortDimension: return std::max(a.width, a.height) > std::max(b.width, b.height);
      case kSortNaturalName: return NaturalCompare(a.name, b.name) == 1;
      default: return false;
    }
  });
}

}  // namespace velmora::html
