// Mosaic: L1 tile width and L2 tile height, 1-99 pixels (10, 10). The picture is
// shrunk to max(width div L1, 1) x max(height div L2, 1) pixels by averaging and
// enlarged back without interpolation, so every tile is one flat colour.
#include <algorithm>
#include <cstring>

#include "image/effects/effect_routine.h"
#include "image/effects/kernels/block_average.h"

namespace velmora::image {

EffectResult ApplyMosaic(RgbBuffer& image, const CBildEffekt& effect) {
  const int tile_width = LongIn(effect, 1, 1, 99);
  const int tile_height = LongIn(effect, 2, 1, 99);
  const int across = std::max(image.width() / tile_width, 1);
  const int down = std::max(image.height() / tile_height, 1);
  const BlockGrid grid = SpreadBlocks(image.width(), image.height(), across, down);
  const std::vector<std::uint8_t> means = BlockAverages(image, grid);
  for (int y = 0; y < image.height(); ++y) {
    const std::uint8_t* block_row = &means[static_cast<std::size_t>(grid.row_block[y]) * grid.columns * 3];
    std::uint8_t* p = image.row(y);
    for (int x = 0; x < image.width(); ++x, p += 3) std::memcpy(p, block_row + grid.column_block[x] * 3, 3);
  }
  return {};
}

}  // namespace velmora::image
