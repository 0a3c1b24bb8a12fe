// Bands and the oval over the picture.
#include "image/stamps/inside_border.h"

#include <algorithm>
#include <cmath>

#include "image/stamps/compositing.h"

namespace velmora::image {

void DrawInsideBands(RgbBuffer& image, const CBorder& border) {
  const std::int64_t b = border.Width();
  if (b <= 0) return;
  const std::int64_t w = image.width(), h = image.height();
  const std::int64_t l = border.OffsetLeft(), r = border.OffsetRight();
  const std::int64_t t = border.OffsetTop(), u = border.OffsetBottom();
  const std::int32_t sides = border.Position();
  const Rgb colour = RgbFromColourValue(border.Color());
  const int weight = OpacityWeight(border.Opacity());
  const bool top = (sides & CBorder::kTop) != 0, bottom = (sides & CBorder::kBottom) != 0;
  if (top) BlendRect(image, {l, t, w - r, t + b}, colour, weight);
  if (bottom) BlendRect(image, {l, h - u - b, w - r, h - u}, colour, weight);
  // The side bands stop where the top and bottom bands begin.
  const std::int64_t side_top = top ? t + b : t;
  const std::int64_t side_bottom = bottom ? h - u - b : h - u;
  if (sides & CBorder::kRight) BlendRect(image, {w - r - b, side_top, w - r, side_bottom}, colour, weight);
  if (sides & CBorder::kLeft) BlendRect(image, {l, side_top, l + b, side_bottom}, colour, weight);
}

namespace {

void Tint(std::uint8_t* p, Rgb colour, int tint) {
  const unsigned keep = 255u - static_cast<unsigned>(tint);
  p[0] = static_cast<std::uint8_t>((colour.r * tint + p[0] * keep + 127u) / 255u);
  p[1] = static_cast<std::uint8_t>((colour.g * tint + p[1] * keep + 127u) / 255u);
  p[2] = static_cast<std::uint8_t>((colour.b * tint + p[2] * keep + 127u) / 255u);
}

int ClampedColumn(double x, int limit) { return static_cast<int>(std::clamp(x, 0.0, static_cast<double>(limit))); }

}  // namespace

void DrawInsideOval(RgbBuffer& image, const CBorder& border) {
  const std::int64_t b = border.Width();
  const std::int64_t half_w = image.width() / 2, half_h = image.height() / 2;
  if (b < 0 || half_w <= b || half_h <= b) return;
  const Rgb colour = RgbFromColourValue(border.Color());
  const int weight = OpacityWeight(border.Opacity());
  if (weight == 0) return;
  // The ellipse is centred on the image (a half pixel for odd sizes), so the
  // band is as wide on the left as on the right and every row is symmetric:
  // column x mirrors column w - 1 - x.
  const double a = static_cast<double>(half_w - b), c = static_cast<double>(half_h - b);
  const double cx = image.width() / 2.0, cy = image.height() / 2.0;
  const auto half_width_at = [&](double dy) {
    const double v = std::abs(dy) / c;
    return v >= 1.0 ? 0.0 : a * std::sqrt(1.0 - v * v);
  };
  const int w = image.width();
  const int left_half = (w + 1) / 2;
  for (int y = 0; y < image.height(); ++y) {
    const double dy = y + 0.5 - cy;
    // Columns the edge cannot reach within a pixel are wholly outside (from
    // the border to `full_end`) or wholly inside (from `inside_begin` to the
    // middle); only those between get a partial tint. `outer` is at least a
    // pixel, so the wholly outside parts of both halves never meet.
    const double inner = half_width_at(std::abs(dy) + 1.0) - 1.0;
    const double outer = half_width_at(std::max(0.0, std::abs(dy) - 1.0)) + 1.0;
    const int full_end = ClampedColumn(std::ceil(cx - outer - 0.5), left_half);
    const int inside_begin =
        inner <= 0.0 ? left_half : std::max(full_end, ClampedColumn(std::floor(cx - inner - 0.5) + 1.0, left_half));
    BlendRect(image, {0, y, full_end, y + 1}, colour, weight);
    BlendRect(image, {w - full_end, y, w, y + 1}, colour, weight);
    const double v = dy / c;
    for (int x = full_end; x < inside_begin; ++x) {
      // Distance to the edge, estimated from the ellipse's equation and its
      // gradient: good to a fraction of a pixel near the edge.
      const double u = (x + 0.5 - cx) / a;
      const double f = u * u + v * v - 1.0;
      const double gradient = 2.0 * std::sqrt(u * u / (a * a) + v * v / (c * c));
      const double outside = gradient > 0.0 ? std::clamp(f / gradient + 0.5, 0.0, 1.0) : (f > 0.0 ? 1.0 : 0.0);
      const int tint = static_cast<int>(std::lround(outside * weight));
      if (tint == 0) continue;
      Tint(image.pixel(x, y), colour, tint);
      if (w - 1 - x != x) Tint(image.pixel(w - 1 - x, y), colour, tint);
    }
  }
}

}  // namespace velmora::image
