// The image effect codes that profiles store as IMAGE_EFFECT_TYPE, with each
// code's option-page label key and parameter defaults.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace velmora::image {

namespace effect_code {
inline constexpr std::int32_t kSharpen = 0, kGamma = 1, kBrightnessContrast = 2, kBlur = 3, kSaturation = 4,
                              kUnsharpMask = 5, kGrayscale = 11, kMosaic = 12, kRotate = 13, kFlip = 14,
                              kShadow = 15, kNoise = 16, kInvert = 17, kSolarize = 18, kPosterize = 19,
                              kOilpainting = 20, kWatercolor = 21, kEdgeDetect = 22, kDuotone = 23,
                              kHalftone = 24, kCrackle = 25;
// Codes 6 to 10 are free and do nothing; so does every code above the last.
inline constexpr std::int32_t kLast = kCrackle;
}  // namespace effect_code

// Each effect has up to this many integer and floating-point parameters.
inline constexpr int kEffectParameterCount = 10;

struct EffectDefaults {
  std::int32_t code;
  std::string_view label_key;  // language key of the option page's label
  std::array<std::int32_t, kEffectParameterCount> longs;  // L1 at [0]
  std::array<double, kEffectParameterCount> doubles;      // D1 at [0]
};

// The defaults of an effect code; a code without an effect has no label and all
// parameters 0.
const EffectDefaults& DefaultsOfEffect(std::int32_t code);

}  // namespace velmora::image
