// Turning a JPEG upright without decoding it. libjpeg-turbo rearranges the
// compressed blocks, so a full-size clone of a sideways photo keeps the
// camera's own quality, bit for bit, at a fraction of the cost of decoding
// and encoding it. Blocks cut by the right or bottom edge cannot move to
// the top or left losslessly; like `jpegtran -trim`, the turn drops them
// (less than one block row or column: at most 15 pixels on a side).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "image/codecs/codec.h"

namespace velmora::image {

struct TurnedJpeg {
  std::vector<std::uint8_t> file;
  ImageSize size;
};

// The size TurnJpegLosslessly gives for `orientation` (2 to 8), from the
// header alone; none when the file cannot be turned losslessly (not a
// readable JPEG, an unusual sampling, or a side that would be trimmed to
// nothing).
std::optional<ImageSize> LosslessTurnSize(std::span<const std::uint8_t> jpeg, int orientation);

// `jpeg` turned upright: with all its markers and the EXIF block corrected
// (orientation 1, the new pixel dimensions) when `keep_markers`, with none
// otherwise. None when it cannot be done losslessly, damaged data and the
// decoder's size limits included; the caller then decodes, and the decoder
// reports what is wrong. Never throws.
std::optional<TurnedJpeg> TurnJpegLosslessly(std::span<const std::uint8_t> jpeg, int orientation, bool keep_markers,
                                             std::int64_t max_pixels);

}  // namespace velmora::image
