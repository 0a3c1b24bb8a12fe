// Saturation: D1 factor, 0-10 (1.0): 0 grey, 1 unchanged, 2 twice as colourful.
// Each colour moves away from (or towards) its own grey value, so brightness stays.
#include "image/effects/effect_routine.h"
#include "image/effects/kernels/tone_curve.h"

namespace velmora::image {

EffectResult ApplySaturation(RgbBuffer& image, const CBildEffekt& effect) {
  const double factor = DoubleIn(effect, 1, 0.0, 10.0);
  if (factor == 1.0) return {};
  const int scaled = static_cast<int>(factor * 256.0 + 0.5);
  std::uint8_t* p = image.data();
  for (std::size_t i = 0; i < image.size(); i += 3) {
    const int grey = Luma(p + i);
    for (int c = 0; c < 3; ++c) {
      const int v = grey + (((p[i + c] - grey) * scaled + 128) >> 8);
      p[i + c] = static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
    }
  }
  return {};
}

}  // namespace velmora::image
