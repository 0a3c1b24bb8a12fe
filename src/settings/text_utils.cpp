// Text helpers of the settings units.
#include "settings/text_utils.h"

#include <charconv>

namespace velmora::settings {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the number at the start of `text` (after blanks were skipped), 0 when none.
std::size_t NumberLength(std::string_view text) {
  std::size_t pos = 0;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
  std::size_t digits = 0;
  while (pos < text.size() && IsDigit(text[pos])) ++pos, ++digits;
  if (pos < text.size() && text[pos] == '.') {
    ++pos;
    while (pos < text.size() && IsDigit(text[pos])) ++pos, ++digits;
  }
  return digits == 0 ? 0 : pos;
}

}  // namespace

double NumericValue(std::string_view text) {
  text = TrimLeftBlanks(text);
  const std::size_t length = NumberLength(text);
  if (length == 0) return 0.0;
  std::string_view number = text.substr(0, length);
  if (number.front() == '+') number.remove_prefix(1);  // from_chars takes no plus sign
  double value = 0.0;
  std::from_chars(number.data(), number.data() + number.size(), value);
  return value;
}

bool IsNumeric(std::string_view text) {
  text = TrimBlanks(text);
  return !text.empty() && NumberLength(text) == text.size();
}

std::size_t CaseInsensitiveHash::operator()(std::string_view text) const {
  std::size_t hash = 14695981039346656037ull;  // FNV-1a over the lower-cased bytes
  for (char c : text) {
    hash ^= Cp1252Lower(static_cast<unsigned char>(c));
    hash *= 1099511628211ull;
  }
  return hash;
}

}  // namespace velmora::settings
