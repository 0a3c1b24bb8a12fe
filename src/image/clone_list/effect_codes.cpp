#include "image/clone_list/effect_codes.h"

#include <algorithm>
#include <iterator>

namespace velmora::image {
namespace {

constexpr std::int32_t kWhite = 16777215;
constexpr std::int32_t kDuotoneBrown = 0 * 65536 + 64 * 256 + 128;  // red 128, green 64, blue 0

const EffectDefaults kDefaults[] = {
    {effect_code::kSharpen, "EffectSharpen", {50, 7}, {}},
    {effect_code::kGamma, "EffectGamma", {}, {1.0}},
    {effect_code::kBrightnessContrast, "EffectBrightnessContrast", {}, {0.0, 0.0}},
    {effect_code::kBlur, "EffectBlur", {50, 7}, {0.5}},
    {effect_code::kSaturation, "EffectSaturation", {}, {1.0}},
    {effect_code::kUnsharpMask, "EffectUnsharpMask", {50, 7}, {0.5, 2.0}},
    {effect_code::kGrayscale, "EffectGrayscale", {}, {}},
    {effect_code::kMosaic, "EffectMosaic", {10, 10}, {}},
    {effect_code::kRotate, "EffectRotate", {0}, {}},
    {effect_code::kFlip, "EffectFlip", {1}, {}},
    {effect_code::kShadow, "EffectShadow", {10, 135, kWhite, 0, 0, 10}, {}},
    {effect_code::kNoise, "EffectNoise", {1000, 0, 7}, {}},
    {effect_code::kInvert, "EffectInvert", {}, {}},
    {effect_code::kSolarize, "EffectSolarize", {}, {}},
    {effect_code::kPosterize, "EffectPosterize", {}, {}},
    {effect_code::kOilpainting, "EffectOilpainting", {3, 16, 0}, {}},
    {effect_code::kWatercolor, "EffectWatercolor", {0, 0}, {0.5}},
    {effect_code::kEdgeDetect, "EffectEdgeDetect", {}, {0.1, 0.0, 0.0}},
    {effect_code::kDuotone, "EffectDuotone", {kDuotoneBrown}, {}},
    {effect_code::kHalftone, "EffectHalftone", {3}, {}},
    {effect_code::kCrackle, "EffectCrackle", {2, 20, 0}, {}},
};

const EffectDefaults kNoEffect{-1, "", {}, {}};

}  // namespace

const EffectDefaults& DefaultsOfEffect(std::int32_t code) {
  const auto* found = std::find_if(std::begin(kDefaults), std::end(kDefaults),
                                   [code](const EffectDefaults& d) { return d.code == code; });
  return found == std::end(kDefaults) ? kNoEffect : *found;
}

}  // namespace velmora::image
