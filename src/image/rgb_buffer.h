// The one pixel layout every image operation shares: 24-bit pixels, rows top
// to bottom, each row exactly width * 3 bytes of red, green, blue.
#pragma once

#include <cstddef>
#include <algorithm>
#include <cstdint>
#include <memory>
#include <utility>

namespace velmora::image {

class RgbBuffer {
 public:
  RgbBuffer() = default;
  // A zero-filled (black) buffer. Sizes must not be negative.
  RgbBuffer(int width, int height)
      : width_(width), height_(height), pixels_(std::make_unique<std::uint8_t[]>(ByteSize(width, height))) {}

  // A buffer whose contents the caller overwrites at once (a decoder), so
  // zero-filling many megabytes first would be wasted work.
  static RgbBuffer Uninitialized(int width, int height) {
    RgbBuffer buffer;
    buffer.width_ = width;
    buffer.height_ = height;
    buffer.pixels_ = std::make_unique_for_overwrite<std::uint8_t[]>(ByteSize(width, height));
    return buffer;
  }

  RgbBuffer(RgbBuffer&&) noexcept = default;
  RgbBuffer& operator=(RgbBuffer&&) noexcept = default;

  // Copies are explicit: a full-size photo is tens of megabytes.
  RgbBuffer Clone() const {
    RgbBuffer copy = Uninitialized(width_, height_);
    if (size() != 0) std::copy_n(pixels_.get(), size(), copy.pixels_.get());
    return copy;
  }

  int width() const { return width_; }
  int height() const { return height_; }
  bool empty() const { return width_ <= 0 || height_ <= 0; }
  std::size_t stride() const { return static_cast<std::size_t>(width_) * 3; }
  std::size_t size() const { return ByteSize(width_, height_); }

  std::uint8_t* data() { return pixels_.get(); }
  const std::uint8_t* data() const { return pixels_.get(); }
  std::uint8_t* row(int y) { return pixels_.get() + static_cast<std::size_t>(y) * stride(); }
  const std::uint8_t* row(int y) const { return pixels_.get() + static_cast<std::size_t>(y) * stride(); }
  std::uint8_t* pixel(int x, int y) { return row(y) + static_cast<std::size_t>(x) * 3; }
  const std::uint8_t* pixel(int x, int y) const { return row(y) + static_cast<std::size_t>(x) * 3; }

  static std::size_t ByteSize(int width, int height) {
    return width <= 0 || height <= 0 ? 0 : static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3;
  }

 private:
  int width_ = 0;
  int height_ = 0;
  std::unique_ptr<std::uint8_t[]> pixels_;
};

// A colour as the settings store it: blue * 65536 + green * 256 + red.
struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline Rgb RgbFromColourValue(std::int64_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  return {static_cast<std::uint8_t>(v & 0xFF), static_cast<std::uint8_t>((v >> 8) & 0xFF),
          static_cast<std::uint8_t>((v >> 16) & 0xFF)};
}

inline std::int32_t ColourValue(Rgb c) { return c.b * 65536 + c.g * 256 + c.r; }

}  // namespace velmora::image
