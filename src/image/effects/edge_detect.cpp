// Edge detection (Canny): white one-pixel contour lines on black.
// D1 sigma, 0-20 pixels (0.1): smoothing before the gradients are taken (below a
//    third of a pixel none); larger values keep only the outlines of larger shapes;
// D2 lower and D3 upper threshold, 0-1 (0, 0): fractions of the strongest
//    gradient in the picture. Lines start where the gradient exceeds the upper
//    threshold and are followed while it exceeds the lower one; with both 0 every
//    ridge of the gradient is drawn.
#include <algorithm>
#include <cmath>
#include <vector>

#include "image/effects/effect_routine.h"
#include "image/effects/kernels/box_blur.h"
#include "image/effects/kernels/tone_curve.h"

namespace velmora::image {
namespace {

struct Gradients {
  std::vector<float> magnitude;
  std::vector<std::uint8_t> sector;  // 0 horizontal, 1 rising diagonal, 2 vertical, 3 falling diagonal
  float strongest = 0;
};

// Sobel gradients; pixels beyond the edge repeat the edge.
Gradients Sobel(const std::vector<std::uint8_t>& grey, int w, int h) {
  Gradients g;
  g.magnitude.resize(grey.size());
  g.sector.resize(grey.size());
  constexpr float kTan22 = 0.41421356f;
  for (int y = 0; y < h; ++y) {
    const std::uint8_t* up = &grey[static_cast<std::size_t>(std::max(y - 1, 0)) * w];
    const std::uint8_t* mid = &grey[static_cast<std::size_t>(y) * w];
    const std::uint8_t* down = &grey[static_cast<std::size_t>(std::min(y + 1, h - 1)) * w];
    for (int x = 0; x < w; ++x) {
      const int l = std::max(x - 1, 0);
      const int r = std::min(x + 1, w - 1);
      const int gx = (up[r] + 2 * mid[r] + down[r]) - (up[l] + 2 * mid[l] + down[l]);
      const int gy = (down[l] + 2 * down[x] + down[r]) - (up[l] + 2 * up[x] + up[r]);
      const float ax = static_cast<float>(std::abs(gx));
      const float ay = static_cast<float>(std::abs(gy));
      const std::size_t i = static_cast<std::size_t>(y) * w + x;
      g.magnitude[i] = std::sqrt(ax * ax + ay * ay);
      g.strongest = std::max(g.strongest, g.magnitude[i]);
      g.sector[i] = ay <= kTan22 * ax ? 0 : ax <= kTan22 * ay ? 2 : (gx > 0) == (gy > 0) ? 3 : 1;
    }
  }
  return g;
}

// Keeps only the ridge of the gradient across each edge.
void ThinToRidges(Gradients& g, int w, int h) {
  std::vector<float> ridge(g.magnitude.size(), 0.0f);
  // Neighbour steps across the edge for each sector.
  const int dx[4] = {1, 1, 0, 1};
  const int dy[4] = {0, -1, 1, 1};
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const std::size_t i = static_cast<std::size_t>(y) * w + x;
      const float m = g.magnitude[i];
      if (m == 0) continue;
      const int s = g.sector[i];
      const auto at = [&](int xx, int yy) {
        return xx < 0 || yy < 0 || xx >= w || yy >= h ? 0.0f : g.magnitude[static_cast<std::size_t>(yy) * w + xx];
      };
      const float before = at(x - dx[s], y - dy[s]);
      const float after = at(x + dx[s], y + dy[s]);
      // ">" on one side and ">=" on the other keeps one pixel of a flat-topped ridge.
      if (m > before && m >= after) ridge[i] = m;
    }
  }
  g.magnitude.swap(ridge);
}

}  // namespace

EffectResult ApplyEdgeDetect(RgbBuffer& image, const CBildEffekt& effect) {
  const int w = image.width();
  const int h = image.height();
  const double sigma = DoubleIn(effect, 1, 0.0, 20.0);
  double low = DoubleIn(effect, 2, 0.0, 1.0);
  double high = DoubleIn(effect, 3, 0.0, 1.0);
  if (high < low) std::swap(low, high);

  std::vector<std::uint8_t> grey(static_cast<std::size_t>(w) * h);
  for (std::size_t i = 0; i < grey.size(); ++i) grey[i] = Luma(image.data() + i * 3);
  GaussianBlurPlane({grey.data(), w, h, 1}, sigma);
  Gradients g = Sobel(grey, w, h);
  ThinToRidges(g, w, h);

  // Hysteresis: grow lines from the strong pixels through the weak ones.
  const float low_level = static_cast<float>(low * g.strongest);
  const float high_level = static_cast<float>(high * g.strongest);
  std::vector<std::uint8_t>& edge = grey;  // reused as the output mask
  std::fill(edge.begin(), edge.end(), 0);
  std::vector<std::size_t> pending;
  for (std::size_t i = 0; i < edge.size(); ++i) {
    if (g.magnitude[i] > high_level) {
      edge[i] = 255;
      pending.push_back(i);
    }
  }
  while (!pending.empty()) {
    const std::size_t i = pending.back();
    pending.pop_back();
    const int x = static_cast<int>(i % w);
    const int y = static_cast<int>(i / w);
    for (int ny = std::max(y - 1, 0); ny <= std::min(y + 1, h - 1); ++ny) {
      for (int nx = std::max(x - 1, 0); nx <= std::min(x + 1, w - 1); ++nx) {
        const std::size_t n = static_cast<std::size_t>(ny) * w + nx;
        if (edge[n] == 0 && g.magnitude[n] > low_level) {
          edge[n] = 255;
          pending.push_back(n);
        }
      }
    }
  }
  std::uint8_t* p = image.data();
  for (std::size_t i = 0; i < edge.size(); ++i) p[i * 3] = p[i * 3 + 1] = p[i * 3 + 2] = edge[i];
  return {};
}

}  // namespace velmora::image
