// Mean colours of rectangular blocks, for the effects that work tile by tile
// (mosaic, halftone). Linear in the pixels whatever the block size.
#pragma once

#include <cstdint>
#include <vector>

#include "image/rgb_buffer.h"

namespace velmora::image {

// The block of each column and each row (non-decreasing indices from 0).
struct BlockGrid {
  std::vector<int> column_block;  // one per pixel column
  std::vector<int> row_block;     // one per pixel row
  int columns = 0;                // number of blocks across
  int rows = 0;                   // number of blocks down
};

// Blocks of equal size from the top-left corner; the last ones may be smaller.
BlockGrid FixedBlocks(int width, int height, int block_width, int block_height);
// `across` x `down` blocks spread over the image as a shrink to that size and a
// nearest-neighbour enlargement back would spread them.
BlockGrid SpreadBlocks(int width, int height, int across, int down);

// The rounded mean red, green, blue of every block, row by row (3 bytes each).
std::vector<std::uint8_t> BlockAverages(const RgbBuffer& image, const BlockGrid& grid);

}  // namespace velmora::image
