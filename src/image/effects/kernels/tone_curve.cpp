#include "image/effects/kernels/tone_curve.h"

#include <cmath>
#include <numbers>

namespace velmora::image {

void ApplyToneCurve(RgbBuffer& image, const ToneCurve& curve, ChannelMask channels) {
  std::uint8_t* p = image.data();
  const std::size_t n = image.size();
  if (channels[0] && channels[1] && channels[2]) {
    for (std::size_t i = 0; i < n; ++i) p[i] = curve[p[i]];
    return;
  }
  for (std::size_t i = 0; i < n; i += 3) {
    for (int c = 0; c < 3; ++c) {
      if (channels[c]) p[i + c] = curve[p[i + c]];
    }
  }
}

ToneCurve BrightnessContrastCurve(double brightness, double contrast) {
  // The slope reaches infinity at contrast 1; stop just short of it.
  const double slope = std::tan((std::min(contrast, 0.999) + 1.0) * std::numbers::pi / 4.0);
  return MakeToneCurve([&](double v) {
    double x = v / 255.0;
    x = brightness < 0 ? x * (1.0 + brightness) : x + (1.0 - x) * brightness;
    x = (x - 0.5) * slope + 0.5;
    return x * 255.0;
  });
}

}  // namespace velmora::image
