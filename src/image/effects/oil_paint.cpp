// Oil paint: every pixel takes the colour most common around it, so detail melts
// into brush-stroke patches of flat colour.
// L1 brush radius, 1-25 pixels (3): the neighbourhood is (2 L1 + 1) squared;
// L2 intensity levels, 2-256 (16): how finely brightness is told apart when
//    counting the most common one (fewer levels, larger patches);
// L3 0 = pixels are counted by brightness and take the mean colour of the most
//    common brightness; 1 = each channel is counted and chosen on its own.
// The window slides along each row, adding one column and dropping another, so
// the cost per pixel is the radius plus the levels, not the window's area.
#include <algorithm>
#include <array>
#include <vector>

#include "image/effects/effect_routine.h"
#include "image/effects/kernels/tone_curve.h"

namespace velmora::image {
namespace {

struct Histogram {
  explicit Histogram(int levels) : count(levels), sum(levels) {}
  void Clear() {
    std::fill(count.begin(), count.end(), 0);
    std::fill(sum.begin(), sum.end(), std::array<std::uint32_t, 3>{});
  }
  std::vector<std::uint32_t> count;
  std::vector<std::array<std::uint32_t, 3>> sum;
};

// The bin of every sample: by brightness (one bin per pixel) or per channel.
struct Bins {
  int levels;
  bool per_channel;
  std::array<std::uint8_t, 256> of_value;
};

class OilPainter {
 public:
  OilPainter(const RgbBuffer& source, int radius, const Bins& bins)
      : src_(source), radius_(radius), bins_(bins), histograms_(bins.per_channel ? 3 : 1, Histogram(bins.levels)) {
    // Bin indices computed once per pixel, not once per window the pixel is in.
    bin_.resize(source.size() / 3 * (bins.per_channel ? 3 : 1));
    for (std::size_t i = 0, k = 0; i < source.size(); i += 3) {
      if (bins.per_channel) {
        for (int c = 0; c < 3; ++c) bin_[k++] = bins.of_value[source.data()[i + c]];
      } else {
        bin_[k++] = bins.of_value[Luma(source.data() + i)];
      }
    }
  }

  void PaintRow(int y, std::uint8_t* out) {
    const int w = src_.width();
    const int y0 = std::max(0, y - radius_);
    const int y1 = std::min(src_.height() - 1, y + radius_);
    for (auto& hist : histograms_) hist.Clear();
    for (int x = 0; x <= std::min(radius_, w - 1); ++x) Column(x, y0, y1, +1);
    for (int x = 0; x < w; ++x, out += 3) {
      Pick(out);
      if (x - radius_ >= 0) Column(x - radius_, y0, y1, -1);
      if (x + radius_ + 1 < w) Column(x + radius_ + 1, y0, y1, +1);
    }
  }

 private:
  void Column(int x, int y0, int y1, int sign) {
    for (int y = y0; y <= y1; ++y) {
      const std::uint8_t* p = src_.pixel(x, y);
      const std::size_t at = static_cast<std::size_t>(y) * src_.width() + x;
      if (bins_.per_channel) {
        for (int c = 0; c < 3; ++c) {
          const std::uint8_t b = bin_[at * 3 + c];
          histograms_[c].count[b] += sign;
          histograms_[c].sum[b][c] += sign * p[c];
        }
      } else {
        Histogram& hist = histograms_[0];
        const std::uint8_t b = bin_[at];
        hist.count[b] += sign;
        for (int c = 0; c < 3; ++c) hist.sum[b][c] += sign * p[c];
      }
    }
  }

  static int Fullest(const Histogram& hist) {
    return static_cast<int>(std::max_element(hist.count.begin(), hist.count.end()) - hist.count.begin());
  }

  void Pick(std::uint8_t* out) const {
    if (!bins_.per_channel) {
      const Histogram& hist = histograms_[0];
      const int bin = Fullest(hist);
      const std::uint32_t n = hist.count[bin];
      for (int c = 0; c < 3; ++c) out[c] = static_cast<std::uint8_t>((hist.sum[bin][c] + n / 2) / n);
      return;
    }
    for (int c = 0; c < 3; ++c) {
      const Histogram& hist = histograms_[c];
      const int bin = Fullest(hist);
      const std::uint32_t n = hist.count[bin];
      out[c] = static_cast<std::uint8_t>((hist.sum[bin][c] + n / 2) / n);
    }
  }

  const RgbBuffer& src_;
  int radius_;
  const Bins& bins_;
  std::vector<Histogram> histograms_;
  std::vector<std::uint8_t> bin_;
};

}  // namespace

EffectResult ApplyOilPaint(RgbBuffer& image, const CBildEffekt& effect) {
  const int radius = LongIn(effect, 1, 1, 25);
  Bins bins{LongIn(effect, 2, 2, 256), effect.LongArray(3) == 1, {}};
  for (int v = 0; v < 256; ++v) bins.of_value[v] = static_cast<std::uint8_t>(v * bins.levels / 256);
  const RgbBuffer source = image.Clone();
  OilPainter painter(source, radius, bins);
  for (int y = 0; y < image.height(); ++y) painter.PaintRow(y, image.row(y));
  return {};
}

}  // namespace velmora::image
