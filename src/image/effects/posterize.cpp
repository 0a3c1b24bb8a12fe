// Posterize: each channel is reduced to four evenly spaced levels (0, 85, 170,
// 255), 64 colours in all, the flat-colour look of a screen-printed poster.
#include "image/effects/effect_routine.h"
#include "image/effects/kernels/tone_curve.h"

namespace velmora::image {

EffectResult ApplyPosterize(RgbBuffer& image, const CBildEffekt&) {
  constexpr int kLevels = 4;
  constexpr double kStep = 255.0 / (kLevels - 1);
  ApplyToneCurve(image, MakeToneCurve([](double v) { return static_cast<int>(v / kStep + 0.5) * kStep; }));
  return {};
}

}  // namespace velmora::image
