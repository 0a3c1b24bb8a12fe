// Greyscale: every pixel becomes its Rec. 601 luma in all three channels.
#include "image/effects/effect_routine.h"
#include "image/effects/kernels/tone_curve.h"

namespace velmora::image {

EffectResult ApplyGrayscale(RgbBuffer& image, const CBildEffekt&) {
  std::uint8_t* p = image.data();
  for (std::size_t i = 0; i < image.size(); i += 3) {
    const std::uint8_t grey = Luma(p + i);
    p[i] = p[i + 1] = p[i + 2] = grey;
  }
  return {};
}

}  // namespace velmora::image
