// Sharpen: pushes every sample away from the mean of its 3 x 3 neighbourhood.
// L1 level in percent, 0-1000 (50): level 100 moves a sample four times its
// difference to that mean, about the classic 3 x 3 sharpening kernel; L2 the
// channels it works on, bit 1 red, bit 2 green, bit 4 blue (7 = all).
#include "image/effects/effect_routine.h"
#include "image/effects/kernels/blend.h"
#include "image/effects/kernels/box_blur.h"

namespace velmora::image {

EffectResult ApplySharpen(RgbBuffer& image, const CBildEffekt& effect) {
  const double amount = LongIn(effect, 1, 0, 1000) / 25.0;
  const ChannelMask channels = ChannelsOf(effect.LongArray(2));
  if (amount == 0 || !AnyChannel(channels)) return {};
  RgbBuffer mean = image.Clone();
  BoxBlurPlane(PlaneOf(mean), 1, 1);
  MoveTowards(image, mean, -amount, 0, channels);
  return {};
}

}  // namespace velmora::image
