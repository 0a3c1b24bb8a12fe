#include "image/effects/kernels/blend.h"

#include <cmath>
#include <cstdlib>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace velmora::image {
namespace {

// One sample; the rounding (to nearest, ties to even, in float) is the one the
// vector path below uses, so every sample of a picture is treated alike.
inline std::uint8_t Moved(std::uint8_t sample, std::uint8_t target, float factor, int threshold) {
  const int d = target - sample;
  if (std::abs(d) <= threshold) return sample;
  const int v = sample + static_cast<int>(std::nearbyint(factor * static_cast<float>(d)));
  return static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
}

// All samples, sixteen at a time where the processor allows.
void MoveAll(std::uint8_t* p, const std::uint8_t* f, std::size_t n, float factor, int threshold) {
  std::size_t i = 0;
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  const __m128 scale = _mm_set1_ps(factor);
  const __m128i limit = _mm_set1_epi16(static_cast<short>(threshold));
  // Eight differences as 16-bit values scaled and rounded, zero where within the threshold.
  const auto delta = [&](__m128i d) {
    const __m128i sign = _mm_srai_epi16(d, 15);
    const __m128i low = _mm_cvtps_epi32(_mm_mul_ps(_mm_cvtepi32_ps(_mm_unpacklo_epi16(d, sign)), scale));
    const __m128i high = _mm_cvtps_epi32(_mm_mul_ps(_mm_cvtepi32_ps(_mm_unpackhi_epi16(d, sign)), scale));
    const __m128i magnitude = _mm_max_epi16(d, _mm_sub_epi16(zero, d));
    return _mm_and_si128(_mm_packs_epi32(low, high), _mm_cmpgt_epi16(magnitude, limit));
  };
  for (; i + 16 <= n; i += 16) {
    const __m128i sample = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    const __m128i target = _mm_loadu_si128(reinterpret_cast<const __m128i*>(f + i));
    const __m128i s_low = _mm_unpacklo_epi8(sample, zero);
    const __m128i s_high = _mm_unpackhi_epi8(sample, zero);
    const __m128i out_low = _mm_adds_epi16(s_low, delta(_mm_sub_epi16(_mm_unpacklo_epi8(target, zero), s_low)));
    const __m128i out_high = _mm_adds_epi16(s_high, delta(_mm_sub_epi16(_mm_unpackhi_epi8(target, zero), s_high)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p + i), _mm_packus_epi16(out_low, out_high));
  }
#endif
  for (; i < n; ++i) p[i] = Moved(p[i], f[i], factor, threshold);
}

}  // namespace

void MoveTowards(RgbBuffer& image, const RgbBuffer& filtered, double factor, int threshold, ChannelMask channels) {
  if (filtered.size() != image.size()) return;
  const float f = static_cast<float>(factor);
  if (channels[0] && channels[1] && channels[2]) {
    MoveAll(image.data(), filtered.data(), image.size(), f, threshold);
    return;
  }
  std::uint8_t* p = image.data();
  const std::uint8_t* t = filtered.data();
  for (std::size_t i = 0; i < image.size(); i += 3) {
    for (int c = 0; c < 3; ++c) {
      if (channels[c]) p[i + c] = Moved(p[i + c], t[i + c], f, threshold);
    }
  }
}

}  // namespace velmora::image
