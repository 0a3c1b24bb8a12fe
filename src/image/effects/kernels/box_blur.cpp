#include "image/effects/kernels/box_blur.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace velmora::image {
namespace {

// Window sums divided by the window size, rounded, for a whole row at once.
void DivideSums(const std::int32_t* sums, std::uint8_t* out, std::size_t n, float inverse) {
  std::size_t k = 0;
#if defined(__SSE2__)
  const __m128 scale = _mm_set1_ps(inverse);
  const __m128 half = _mm_set1_ps(0.5f);
  const auto mean = [&](std::size_t at) {
    const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(sums + at));
    return _mm_cvttps_epi32(_mm_add_ps(_mm_mul_ps(_mm_cvtepi32_ps(s), scale), half));
  };
  for (; k + 16 <= n; k += 16) {
    const __m128i low = _mm_packs_epi32(mean(k), mean(k + 4));
    const __m128i high = _mm_packs_epi32(mean(k + 8), mean(k + 12));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + k), _mm_packus_epi16(low, high));
  }
#endif
  for (; k < n; ++k) out[k] = static_cast<std::uint8_t>(static_cast<int>(static_cast<float>(sums[k]) * inverse + 0.5f));
}

// sums += enter - leave, sample by sample.
void AddDifference(std::int32_t* sums, const std::uint8_t* enter, const std::uint8_t* leave, std::size_t n) {
  std::size_t k = 0;
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  const auto add = [&](std::size_t at, __m128i diff16) {
    __m128i* s = reinterpret_cast<__m128i*>(sums + at);
    const __m128i sign = _mm_srai_epi16(diff16, 15);
    _mm_storeu_si128(s, _mm_add_epi32(_mm_loadu_si128(s), _mm_unpacklo_epi16(diff16, sign)));
    _mm_storeu_si128(s + 1, _mm_add_epi32(_mm_loadu_si128(s + 1), _mm_unpackhi_epi16(diff16, sign)));
  };
  for (; k + 16 <= n; k += 16) {
    const __m128i in = _mm_loadu_si128(reinterpret_cast<const __m128i*>(enter + k));
    const __m128i off = _mm_loadu_si128(reinterpret_cast<const __m128i*>(leave + k));
    add(k, _mm_sub_epi16(_mm_unpacklo_epi8(in, zero), _mm_unpacklo_epi8(off, zero)));
    add(k + 8, _mm_sub_epi16(_mm_unpackhi_epi8(in, zero), _mm_unpackhi_epi8(off, zero)));
  }
#endif
  for (; k < n; ++k) sums[k] += enter[k] - leave[k];
}

// Blurs one row along x for each radius in turn while the row is in cache.
// `pad` holds the row with `r` repeated edge pixels before it and `r + 1` after
// it (the last step reads one pixel beyond the window); the running
// sums go to `acc` and are divided for the whole row at once.
template <int C>
void BlurRow(std::uint8_t* row, int width, const int* radii, int passes, std::vector<std::uint8_t>& pad,
             std::vector<std::int32_t>& acc) {
  acc.resize(static_cast<std::size_t>(width) * C);
  for (int pass = 0; pass < passes; ++pass) {
    const int r = radii[pass];
    if (r <= 0) continue;
    pad.resize(static_cast<std::size_t>(width + 2 * r + 1) * C);
    std::uint8_t* p = pad.data();
    for (int x = 0; x < r; ++x) std::memcpy(p + x * C, row, C);
    std::memcpy(p + static_cast<std::size_t>(r) * C, row, static_cast<std::size_t>(width) * C);
    for (int x = 0; x <= r; ++x) std::memcpy(p + static_cast<std::size_t>(r + width + x) * C, row + (width - 1) * C, C);
    std::int32_t s0 = 0, s1 = 0, s2 = 0;
    for (int i = 0; i <= 2 * r; ++i) {
      s0 += p[i * C];
      if constexpr (C == 3) {
        s1 += p[i * C + 1];
        s2 += p[i * C + 2];
      }
    }
    const std::uint8_t* enter = p + (2 * r + 1) * C;
    const std::uint8_t* leave = p;
    std::int32_t* out = acc.data();
    for (int x = 0; x < width; ++x, enter += C, leave += C, out += C) {
      out[0] = s0;
      s0 += enter[0] - leave[0];
      if constexpr (C == 3) {
        out[1] = s1;
        out[2] = s2;
        s1 += enter[1] - leave[1];
        s2 += enter[2] - leave[2];
      }
    }
    DivideSums(acc.data(), row, acc.size(), 1.0f / static_cast<float>(2 * r + 1));
  }
}

