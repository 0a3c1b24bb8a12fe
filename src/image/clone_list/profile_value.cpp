#include "image/clone_list/profile_value.h"

#include <charconv>
#include <cmath>

#include "platform/text_lines.h"

namespace velmora::image {

std::optional<std::int32_t> ParseProfileInt(std::string_view text) {
  text = TrimBlanks(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<double> ParseProfileDouble(std::string_view text) {
  text = TrimBlanks(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  std::string normalised(text);
  if (const auto comma = normalised.find(','); comma != std::string::npos) {
    // Only a decimal comma: a text with both separators or two commas is no number.
    if (normalised.find(',', comma + 1) != std::string::npos || normalised.find('.') != std::string::npos) {
      return std::nullopt;
    }
    normalised[comma] = '.';
  }
  double value = 0;
  const char* first = normalised.data();
  const char* last = first + normalised.size();
  const auto [end, error] = std::from_chars(first, last, value);
  if (normalised.empty() || error != std::errc() || end != last || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::string FormatProfileDouble(double value) {
  char text[32];
  const auto [end, error] = std::to_chars(text, text + sizeof text, value);
  return error == std::errc() ? std::string(text, end) : std::string("0");
}

}  // namespace velmora::image
