// Frame pictures: tiling and stretching.
#include "image/stamps/picture_frame.h"

#include <algorithm>
#include <cstring>

#include "image/resize/resample_filter.h"
#include "image/resize/resize_image.h"

namespace velmora::image {
namespace {

RgbBuffer OverBackdrop(const RgbaImage& picture, Rgb backdrop) {
  RgbBuffer out = picture.rgb.Clone();
  if (!picture.HasAlpha()) return out;
  std::uint8_t* p = out.data();
  const std::uint8_t under[3] = {backdrop.r, backdrop.g, backdrop.b};
  for (const std::uint8_t a : picture.alpha) {
    for (int c = 0; c < 3; ++c) p[c] = static_cast<std::uint8_t>((p[c] * a + under[c] * (255u - a) + 127u) / 255u);
    p += 3;
  }
  return out;
}

}  // namespace

FramePicture::FramePicture(const RgbaImage& picture, Rgb backdrop, bool stretch)
    : picture_(OverBackdrop(picture, backdrop)), stretch_(stretch) {}

BandPainter FramePicture::PainterFor(int canvas_width, int canvas_height) {
  if (!stretch_) {
    const RgbBuffer* tile = &picture_;
    return [tile](std::uint8_t* out, int y, int x_begin, int x_end) {
      const std::uint8_t* row = tile->row(y % tile->height());
      int x = x_begin;
      while (x < x_end) {
        const int from = x % tile->width();
        const int n = std::min(tile->width() - from, x_end - x);
        std::memcpy(out, row + static_cast<std::size_t>(from) * 3, static_cast<std::size_t>(n) * 3);
        out += static_cast<std::size_t>(n) * 3;
        x += n;
      }
    };
  }
  auto kept = std::find_if(stretched_.begin(), stretched_.end(), [&](const RgbBuffer& b) {
    return b.width() == canvas_width && b.height() == canvas_height;
  });
  if (kept == stretched_.end()) {
    if (stretched_.size() >= 2) stretched_.erase(stretched_.begin());
    stretched_.push_back(ResizeImage(picture_, canvas_width, canvas_height, kDefaultFilterCode));
    kept = stretched_.end() - 1;
  }
  const RgbBuffer* whole = &*kept;
  return [whole](std::uint8_t* out, int y, int x_begin, int x_end) {
    std::memcpy(out, whole->pixel(x_begin, y), static_cast<std::size_t>(x_end - x_begin) * 3);
  };
}

}  // namespace velmora::image
