// Growing the picture by bands around it.
#include "image/stamps/outside_border.h"

#include <algorithm>
#include <cstring>

#include "image/clone_list/border.h"
#include "image/codecs/codec.h"

namespace velmora::image {

std::optional<Growth> GrowthOf(std::int32_t sides, std::int64_t width, const RgbBuffer& picture) {
  if (width <= 0 || picture.empty()) return std::nullopt;
  const auto band = [&](std::int32_t bit) { return (sides & bit) != 0 ? width : 0; };
  const std::int64_t new_width = picture.width() + band(CBorder::kLeft) + band(CBorder::kRight);
  const std::int64_t new_height = picture.height() + band(CBorder::kTop) + band(CBorder::kBottom);
  if (new_width == picture.width() && new_height == picture.height()) return std::nullopt;
  // The same limits as for every picture we read.
  constexpr std::int64_t kLongestSide = 1'000'000;
  if (new_width > kLongestSide || new_height > kLongestSide || new_width * new_height > DecodeOptions{}.max_pixels) {
    return std::nullopt;
  }
  return Growth{static_cast<int>(band(CBorder::kLeft)), static_cast<int>(band(CBorder::kTop)),
                static_cast<int>(band(CBorder::kRight)), static_cast<int>(band(CBorder::kBottom))};
}

RgbBuffer GrowAround(const RgbBuffer& picture, const Growth& growth, const BandPainter& paint) {
  const int width = picture.width() + growth.left + growth.right;
  const int height = picture.height() + growth.top + growth.bottom;
  RgbBuffer canvas = RgbBuffer::Uninitialized(width, height);
  const int picture_end = growth.left + picture.width();
  for (int y = 0; y < height; ++y) {
    const int source_row = y - growth.top;
    if (source_row < 0 || source_row >= picture.height()) {
      paint(canvas.row(y), y, 0, width);
      continue;
    }
    if (growth.left > 0) paint(canvas.row(y), y, 0, growth.left);
    std::memcpy(canvas.pixel(growth.left, y), picture.row(source_row), picture.stride());
    if (growth.right > 0) paint(canvas.pixel(picture_end, y), y, picture_end, width);
  }
  return canvas;
}

BandPainter FlatPainter(Rgb colour) {
  return [colour](std::uint8_t* out, int, int x_begin, int x_end) {
    for (int x = x_begin; x < x_end; ++x, out += 3) out[0] = colour.r, out[1] = colour.g, out[2] = colour.b;
  };
}

}  // namespace velmora::image
