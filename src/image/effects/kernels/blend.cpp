#include "image/effects/kernels/blend.h"

#include <array>
#include <cmath>
#include <cstdlib>

namespace velmora::image {

void MoveTowards(RgbBuffer& image, const RgbBuffer& filtered, double factor, int threshold, ChannelMask channels) {
  if (filtered.size() != image.size()) return;
  // The change depends only on the difference, so it is one table of 511 entries.
  std::array<int, 511> delta;
  for (int d = -255; d <= 255; ++d) {
    delta[d + 255] = std::abs(d) > threshold ? static_cast<int>(std::lround(factor * d)) : 0;
  }
  std::uint8_t* p = image.data();
  const std::uint8_t* f = filtered.data();
  const std::size_t n = image.size();
  const int* shift = delta.data() + 255;
  if (channels[0] && channels[1] && channels[2]) {
    for (std::size_t i = 0; i < n; ++i) {
      const int v = p[i] + shift[f[i] - p[i]];
      p[i] = static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
    }
    return;
  }
  for (std::size_t i = 0; i < n; i += 3) {
    for (int c = 0; c < 3; ++c) {
      if (!channels[c]) continue;
      const int v = p[i + c] + shift[f[i + c] - p[i + c]];
      p[i + c] = static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
    }
  }
}

}  // namespace velmora::image
