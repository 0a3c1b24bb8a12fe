// Unsharp mask: sharpens edges by pushing each sample away from a blurred copy.
// L1 threshold, 0-255 levels (50): smaller differences (noise, skin) stay as they
// are; L2 channels, bit 1 red, bit 2 green, bit 4 blue (7 = all); D1 amount, 0-10
// (0.5 = half the difference added). The blur radius is fixed at 2 pixels, the
// value profiles carry in D2, which is kept but deliberately not read: profiles
// always produced this radius whatever D2 said.
#include "image/effects/effect_routine.h"
#include "image/effects/kernels/blend.h"
#include "image/effects/kernels/box_blur.h"

namespace velmora::image {

EffectResult ApplyUnsharpMask(RgbBuffer& image, const CBildEffekt& effect) {
  constexpr double kRadius = 2.0;
  const int threshold = LongIn(effect, 1, 0, 255);
  const ChannelMask channels = ChannelsOf(effect.LongArray(2));
  const double amount = DoubleIn(effect, 1, 0.0, 10.0);
  if (amount == 0 || !AnyChannel(channels)) return {};
  const RgbBuffer blurred = GaussianBlurred(image, kRadius);
  MoveTowards(image, blurred, -amount, threshold, channels);
  return {};
}

}  // namespace velmora::image
