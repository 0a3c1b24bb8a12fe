// The program's version, one place for every report of it.
#pragma once

#include <string_view>

namespace velmora {

inline constexpr int kVersionMajor = 2;
inline constexpr int kVersionMinor = 11;
inline constexpr int kVersionRevision = 0;
// "2.11.00": the form profiles carry in their VERSION key.
inline constexpr std::string_view kProgramVersionText = "2.11.00";

}  // namespace velmora
