// Conversions between profile texts and the numeric fields of clone-list items.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmora::image {

// A 32-bit decimal integer, blanks around it allowed; nothing for any other text.
std::optional<std::int32_t> ParseProfileInt(std::string_view text);
// A finite decimal number with "." or "," as separator (profiles written on German
// Windows hold "1,5"); nothing for any other text.
std::optional<double> ParseProfileDouble(std::string_view text);
// The shortest text that reads back to the same double, always with ".".
std::string FormatProfileDouble(double value);

}  // namespace velmora::image
