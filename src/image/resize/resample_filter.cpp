#include "image/resize/resample_filter.h"

#include <cmath>
#include <numbers>

namespace velmora::image {
namespace {

constexpr double kPi = std::numbers::pi;

double Sinc(double x) {
  if (x == 0.0) return 1.0;
  x *= kPi;
  return std::sin(x) / x;
}

double Box(double x) { return x > -0.5 && x <= 0.5 ? 1.0 : 0.0; }
double Triangle(double x) {
  x = std::fabs(x);
  return x < 1.0 ? 1.0 - x : 0.0;
}
double Hermite(double x) {
  x = std::fabs(x);
  return x < 1.0 ? (2.0 * x - 3.0) * x * x + 1.0 : 0.0;
}
double Hamming(double x) {
  x = std::fabs(x);
  return x < 1.0 ? Sinc(x) * (0.54 + 0.46 * std::cos(kPi * x)) : 0.0;
}
double Hanning(double x) {
  x = std::fabs(x);
  return x < 2.0 ? Sinc(x) * (0.5 + 0.5 * std::cos(kPi * x / 2.0)) : 0.0;
}
double Blackman(double x) {
  x = std::fabs(x);
  return x < 3.0 ? Sinc(x) * (0.42 + 0.5 * std::cos(kPi * x / 3.0) + 0.08 * std::cos(2.0 * kPi * x / 3.0)) : 0.0;
}
double Gaussian(double x) { return std::exp(-2.0 * x * x) * std::sqrt(2.0 / kPi); }
double Bell(double x) {
  x = std::fabs(x);
  if (x < 0.5) return 0.75 - x * x;
  if (x < 1.5) return 0.5 * (x - 1.5) * (x - 1.5);
  return 0.0;
}
double Lanczos3(double x) {
  x = std::fabs(x);
  return x < 3.0 ? Sinc(x) * Sinc(x / 3.0) : 0.0;
}

// Mitchell and Netravali's two-parameter cubic family, and the members of it
// that the filter codes name.
double Bicubic(double x, double b, double c) {
  x = std::fabs(x);
  if (x < 1.0) return ((12 - 9 * b - 6 * c) * x * x * x + (-18 + 12 * b + 6 * c) * x * x + (6 - 2 * b)) / 6.0;
  if (x < 2.0) {
    return ((-b - 6 * c) * x * x * x + (6 * b + 30 * c) * x * x + (-12 * b - 48 * c) * x + (8 * b + 24 * c)) / 6.0;
  }
  return 0.0;
}
double BSpline(double x) { return Bicubic(x, 1.0, 0.0); }
double CatmullRom(double x) { return Bicubic(x, 0.0, 0.5); }
double SharpCubic(double x) { return Bicubic(x, 0.0, 1.0); }
double Mitchell(double x) { return Bicubic(x, 1.0 / 3.0, 1.0 / 3.0); }

}  // namespace

ResampleFilter FilterForMode(int mode) {
  switch (mode) {
    case 0: return {Box, 0.5};
    case 1: return {Triangle, 1.0};
    case 2: return {Hamming, 1.0};
    case 3: return {Gaussian, 1.5};
    case 4: return {Bell, 1.5};
    case 5: return {BSpline, 2.0};  // B-spline: smooth, no ringing
    case 6: return {CatmullRom, 2.0};  // Catmull-Rom: sharp
    case 7: return {SharpCubic, 2.0};  // sharper still, some ringing
    case 8: return {Lanczos3, 3.0};
    case 9: return {Mitchell, 2.0};
    case 10: return {Sinc, 4.0};
    case 11: return {Hermite, 1.0};
    case 12: return {Hanning, 2.0};
    case 13: return {Blackman, 3.0};
    case kResizeModeLinear4x4: return {CatmullRom, 2.0};
    case kResizeModeEnlarge: return {CatmullRom, 2.0};
    default: return {Triangle, 1.0};
  }
}

int ShrinkModeForFilter(int filter_code) {
  if (filter_code == -1) return kResizeModeLinear4x4;
  if (filter_code >= 0 && filter_code <= 13) return filter_code;
  return kResizeModeLinear2x2;
}

}  // namespace velmora::image
