// Negative: every sample v becomes 255 - v.
#include "image/effects/effect_routine.h"
#include "image/effects/kernels/tone_curve.h"

namespace velmora::image {

EffectResult ApplyInvert(RgbBuffer& image, const CBildEffekt&) {
  ApplyToneCurve(image, MakeToneCurve([](double v) { return 255.0 - v; }));
  return {};
}

}  // namespace velmora::image
