// The resampling filters of the clone settings, as kernels over a distance
// in source pixels. Codes 0 to 13 choose a filter for shrinking, 14 and 15
// are the linear default filters and 16 is the interpolation used whenever
// an image grows.
#pragma once

namespace velmora::image {

inline constexpr int kResizeModeLinear2x2 = 14;
inline constexpr int kResizeModeLinear4x4 = 15;
inline constexpr int kResizeModeEnlarge = 16;
inline constexpr int kDefaultFilterCode = -2;

struct ResampleFilter {
  double (*kernel)(double x);
  double support;  // the kernel is zero from here on, at scale 1
};

// The filter of a resize mode 0..16; other modes give the linear default.
ResampleFilter FilterForMode(int mode);
// The mode a clone filter setting selects when shrinking: -2 and anything
// unknown give 14, -1 gives 15, 0..13 pass unchanged.
int ShrinkModeForFilter(int filter_code);

}  // namespace velmora::image
