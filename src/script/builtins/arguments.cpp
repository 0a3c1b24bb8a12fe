// Shared argument conversions of the internal functions.
#include "script/builtins/arguments.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "platform/log.h"
#include "platform/native_path.h"
#include "script/ansi.h"
#include "script/operations.h"

namespace velmora::script {

std::optional<std::string> ArgumentText(BuiltinCall& call, const Value& value) {
  if (value.is(ValueType::kArray)) return std::nullopt;
  NumberBuffer buffer;
  std::string storage;
  return std::string(ValueText(value, call.constants(), buffer, storage));
}

std::optional<double> ParseNumberText(std::string_view text) {
  text = TrimBlanks(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  // from_chars would take "inf" and "nan"; only digits, "." and an exponent are numbers here.
  for (char c : text) {
    if (!(IsAnsiDigit(static_cast<unsigned char>(c)) || c == '.' || c == 'e' || c == 'E' || c == '+' || c == '-')) return std::nullopt;
  }
  const std::string digits = "0" + std::string(text);
  double value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return negative ? -value : value;
}

std::optional<std::int32_t> RoundToInt32(double value) {
  const double rounded = RoundHalfEven(value);
  if (!(rounded >= std::numeric_limits<std::int32_t>::min() && rounded <= std::numeric_limits<std::int32_t>::max())) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(rounded);
}

std::filesystem::path ScriptPath(std::string_view text) { return ToNativePath(Cp1252Text(text)); }

std::string PathForReport(const std::filesystem::path& path) { return FromNativePathOrBytes(path).bytes(); }

bool CheckFileAccess(BuiltinCall& call, const std::filesystem::path& path, FileUse use) {
  const FileAccess& access = call.program().file_access();
  if (use == FileUse::kRead ? access.MayRead(path) : access.MayWrite(path)) return true;
  // The refused path goes to the log with the failure, not into the page.
  call.Fail(rterr::kFileAccess, (use == FileUse::kRead ? "reading " : "writing ") + PathForReport(path) +
                                    " refused, outside the folders scripts may " +
                                    (use == FileUse::kRead ? "read" : "write"));
  return false;
}

namespace {

template <class Trimmed>
std::string_view TrimEnds(std::string_view text, bool leading, bool trailing, Trimmed trimmed) {
  if (leading) {
    while (!text.empty() && trimmed(text.front())) text.remove_prefix(1);
  }
  if (trailing) {
    while (!text.empty() && trimmed(text.back())) text.remove_suffix(1);
  }
  return text;
}

}  // namespace

std::string_view TrimBlanks(std::string_view text, bool leading, bool trailing) {
  return TrimEnds(text, leading, trailing, [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

std::string_view TrimSpaces(std::string_view text, bool leading, bool trailing) {
  return TrimEnds(text, leading, trailing, [](char c) { return c == ' '; });
}

}  // namespace velmora::script
