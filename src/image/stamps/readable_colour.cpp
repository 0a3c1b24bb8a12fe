// The readable-colour rule.
#include "image/stamps/readable_colour.h"

#include <cstdint>

#include "image/stamps/stamp_blend.h"

namespace velmora::image {

Rgb RegionAverage(const RgbBuffer& image, PixelRegion region) {
  const PixelRegion clipped = ClipToImage(image, region);
  if (clipped.empty()) return {255, 255, 255};
  std::uint64_t sum[3] = {0, 0, 0};
  for (int y = clipped.y; y < clipped.y + clipped.height; ++y) {
    const std::uint8_t* pixel = image.pixel(clipped.x, y);
    for (int x = 0; x < clipped.width; ++x, pixel += 3) {
      sum[0] += pixel[0];
      sum[1] += pixel[1];
      sum[2] += pixel[2];
    }
  }
  const std::uint64_t count = static_cast<std::uint64_t>(clipped.width) * static_cast<std::uint64_t>(clipped.height);
  auto mean = [count](std::uint64_t total) { return static_cast<std::uint8_t>((total + count / 2) / count); };
  return {mean(sum[0]), mean(sum[1]), mean(sum[2])};
}

Rgb ReadableColour(const RgbBuffer& image, PixelRegion region) {
  constexpr std::int32_t kMidGrey = 127 * 65536 + 127 * 256 + 127;  // 8355711
  return ColourValue(RegionAverage(image, region)) > kMidGrey ? Rgb{0, 0, 0} : Rgb{255, 255, 255};
}

}  // namespace velmora::image
