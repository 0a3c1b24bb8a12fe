// Natural order of names: runs of digits compare by their value (img9 before
// img10, of any length), a digit run sorts before letters at the same place,
// letters compare without regard to case in Windows-1252.
#pragma once

#include <string_view>

namespace velmora {

// -1, 0 or 1. Leading zeros do not count except as a tie: "007" equals "7".
int NaturalCompare(std::string_view a, std::string_view b);

}  // namespace velmora
