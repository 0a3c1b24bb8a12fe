// The values of one TIFF directory entry as the program keeps them: one
// text per component (numbers in decimal, rationals as numerator "/"
// denominator), or one text for an ASCII value.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "metadata/byte_reader.h"
#include "metadata/photo_metadata.h"

namespace velmora::metadata {

// The size of one component of a field type 1..12; 0 for any other type.
std::uint32_t TiffTypeSize(std::uint16_t type);

// The tag whose ASCII value keeps every counted byte, zero bytes included:
// the copyright holds the photographer's and the editor's notice one after
// the other, each ended by a zero byte.
inline constexpr std::uint16_t kCopyrightTag = 33432;

// Converts the value bytes of an entry (exactly count x TiffTypeSize bytes).
std::vector<std::string> ConvertTiffValues(std::uint16_t tag, TiffType type, std::span<const std::uint8_t> bytes,
                                           ByteOrder order);

}  // namespace velmora::metadata
