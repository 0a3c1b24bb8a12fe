// Sizes of WebP and JPEG clones at the same visual quality. Per source photo
// the 1600-pixel clone is made as a run makes it (decoded, shrunk with the
// default filter), then written as JPEG at the configured quality and as
// WebP at the same quality setting; both are decoded again and compared with
// the unencoded clone by SSIM (on luma, 8 x 8 windows every 4 pixels).
// Prints per photo: bytes and SSIM of each, then the WebP quality that just
// reaches the JPEG's SSIM less 0.005 and its bytes; medians at the end.
// usage: webp_clone_bench [--quality 75] SOURCE...
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <vector>

#include "image/codecs/codec_registry.h"
#include "image/image_error.h"
#include "image/image_io.h"
#include "image/resize/resample_filter.h"
#include "image/resize/resize_image.h"
#include "image/scale_factor.h"

namespace {

using velmora::image::RgbBuffer;

constexpr int kCloneSide = 1600;
constexpr double kSsimSlack = 0.005;

std::vector<double> Luma(const RgbBuffer& image) {
  std::vector<double> y(static_cast<std::size_t>(image.width()) * static_cast<std::size_t>(image.height()));
  for (std::size_t i = 0; i < y.size(); ++i) {
    const std::uint8_t* p = image.data() + 3 * i;
    y[i] = 0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2];
  }
  return y;
}

double Ssim(const RgbBuffer& a, const RgbBuffer& b) {
  const std::vector<double> x = Luma(a), y = Luma(b);
  const int w = a.width(), h = a.height();
  constexpr double c1 = (0.01 * 255) * (0.01 * 255), c2 = (0.03 * 255) * (0.03 * 255);
  double sum = 0.0;
  int windows = 0;
  for (int top = 0; top + 8 <= h; top += 4) {
    for (int left = 0; left + 8 <= w; left += 4) {
      double sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0;
      for (int j = top; j < top + 8; ++j) {
        for (int i = left; i < left + 8; ++i) {
          const double u = x[static_cast<std::size_t>(j) * w + i], v = y[static_cast<std::size_t>(j) * w + i];
          sx += u, sy += v, sxx += u * u, syy += v * v, sxy += u * v;
        }
      }
      const double n = 64, mx = sx / n, my = sy / n;
      const double vx = sxx / n - mx * mx, vy = syy / n - my * my, cov = sxy / n - mx * my;
      sum += ((2 * mx * my + c1) * (2 * cov + c2)) / ((mx * mx + my * my + c1) * (vx + vy + c2));
      ++windows;
    }
  }
  return windows > 0 ? sum / windows : 1.0;
}

struct Encoded {
  std::size_t bytes;
  double ssim;
};

Encoded Measure(const RgbBuffer& clone, int type, int quality) {
  const velmora::image::EncodedImage file = velmora::image::EncodeImage(type, clone, {.quality = quality});
  return {file.file.size(), Ssim(clone, velmora::image::ReadImage(file.file, type))};
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0.0 : values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  int quality = 75;
  int first = 1;
  if (argc > 2 && std::string_view(argv[1]) == "--quality") {
    quality = std::atoi(argv[2]);
    first = 3;
  }
  if (first >= argc) {
    std::fprintf(stderr, "usage: %s [--quality 75] SOURCE...\n", argv[0]);
    return 2;
  }
  std::vector<double> size_ratio, ssim_gap, matched_ratio, matched_quality;
  std::printf("%-28s %9s %7s %9s %7s %6s %9s %5s\n", "photo", "jpeg B", "ssim", "webp B", "ssim", "ratio",
              "match B", "q");
  for (int i = first; i < argc; ++i) {
    try {
      const RgbBuffer source =
          velmora::image::ReadImage(std::filesystem::path(argv[i]), velmora::image::kImageTypeUnknown);
      const velmora::image::ImageSize size = velmora::image::ScaledSize(
          source.width(), source.height(), {.side = velmora::image::kSideLongest, .longest = kCloneSide});
      const RgbBuffer clone =
          velmora::image::ResizeImage(source, size.width, size.height, velmora::image::kDefaultFilterCode);
      const Encoded jpeg = Measure(clone, velmora::image::kImageTypeJpg, quality);
      const Encoded webp = Measure(clone, velmora::image::kImageTypeWebp, quality);
      // The lowest WebP quality whose SSIM reaches the JPEG's less the slack.
      int low = 1, high = 100;
      Encoded match = Measure(clone, velmora::image::kImageTypeWebp, high);
      while (low < high) {
        const int mid = (low + high) / 2;
        const Encoded at = Measure(clone, velmora::image::kImageTypeWebp, mid);
        if (at.ssim >= jpeg.ssim - kSsimSlack) {
          high = mid;
          match = at;
        } else {
          low = mid + 1;
        }
      }
      size_ratio.push_back(static_cast<double>(webp.bytes) / static_cast<double>(jpeg.bytes));
      ssim_gap.push_back(webp.ssim - jpeg.ssim);
      matched_ratio.push_back(static_cast<double>(match.bytes) / static_cast<double>(jpeg.bytes));
      matched_quality.push_back(high);
      std::printf("%-28s %9zu %7.4f %9zu %7.4f %6.2f %9zu %5d\n",
                  std::filesystem::path(argv[i]).filename().c_str(), jpeg.bytes, jpeg.ssim, webp.bytes, webp.ssim,
                  size_ratio.back(), match.bytes, high);
    } catch (const velmora::image::ImageError& e) {
      std::fprintf(stderr, "%s: %s\n", argv[i], e.what());
      return 1;
    }
  }
  std::printf("median over %zu photos at quality %d: WebP %.0f%% of the JPEG's bytes, SSIM %+.4f against the JPEG's\n",
              size_ratio.size(), quality, 100 * Median(size_ratio), Median(ssim_gap));
  std::printf("WebP at the JPEG's SSIM less %.3f: quality %.0f, %.0f%% of the JPEG's bytes\n", kSsimSlack,
              Median(matched_quality), 100 * Median(matched_ratio));
  return 0;
}
