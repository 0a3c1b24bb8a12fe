#include "image/resize/resize_image.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

#include "image/image_error.h"
#include "image/resize/resample_filter.h"

namespace velmora::image {
namespace {

constexpr int kPrecision = 14;  // fixed-point bits of a weight
constexpr int kOne = 1 << kPrecision;

// For every output position the first source position and a fixed number of
// weights (zero-padded), laid out contiguously for the inner loops.
struct Weights {
  int taps = 0;
  std::vector<int> first;
  std::vector<std::int32_t> values;  // size() * taps
};

Weights ComputeWeights(int in_size, int out_size, const ResampleFilter& filter) {
  const double scale = static_cast<double>(in_size) / out_size;
  // Shrinking stretches the kernel over the source so that every source
  // pixel contributes (no aliasing); enlarging interpolates.
  const double stretch = std::max(scale, 1.0);
  const double support = filter.support * stretch;
  Weights w;
  // The most source pixel centres any output's kernel covers; every tap
  // beyond that would only multiply by zero.
  w.taps = 1;
  for (int i = 0; i < out_size; ++i) {
    const double centre = (i + 0.5) * scale;
    const int lo = std::max(0, static_cast<int>(std::ceil(centre - support - 0.5)));
    const int hi = std::min(in_size - 1, static_cast<int>(std::floor(centre + support - 0.5)));
    w.taps = std::max(w.taps, hi - lo + 1);
  }
  w.first.resize(static_cast<std::size_t>(out_size));
  w.values.assign(static_cast<std::size_t>(out_size) * w.taps, 0);
  std::vector<double> raw(static_cast<std::size_t>(w.taps));
  for (int i = 0; i < out_size; ++i) {
    const double centre = (i + 0.5) * scale;
    int first = static_cast<int>(std::ceil(centre - support - 0.5));
    first = std::clamp(first, 0, in_size - w.taps);
    double sum = 0.0;
    for (int k = 0; k < w.taps; ++k) {
      raw[k] = filter.kernel((first + k + 0.5 - centre) / stretch);
      sum += raw[k];
    }
    if (sum == 0.0) {  // a narrow kernel between samples: take the nearest one
      const int nearest = std::clamp(static_cast<int>(centre), first, first + w.taps - 1);
      raw.assign(raw.size(), 0.0);
      raw[nearest - first] = 1.0;
      sum = 1.0;
    }
    w.first[i] = first;
    std::int32_t* dst = &w.values[static_cast<std::size_t>(i) * w.taps];
    for (int k = 0; k < w.taps; ++k) dst[k] = static_cast<std::int32_t>(std::lround(raw[k] / sum * kOne));
  }
  return w;
}

inline std::uint8_t ToByte(std::int32_t accumulated) {
  return static_cast<std::uint8_t>(std::clamp((accumulated + kOne / 2) >> kPrecision, 0, 255));
}

// Both passes are built for plain x86-64 and for AVX2, chosen at start-up.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define VELMORA_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define VELMORA_VECTOR_CLONES
#endif

// Down the columns: each output row is a weighted sum of whole source rows,
// a loop over contiguous bytes that the compiler vectorises.
VELMORA_VECTOR_CLONES RgbBuffer ResampleColumns(const RgbBuffer& source, int height, const ResampleFilter& filter) {
  const Weights w = ComputeWeights(source.height(), height, filter);
  RgbBuffer out = RgbBuffer::Uninitialized(source.width(), height);
  const std::size_t n = source.stride();
  std::vector<std::int32_t> sum(n);
  for (int y = 0; y < height; ++y) {
    std::fill(sum.begin(), sum.end(), 0);
    const std::int32_t* weights = &w.values[static_cast<std::size_t>(y) * w.taps];
    for (int k = 0; k < w.taps; ++k) {
      const std::int32_t weight = weights[k];
      if (weight == 0) continue;
      const std::uint8_t* __restrict src = source.row(w.first[y] + k);
      std::int32_t* __restrict acc = sum.data();
      for (std::size_t i = 0; i < n; ++i) acc[i] += weight * src[i];
    }
    std::uint8_t* __restrict dst = out.row(y);
    for (std::size_t i = 0; i < n; ++i) dst[i] = ToByte(sum[i]);
  }
  return out;
}

// Along the rows: per output pixel a short weighted sum of its neighbours.
// kTaps > 0 fixes the tap count at compile time so the loop unrolls; 0 is
// the general case.
template <int kTaps>
void ResampleRow(const std::uint8_t* src, std::uint8_t* dst, int width, const Weights& w) {
  const int taps = kTaps > 0 ? kTaps : w.taps;
  for (int x = 0; x < width; ++x) {
    const std::int32_t* weights = &w.values[static_cast<std::size_t>(x) * taps];
    const std::uint8_t* p = src + static_cast<std::size_t>(w.first[x]) * 3;
    std::int32_t r = 0, g = 0, b = 0;
    for (int k = 0; k < taps; ++k, p += 3) {
      r += weights[k] * p[0];
      g += weights[k] * p[1];
      b += weights[k] * p[2];
    }
    dst[x * 3] = ToByte(r);
    dst[x * 3 + 1] = ToByte(g);
    dst[x * 3 + 2] = ToByte(b);
  }
}

VELMORA_VECTOR_CLONES RgbBuffer ResampleRows(const RgbBuffer& source, int width, const ResampleFilter& filter) {
  const Weights w = ComputeWeights(source.width(), width, filter);
  RgbBuffer out = RgbBuffer::Uninitialized(width, source.height());
  using RowFunction = void (*)(const std::uint8_t*, std::uint8_t*, int, const Weights&);
  static constexpr RowFunction kFixed[] = {ResampleRow<0>, ResampleRow<1>, ResampleRow<2>, ResampleRow<3>,
                                           ResampleRow<4>, ResampleRow<5>, ResampleRow<6>, ResampleRow<7>};
  const RowFunction row = w.taps < 8 ? kFixed[w.taps] : ResampleRow<0>;
  for (int y = 0; y < source.height(); ++y) row(source.row(y), out.row(y), width, w);
  return out;
}

}  // namespace

RgbBuffer ResampleImage(const RgbBuffer& source, int width, int height, int mode) {
  const ResampleFilter filter = FilterForMode(mode);
  // Columns first: the row pass, which the compiler cannot vectorise as
  // well, then runs over the fewer output rows.
  RgbBuffer columns = height == source.height() ? source.Clone() : ResampleColumns(source, height, filter);
  if (width == source.width()) return columns;
  return ResampleRows(columns, width, filter);
}

RgbBuffer ResizeImage(const RgbBuffer& source, int width, int height, int filter_code) {
  if (width <= 0 || height <= 0 || source.empty()) {
    throw ImageError(kImageErrorBase + 1, "ResizeImage", "GlobalAlloc",
                     "invalid size " + std::to_string(width) + " x " + std::to_string(height));
  }
  try {
    if (width == source.width() && height == source.height()) return source.Clone();
    const bool shrinks = width < source.width() && height < source.height();
    return ResampleImage(source, width, height, shrinks ? ShrinkModeForFilter(filter_code) : kResizeModeEnlarge);
  } catch (const std::bad_alloc&) {
    throw ImageError(kImageErrorBase + 1, "ResizeImage", "GlobalAlloc", "out of memory");
  }
}

Rgb AverageColour(const RgbBuffer& image) {
  if (image.empty()) return {255, 255, 255};
  std::uint64_t sum[3] = {0, 0, 0};
  for (int y = 0; y < image.height(); ++y) {
    const std::uint8_t* p = image.row(y);
    for (int x = 0; x < image.width(); ++x, p += 3) {
      sum[0] += p[0];
      sum[1] += p[1];
      sum[2] += p[2];
    }
  }
  const std::uint64_t n = static_cast<std::uint64_t>(image.width()) * image.height();
  return {static_cast<std::uint8_t>((sum[0] + n / 2) / n), static_cast<std::uint8_t>((sum[1] + n / 2) / n),
          static_cast<std::uint8_t>((sum[2] + n / 2) / n)};
}

}  // namespace velmora::image
