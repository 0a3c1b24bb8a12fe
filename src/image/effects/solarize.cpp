// Solarize: like a print briefly exposed to light in the developer, samples from
// mid grey up (128-255) are inverted, darker ones stay.
#include "image/effects/effect_routine.h"
#include "image/effects/kernels/tone_curve.h"

namespace velmora::image {

EffectResult ApplySolarize(RgbBuffer& image, const CBildEffekt&) {
  ApplyToneCurve(image, MakeToneCurve([](double v) { return v >= 128 ? 255.0 - v : v; }));
  return {};
}

}  // namespace velmora::image
