// Watercolour: soft washes of colour with darker rims where areas meet, as
// pigment pools at the edge of a wet patch.
// D1 blur, 0-1 (0.5): how much detail is washed out (a Gaussian of 1 + 4 D1
//    pixels); the rims come from pushing the washed picture away from a copy
//    softened once more by a box about three times as wide as that sigma;
// L1 contrast and L2 brighten, -100 to 100 percent (0, 0): the brightness and
//    contrast curve applied to the result.
#include <algorithm>

#include "image/effects/effect_routine.h"
#include "image/effects/kernels/blend.h"
#include "image/effects/kernels/box_blur.h"
#include "image/effects/kernels/tone_curve.h"

namespace velmora::image {

EffectResult ApplyWatercolor(RgbBuffer& image, const CBildEffekt& effect) {
  const double sigma = 1.0 + 4.0 * DoubleIn(effect, 1, 0.0, 1.0);
  const double contrast = LongIn(effect, 1, -100, 100) / 100.0;
  const double brighten = LongIn(effect, 2, -100, 100) / 100.0;
  // The picture itself becomes the wash; only the softer copy needs a buffer,
  // taken before the picture changes.
  RgbBuffer softer = RgbBuffer::Uninitialized(image.width(), image.height());
  GaussianBlurPlane(PlaneOf(image), sigma);
  std::copy_n(image.data(), image.size(), softer.data());
  const int reach = static_cast<int>(3.0 * sigma + 0.5);
  BoxBlurPlane(PlaneOf(softer), reach, reach);
  MoveTowards(image, softer, -1.0, 0, {true, true, true});
  if (contrast != 0 || brighten != 0) ApplyToneCurve(image, BrightnessContrastCurve(brighten, contrast));
  return {};
}

}  // namespace velmora::image
