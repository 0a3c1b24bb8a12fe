// Small text helpers shared by the settings units: the lenient reading of
// numbers that settings stored as text need, and hashing for case-insensitive
// maps (blanks and lines: platform/text_lines.h; letter case:
// platform/cp1252_case.h).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/cp1252_case.h"
#include "platform/text_lines.h"

namespace velmora::settings {

// The number a text starts with, as every stored setting is read, so that
// profiles written by hand or by older versions keep their values:
// leading blanks skipped, an optional sign, digits with an optional decimal
// point; reading stops at the first other character; no number gives 0.
double NumericValue(std::string_view text);

// True when the whole text (blanks around it allowed) is one decimal number.
bool IsNumeric(std::string_view text);

// Case-insensitive hashing for maps keyed by setting or section names.
struct CaseInsensitiveHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view text) const;
};
struct CaseInsensitiveEqual {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const { return Cp1252EqualsIgnoreCase(a, b); }
};

}  // namespace velmora::settings
