#include "image/quality_search.h"

#include <algorithm>

namespace velmora::image {

QualitySearchResult QualitySearch(const std::function<std::vector<std::uint8_t>(int quality)>& encode,
                                  std::int64_t max_bytes, int lowest_quality) {
  lowest_quality = std::clamp(lowest_quality, 1, 100);
  int quality = 100;
  int step = 20;
  for (;;) {
    std::vector<std::uint8_t> file = encode(quality);
    if (static_cast<std::int64_t>(file.size()) < max_bytes) {
      if (quality == 100 || step == 5) return {quality, std::move(file)};
      // The coarse step above was too large: search below it in fives.
      quality = std::min(quality + 20, 100);
      step = 5;
      quality = std::max(quality - 5, lowest_quality);
    } else {
      if (quality == lowest_quality) return {quality, std::move(file)};
      quality = std::max(quality - step, lowest_quality);
    }
  }
}

}  // namespace velmora::image
