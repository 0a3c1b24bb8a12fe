// Shapes on RGB pixels.
#include "script/builtins/pixel_shapes.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace velmora::script {
namespace {

void Blend(std::uint8_t* pixel, image::Rgb colour, int percent) {
  const auto mix = [percent](std::uint8_t over, std::uint8_t under) {
    return static_cast<std::uint8_t>((over * percent + under * (100 - percent) + 50) / 100);
  };
  pixel[0] = mix(colour.r, pixel[0]);
  pixel[1] = mix(colour.g, pixel[1]);
  pixel[2] = mix(colour.b, pixel[2]);
}

// Paints columns [from, to) of row y, clipped to the image.
void PaintSpan(image::RgbBuffer& pixels, int y, std::int64_t from, std::int64_t to, image::Rgb colour, int percent) {
  from = std::max<std::int64_t>(from, 0);
  to = std::min<std::int64_t>(to, pixels.width());
  for (std::int64_t x = from; x < to; ++x) Blend(pixels.pixel(static_cast<int>(x), y), colour, percent);
}

// The columns [first, last + 1) of the shape in row y; an empty span when
// the row misses it.
std::pair<std::int64_t, std::int64_t> ShapeSpan(ShapeKind kind, const PixelBox& box, int y) {
  const std::int64_t left = std::min(box.x1, box.x2), right = std::max(box.x1, box.x2);
  const std::int64_t top = std::min(box.y1, box.y2), bottom = std::max(box.y1, box.y2);
  if (y < top || y > bottom) return {0, 0};
  if (kind == ShapeKind::kRectangle) return {left, right + 1};
  // The ellipse through the box's outer edges; a pixel belongs to it when
  // its centre lies inside.
  const double cx = (static_cast<double>(left) + static_cast<double>(right) + 1) / 2;
  const double cy = (static_cast<double>(top) + static_cast<double>(bottom) + 1) / 2;
  const double rx = static_cast<double>(right - left + 1) / 2;
  const double ry = static_cast<double>(bottom - top + 1) / 2;
  const double dy = (y + 0.5 - cy) / ry;
  if (dy * dy > 1) return {0, 0};
  const double half = rx * std::sqrt(1 - dy * dy);
  const auto first = static_cast<std::int64_t>(std::ceil(cx - half - 0.5));
  const auto last = static_cast<std::int64_t>(std::floor(cx + half - 0.5));
  return {first, last + 1};
}

// Cuts the line to the pixel centres of the image (Liang-Barsky), so that
// ends millions of pixels away cost nothing; false when it misses the image.
bool ClipLine(double& x1, double& y1, double& x2, double& y2, int width, int height) {
  double t0 = 0, t1 = 1;
  const double dx = x2 - x1, dy = y2 - y1;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x1, width - 1 - x1, y1, height - 1 - y1};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0) {
      t0 = std::max(t0, t);
    } else {
      t1 = std::min(t1, t);
    }
    if (t0 > t1) return false;
  }
  const double sx = x1, sy = y1;
  x1 = sx + t0 * dx;
  y1 = sy + t0 * dy;
  x2 = sx + t1 * dx;
  y2 = sy + t1 * dy;
  return true;
}

}  // namespace

void FillShape(image::RgbBuffer& pixels, ShapeKind kind, const PixelBox& box, image::Rgb colour, int percent,
               bool outside) {
  percent = std::clamp(percent, 0, 100);
  if (pixels.empty() || percent == 0) return;
  for (int y = 0; y < pixels.height(); ++y) {
    const auto [first, end] = ShapeSpan(kind, box, y);
    if (!outside) {
      PaintSpan(pixels, y, first, end, colour, percent);
    } else if (first >= end) {
      PaintSpan(pixels, y, 0, pixels.width(), colour, percent);
    } else {
      PaintSpan(pixels, y, 0, first, colour, percent);
      PaintSpan(pixels, y, end, pixels.width(), colour, percent);
    }
  }
}

void DrawLine(image::RgbBuffer& pixels, const PixelBox& ends, image::Rgb colour) {
  if (pixels.empty()) return;
  double fx1 = ends.x1, fy1 = ends.y1, fx2 = ends.x2, fy2 = ends.y2;
  if (!ClipLine(fx1, fy1, fx2, fy2, pixels.width(), pixels.height())) return;
  const auto clamp_x = [&](double v) { return std::clamp<int>(static_cast<int>(std::lround(v)), 0, pixels.width() - 1); };
  const auto clamp_y = [&](double v) { return std::clamp<int>(static_cast<int>(std::lround(v)), 0, pixels.height() - 1); };
  int x = clamp_x(fx1), y = clamp_y(fy1);
  const int x_end = clamp_x(fx2), y_end = clamp_y(fy2);
  const int dx = std::abs(x_end - x), dy = -std::abs(y_end - y);
  const int step_x = x < x_end ? 1 : -1, step_y = y < y_end ? 1 : -1;
  int error = dx + dy;
  while (true) {
    Blend(pixels.pixel(x, y), colour, 100);
    if (x == x_end && y == y_end) break;
    const int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      x += step_x;
    }
    if (twice <= dx) {
      error += dx;
      y += step_y;
    }
  }
}

}  // namespace velmora::script
