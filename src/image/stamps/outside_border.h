// Borders added around the picture, which grow it: the picture moves onto a
// larger canvas and the new bands are painted, in a flat colour or from a
// frame picture.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "image/rgb_buffer.h"

namespace velmora::image {

// The pixels a band adds on each side.
struct Growth {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// A band `width` wide on each side in `sides` (the border's Position bits).
// Nothing when no side grows, and nothing for a size beyond what any reader
// of ours accepts: the picture is then left as it is.
std::optional<Growth> GrowthOf(std::int32_t sides, std::int64_t width, const RgbBuffer& picture);

// Paints the canvas pixels from x_begin to x_end (excluded) of row y into
// `out`, which points at the first of them.
using BandPainter = std::function<void(std::uint8_t* out, int y, int x_begin, int x_end)>;

// The canvas of the grown size with the picture at (left, top) and every
// other pixel painted by `paint`.
RgbBuffer GrowAround(const RgbBuffer& picture, const Growth& growth, const BandPainter& paint);

// A painter of one flat colour.
BandPainter FlatPainter(Rgb colour);

}  // namespace velmora::image