void BlurRows(PixelPlane p, const int* radii, int passes) {
  std::vector<std::uint8_t> pad;
  std::vector<std::int32_t> acc;
  const std::size_t row_size = static_cast<std::size_t>(p.width) * p.channels;
  for (int y = 0; y < p.height; ++y) {
    std::uint8_t* row = p.data + y * row_size;
    if (p.channels == 3) {
      BlurRow<3>(row, p.width, radii, passes, pad, acc);
    } else {
      BlurRow<1>(row, p.width, radii, passes, pad, acc);
    }
  }
}

// Along y a whole row of sums moves down at once, which keeps memory access
// sequential. Reads `source` and writes `target` (the same size).
void BlurColumns(const std::uint8_t* source, std::uint8_t* target, std::size_t row_size, int height, int r,
                 std::vector<std::int32_t>& sums) {
  sums.assign(row_size, 0);
  const float inverse = 1.0f / static_cast<float>(2 * r + 1);
  const auto src_row = [&](int y) { return source + std::clamp(y, 0, height - 1) * row_size; };
  for (int i = -r; i <= r; ++i) {
    const std::uint8_t* s = src_row(i);
    for (std::size_t k = 0; k < row_size; ++k) sums[k] += s[k];
  }
  for (int y = 0; y < height; ++y) {
    DivideSums(sums.data(), target + y * row_size, row_size, inverse);
    AddDifference(sums.data(), src_row(y + r + 1), src_row(y - r), row_size);
  }
}

// Vertical passes alternate between the plane and the scratch copy; an odd
// number of passes ends with one copy back.
void BlurAllColumns(PixelPlane p, const int* radii, int passes, std::vector<std::uint8_t>& scratch) {
  const std::size_t row_size = static_cast<std::size_t>(p.width) * p.channels;
  std::vector<std::int32_t> sums;
  std::uint8_t* from = p.data;
  std::uint8_t* to = scratch.data();
  for (int pass = 0; pass < passes; ++pass) {
    if (radii[pass] <= 0) continue;
    BlurColumns(from, to, row_size, p.height, radii[pass], sums);
    std::swap(from, to);
  }
  if (from != p.data) std::memcpy(p.data, from, row_size * p.height);
}

void BlurPlane(PixelPlane plane, const int* rx, const int* ry, int passes) {
  if (plane.width <= 0 || plane.height <= 0) return;
  // The large buffer first: when memory runs out the plane is still untouched.
  std::vector<std::uint8_t> scratch(static_cast<std::size_t>(plane.width) * plane.channels * plane.height);
  BlurRows(plane, rx, passes);
  BlurAllColumns(plane, ry, passes, scratch);
}

}  // namespace

void BoxBlurPlane(PixelPlane plane, int rx, int ry) { BlurPlane(plane, &rx, &ry, 1); }

void GaussianBlurPlane(PixelPlane plane, double sigma) {
  if (!(sigma >= 1.0 / 3.0)) return;
  sigma = std::min(sigma, 2000.0);
  // Three boxes of widths wl or wl + 2 whose variances add up to sigma^2.
  constexpr int kPasses = 3;
  const double ideal = std::sqrt(12.0 * sigma * sigma / kPasses + 1.0);
  int wl = static_cast<int>(std::floor(ideal));
  if (wl % 2 == 0) --wl;
  const double m_ideal = (12.0 * sigma * sigma - kPasses * wl * wl - 4.0 * kPasses * wl - 3.0 * kPasses) / (-4.0 * wl - 4.0);
  const int m = static_cast<int>(std::lround(m_ideal));
  int radii[kPasses];
  for (int pass = 0; pass < kPasses; ++pass) radii[pass] = ((pass < m ? wl : wl + 2) - 1) / 2;
  BlurPlane(plane, radii, radii, kPasses);
}

RgbBuffer GaussianBlurred(const RgbBuffer& image, double sigma) {
  RgbBuffer copy = image.Clone();
  GaussianBlurPlane(PlaneOf(copy), sigma);
  return copy;
}

}  // namespace velmora::image
