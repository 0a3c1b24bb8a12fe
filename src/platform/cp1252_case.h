// Letter case in Windows-1252, the program's inner encoding: besides A-Z it
// maps the accented capitals (À..Þ without ×) and Š, Œ, Ž, Ÿ, as the
// case-insensitive comparisons of names and keys expect.
#pragma once

#include <string>
#include <string_view>

namespace velmora {

constexpr unsigned char Cp1252Lower(unsigned char c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return static_cast<unsigned char>(c + 32);
  switch (c) {
    case 0x8A: return 0x9A;  // Š
    case 0x8C: return 0x9C;  // Œ
    case 0x8E: return 0x9E;  // Ž
    case 0x9F: return 0xFF;  // Ÿ
    default: return c;
  }
}

constexpr unsigned char Cp1252Upper(unsigned char c) {
  if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) return static_cast<unsigned char>(c - 32);
  switch (c) {
    case 0x9A: return 0x8A;
    case 0x9C: return 0x8C;
    case 0x9E: return 0x8E;
    case 0xFF: return 0x9F;
    default: return c;
  }
}

inline std::string Cp1252ToLower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(Cp1252Lower(static_cast<unsigned char>(c)));
  return out;
}

inline std::string Cp1252ToUpper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(Cp1252Upper(static_cast<unsigned char>(c)));
  return out;
}

// Case-insensitive equality in Windows-1252.
constexpr bool Cp1252EqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Cp1252Lower(static_cast<unsigned char>(a[i])) != Cp1252Lower(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

// Lower-cased comparison by character code: -1, 0 or 1; a prefix sorts first.
constexpr int Cp1252CompareIgnoreCase(std::string_view a, std::string_view b) {
  const std::size_t common = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < common; ++i) {
    const unsigned char ca = Cp1252Lower(static_cast<unsigned char>(a[i]));
    const unsigned char cb = Cp1252Lower(static_cast<unsigned char>(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

}  // namespace velmora
