// Small pictures for the stamp, border and text tests, pixel access, and
// finding what was drawn by its pixels: the box of pixels of one colour or
// unlike the background, and ink measures.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
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

// Inclusive bounds of the pixels that pass a test; empty when none do.
struct Box {
  int left = 0, top = 0, right = -1, bottom = -1;
  bool empty() const { return right < left; }
  int width() const { return right - left + 1; }
  int height() const { return bottom - top + 1; }
  friend bool operator==(const Box&, const Box&) = default;
  friend std::ostream& operator<<(std::ostream& out, const Box& b) {
    return out << "(" << b.left << "," << b.top << ")-(" << b.right << "," << b.bottom << ")";
  }
};

inline Box BoxOf(const RgbBuffer& image, const std::function<bool(Rgb)>& wanted) {
  Box box{image.width(), image.height(), -1, -1};
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (!wanted(At(image, x, y))) continue;
      box.left = std::min(box.left, x);
      box.top = std::min(box.top, y);
      box.right = std::max(box.right, x);
      box.bottom = std::max(box.bottom, y);
    }
  }
  return box.right < 0 ? Box{} : box;
}

inline Box BoxOfColour(const RgbBuffer& image, Rgb colour) {
  return BoxOf(image, [colour](Rgb c) { return c == colour; });
}

// Dark ink on white: pixels darker than mid grey in every channel.
inline Box InkBox(const RgbBuffer& image) {
  return BoxOf(image, [](Rgb c) { return c.r < 128 && c.g < 128 && c.b < 128; });
}

// How much darkness lies on a white picture: the sum of 255 - red.
inline std::int64_t InkMass(const RgbBuffer& image) {
  std::int64_t mass = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) mass += 255 - image.pixel(x, y)[0];
  }
  return mass;
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
