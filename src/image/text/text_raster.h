// The coverage of a laid-out text (glyphs, underline, strikeout) in image
// coordinates, with the block turned in quarter steps and cut to a region,
// ready to blend a colour through it.
#pragma once

#include <cstdint>
#include <vector>

#include "image/text/text_layout.h"

namespace velmora::image {

class FontFace;

// Turns as the image rotation counts them: a quarter turn clockwise, a half
// turn, a quarter turn counter-clockwise.
enum class BlockTurn { kNone, kClockwise, kHalf, kCounterClockwise };

struct TextDecoration {
  bool underline = false;
  bool strikeout = false;
};

struct PixelRegion {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool empty() const { return width <= 0 || height <= 0; }
};

// Coverage 0-255 of one region, rows top to bottom.
struct CoverageMask {
  PixelRegion region;
  std::vector<std::uint8_t> values;
  std::uint8_t at(int x, int y) const {
    return values[static_cast<std::size_t>(y - region.y) * static_cast<std::size_t>(region.width) +
                  static_cast<std::size_t>(x - region.x)];
  }
};

// The block size after the turn: quarter turns swap width and height.
PixelRegion TurnedBlock(const TextLayout& layout, BlockTurn turn, int x, int y);

// Draws the text with the turned block's top-left corner at (x, y); only
// the part inside both the block and `clip` is kept.
CoverageMask RasterizeText(FontFace& face, const TextLayout& layout, TextDecoration decoration, BlockTurn turn,
                           int x, int y, PixelRegion clip);

}  // namespace velmora::image
