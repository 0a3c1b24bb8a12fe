#include "image/codecs/coder_quality.h"

#include <algorithm>
#include <iterator>

namespace velmora::image {
namespace {

struct Point {
  int jpeg;
  int coder;
};

// Straight lines between the measured points.
template <std::size_t N>
int Interpolate(int quality, const Point (&points)[N]) {
  quality = std::clamp(quality, 1, 100);
  const Point* upper = std::lower_bound(std::begin(points), std::end(points), quality,
                                        [](const Point& p, int q) { return p.jpeg < q; });
  if (upper == std::begin(points)) return upper->coder;
  const Point* lower = upper - 1;
  return lower->coder + ((quality - lower->jpeg) * (upper->coder - lower->coder) + (upper->jpeg - lower->jpeg) / 2) /
                            (upper->jpeg - lower->jpeg);
}

// Medians over camera photos (bench/webp_clone_bench and its AVIF twin);
// WebP's coder needs higher numbers than JPEG's, libheif's AV1 lower ones.
constexpr Point kWebp[] = {{1, 1}, {40, 55}, {60, 75}, {75, 84}, {90, 92}, {100, 100}};
constexpr Point kAvif[] = {{1, 1}, {40, 46}, {60, 58}, {75, 66}, {90, 79}, {100, 100}};

}  // namespace

int WebpQualityFor(int jpeg_quality) { return Interpolate(jpeg_quality, kWebp); }
int AvifQualityFor(int jpeg_quality) { return Interpolate(jpeg_quality, kAvif); }

}  // namespace velmora::image
