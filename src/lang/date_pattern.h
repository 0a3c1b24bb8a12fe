// Date and time patterns of the language table ("d.m.yyyy", "hh:mm:ss"):
// d/dd day, m/mm month (minutes when they follow an hour), yyyy/yy year,
// h/hh hour, n/nn minute, s/ss second; any other character stands for itself.
#pragma once

#include <ctime>
#include <string>
#include <string_view>

namespace velmora::lang {

std::string ApplyDatePattern(std::string_view pattern, const std::tm& time);

}  // namespace velmora::lang
