// Per-sample tone curves: every effect that maps each 8-bit value to another
// (gamma, brightness, contrast, inversion) is one lookup table.
#pragma once

#include <array>
#include <cstdint>

#include "image/effects/effect_routine.h"
#include "image/rgb_buffer.h"

namespace velmora::image {

using ToneCurve = std::array<std::uint8_t, 256>;

// A curve from a function of the value in 0..255; results are rounded and clamped.
template <class F>
ToneCurve MakeToneCurve(F f) {
  ToneCurve curve;
  for (int v = 0; v < 256; ++v) {
    const double out = f(static_cast<double>(v));
    curve[v] = static_cast<std::uint8_t>(out <= 0 ? 0 : out >= 255 ? 255 : static_cast<int>(out + 0.5));
  }
  return curve;
}

// Maps every selected channel of every pixel through the curve.
void ApplyToneCurve(RgbBuffer& image, const ToneCurve& curve, ChannelMask channels = {true, true, true});

// Brightness and contrast as photo editors show them, each -1..1 with 0 neutral:
// negative brightness scales towards black, positive towards white; contrast turns
// the line through mid grey from flat (-1) over the identity (0) to a hard step (1).
ToneCurve BrightnessContrastCurve(double brightness, double contrast);

// Rec. 601 luma, the grey value that keeps the perceived brightness.
inline std::uint8_t Luma(const std::uint8_t* rgb) {
  return static_cast<std::uint8_t>((77 * rgb[0] + 150 * rgb[1] + 29 * rgb[2] + 128) >> 8);
}

}  // namespace velmora::image
