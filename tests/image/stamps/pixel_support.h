// Small pictures for the stamp and border tests, and pixel access.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "image/rgb_buffer.h"
#include "image/stamps/stamp_picture.h"

namespace velmora::image::test {

inline RgbBuffer Flat(int width, int height, Rgb colour) {
  RgbBuffer image(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::uint8_t* p = image.pixel(x, y);
      p[0] = colour.r, p[1] = colour.g, p[2] = colour.b;
    }
  }
  return image;
}

// Every pixel different, so that a shifted or mirrored copy shows.
inline RgbBuffer Gradient(int width, int height) {
  RgbBuffer image(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::uint8_t* p = image.pixel(x, y);
      p[0] = static_cast<std::uint8_t>(x * 7 + y);
      p[1] = static_cast<std::uint8_t>(y * 5 + 3);
      p[2] = static_cast<std::uint8_t>((x * y) % 251);
    }
  }
  return image;
}

inline Rgb At(const RgbBuffer& image, int x, int y) {
  const std::uint8_t* p = image.pixel(x, y);
  return {p[0], p[1], p[2]};
}

inline bool Same(const RgbBuffer& a, const RgbBuffer& b) {
  return a.width() == b.width() && a.height() == b.height() && std::equal(a.data(), a.data() + a.size(), b.data());
}

// A loaded picture made in memory.
inline std::shared_ptr<const StampPicture> Picture(RgbBuffer rgb, std::vector<std::uint8_t> alpha = {}) {
  auto picture = std::make_shared<StampPicture>();
  picture->file = "memory.png";
  picture->loaded = true;
  picture->image.rgb = std::move(rgb);
  picture->image.alpha = std::move(alpha);
  return picture;
}

}  // namespace velmora::image::test

namespace velmora::image {
inline void PrintTo(const Rgb& c, std::ostream* os) { *os << "(" << +c.r << ", " << +c.g << ", " << +c.b << ")"; }
}  // namespace velmora::image
