// Finding what a stamp drew by its pixels: flat test pictures, the box of
// pixels of one colour or unlike the background, and ink measures.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <ostream>

#include "image/rgb_buffer.h"

namespace velmora::image::test {

inline RgbBuffer FlatPicture(int width, int height, Rgb colour) {
  RgbBuffer image(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::uint8_t* p = image.pixel(x, y);
      p[0] = colour.r;
      p[1] = colour.g;
      p[2] = colour.b;
    }
  }
  return image;
}

inline Rgb PixelAt(const RgbBuffer& image, int x, int y) {
  const std::uint8_t* p = image.pixel(x, y);
  return {p[0], p[1], p[2]};
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
      if (!wanted(PixelAt(image, x, y))) continue;
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

}  // namespace velmora::image::test
