// Windows face names and their free counterparts.
#include "image/text/font_aliases.h"

#include <array>
#include <utility>

namespace velmora::image {
namespace {

// Only faces whose counterpart has the same advance widths: a stamp sized
// for Arial then has the same box on every machine.
constexpr std::array<std::pair<std::string_view, std::string_view>, 4> kCounterparts = {{
    {"Arial", "Liberation Sans"},
    {"Arial Narrow", "Liberation Sans Narrow"},
    {"Times New Roman", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},
}};

constexpr char Folded(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool SameFamily(std::string_view a, std::string_view b) {
  std::size_t i = 0, j = 0;
  for (;;) {
    while (i < a.size() && a[i] == ' ') ++i;
    while (j < b.size() && b[j] == ' ') ++j;
    if (i == a.size() || j == b.size()) return i == a.size() && j == b.size();
    if (Folded(a[i]) != Folded(b[j])) return false;
    ++i;
    ++j;
  }
}

std::string_view MetricCompatibleFace(std::string_view family) {
  for (const auto& [windows, free] : kCounterparts) {
    if (SameFamily(family, windows)) return free;
  }
  return family;
}

bool IsGenericFamily(std::string_view family) {
  return SameFamily(family, "sans-serif") || SameFamily(family, "sans") || SameFamily(family, "serif") ||
         SameFamily(family, "monospace");
}

}  // namespace velmora::image
