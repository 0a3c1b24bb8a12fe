// Noise: L1 amount, 1-4000000 (1000): the variance of the Gaussian noise in
// levels squared, so the default adds a grain of about 32 levels standard
// deviation; L2 1 = monochrome (the same change in all channels); L3 channels,
// bit 1 red, bit 2 green, bit 4 blue (7 = all). The seed is fixed: the same
// picture always gets the same grain, so reruns produce identical clones.
#include "image/effects/noise.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

namespace velmora::image {
namespace {

// xorshift64*: fast, and good enough to pick entries of the table below.
struct Xorshift {
  std::uint64_t state;
  std::uint32_t Next() {
    state ^= state >> 12;
    state ^= state << 25;
    state ^= state >> 27;
    return static_cast<std::uint32_t>((state * 0x2545F4914F6CDD1DULL) >> 32);
  }
};

// 65536 samples of the standard normal distribution at evenly spaced quantiles:
// one random index then costs no logarithm per sample. Computed once.
const std::vector<float>& UnitNormalQuantiles() {
  static const std::vector<float> quantiles = [] {
    constexpr int kSize = 65536;
    std::vector<float> q(kSize);
    for (int i = 0; i < kSize / 2; ++i) {
      const double p = (i + 0.5) / kSize;
      // Newton steps on the distribution function from a rough start.
      double z = -std::sqrt(-2.0 * std::log(p));
      for (int step = 0; step < 50; ++step) {
        const double cdf = 0.5 * std::erfc(-z / std::numbers::sqrt2);
        const double pdf = std::exp(-0.5 * z * z) / std::sqrt(2.0 * std::numbers::pi);
        const double next = std::min(z - (cdf - p) / pdf, 0.0);
        if (std::abs(next - z) < 1e-10) break;
        z = next;
      }
      q[i] = static_cast<float>(z);
      q[kSize - 1 - i] = static_cast<float>(-z);
    }
    return q;
  }();
  return quantiles;
}

std::vector<std::int16_t> NormalTable(double sigma) {
  const std::vector<float>& unit = UnitNormalQuantiles();
  std::vector<std::int16_t> table(unit.size());
  for (std::size_t i = 0; i < unit.size(); ++i) {
    table[i] = static_cast<std::int16_t>(std::clamp(std::lround(unit[i] * sigma), -512L, 512L));
  }
  return table;
}

std::uint8_t AddClamped(std::uint8_t v, int delta) {
  const int out = v + delta;
  return static_cast<std::uint8_t>(out < 0 ? 0 : out > 255 ? 255 : out);
}

}  // namespace

void AddGaussianNoise(RgbBuffer& image, double sigma, bool monochrome, ChannelMask channels, std::uint64_t seed) {
  if (!(sigma > 0) || !AnyChannel(channels)) return;
  const std::vector<std::int16_t> table = NormalTable(sigma);
  // SplitMix64 spreads neighbouring seeds apart; xorshift needs a non-zero state.
  std::uint64_t z = seed + 0x9E3779B97F4A7C15ULL;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  Xorshift random{(z ^ (z >> 31)) | 1};
  std::uint8_t* p = image.data();
  for (std::size_t i = 0; i < image.size(); i += 3) {
    if (monochrome) {
      const int delta = table[random.Next() >> 16];
      for (int c = 0; c < 3; ++c) {
        if (channels[c]) p[i + c] = AddClamped(p[i + c], delta);
      }
    } else {
      const std::uint32_t bits = random.Next();
      const std::uint32_t more = random.Next();
      const int deltas[3] = {table[bits >> 16], table[bits & 0xFFFF], table[more >> 16]};
      for (int c = 0; c < 3; ++c) {
        if (channels[c]) p[i + c] = AddClamped(p[i + c], deltas[c]);
      }
    }
  }
}

EffectResult ApplyNoise(RgbBuffer& image, const CBildEffekt& effect) {
  constexpr std::uint64_t kSeed = 0x5EEDF00DCAFEULL;
  const double sigma = std::sqrt(static_cast<double>(LongIn(effect, 1, 1, 4000000)));
  AddGaussianNoise(image, sigma, effect.LongArray(2) == 1, ChannelsOf(effect.LongArray(3)), kSeed);
  return {};
}

}  // namespace velmora::image
