// Crackle: the picture as an old varnished painting, crossed by a network of
// fine dark cracks around irregular patches.
// L1 mode, 1-3 (2): the size of the patches, 1 fine (about 12 pixels),
//    2 medium (24), 3 coarse (48);
// L2 depth, 0-100 percent (20): how dark the cracks are;
// L3 pattern, any number (0): another number gives another crack network.
// The network is the boundary of a Voronoi diagram around one jittered point per
// grid cell; each pixel looks only at the points of the 3 x 3 cells around it.
#include <algorithm>
#include <cmath>
#include <vector>

#include "image/effects/effect_routine.h"

namespace velmora::image {
namespace {

std::uint32_t Hash(std::uint32_t x) {
  x ^= x >> 16;
  x *= 0x7FEB352DU;
  x ^= x >> 15;
  x *= 0x846CA68BU;
  x ^= x >> 16;
  return x;
}

struct Point {
  float x, y;
};

}  // namespace

EffectResult ApplyCrackle(RgbBuffer& image, const CBildEffekt& effect) {
  const int cell = 12 << (LongIn(effect, 1, 1, 3) - 1);
  const float depth = LongIn(effect, 2, 0, 100) / 100.0f;
  const auto pattern = static_cast<std::uint32_t>(effect.LongArray(3));
  if (depth == 0) return {};
  constexpr float kCrackWidth = 1.2f;

  // One point per cell, with a ring of cells outside the picture so that the
  // pixels at the border see complete neighbourhoods.
  const int across = image.width() / cell + 3;
  const int down = image.height() / cell + 3;
  std::vector<Point> points(static_cast<std::size_t>(across) * down);
  for (int j = 0; j < down; ++j) {
    for (int i = 0; i < across; ++i) {
      const std::uint32_t h = Hash(static_cast<std::uint32_t>(j * across + i) * 2654435761U ^ Hash(pattern));
      const float jx = 0.1f + 0.8f * (h & 0xFFFF) / 65535.0f;
      const float jy = 0.1f + 0.8f * (h >> 16) / 65535.0f;
      points[static_cast<std::size_t>(j) * across + i] = {(i - 1 + jx) * cell, (j - 1 + jy) * cell};
    }
  }

  for (int y = 0; y < image.height(); ++y) {
    const int cj = y / cell + 1;
    const float py = y + 0.5f;
    for (int ci = 1; (ci - 1) * cell < image.width(); ++ci) {
      // The nine candidate points are the same for the whole run of pixels in
      // this cell; their vertical distances are the same for the whole row.
      float qx[9], dy2[9];
      for (int k = 0; k < 9; ++k) {
        const Point q = points[static_cast<std::size_t>(cj - 1 + k / 3) * across + (ci - 1 + k % 3)];
        qx[k] = q.x;
        dy2[k] = (q.y - py) * (q.y - py);
      }
      const int x_end = std::min(ci * cell, image.width());
      for (int x = (ci - 1) * cell; x < x_end; ++x) {
        const float px = x + 0.5f;
        // Nearest and second nearest squared distance, without branches: the
        // loop runs for every pixel and the winner changes unpredictably.
        float d1 = 1e30f, d2 = 1e30f;
        for (int k = 0; k < 9; ++k) {
          const float d = (qx[k] - px) * (qx[k] - px) + dy2[k];
          d2 = std::min(d2, std::max(d1, d));
          d1 = std::min(d1, d);
        }
        // Half the difference of the two distances approximates the distance to
        // the boundary between the two nearest patches.
        const float to_crack = 0.5f * (std::sqrt(d2) - std::sqrt(d1));
        if (to_crack >= kCrackWidth) continue;
        const float keep = 1.0f - depth * (1.0f - to_crack / kCrackWidth);
        std::uint8_t* p = image.pixel(x, y);
        for (int c = 0; c < 3; ++c) p[c] = static_cast<std::uint8_t>(p[c] * keep + 0.5f);
      }
    }
  }
  return {};
}

}  // namespace velmora::image
