#include "image/resize/resize_image.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

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
// Not under ThreadSanitizer: the instrumented chooser would run while the
// program is being loaded, before the sanitizer is ready, and crash.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) && !defined(__SANITIZE_THREAD__)
#define VELMORA_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define VELMORA_VECTOR_CLONES
#endif

// Down the columns: output row y as a weighted sum of whole source rows, a
// loop over contiguous bytes that the compiler vectorises.
VELMORA_VECTOR_CLONES void ResampleColumn(const RgbBuffer& source, const Weights& w, int y, std::int32_t* sum,
                                          std::uint8_t* dst) {
  const std::size_t n = source.stride();
  std::fill(sum, sum + n, 0);
  const std::int32_t* weights = &w.values[static_cast<std::size_t>(y) * w.taps];
  for (int k = 0; k < w.taps; ++k) {
    const std::int32_t weight = weights[k];
    if (weight == 0) continue;
    const std::uint8_t* __restrict src = source.row(w.first[y] + k);
    std::int32_t* __restrict acc = sum;
    for (std::size_t i = 0; i < n; ++i) acc[i] += weight * src[i];
  }
  std::uint8_t* __restrict out = dst;
  for (std::size_t i = 0; i < n; ++i) out[i] = ToByte(sum[i]);
}

// Along the rows: per output pixel a short weighted sum of its neighbours.
// kTaps > 0 fixes the tap count at compile time so the loop unrolls; 0 is
// the general case. Every source row must be followed by at least one
// readable byte (the vector version loads four bytes per pixel).
template <int kTaps>
void ResampleRowScalar(const std::uint8_t* src, std::uint8_t* dst, int width, const Weights& w) {
  const int taps = kTaps > 0 ? kTaps : w.taps;
  const int* first = w.first.data();
  const std::int32_t* values = w.values.data();
  for (int x = 0; x < width; ++x) {
    const std::int32_t* weights = values + static_cast<std::size_t>(x) * taps;
    const std::uint8_t* p = src + static_cast<std::size_t>(first[x]) * 3;
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

#if defined(__x86_64__) && defined(__GNUC__)
// The three channels of a pixel side by side in one SSE register; the
// fourth lane carries the next byte along and is dropped.
template <int kTaps>
__attribute__((target("sse4.1"))) void ResampleRowSse41(const std::uint8_t* src, std::uint8_t* dst, int width,
                                                        const Weights& w) {
  const int taps = kTaps > 0 ? kTaps : w.taps;
  const int* first = w.first.data();
  const std::int32_t* values = w.values.data();
  const __m128i half = _mm_set1_epi32(kOne / 2);
  for (int x = 0; x < width; ++x) {
    const std::int32_t* weights = values + static_cast<std::size_t>(x) * taps;
    const std::uint8_t* p = src + static_cast<std::size_t>(first[x]) * 3;
    __m128i sum = half;
    for (int k = 0; k < taps; ++k, p += 3) {
      std::int32_t bytes;
      std::memcpy(&bytes, p, 4);
      const __m128i pixel = _mm_cvtepu8_epi32(_mm_cvtsi32_si128(bytes));
      sum = _mm_add_epi32(sum, _mm_mullo_epi32(pixel, _mm_set1_epi32(weights[k])));
    }
    const __m128i shifted = _mm_srai_epi32(sum, kPrecision);
    const __m128i words = _mm_packs_epi32(shifted, shifted);
    const __m128i packed = _mm_packus_epi16(words, words);
    const std::int32_t out = _mm_cvtsi128_si32(packed);
    std::memcpy(dst + x * 3, &out, 3);
  }
}
#endif

using RowFunction = void (*)(const std::uint8_t*, std::uint8_t*, int, const Weights&);

RowFunction RowFunctionFor(int taps) {
#if defined(__x86_64__) && defined(__GNUC__)
  static const bool sse41 = __builtin_cpu_supports("sse4.1");
  if (sse41) {
    static constexpr RowFunction kFixed[] = {ResampleRowSse41<0>, ResampleRowSse41<1>, ResampleRowSse41<2>,
                                             ResampleRowSse41<3>, ResampleRowSse41<4>, ResampleRowSse41<5>,
                                             ResampleRowSse41<6>, ResampleRowSse41<7>};
    return taps < 8 ? kFixed[taps] : ResampleRowSse41<0>;
  }
#endif
  static constexpr RowFunction kFixed[] = {ResampleRowScalar<0>, ResampleRowScalar<1>, ResampleRowScalar<2>,
                                           ResampleRowScalar<3>, ResampleRowScalar<4>, ResampleRowScalar<5>,
                                           ResampleRowScalar<6>, ResampleRowScalar<7>};
  return taps < 8 ? kFixed[taps] : ResampleRowScalar<0>;
}

}  // namespace

RgbBuffer ResampleImage(const RgbBuffer& source, int width, int height, int mode) {
  if (width == source.width() && height == source.height()) return source.Clone();
  const ResampleFilter filter = FilterForMode(mode);
  const bool columns = height != source.height();
  const bool rows = width != source.width();
  const Weights wy = columns ? ComputeWeights(source.height(), height, filter) : Weights{};
  const Weights wx = rows ? ComputeWeights(source.width(), width, filter) : Weights{};
  const RowFunction row_function = rows ? RowFunctionFor(wx.taps) : nullptr;
  RgbBuffer out = RgbBuffer::Uninitialized(width, height);
  // Each output row is made in one go, columns first, then along the row,
  // through one line buffer: no intermediate image, and the line stays in
  // cache between the passes. The line has the spare bytes the row pass reads.
  std::vector<std::uint8_t> line(source.stride() + 4, 0);
  std::vector<std::int32_t> sum(columns ? source.stride() : 0);
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* src = source.row(y);
    if (columns) {
      ResampleColumn(source, wy, y, sum.data(), line.data());
      src = line.data();
    } else if (y == height - 1) {
      std::memcpy(line.data(), src, source.stride());
      src = line.data();
    }
    if (rows) {
      row_function(src, out.row(y), width, wx);
    } else {
      std::memcpy(out.row(y), src, out.stride());
    }
  }
  return out;
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

Rgb AverageColour(const RgbBuffer& image) { return AverageColour(image, 0, 0, image.width(), image.height()); }

Rgb AverageColour(const RgbBuffer& image, int left, int top, int right, int bottom) {
  if (right <= left || bottom <= top) return {255, 255, 255};
  // Four pixels at a time into twelve lanes, which the compiler vectorises;
  // a row's lanes cannot overflow (1,000,000 / 4 pixels x 255 < 2^32).
  constexpr std::size_t kLanes = 12;
  std::uint64_t sum[3] = {0, 0, 0};
  const std::size_t bytes = static_cast<std::size_t>(right - left) * 3;
  const std::size_t whole = bytes - bytes % kLanes;
  for (int y = top; y < bottom; ++y) {
    const std::uint8_t* p = image.pixel(left, y);
    std::uint32_t lanes[kLanes] = {};
    for (std::size_t i = 0; i < whole; i += kLanes) {
      for (std::size_t k = 0; k < kLanes; ++k) lanes[k] += p[i + k];
    }
    for (std::size_t i = whole; i < bytes; ++i) lanes[i % 3] += p[i];
    for (std::size_t k = 0; k < kLanes; ++k) sum[k % 3] += lanes[k];
  }
  const std::uint64_t n = static_cast<std::uint64_t>(right - left) * static_cast<std::uint64_t>(bottom - top);
  return {static_cast<std::uint8_t>((sum[0] + n / 2) / n), static_cast<std::uint8_t>((sum[1] + n / 2) / n),
          static_cast<std::uint8_t>((sum[2] + n / 2) / n)};
}

}  // namespace velmora::image
