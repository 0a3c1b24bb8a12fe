// How values become text: for output, for conversion to STRING before a
// binary operation and for the built-ins that format values.
#pragma once

#include <string>
#include <string_view>

#include "script/symbols.h"
#include "script/value.h"

namespace velmora::script {

// Room for any number the formatters below produce.
using NumberBuffer = char[352];

// Pattern "0.0##############": at least one and at most 15 decimals, "." as
// decimal separator (2 gives "2.0", 0.25 gives "0.25").
std::string_view FormatDouble(double value, NumberBuffer& buffer);
std::string_view FormatInteger(std::int32_t value, NumberBuffer& buffer);

// Dates are days since 30.12.1899 with the time as fraction; the general
// text is "dd.mm.yyyy hh:nn:ss", without the time at midnight and without the
// date on day 0.
std::string FormatDate(double date);
// The calendar fields of a date, rounded to the millisecond; `weekday`
// counts from 0 for Sunday.
struct DateParts {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millisecond = 0, weekday = 0;
};
DateParts SplitDate(double date);

// Days since 30.12.1899 for a calendar date and time.
double MakeDate(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);

// The text of a value as a STRING operand: numbers as above, a symbol as its
// lower-case name without "@", a date as its general text, an array or an
// empty value as "".
std::string_view ValueText(const Value& value, const RLSKonstanteArray& constants, NumberBuffer& buffer,
                           std::string& storage);

// The text the output instruction writes: as ValueText, but a symbol with
// "@" in front and an array as "@array".
std::string_view OutputText(const Value& value, const RLSKonstanteArray& constants, NumberBuffer& buffer,
                            std::string& storage);

}  // namespace velmora::script
