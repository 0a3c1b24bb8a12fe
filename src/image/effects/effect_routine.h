// What every image effect offers: one routine that works on the clone's pixels
// with the effect's parameters. Routines never fail loudly: an out-of-range
// parameter from a hand-edited profile is clamped or ignored, and a routine that
// cannot finish leaves the image as it was.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "image/clone_list/bild_effekt.h"
#include "image/rgb_buffer.h"

namespace velmora::image {

struct EffectResult {
  bool quarter_turned = false;  // width and height swapped by a rotation
};

using EffectRoutine = EffectResult (*)(RgbBuffer& image, const CBildEffekt& effect);

// Integer parameter L<index>, clamped to the option page's range.
inline std::int32_t LongIn(const CBildEffekt& effect, int index, std::int32_t lowest, std::int32_t highest) {
  return std::clamp(effect.LongArray(index), lowest, highest);
}

// Floating-point parameter D<index>, clamped; a value that is no number reads as `lowest`.
inline double DoubleIn(const CBildEffekt& effect, int index, double lowest, double highest) {
  const double value = effect.DoubleArray(index);
  return std::isnan(value) ? lowest : std::clamp(value, lowest, highest);
}

// The channel selection that sharpen, blur, unsharp mask and noise take as their
// unlabelled parameter (default 7): bit 1 red, bit 2 green, bit 4 blue.
using ChannelMask = std::array<bool, 3>;
inline ChannelMask ChannelsOf(std::int32_t bits) { return {(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0}; }
inline bool AnyChannel(const ChannelMask& mask) { return mask[0] || mask[1] || mask[2]; }

}  // namespace velmora::image
