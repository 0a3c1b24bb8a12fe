// Dates as text in both directions: the date patterns that scripts pass to
// `datepart` and that languages give for dates and times, and the reading of
// date texts by `date`. Dates are days since 30.12.1899 with the time as
// fraction.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velmora::script {

// Formats a date with a pattern of placeholders: d dd ddd dddd ddddd dddddd,
// m mm mmm mmmm (minutes right after an hour), yy yyyy, h hh, n nn, s ss,
// z zzz, t tt, c, am/pm and a/p for the 12-hour clock, "/" and ":" as the
// date and time separators, and literal text in double or single quotes.
// Day and month names and the c/ddddd/t forms follow the current language.
std::string FormatDatePattern(double date, std::string_view pattern);

// Reads a date text written in the current language's date, time or
// date-and-time format, in the general form "dd.mm.yyyy hh:nn:ss", as ISO
// "yyyy-mm-dd[ hh:nn[:ss]]" or in the EXIF form "yyyy:mm:dd hh:nn:ss".
// Nothing when the text is no valid date.
std::optional<double> ParseDateText(std::string_view text);

// The current local date and time, to the millisecond.
double CurrentDate();

}  // namespace velmora::script
