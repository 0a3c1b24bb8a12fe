// Percent-encoding for links: letters A-Z and a-z, digits and "-", ".", "/",
// "_" stay; every other byte becomes "%" and two upper-case hexadecimal digits.
#pragma once

#include <string>
#include <string_view>

namespace velmora {

std::string PercentEncode(std::string_view bytes);

}  // namespace velmora
