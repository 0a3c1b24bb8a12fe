// Formatting of numbers, dates and values.
#include "script/value_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace velmora::script {
namespace {

// Civil date from days since 1970-01-01 (Howard Hinnant's algorithm).
void CivilFromDays(long long z, int& y, int& m, int& d) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const long long doe = z - era * 146097;
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long long mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(yoe + era * 400 + (m <= 2 ? 1 : 0));
}

long long DaysFromCivil(int y, int m, int d) {
  y -= m <= 2 ? 1 : 0;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const long long yoe = y - era * 400;
  const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

constexpr long long kDaysFrom1899To1970 = 25569;

}  // namespace

std::string_view FormatDouble(double value, NumberBuffer& buffer) {
  if (!std::isfinite(value)) {
    const char* text = std::isnan(value) ? "NaN" : (value > 0 ? "Infinity" : "-Infinity");
    const int n = std::snprintf(buffer, sizeof buffer, "%s", text);
    return {buffer, static_cast<std::size_t>(n)};
  }
  int n = std::snprintf(buffer, sizeof buffer, "%.15f", value);
  // Trailing zeros go, but one decimal always stays.
  while (n > 2 && buffer[n - 1] == '0' && buffer[n - 2] != '.') --n;
  std::string_view text(buffer, static_cast<std::size_t>(n));
  if (text == "-0.0") return text.substr(1);
  return text;
}

std::string_view FormatInteger(std::int32_t value, NumberBuffer& buffer) {
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return {buffer, static_cast<std::size_t>(result.ptr - buffer)};
}

double MakeDate(int year, int month, int day, int hour, int minute, int second) {
  const double days = static_cast<double>(DaysFromCivil(year, month, day) + kDaysFrom1899To1970);
  return days + (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
}

DateParts SplitDate(double date) {
  const long long total_ms = std::llround(date * 86'400'000.0);
  const long long days = total_ms >= 0 ? total_ms / 86'400'000 : -((-total_ms + 86'399'999) / 86'400'000);
  const long long ms = total_ms - days * 86'400'000;
  DateParts parts;
  CivilFromDays(days - kDaysFrom1899To1970, parts.year, parts.month, parts.day);
  parts.hour = static_cast<int>(ms / 3'600'000);
  parts.minute = static_cast<int>(ms / 60'000 % 60);
  parts.second = static_cast<int>(ms / 1000 % 60);
  parts.millisecond = static_cast<int>(ms % 1000);
  parts.weekday = static_cast<int>(((days + 6) % 7 + 7) % 7);  // 30.12.1899 was a Saturday
  return parts;
}

std::string FormatDate(double date) {
  if (!std::isfinite(date) || std::fabs(date) > 3e6) return "ERROR";
  // Round to the second first so that 23:59:59.9 does not print as 24:00:00.
  const long long total_seconds = std::llround(date * 86400.0);
  const long long days = total_seconds >= 0 ? total_seconds / 86400 : -((-total_seconds + 86399) / 86400);
  const long long seconds = total_seconds - days * 86400;
  int y = 0, m = 0, d = 0;
  CivilFromDays(days - kDaysFrom1899To1970, y, m, d);
  char buffer[64];
  std::string text;
  if (days != 0) {
    std::snprintf(buffer, sizeof buffer, "%02d.%02d.%04d", d, m, y);
    text = buffer;
  }
  if (seconds != 0 || days == 0) {
    std::snprintf(buffer, sizeof buffer, "%02lld:%02lld:%02lld", seconds / 3600, seconds / 60 % 60, seconds % 60);
    if (!text.empty()) text += ' ';
    text += buffer;
  }
  return text;
}

std::string_view ValueText(const Value& value, const RLSKonstanteArray& constants, NumberBuffer& buffer,
                           std::string& storage) {
  const Value& v = value.Deref();
  switch (v.type()) {
    case ValueType::kInteger: return FormatInteger(v.integer(), buffer);
    case ValueType::kDouble: return FormatDouble(v.real(), buffer);
    case ValueType::kSymbol: return constants.SymbolName(v.symbol());
    case ValueType::kString: return v.text();
    case ValueType::kDate: storage = FormatDate(v.real()); return storage;
    default: return {};
  }
}

std::string_view OutputText(const Value& value, const RLSKonstanteArray& constants, NumberBuffer& buffer,
                            std::string& storage) {
  const Value& v = value.Deref();
  if (v.is(ValueType::kSymbol) || v.is(ValueType::kArray)) {
    storage = "@";
    storage += constants.SymbolName(v.is(ValueType::kArray) ? kSymArray : v.symbol());
    return storage;
  }
  return ValueText(v, constants, buffer, storage);
}

}  // namespace velmora::script
