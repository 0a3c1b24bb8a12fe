// Brightness and contrast: D1 brightness and D2 contrast, each -1 to 1 (slider
// position / 100), 0 = unchanged.
#include "image/effects/effect_routine.h"
#include "image/effects/kernels/tone_curve.h"

namespace velmora::image {

EffectResult ApplyBrightnessContrast(RgbBuffer& image, const CBildEffekt& effect) {
  const double brightness = DoubleIn(effect, 1, -1.0, 1.0);
  const double contrast = DoubleIn(effect, 2, -1.0, 1.0);
  if (brightness == 0 && contrast == 0) return {};
  ApplyToneCurve(image, BrightnessContrastCurve(brightness, contrast));
  return {};
}

}  // namespace velmora::image
