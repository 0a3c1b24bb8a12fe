#include "metadata/tiff_value.h"

#include <bit>
#include <charconv>
#include <string_view>

#include "metadata/metadata_text.h"

namespace velmora::metadata {
namespace {

template <typename Number>
std::string Decimal(Number value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

// The shortest text that reads back as the same number, never with an
// exponent or digit grouping.
template <typename Floating>
std::string FloatingDecimal(Floating value) {
  char buffer[400];  // a double's largest fixed form has 309 digits
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  if (result.ec != std::errc()) return "0";
  return std::string(buffer, result.ptr);
}

std::string Ascii(std::uint16_t tag, std::span<const std::uint8_t> bytes) {
  std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (tag != kCopyrightTag) text = text.substr(0, text.find('\0'));
  return LegacyTextToCp1252(text);
}

}  // namespace

std::uint32_t TiffTypeSize(std::uint16_t type) {
  switch (type) {
    case 1: case 2: case 6: case 7: return 1;
    case 3: case 8: return 2;
    case 4: case 9: case 11: return 4;
    case 5: case 10: case 12: return 8;
    default: return 0;
  }
}

std::vector<std::string> ConvertTiffValues(std::uint16_t tag, TiffType type, std::span<const std::uint8_t> bytes,
                                           ByteOrder order) {
  if (type == TiffType::kAscii) return {Ascii(tag, bytes)};
  const std::uint32_t size = TiffTypeSize(static_cast<std::uint16_t>(type));
  if (size == 0) return {};
  const ByteReader reader(bytes, order);
  const std::size_t count = bytes.size() / size;
  std::vector<std::string> values;
  values.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t at = i * size;
    switch (type) {
      case TiffType::kByte:
      case TiffType::kUndefined: values.push_back(Decimal(unsigned{bytes[at]})); break;
      case TiffType::kSByte: values.push_back(Decimal(int{static_cast<std::int8_t>(bytes[at])})); break;
      case TiffType::kShort: values.push_back(Decimal(*reader.U16(at))); break;
      case TiffType::kSShort: values.push_back(Decimal(static_cast<std::int16_t>(*reader.U16(at)))); break;
      case TiffType::kLong: values.push_back(Decimal(*reader.U32(at))); break;
      case TiffType::kSLong: values.push_back(Decimal(static_cast<std::int32_t>(*reader.U32(at)))); break;
      case TiffType::kRational:
        values.push_back(Decimal(*reader.U32(at)) + "/" + Decimal(*reader.U32(at + 4)));
        break;
      case TiffType::kSRational:
        values.push_back(Decimal(static_cast<std::int32_t>(*reader.U32(at))) + "/" +
                         Decimal(static_cast<std::int32_t>(*reader.U32(at + 4))));
        break;
      case TiffType::kFloat: values.push_back(FloatingDecimal(std::bit_cast<float>(*reader.U32(at)))); break;
      case TiffType::kDouble: {
        const std::uint64_t first = *reader.U32(at);
        const std::uint64_t second = *reader.U32(at + 4);
        const std::uint64_t bits = order == ByteOrder::kBig ? (first << 32) | second : (second << 32) | first;
        values.push_back(FloatingDecimal(std::bit_cast<double>(bits)));
        break;
      }
      case TiffType::kAscii: break;
    }
  }
  return values;
}

}  // namespace velmora::metadata
