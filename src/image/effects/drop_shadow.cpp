// Drop shadow: the picture is set on a larger background with a soft shadow
// behind it, as if lit from one side.
// L1 offset, 0-9999 pixels (10): how far the shadow falls from the picture;
// L2 direction, degrees counter-clockwise from "east" (135): where the light comes
//    from, so the shadow falls the opposite way (135 = light from the top left,
//    shadow to the bottom right);
// L3 background colour (white); L4 1 = shadow in the picture's average colour,
//    else L5 shadow colour (black);
// L6 diffusion, 0-999 pixels (10): how far the shadow's edge fades out.
// The canvas grows just enough to hold the picture, the shadow and its fade.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <vector>

#include "image/effects/effect_routine.h"

namespace velmora::image {
namespace {

// How much of the shadow covers each canvas position along one axis: a band of
// `length` pixels starting at `start`, blurred by a Gaussian of `sigma` pixels.
std::vector<float> ShadowProfile(int canvas_length, int start, int length, double sigma) {
  std::vector<float> cover(canvas_length);
  for (int i = 0; i < canvas_length; ++i) {
    const double centre = i + 0.5;
    if (sigma <= 0) {
      cover[i] = centre >= start && centre < start + length ? 1.0f : 0.0f;
    } else {
      const double k = 1.0 / (sigma * std::numbers::sqrt2);
      cover[i] = static_cast<float>(0.5 * (std::erf((centre - start) * k) - std::erf((centre - start - length) * k)));
    }
  }
  return cover;
}

Rgb AverageColour(const RgbBuffer& image) {
  std::uint64_t sum[3] = {0, 0, 0};
  for (std::size_t i = 0; i < image.size(); i += 3) {
    for (int c = 0; c < 3; ++c) sum[c] += image.data()[i + c];
  }
  const std::uint64_t n = image.size() / 3;
  return {static_cast<std::uint8_t>((sum[0] + n / 2) / n), static_cast<std::uint8_t>((sum[1] + n / 2) / n),
          static_cast<std::uint8_t>((sum[2] + n / 2) / n)};
}

}  // namespace

EffectResult ApplyDropShadow(RgbBuffer& image, const CBildEffekt& effect) {
  const int offset = LongIn(effect, 1, 0, 9999);
  const double angle = effect.LongArray(2) * std::numbers::pi / 180.0;
  const Rgb background = RgbFromColourValue(effect.LongArray(3));
  const Rgb shadow = effect.LongArray(4) == 1 ? AverageColour(image) : RgbFromColourValue(effect.LongArray(5));
  const int fade = LongIn(effect, 6, 0, 999);

  const int w = image.width();
  const int h = image.height();
  const int dx = static_cast<int>(std::lround(-std::cos(angle) * offset));
  const int dy = static_cast<int>(std::lround(std::sin(angle) * offset));
  const int left = std::min(0, dx - fade);
  const int top = std::min(0, dy - fade);
  const int canvas_w = std::max(w, dx + w + fade) - left;
  const int canvas_h = std::max(h, dy + h + fade) - top;

  // Gaussian fade: the shadow is practically gone `fade` pixels past its edge.
  const std::vector<float> across = ShadowProfile(canvas_w, dx - left, w, fade / 3.0);
  const std::vector<float> down = ShadowProfile(canvas_h, dy - top, h, fade / 3.0);
  RgbBuffer canvas = RgbBuffer::Uninitialized(canvas_w, canvas_h);
  const float bg[3] = {float(background.r), float(background.g), float(background.b)};
  const float sh[3] = {float(shadow.r), float(shadow.g), float(shadow.b)};
  for (int y = 0; y < canvas_h; ++y) {
    std::uint8_t* q = canvas.row(y);
    for (int x = 0; x < canvas_w; ++x, q += 3) {
      const float a = across[x] * down[y];
      for (int c = 0; c < 3; ++c) q[c] = static_cast<std::uint8_t>(bg[c] + (sh[c] - bg[c]) * a + 0.5f);
    }
  }
  for (int y = 0; y < h; ++y) std::memcpy(canvas.pixel(-left, y - top), image.row(y), image.stride());
  image = std::move(canvas);
  return {};
}

}  // namespace velmora::image
