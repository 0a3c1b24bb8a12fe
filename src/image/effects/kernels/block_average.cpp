#include "image/effects/kernels/block_average.h"

#include <algorithm>

namespace velmora::image {

BlockGrid FixedBlocks(int width, int height, int block_width, int block_height) {
  BlockGrid grid;
  grid.column_block.resize(width);
  grid.row_block.resize(height);
  for (int x = 0; x < width; ++x) grid.column_block[x] = x / block_width;
  for (int y = 0; y < height; ++y) grid.row_block[y] = y / block_height;
  grid.columns = (width + block_width - 1) / block_width;
  grid.rows = (height + block_height - 1) / block_height;
  return grid;
}

BlockGrid SpreadBlocks(int width, int height, int across, int down) {
  BlockGrid grid;
  grid.column_block.resize(width);
  grid.row_block.resize(height);
  for (int x = 0; x < width; ++x) grid.column_block[x] = static_cast<int>(std::int64_t{x} * across / width);
  for (int y = 0; y < height; ++y) grid.row_block[y] = static_cast<int>(std::int64_t{y} * down / height);
  grid.columns = across;
  grid.rows = down;
  return grid;
}

std::vector<std::uint8_t> BlockAverages(const RgbBuffer& image, const BlockGrid& grid) {
  std::vector<std::uint8_t> means(static_cast<std::size_t>(grid.columns) * grid.rows * 3);
  std::vector<std::uint64_t> sums(static_cast<std::size_t>(grid.columns) * 4);
  int y = 0;
  for (int block_row = 0; block_row < grid.rows; ++block_row) {
    std::fill(sums.begin(), sums.end(), 0);
    for (; y < image.height() && grid.row_block[y] == block_row; ++y) {
      const std::uint8_t* p = image.row(y);
      for (int x = 0; x < image.width(); ++x, p += 3) {
        std::uint64_t* s = &sums[static_cast<std::size_t>(grid.column_block[x]) * 4];
        s[0] += p[0];
        s[1] += p[1];
        s[2] += p[2];
        ++s[3];
      }
    }
    for (int b = 0; b < grid.columns; ++b) {
      const std::uint64_t* s = &sums[static_cast<std::size_t>(b) * 4];
      std::uint8_t* m = &means[(static_cast<std::size_t>(block_row) * grid.columns + b) * 3];
      for (int c = 0; c < 3; ++c) m[c] = s[3] == 0 ? 0 : static_cast<std::uint8_t>((s[c] + s[3] / 2) / s[3]);
    }
  }
  return means;
}

}  // namespace velmora::image
