// Blending stamps onto an image.
#include "image/stamps/stamp_blend.h"

#include <algorithm>
#include <cstdint>

namespace velmora::image {
namespace {

// sample + (target - sample) * weight / 25500, rounded; weight 25500 is
// full coverage at full opacity.
std::uint8_t Mix(std::uint8_t sample, std::uint8_t target, int weight) {
  const int difference = (target - sample) * weight;
  const int step = difference >= 0 ? (difference + 12750) / 25500 : -((-difference + 12750) / 25500);
  return static_cast<std::uint8_t>(sample + step);
}

void MixPixel(std::uint8_t* pixel, Rgb colour, int weight) {
  pixel[0] = Mix(pixel[0], colour.r, weight);
  pixel[1] = Mix(pixel[1], colour.g, weight);
  pixel[2] = Mix(pixel[2], colour.b, weight);
}

}  // namespace

PixelRegion ClipToImage(const RgbBuffer& image, PixelRegion region) {
  const std::int64_t left = std::max<std::int64_t>(region.x, 0);
  const std::int64_t top = std::max<std::int64_t>(region.y, 0);
  const std::int64_t right = std::min<std::int64_t>(std::int64_t{region.x} + region.width, image.width());
  const std::int64_t bottom = std::min<std::int64_t>(std::int64_t{region.y} + region.height, image.height());
  if (image.empty() || right <= left || bottom <= top) return {};
  return {static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
          static_cast<int>(bottom - top)};
}

void BlendRegion(RgbBuffer& image, PixelRegion region, Rgb colour, int percent) {
  const PixelRegion clipped = ClipToImage(image, region);
  const int weight = 255 * std::clamp(percent, 0, 100);
  if (clipped.empty() || weight == 0) return;
  for (int y = clipped.y; y < clipped.y + clipped.height; ++y) {
    std::uint8_t* pixel = image.pixel(clipped.x, y);
    for (int x = 0; x < clipped.width; ++x, pixel += 3) MixPixel(pixel, colour, weight);
  }
}

void BlendMask(RgbBuffer& image, const CoverageMask& mask, Rgb colour, int percent) {
  const PixelRegion clipped = ClipToImage(image, mask.region);
  const int opacity = std::clamp(percent, 0, 100);
  if (clipped.empty() || opacity == 0) return;
  for (int y = clipped.y; y < clipped.y + clipped.height; ++y) {
    std::uint8_t* pixel = image.pixel(clipped.x, y);
    for (int x = clipped.x; x < clipped.x + clipped.width; ++x, pixel += 3) {
      const std::uint8_t coverage = mask.at(x, y);
      if (coverage != 0) MixPixel(pixel, colour, coverage * opacity);
    }
  }
}

void OutlineRegion(RgbBuffer& image, PixelRegion region, Rgb colour) {
  if (region.empty()) return;
  const int right = region.x + region.width - 1;
  const int bottom = region.y + region.height - 1;
  BlendRegion(image, {region.x, region.y, region.width, 1}, colour, 100);
  BlendRegion(image, {region.x, bottom, region.width, 1}, colour, 100);
  BlendRegion(image, {region.x, region.y, 1, region.height}, colour, 100);
  BlendRegion(image, {right, region.y, 1, region.height}, colour, 100);
}

}  // namespace velmora::image
