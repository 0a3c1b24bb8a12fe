// The program's version, one place for every report of it. It lives with the
// settings because profiles carry it in their VERSION key and the migration
// steps compare against it.
#pragma once

#include <string_view>

namespace velmora {

inline constexpr int kVersionMajor = 2;
inline constexpr int kVersionMinor = 11;
inline constexpr int kVersionRevision = 0;
// "2.11.00": major, minor and revision as two digits each.
inline constexpr std::string_view kProgramVersionText = "2.11.00";

}  // namespace velmora
