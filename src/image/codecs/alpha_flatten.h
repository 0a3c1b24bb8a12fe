// Our buffers have no alpha channel. Transparent parts of PNG, TIFF and GIF
// files are laid over white, the colour of the paper and of most gallery
// pages, so a logo with a transparent background does not turn black.
#pragma once

#include <cstdint>

namespace velmora::image {

inline std::uint8_t FlattenOnWhite8(unsigned colour, unsigned alpha) {
  return static_cast<std::uint8_t>((colour * alpha + 255u * (255u - alpha) + 127u) / 255u);
}

// 16-bit samples become 8 bits the way most tools scale them: v / 257 rounded.
inline std::uint8_t Scale16To8(unsigned value) { return static_cast<std::uint8_t>((value + 128u) / 257u); }

inline std::uint8_t FlattenOnWhite16(unsigned colour, unsigned alpha) {
  const std::uint64_t blended =
      (static_cast<std::uint64_t>(colour) * alpha + 65535ull * (65535u - alpha) + 32767u) / 65535u;
  return Scale16To8(static_cast<unsigned>(blended));
}

}  // namespace velmora::image
