// Formatting a point in time by a language's pattern.
#include "lang/date_pattern.h"

namespace velmora::lang {
namespace {

std::string Number(int value, std::size_t run) {
  const std::string digits = std::to_string(value);
  return run >= 2 && digits.size() < 2 ? "0" + digits : digits;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

}  // namespace

std::string ApplyDatePattern(std::string_view pattern, const std::tm& time) {
  std::string result;
  bool after_hour = false;  // "mm" right after an hour means minutes, as in "hh:mm"
  for (std::size_t i = 0; i < pattern.size();) {
    const char letter = Lower(pattern[i]);
    std::size_t run = 1;
    while (i + run < pattern.size() && Lower(pattern[i + run]) == letter) ++run;
    switch (letter) {
      case 'd': result += Number(time.tm_mday, run); break;
      case 'y': {
        const int year = time.tm_year + 1900;
        result += run >= 3 ? std::to_string(year) : Number(year % 100, 2);
        break;
      }
      case 'm': result += after_hour ? Number(time.tm_min, run) : Number(time.tm_mon + 1, run); break;
      case 'n': result += Number(time.tm_min, run); break;
      case 'h': result += Number(time.tm_hour, run); break;
      case 's': result += Number(time.tm_sec, run); break;
      default: result.append(pattern.substr(i, run)); break;
    }
    if (letter == 'h') after_hour = true;
    else if (letter == 'd' || letter == 'y' || letter == 's') after_hour = false;
    i += run;
  }
  return result;
}

}  // namespace velmora::lang
