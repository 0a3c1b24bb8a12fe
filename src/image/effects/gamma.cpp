// Gamma correction: D1 gamma, 0.01-10 (1.0); above 1 brightens the mid-tones,
// below 1 darkens them, black and white stay. 0 or less is ignored.
#include <cmath>

#include "image/effects/effect_routine.h"
#include "image/effects/kernels/tone_curve.h"

namespace velmora::image {

EffectResult ApplyGamma(RgbBuffer& image, const CBildEffekt& effect) {
  if (!(effect.DoubleArray(1) > 0)) return {};
  const double gamma = DoubleIn(effect, 1, 0.01, 10.0);
  if (gamma == 1.0) return {};
  ApplyToneCurve(image, MakeToneCurve([&](double v) { return 255.0 * std::pow(v / 255.0, 1.0 / gamma); }));
  return {};
}

}  // namespace velmora::image
