// Duotone: a black-and-white print in two inks. The grey value runs from black
// through the L1 colour (red 128, green 64, blue 0: sepia brown) at mid grey to
// white.
#include "image/effects/effect_routine.h"
#include "image/effects/kernels/tone_curve.h"

namespace velmora::image {

EffectResult ApplyDuotone(RgbBuffer& image, const CBildEffekt& effect) {
  const Rgb ink = RgbFromColourValue(effect.LongArray(1));
  const double inks[3] = {double(ink.r), double(ink.g), double(ink.b)};
  ToneCurve curves[3];
  for (int c = 0; c < 3; ++c) {
    curves[c] = MakeToneCurve([&](double grey) {
      return grey < 127.5 ? inks[c] * grey / 127.5 : inks[c] + (255.0 - inks[c]) * (grey - 127.5) / 127.5;
    });
  }
  std::uint8_t* p = image.data();
  for (std::size_t i = 0; i < image.size(); i += 3) {
    const std::uint8_t grey = Luma(p + i);
    for (int c = 0; c < 3; ++c) p[i + c] = curves[c][grey];
  }
  return {};
}

}  // namespace velmora::image
