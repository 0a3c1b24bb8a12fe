// Bounds-checked reads of 8-, 16- and 32-bit values from a byte buffer in
// either byte order. Metadata blocks come from photo files and are hostile
// input: every read names a position and answers nothing when the value
// does not lie wholly inside the buffer.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace velmora::metadata {

enum class ByteOrder { kLittle, kBig };

// "MM" (in any letter case) is big-endian; anything else is read as
// little-endian, as cameras that write a damaged header mostly mean "II".
constexpr ByteOrder ByteOrderOf(std::uint8_t first, std::uint8_t second) {
  const bool m1 = first == 'M' || first == 'm';
  const bool m2 = second == 'M' || second == 'm';
  return m1 && m2 ? ByteOrder::kBig : ByteOrder::kLittle;
}

class ByteReader {
 public:
  ByteReader(std::span<const std::uint8_t> bytes, ByteOrder order) : bytes_(bytes), order_(order) {}

  std::span<const std::uint8_t> bytes() const { return bytes_; }
  std::size_t size() const { return bytes_.size(); }
  ByteOrder order() const { return order_; }

  // True when `count` bytes from `position` lie inside the buffer; safe
  // against overflow for any 64-bit position and count.
  bool Contains(std::uint64_t position, std::uint64_t count) const {
    return position <= bytes_.size() && count <= bytes_.size() - position;
  }

  std::optional<std::uint8_t> U8(std::uint64_t position) const {
    if (!Contains(position, 1)) return std::nullopt;
    return bytes_[static_cast<std::size_t>(position)];
  }
  std::optional<std::uint16_t> U16(std::uint64_t position) const { return U16(position, order_); }
  std::optional<std::uint32_t> U32(std::uint64_t position) const { return U32(position, order_); }

  std::optional<std::uint16_t> U16(std::uint64_t position, ByteOrder order) const {
    if (!Contains(position, 2)) return std::nullopt;
    const std::uint8_t* p = bytes_.data() + position;
    return static_cast<std::uint16_t>(order == ByteOrder::kBig ? (p[0] << 8) | p[1] : (p[1] << 8) | p[0]);
  }
  std::optional<std::uint32_t> U32(std::uint64_t position, ByteOrder order) const {
    if (!Contains(position, 4)) return std::nullopt;
    const std::uint8_t* p = bytes_.data() + position;
    if (order == ByteOrder::kBig) {
      return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
    }
    return (std::uint32_t{p[3]} << 24) | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
  }

  // The `count` bytes from `position`, or nothing when they overrun the buffer.
  std::optional<std::span<const std::uint8_t>> Bytes(std::uint64_t position, std::uint64_t count) const {
    if (!Contains(position, count)) return std::nullopt;
    return bytes_.subspan(static_cast<std::size_t>(position), static_cast<std::size_t>(count));
  }

  // The bytes from `position` to the end; none when it lies beyond the end.
  std::span<const std::uint8_t> From(std::uint64_t position) const {
    if (position >= bytes_.size()) return {};
    return bytes_.subspan(static_cast<std::size_t>(position));
  }

  // True when the bytes at `position` spell `text` exactly.
  bool Matches(std::uint64_t position, std::string_view text) const {
    if (!Contains(position, text.size())) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (bytes_[static_cast<std::size_t>(position) + i] != static_cast<std::uint8_t>(text[i])) return false;
    }
    return true;
  }

 private:
  std::span<const std::uint8_t> bytes_;
  ByteOrder order_;
};

}  // namespace velmora::metadata
