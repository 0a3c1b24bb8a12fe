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

// (a * w + b * (255 - w)) / 255, rounded.
inline std::uint8_t Mix(unsigned a, unsigned b, unsigned w) {
  return static_cast<std::uint8_t>((a * w + b * (255u - w) + 127u) / 255u);
}

}  // namespace

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

void LayOver(RgbBuffer& image, const CoverageLayer& layer, std::int64_t x, std::int64_t y, int weight) {
  if (layer.empty() || weight <= 0) return;
  const Span xs = Clip(x, x + layer.colour.width(), image.width());
  const Span ys = Clip(y, y + layer.colour.height(), image.height());
  if (xs.empty() || ys.empty()) return;
  const auto w = static_cast<unsigned>(std::min(weight, 255));
  const int from_x = static_cast<int>(xs.begin - x);
  const std::size_t n = static_cast<std::size_t>(xs.end - xs.begin);
  const bool covering = layer.coverage.empty();
  for (int row = ys.begin; row < ys.end; ++row) {
    const int from_y = static_cast<int>(row - y);
    const std::uint8_t* src = layer.colour.pixel(from_x, from_y);
    std::uint8_t* dst = image.pixel(xs.begin, row);
    if (covering && w == 255) {
      std::memcpy(dst, src, n * 3);
      continue;
    }
    if (covering) {
      for (std::size_t i = 0; i < n * 3; ++i) dst[i] = Mix(src[i], dst[i], w);
      continue;
    }
    // out = colour * w + background * (1 - coverage * w), with the colour
    // already multiplied by its coverage: exact for a covering pixel, the
    // background for a missing one.
    const std::uint8_t* cover = layer.coverage.data() +
                                static_cast<std::size_t>(from_y) * layer.colour.width() + from_x;
    for (std::size_t i = 0; i < n; ++i, src += 3, dst += 3) {
      const unsigned a = cover[i] * w;  // 0 .. 65025
      if (a == 0) continue;
      const unsigned keep = 65025u - a;
      for (int c = 0; c < 3; ++c) {
        const unsigned v = (src[c] * w * 255u + dst[c] * keep + 32512u) / 65025u;
        dst[c] = static_cast<std::uint8_t>(std::min(v, 255u));
      }
    }
  }
}

CoverageLayer ResizeLayer(const CoverageLayer& layer, int width, int height) {
  CoverageLayer out;
  out.colour = ResizeImage(layer.colour, width, height, kDefaultFilterCode);
  if (layer.coverage.empty()) return out;
  // The coverage goes through the same resampler as a grey picture.
  RgbBuffer grey = RgbBuffer::Uninitialized(layer.colour.width(), layer.colour.height());
  std::uint8_t* g = grey.data();
  for (const std::uint8_t a : layer.coverage) {
    g[0] = g[1] = g[2] = a;
    g += 3;
  }
  const RgbBuffer resized = ResizeImage(grey, width, height, kDefaultFilterCode);
  out.coverage.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  const std::uint8_t* r = resized.data();
  std::uint8_t* c = out.colour.data();
  for (std::uint8_t& a : out.coverage) {
    a = r[0];
    // A filter that overshoots may leave a colour above its coverage.
    for (int k = 0; k < 3; ++k) c[k] = std::min(c[k], a);
    r += 3;
    c += 3;
  }
  return out;
}

}  // namespace velmora::image
