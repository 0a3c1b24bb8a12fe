#include "image/codecs/srgb_conversion.h"

#include <lcms2.h>

#include <array>
#include <cstring>
#include <memory>

namespace velmora::image {
namespace {

struct ProfileCloser {
  void operator()(void* p) const { cmsCloseProfile(p); }
};
struct TransformDeleter {
  void operator()(void* p) const { cmsDeleteTransform(p); }
};
using Profile = std::unique_ptr<void, ProfileCloser>;
using Transform = std::unique_ptr<void, TransformDeleter>;

// Relative colorimetric, as browsers map matrix profiles: colours inside
// sRGB keep their values, those outside are clipped to its edge.
void Apply(RgbBuffer& image, cmsHPROFILE source) {
  if (image.empty()) return;
  const Profile srgb(cmsCreate_sRGBProfile());
  if (!srgb) return;
  const Transform transform(cmsCreateTransform(source, TYPE_RGB_8, srgb.get(), TYPE_RGB_8,
                                               INTENT_RELATIVE_COLORIMETRIC, 0));
  if (!transform) return;
  // Row by row: the pixel count of one call is a 32-bit number.
  for (int y = 0; y < image.height(); ++y) {
    cmsDoTransform(transform.get(), image.row(y), image.row(y), static_cast<cmsUInt32Number>(image.width()));
  }
}

bool DescribesSrgb(cmsHPROFILE profile) {
  char description[64] = {};
  cmsGetProfileInfoASCII(profile, cmsInfoDescription, "en", "US", description, sizeof description);
  return std::strncmp(description, "sRGB", 4) == 0;
}

// The curve of an H.273 transfer code; nothing for a curve we cannot map.
cmsToneCurve* CurveOf(int transfer) {
  switch (transfer) {
    case 1: case 6: case 14: case 15: {  // BT.709, BT.601 and BT.2020 share one curve
      const cmsFloat64Number bt709[5] = {1.0 / 0.45, 1.0 / 1.099, 0.099 / 1.099, 1.0 / 4.5, 0.081};
      return cmsBuildParametricToneCurve(nullptr, 4, bt709);
    }
    case 4: return cmsBuildGamma(nullptr, 2.2);
    case 5: return cmsBuildGamma(nullptr, 2.8);
    case 8: return cmsBuildGamma(nullptr, 1.0);
    case 16: case 18: return nullptr;  // PQ, HLG
    default: {  // sRGB (13), unspecified and the rare rest
      const cmsFloat64Number srgb[5] = {2.4, 1.0 / 1.055, 0.055 / 1.055, 1.0 / 12.92, 0.04045};
      return cmsBuildParametricToneCurve(nullptr, 4, srgb);
    }
  }
}

bool Plausible(float x, float y) { return x > 0.0f && x < 1.0f && y > 0.0f && y < 1.0f; }

}  // namespace

void ConvertIccToSrgb(RgbBuffer& image, std::span<const std::uint8_t> icc_profile) {
  if (icc_profile.empty() || icc_profile.size() > 0xFFFFFFFFu) return;
  const Profile source(cmsOpenProfileFromMem(icc_profile.data(), static_cast<cmsUInt32Number>(icc_profile.size())));
  if (!source || cmsGetColorSpace(source.get()) != cmsSigRgbData || DescribesSrgb(source.get())) return;
  Apply(image, source.get());
}

void ConvertCodedToSrgb(RgbBuffer& image, const CodedColourSpace& space) {
  if (space.primaries == 1 || space.primaries == 2) return;
  if (!Plausible(space.white_x, space.white_y) || !Plausible(space.red_x, space.red_y) ||
      !Plausible(space.green_x, space.green_y) || !Plausible(space.blue_x, space.blue_y)) {
    return;
  }
  cmsToneCurve* curve = CurveOf(space.transfer);
  if (curve == nullptr) return;
  const cmsCIExyY white = {space.white_x, space.white_y, 1.0};
  const cmsCIExyYTRIPLE primaries = {{space.red_x, space.red_y, 1.0},
                                     {space.green_x, space.green_y, 1.0},
                                     {space.blue_x, space.blue_y, 1.0}};
  cmsToneCurve* curves[3] = {curve, curve, curve};
  const Profile source(cmsCreateRGBProfile(&white, &primaries, curves));
  cmsFreeToneCurve(curve);
  if (source) Apply(image, source.get());
}

}  // namespace velmora::image
