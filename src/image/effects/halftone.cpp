// Halftone ("black and white"): the picture as a newspaper print, a grid of black
// dots on white whose size follows the darkness of each cell.
// L1 dot width, 1-99 pixels (3): the cell size. Each cell of L1 x L1 pixels turns
// as many of its pixels black as its mean darkness asks for, filling from the
// centre outwards, so the dots grow round and merge in the shadows.
#include <algorithm>
#include <numeric>
#include <vector>

#include "image/effects/effect_routine.h"
#include "image/effects/kernels/block_average.h"
#include "image/effects/kernels/tone_curve.h"

namespace velmora::image {
namespace {

// The order in which the pixels of a cell turn black: nearest the centre first.
std::vector<int> FillOrder(int cell) {
  std::vector<int> index(static_cast<std::size_t>(cell) * cell);
  std::iota(index.begin(), index.end(), 0);
  const auto distance = [cell](int i) {
    const double dx = i % cell + 0.5 - cell / 2.0;
    const double dy = i / cell + 0.5 - cell / 2.0;
    return dx * dx + dy * dy;
  };
  std::stable_sort(index.begin(), index.end(), [&](int a, int b) { return distance(a) < distance(b); });
  std::vector<int> rank(index.size());
  for (std::size_t r = 0; r < index.size(); ++r) rank[index[r]] = static_cast<int>(r);
  return rank;
}

}  // namespace

EffectResult ApplyHalftone(RgbBuffer& image, const CBildEffekt& effect) {
  const int cell = LongIn(effect, 1, 1, 99);
  const std::vector<int> rank = FillOrder(cell);
  const BlockGrid grid = FixedBlocks(image.width(), image.height(), cell, cell);
  const std::vector<std::uint8_t> means = BlockAverages(image, grid);
  // Black pixels per cell, from the mean grey of the cell.
  std::vector<int> black(static_cast<std::size_t>(grid.columns) * grid.rows);
  const int area = cell * cell;
  for (std::size_t b = 0; b < black.size(); ++b) black[b] = ((255 - Luma(&means[b * 3])) * area + 127) / 255;
  for (int y = 0; y < image.height(); ++y) {
    const int* cell_black = &black[static_cast<std::size_t>(grid.row_block[y]) * grid.columns];
    const int* rank_row = &rank[static_cast<std::size_t>(y % cell) * cell];
    std::uint8_t* p = image.row(y);
    for (int x = 0; x < image.width(); ++x, p += 3) {
      const std::uint8_t v = rank_row[x % cell] < cell_black[grid.column_block[x]] ? 0 : 255;
      p[0] = p[1] = p[2] = v;
    }
  }
  return {};
}

}  // namespace velmora::image
