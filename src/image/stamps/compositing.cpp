// Blending for stamps and borders.
#include "image/stamps/compositing.h"

#include <algorithm>
#include <cstring>

#include "image/resize/resample_filter.h"
#include "image/resize/resize_image.h"

namespace velmora::image {
namespace {

struct Span {
  int begin = 0, end = 0;  // clipped, end excluded
  bool empty() const { return begin >= end; }
};

Span Clip(std::int64_t begin, std::int64_t end, int size) {
  return {static_cast<int>(std::clamp<std::int64_t>(begin, 0, size)),
          static_cast<int>(std::clamp<std::int64_t>(end, 0, size))};
}

// t / 255 rounded, for t up to 255 * 255, without a division.
inline unsigned Div255(unsigned t) {
  t += 128u;
  return (t + (t >> 8)) >> 8;
}

}  // namespace

PixelRect ClipToImage(const RgbBuffer& image, const PixelRect& rect) {
  const Span xs = Clip(rect.left, rect.right, image.width());
  const Span ys = Clip(rect.top, rect.bottom, image.height());
  if (xs.empty() || ys.empty()) return {};
  return {xs.begin, ys.begin, xs.end, ys.end};
}

int OpacityWeight(std::int64_t percent) {
  return static_cast<int>((std::clamp<std::int64_t>(percent, 0, 100) * 255 + 50) / 100);
}

void BlendRect(RgbBuffer& image, const PixelRect& rect, Rgb colour, int weight) {
  const Span xs = Clip(rect.left, rect.right, image.width());
  const Span ys = Clip(rect.top, rect.bottom, image.height());
  if (xs.empty() || ys.empty() || weight <= 0) return;
  const auto w = static_cast<unsigned>(std::min(weight, 255));
  // The colour's share is the same for every pixel.
  const unsigned share[3] = {colour.r * w + 127u, colour.g * w + 127u, colour.b * w + 127u};
  const unsigned keep = 255u - w;
  for (int y = ys.begin; y < ys.end; ++y) {
    std::uint8_t* p = image.pixel(xs.begin, y);
    const std::size_t n = static_cast<std::size_t>(xs.end - xs.begin) * 3;
    for (std::size_t i = 0; i < n; i += 3) {
      p[i] = static_cast<std::uint8_t>((share[0] + p[i] * keep) / 255u);
      p[i + 1] = static_cast<std::uint8_t>((share[1] + p[i + 1] * keep) / 255u);
      p[i + 2] = static_cast<std::uint8_t>((share[2] + p[i + 2] * keep) / 255u);
    }
  }
}

CoverageLayer MakeCoverageLayer(RgbBuffer colour, const std::vector<std::uint8_t>& coverage, int weight) {
  CoverageLayer layer;
  const auto w = static_cast<unsigned>(std::clamp(weight, 0, 255));
  const std::size_t count = colour.size() / 3;
  layer.colour = std::move(colour);
  if (coverage.size() != count && w == 255) return layer;  // covering everywhere
  layer.coverage = RgbBuffer::Uninitialized(layer.colour.width(), layer.colour.height());
  std::uint8_t* c = layer.colour.data();
  std::uint8_t* cover = layer.coverage.data();
  for (std::size_t i = 0; i < count; ++i, c += 3, cover += 3) {
    const unsigned own = coverage.size() == count ? coverage[i] : 255u;
    const unsigned a = (own * w + 127u) / 255u;
    cover[0] = cover[1] = cover[2] = static_cast<std::uint8_t>(a);
    for (int k = 0; k < 3; ++k) c[k] = static_cast<std::uint8_t>((c[k] * a + 127u) / 255u);
  }
  return layer;
}

void LayOver(RgbBuffer& image, const CoverageLayer& layer, std::int64_t x, std::int64_t y) {
  if (layer.empty()) return;
  const Span xs = Clip(x, x + layer.colour.width(), image.width());
  const Span ys = Clip(y, y + layer.colour.height(), image.height());
  if (xs.empty() || ys.empty()) return;
  const int from_x = static_cast<int>(xs.begin - x);
  const std::size_t n = static_cast<std::size_t>(xs.end - xs.begin) * 3;
  for (int row = ys.begin; row < ys.end; ++row) {
    const int from_y = static_cast<int>(row - y);
    const std::uint8_t* __restrict src = layer.colour.pixel(from_x, from_y);
    std::uint8_t* __restrict dst = image.pixel(xs.begin, row);
    if (layer.coverage.empty()) {
      std::memcpy(dst, src, n);
      continue;
    }
    // out = colour + background * (1 - coverage), the colour already
    // multiplied by its coverage: exact for a covering byte, the background
    // for a missing one. Byte by byte, so that the compiler vectorises it.
    const std::uint8_t* __restrict cover = layer.coverage.pixel(from_x, from_y);
    for (std::size_t i = 0; i < n; ++i) {
      const unsigned kept = Div255(dst[i] * (255u - cover[i]));
      dst[i] = static_cast<std::uint8_t>(std::min(src[i] + kept, 255u));
    }
  }
}

CoverageLayer ResizeLayer(const CoverageLayer& layer, int width, int height) {
  CoverageLayer out;
  out.colour = ResizeImage(layer.colour, width, height, kDefaultFilterCode);
  if (layer.coverage.empty()) return out;
  out.coverage = ResizeImage(layer.coverage, width, height, kDefaultFilterCode);
  // A filter that overshoots may leave a colour above its coverage.
  std::uint8_t* c = out.colour.data();
  const std::uint8_t* a = out.coverage.data();
  for (std::size_t i = 0; i < out.colour.size(); ++i) c[i] = std::min(c[i], a[i]);
  return out;
}

}  // namespace velmora::image
