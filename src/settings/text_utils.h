// Small text helpers shared by the settings units: letter case, blanks and the
// lenient reading of numbers that settings stored as text need.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace velmora::settings {

// Upper case of ASCII letters; other bytes stay (keys are ASCII).
std::string ToUpperAscii(std::string_view text);
std::string ToLowerAscii(std::string_view text);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

// Blanks are spaces and tabs.
std::string_view TrimLeft(std::string_view text);
std::string_view Trim(std::string_view text);

// Cuts the first line off `bytes` and returns it without its end, which may be
// CR LF, LF or CR (files come from Windows, Linux and old Macs alike).
std::string_view NextLine(std::string_view& bytes);

// The number a text starts with, the way settings have always been read:
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
  bool operator()(std::string_view a, std::string_view b) const { return EqualsIgnoreCase(a, b); }
};

}  // namespace velmora::settings
