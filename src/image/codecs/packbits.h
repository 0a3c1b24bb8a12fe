// PackBits run-length coding, as PSD stores its image rows.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "image/codecs/byte_reader.h"

namespace velmora::image {

// Fills `out` completely from the packed stream; throws when the stream ends
// first. Runs that overshoot the row are cut, because writers disagree on
// whether a run may cross the row end and the pixels before it are good.
void UnpackBits(ByteReader& in, std::span<std::uint8_t> out);

// Appends the packed form of `row` to `out`.
void PackBits(std::span<const std::uint8_t> row, std::vector<std::uint8_t>& out);

}  // namespace velmora::image
