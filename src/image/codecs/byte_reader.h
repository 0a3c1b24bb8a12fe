// Bounds-checked reading of little- and big-endian fields from a file held in
// memory. Every codec reads hostile input through this, so a header that
// points past the end becomes a CodecError instead of an out-of-range read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "image/codecs/codec.h"

namespace velmora::image {

class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> bytes, std::size_t position = 0)
      : bytes_(bytes), position_(position) {}

  std::size_t position() const { return position_; }
  std::size_t size() const { return bytes_.size(); }
  std::size_t remaining() const { return position_ <= bytes_.size() ? bytes_.size() - position_ : 0; }
  bool AtEnd() const { return remaining() == 0; }

  void Seek(std::uint64_t position) {
    if (position > bytes_.size()) Fail(position);
    position_ = static_cast<std::size_t>(position);
  }
  void Skip(std::uint64_t count) { Seek(Need(count)); }

  std::uint8_t U8() { return bytes_[Need(1) - 1]; }
  std::uint16_t U16Le() { return static_cast<std::uint16_t>(Le(2)); }
  std::uint32_t U32Le() { return static_cast<std::uint32_t>(Le(4)); }
  std::int16_t I16Le() { return static_cast<std::int16_t>(U16Le()); }
  std::int32_t I32Le() { return static_cast<std::int32_t>(U32Le()); }
  std::uint16_t U16Be() { return static_cast<std::uint16_t>(Be(2)); }
  std::uint32_t U32Be() { return static_cast<std::uint32_t>(Be(4)); }
  std::uint64_t U64Be() { return Be(8); }

  // The next `count` bytes, consumed.
  std::span<const std::uint8_t> Bytes(std::uint64_t count) {
    const std::size_t start = position_;
    position_ = Need(count);
    return bytes_.subspan(start, static_cast<std::size_t>(count));
  }

 private:
  // The position after `count` more bytes; throws when they are not there.
  std::size_t Need(std::uint64_t count) {
    if (count > remaining()) Fail(position_ + count);
    position_ += static_cast<std::size_t>(count);
    return position_;
  }
  std::uint64_t Le(int count) {
    const std::size_t end = Need(count);
    std::uint64_t value = 0;
    for (int i = 1; i <= count; ++i) value = (value << 8) | bytes_[end - i];
    return value;
  }
  std::uint64_t Be(int count) {
    const std::size_t start = Need(count) - count;
    std::uint64_t value = 0;
    for (int i = 0; i < count; ++i) value = (value << 8) | bytes_[start + i];
    return value;
  }
  [[noreturn]] void Fail(std::uint64_t wanted) const {
    throw CodecError(kCodecTruncated, "file ends at byte " + std::to_string(bytes_.size()) + ", data needed up to byte " +
                                          std::to_string(wanted));
  }

  std::span<const std::uint8_t> bytes_;
  std::size_t position_;
};

// Appends little- and big-endian fields to a file being written.
class ByteWriter {
 public:
  std::vector<std::uint8_t>& bytes() { return bytes_; }
  std::vector<std::uint8_t> Take() { return std::move(bytes_); }
  std::size_t size() const { return bytes_.size(); }

  void U8(std::uint32_t v) { bytes_.push_back(static_cast<std::uint8_t>(v)); }
  void U16Le(std::uint32_t v) { Le(v, 2); }
  void U32Le(std::uint32_t v) { Le(v, 4); }
  void U16Be(std::uint32_t v) { Be(v, 2); }
  void U32Be(std::uint32_t v) { Be(v, 4); }
  void Zeros(std::size_t count) { bytes_.insert(bytes_.end(), count, 0); }
  void Append(std::span<const std::uint8_t> data) { bytes_.insert(bytes_.end(), data.begin(), data.end()); }
  // Overwrites a 32-bit little-endian field written earlier (a length known only at the end).
  void PatchU32Le(std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes_[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  }

 private:
  void Le(std::uint32_t v, int count) {
    for (int i = 0; i < count; ++i) bytes_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  }
  void Be(std::uint32_t v, int count) {
    for (int i = count - 1; i >= 0; --i) bytes_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  }

  std::vector<std::uint8_t> bytes_;
};

}  // namespace velmora::image
