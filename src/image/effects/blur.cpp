// Blur: a Gaussian blur mixed into the picture.
// L1 filter size, 0-999 pixels (50): the width of the window that holds nearly all
// of the blur (sigma = size / 6); L2 channels, bit 1 red, bit 2 green, bit 4 blue
// (7 = all); D1 intensity, 0-1 (0.5): how much of the blurred picture is mixed in.
#include "image/effects/effect_routine.h"
#include "image/effects/kernels/blend.h"
#include "image/effects/kernels/box_blur.h"

namespace velmora::image {

EffectResult ApplyBlur(RgbBuffer& image, const CBildEffekt& effect) {
  const double sigma = LongIn(effect, 1, 0, 999) / 6.0;
  const ChannelMask channels = ChannelsOf(effect.LongArray(2));
  const double intensity = DoubleIn(effect, 1, 0.0, 1.0);
  if (intensity == 0 || !AnyChannel(channels)) return {};
  const RgbBuffer blurred = GaussianBlurred(image, sigma);
  MoveTowards(image, blurred, intensity, 0, channels);
  return {};
}

}  // namespace velmora::image
