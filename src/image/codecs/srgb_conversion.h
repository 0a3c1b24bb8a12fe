// Pixels stored in another colour space brought to sRGB, the space every
// buffer of ours is taken to be in: effects, stamps and the pages' colours
// all assume it, and a clone written without a profile is shown as sRGB.
// Phones store HEIC photos in Display P3; shown as sRGB they would look
// dull and red faces would turn brownish.
#pragma once

#include <cstdint>
#include <span>

#include "image/rgb_buffer.h"

namespace velmora::image {

// The picture's colours described by an ICC profile. Profiles that are not
// RGB, cannot be parsed, or describe sRGB itself leave the pixels as they are.
void ConvertIccToSrgb(RgbBuffer& image, std::span<const std::uint8_t> icc_profile);

// The picture's colours described by coded primaries and transfer curve
// (the codes of ITU-T H.273, as HEIF and AVIF files carry them). The white
// point and the primaries are CIE xy chromaticities.
struct CodedColourSpace {
  int primaries = 1;  // 1 and 2 (BT.709, unspecified) are sRGB's
  int transfer = 13;  // 13 is sRGB's curve
  float red_x = 0, red_y = 0, green_x = 0, green_y = 0, blue_x = 0, blue_y = 0, white_x = 0, white_y = 0;
};
// High-dynamic-range curves (PQ, HLG) cannot be mapped without tone
// mapping; such pictures, and those with sRGB primaries, stay as they are.
void ConvertCodedToSrgb(RgbBuffer& image, const CodedColourSpace& space);

}  // namespace velmora::image
