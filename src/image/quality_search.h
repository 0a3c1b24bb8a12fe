// Finding the JPEG quality for a file-size limit: coarse steps of 20 down
// from 100, then steps of 5 from the last coarse step that was too large.
// The lowest quality allowed is written even when it is still too large.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace velmora::image {

struct QualitySearchResult {
  int quality = 100;
  std::vector<std::uint8_t> file;
};

QualitySearchResult QualitySearch(const std::function<std::vector<std::uint8_t>(int quality)>& encode,
                                  std::int64_t max_bytes, int lowest_quality);

}  // namespace velmora::image
