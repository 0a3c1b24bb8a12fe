// The bytes of a photo file for the container walkers, either all in
// memory or read from the file as far as the walk needs them.
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>

namespace velmora::metadata {

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Up to `count` bytes from `offset`: fewer where the data ends, none
  // beyond it. Valid until the next call.
  virtual std::span<const std::uint8_t> Read(std::uint64_t offset, std::size_t count) = 0;
};

class SpanSource final : public ByteSource {
 public:
  explicit SpanSource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  std::span<const std::uint8_t> Read(std::uint64_t offset, std::size_t count) override {
    if (offset >= bytes_.size()) return {};
    const auto at = static_cast<std::size_t>(offset);
    return bytes_.subspan(at, std::min(count, bytes_.size() - at));
  }

 private:
  std::span<const std::uint8_t> bytes_;
};

}  // namespace velmora::metadata
