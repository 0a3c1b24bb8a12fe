#include "image/effects/effect_table.h"

#include <algorithm>
#include <iterator>

#include "image/clone_list/effect_codes.h"

namespace velmora::image {

// Each routine lives in its own file beside this one.
EffectResult ApplySharpen(RgbBuffer&, const CBildEffekt&);
EffectResult ApplyGamma(RgbBuffer&, const CBildEffekt&);
EffectResult ApplyBrightnessContrast(RgbBuffer&, const CBildEffekt&);
EffectResult ApplyBlur(RgbBuffer&, const CBildEffekt&);
EffectResult ApplySaturation(RgbBuffer&, const CBildEffekt&);
EffectResult ApplyUnsharpMask(RgbBuffer&, const CBildEffekt&);
EffectResult ApplyGrayscale(RgbBuffer&, const CBildEffekt&);
EffectResult ApplyMosaic(RgbBuffer&, const CBildEffekt&);
EffectResult ApplyRotate(RgbBuffer&, const CBildEffekt&);
EffectResult ApplyFlip(RgbBuffer&, const CBildEffekt&);
EffectResult ApplyDropShadow(RgbBuffer&, const CBildEffekt&);
EffectResult ApplyNoise(RgbBuffer&, const CBildEffekt&);
EffectResult ApplyInvert(RgbBuffer&, const CBildEffekt&);
EffectResult ApplySolarize(RgbBuffer&, const CBildEffekt&);
EffectResult ApplyPosterize(RgbBuffer&, const CBildEffekt&);
EffectResult ApplyOilPaint(RgbBuffer&, const CBildEffekt&);
EffectResult ApplyWatercolor(RgbBuffer&, const CBildEffekt&);
EffectResult ApplyEdgeDetect(RgbBuffer&, const CBildEffekt&);
EffectResult ApplyDuotone(RgbBuffer&, const CBildEffekt&);
EffectResult ApplyHalftone(RgbBuffer&, const CBildEffekt&);
EffectResult ApplyCrackle(RgbBuffer&, const CBildEffekt&);

namespace {

struct Entry {
  std::int32_t code;
  EffectRoutine routine;
};

constexpr Entry kRoutines[] = {
    {effect_code::kSharpen, &ApplySharpen},
    {effect_code::kGamma, &ApplyGamma},
    {effect_code::kBrightnessContrast, &ApplyBrightnessContrast},
    {effect_code::kBlur, &ApplyBlur},
    {effect_code::kSaturation, &ApplySaturation},
    {effect_code::kUnsharpMask, &ApplyUnsharpMask},
    {effect_code::kGrayscale, &ApplyGrayscale},
    {effect_code::kMosaic, &ApplyMosaic},
    {effect_code::kRotate, &ApplyRotate},
    {effect_code::kFlip, &ApplyFlip},
    {effect_code::kShadow, &ApplyDropShadow},
    {effect_code::kNoise, &ApplyNoise},
    {effect_code::kInvert, &ApplyInvert},
    {effect_code::kSolarize, &ApplySolarize},
    {effect_code::kPosterize, &ApplyPosterize},
    {effect_code::kOilpainting, &ApplyOilPaint},
    {effect_code::kWatercolor, &ApplyWatercolor},
    {effect_code::kEdgeDetect, &ApplyEdgeDetect},
    {effect_code::kDuotone, &ApplyDuotone},
    {effect_code::kHalftone, &ApplyHalftone},
    {effect_code::kCrackle, &ApplyCrackle},
};

}  // namespace

EffectRoutine FindEffectRoutine(std::int32_t code) {
  const auto* found =
      std::find_if(std::begin(kRoutines), std::end(kRoutines), [code](const Entry& e) { return e.code == code; });
  return found == std::end(kRoutines) ? nullptr : found->routine;
}

}  // namespace velmora::image
