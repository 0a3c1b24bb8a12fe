// Dates: conversion, the clock and formatting by pattern.
#include "script/builtins/dates.h"

#include <charconv>
#include <cmath>

#include "script/builtins/arguments.h"
#include "script/builtins/date_text.h"

namespace velmora::script {

void kif_date(BuiltinCall& call) {
  if (!call.CheckCount(1, 1)) return;
  const Value& x = call.Arg(1);
  if (x.is(ValueType::kDate)) return call.SetResult(x);
  if (IsNumber(x)) {
    const double days = NumberOf(x);
    // Beyond the years 1 to 9999 no calendar text exists for the value.
    if (!std::isfinite(days) || std::fabs(days) > 3'000'000) return call.Fail(rterr::kParameter, "not a date");
    return call.SetResult(Value::Date(days));
  }
  if (!x.is(ValueType::kString)) return call.Fail(rterr::kParametertype);
  const auto date = ParseDateText(x.text());
  if (!date) return call.Fail(rterr::kParametertype, "not a date: \"" + std::string(x.text()) + "\"");
  call.SetResult(Value::Date(*date));
}

void kif_now(BuiltinCall& call) {
  if (!call.CheckCount(0, 0)) return;
  call.SetResult(Value::Date(CurrentDate()));
}

void kif_datepart(BuiltinCall& call) {
  if (!call.CheckCount(2, 2)) return;
  const Value& date = call.Arg(1);
  const Value& pattern = call.Arg(2);
  if (!date.is(ValueType::kDate) || !pattern.is(ValueType::kString)) return call.Fail(rterr::kParametertype);
  if (!std::isfinite(date.real()) || std::fabs(date.real()) > 3'000'000) {
    return call.Fail(rterr::kParameter, "not a date");
  }
  const std::string text = FormatDatePattern(date.real(), pattern.text());
  // Digits alone are a number for the script (a year, a month to compute with).
  std::int32_t number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  const bool digits_only = !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
  if (digits_only && error == std::errc() && end == text.data() + text.size()) {
    return call.SetResult(Value::Integer(number));
  }
  call.SetResult(Value::String(text));
}

}  // namespace velmora::script
