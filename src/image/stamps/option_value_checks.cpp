// Option page value checks of borders and stamps.
#include "image/stamps/option_value_checks.h"

#include <charconv>

namespace velmora::image {
namespace {

OptionValueFailure FailureOf(const OptionValueRange& range) {
  return {range.key, {Cp1252Text::Number(range.lowest), Cp1252Text::Number(range.highest)}};
}

std::string_view Trimmed(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

std::optional<OptionValueFailure> CheckOptionValue(std::int64_t value, const OptionValueRange& range) {
  if (value < range.lowest || value > range.highest) return FailureOf(range);
  return std::nullopt;
}

std::optional<OptionValueFailure> CheckOptionValue(std::string_view text, const OptionValueRange& range) {
  text = Trimmed(text);
  // A plus sign is allowed before digits, as the edit fields take it.
  if (text.size() > 1 && text[0] == '+' && text[1] >= '0' && text[1] <= '9') text.remove_prefix(1);
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return FailureOf(range);
  return CheckOptionValue(value, range);
}

std::optional<OptionValueFailure> CheckBorderValues(const CBorder& border) {
  if (auto failure = CheckOptionValue(border.Width(), kBorderWidthRange)) return failure;
  for (const std::int32_t offset :
       {border.OffsetLeft(), border.OffsetRight(), border.OffsetTop(), border.OffsetBottom()}) {
    if (auto failure = CheckOptionValue(offset, kBorderOffsetRange)) return failure;
  }
  return std::nullopt;
}

namespace {

std::optional<OptionValueFailure> CheckStampOffsets(std::int64_t x, std::int64_t y) {
  if (auto failure = CheckOptionValue(x, kStampOffsetRange)) return failure;
  return CheckOptionValue(y, kStampOffsetRange);
}

}  // namespace

std::optional<OptionValueFailure> CheckImageStampValues(const CImageStamp& stamp) {
  return CheckStampOffsets(stamp.OffsetX(), stamp.OffsetY());
}

std::optional<OptionValueFailure> CheckTextStampValues(const CTextStamp& stamp) {
  if (auto failure = CheckOptionValue(stamp.Height(), kStampHeightRange)) return failure;
  // A frame that is switched off draws nothing, whatever its width says.
  if (stamp.Border() == 1) {
    if (auto failure = CheckOptionValue(stamp.BorderWidth(), kStampFrameWidthRange)) return failure;
  }
  return CheckStampOffsets(stamp.OffsetX(), stamp.OffsetY());
}

}  // namespace velmora::image
