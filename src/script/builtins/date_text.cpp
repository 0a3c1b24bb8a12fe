// Date patterns: formatting for `datepart` and reading for `date`.
#include "script/builtins/date_text.h"

#include <array>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <ctime>

#include "lang/language_registry.h"
#include "script/value_text.h"

namespace velmora::script {
namespace {

struct Names {
  std::array<std::string_view, 7> short_days, long_days;
  std::array<std::string_view, 12> short_months, long_months;
};

// German texts in Windows-1252 ("M\xE4rz").
constexpr Names kGermanNames{
    {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"},
    {"Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag"},
    {"Jan", "Feb", "M\xE4r", "Apr", "Mai", "Jun", "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"},
    {"Januar", "Februar", "M\xE4rz", "April", "Mai", "Juni", "Juli", "August", "September", "Oktober", "November",
     "Dezember"},
};
constexpr Names kEnglishNames{
    {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"},
    {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"},
    {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"},
    {"January", "February", "March", "April", "May", "June", "July", "August", "September", "October", "November",
     "December"},
};

// Language files carry date patterns but no names; German gets German
// names, every other language the English ones.
const Names& CurrentNames() {
  return lang::CurrentLanguage().ID() == lang::kBuiltinLanguageID ? kGermanNames : kEnglishNames;
}

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

std::size_t RunLength(std::string_view pattern, std::size_t i) {
  std::size_t n = 1;
  while (i + n < pattern.size() && Lower(pattern[i + n]) == Lower(pattern[i])) ++n;
  return n;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (Lower(text[i]) != Lower(prefix[i])) return false;
  }
  return true;
}

// The separator that a "/" in a pattern stands for: the first one in the
// language's date pattern.
char DateSeparator() {
  for (char c : lang::FormatDate()) {
    if (!std::isalnum(static_cast<unsigned char>(c))) return c;
  }
  return '.';
}

void AppendNumber(std::string& out, int value, int digits) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%0*d", digits, value);
  out += buffer;
}

bool HasTwelveHourClock(std::string_view pattern) {
  char quote = 0;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (StartsWithNoCase(pattern.substr(i), "am/pm") || StartsWithNoCase(pattern.substr(i), "a/p")) {
      return true;
    }
  }
  return false;
}

void Format(const DateParts& t, std::string_view pattern, int depth, std::string& out) {
  // A language pattern that names "c" itself would never end.
  if (depth > 2) return;
  const Names& names = CurrentNames();
  const bool twelve = HasTwelveHourClock(pattern);
  const int hour = twelve ? (t.hour % 12 == 0 ? 12 : t.hour % 12) : t.hour;
  bool after_hour = false;
  std::size_t i = 0;
  while (i < pattern.size()) {
    const char c = pattern[i];
    const std::size_t n = RunLength(pattern, i);
    std::string_view rest = pattern.substr(i);
    if (c == '"' || c == '\'') {
      const std::size_t end = pattern.find(c, i + 1);
      const std::size_t stop = end == std::string_view::npos ? pattern.size() : end;
      out.append(pattern.substr(i + 1, stop - i - 1));
      i = stop + 1;
      continue;
    }
    if (StartsWithNoCase(rest, "am/pm") || StartsWithNoCase(rest, "a/p")) {
      const bool full = StartsWithNoCase(rest, "am/pm");
      const bool upper = std::isupper(static_cast<unsigned char>(c)) != 0;
      std::string mark = t.hour < 12 ? (full ? "am" : "a") : (full ? "pm" : "p");
      if (upper) {
        for (char& m : mark) m = static_cast<char>(std::toupper(static_cast<unsigned char>(m)));
      }
      out += mark;
      i += full ? 5 : 3;
      continue;
    }
    switch (Lower(c)) {
      case 'c':
        Format(t, lang::FormatDate(), depth + 1, out);
        if (t.hour != 0 || t.minute != 0 || t.second != 0) {
          out += ' ';
          Format(t, lang::FormatTime(), depth + 1, out);
        }
        i += 1;
        after_hour = false;
        continue;
      case 'd':
        if (n == 1 || n == 2) AppendNumber(out, t.day, static_cast<int>(n));
        else if (n == 3) out += names.short_days[static_cast<std::size_t>(t.weekday)];
        else if (n == 4) out += names.long_days[static_cast<std::size_t>(t.weekday)];
        else Format(t, lang::FormatDate(), depth + 1, out);
        i += n > 6 ? 6 : n;
        after_hour = false;
        continue;
      case 'm':
        if (after_hour && n <= 2) {
          AppendNumber(out, t.minute, static_cast<int>(n));
        } else if (n <= 2) {
          AppendNumber(out, t.month, static_cast<int>(n));
        } else {
          const auto& months = n == 3 ? names.short_months : names.long_months;
          out += months[static_cast<std::size_t>(t.month - 1)];
        }
        i += n > 4 ? 4 : n;
        after_hour = false;
        continue;
      case 'y':
        if (n <= 2) AppendNumber(out, t.year % 100, 2);
        else AppendNumber(out, t.year, 4);
        i += n;
        after_hour = false;
        continue;
      case 'h':
        AppendNumber(out, hour, n >= 2 ? 2 : 1);
        i += n;
        after_hour = true;
        continue;
      case 'n':
        AppendNumber(out, t.minute, n >= 2 ? 2 : 1);
        i += n;
        after_hour = false;
        continue;
      case 's':
        AppendNumber(out, t.second, n >= 2 ? 2 : 1);
        i += n;
        after_hour = false;
        continue;
      case 'z':
        AppendNumber(out, t.millisecond, n >= 3 ? 3 : 1);
        i += n;
        after_hour = false;
        continue;
      case 't':
        Format(t, lang::FormatTime(), depth + 1, out);
        i += n > 2 ? 2 : n;
        after_hour = false;
        continue;
      case '/':
        out += DateSeparator();
        i += 1;
        continue;
      default:
        out += c;
        i += 1;
        continue;
    }
  }
}

// ---- Reading ----

struct Fields {
  int year = 1899, month = 12, day = 30, hour = 0, minute = 0, second = 0;
  bool has_date = false;
};

// Reads up to `max_digits` digits; false when there is none.
bool ReadNumber(std::string_view text, std::size_t& pos, std::size_t max_digits, int& value, std::size_t& digits) {
  value = 0;
  digits = 0;
  while (pos < text.size() && digits < max_digits && std::isdigit(static_cast<unsigned char>(text[pos]))) {
    value = value * 10 + (text[pos] - '0');
    ++pos;
    ++digits;
  }
  return digits > 0;
}

bool Matches(std::string_view text, std::string_view pattern, Fields& f) {
  std::size_t pos = 0;
  bool after_hour = false;
  for (std::size_t i = 0; i < pattern.size();) {
    const char c = Lower(pattern[i]);
    const std::size_t n = RunLength(pattern, i);
    int value = 0;
    std::size_t digits = 0;
    if (c == 'd' || c == 'm' || c == 'y' || c == 'h' || c == 'n' || c == 's') {
      if (!ReadNumber(text, pos, c == 'y' ? 4 : 2, value, digits)) return false;
      switch (c) {
        case 'd': f.day = value; f.has_date = true; break;
        case 'm': (after_hour ? f.minute : f.month) = value; f.has_date |= !after_hour; break;
        case 'y': f.year = digits <= 2 ? (value < 50 ? 2000 + value : 1900 + value) : value; f.has_date = true; break;
        case 'h': f.hour = value; break;
        case 'n': f.minute = value; break;
        default: f.second = value; break;
      }
      after_hour = c == 'h';
      i += n;
      continue;
    }
    if (c == ' ') {
      // Any run of blanks stands for a blank of the pattern.
      if (pos >= text.size() || text[pos] != ' ') return false;
      while (pos < text.size() && text[pos] == ' ') ++pos;
    } else {
      if (pos >= text.size() || Lower(text[pos]) != c) return false;
      ++pos;
    }
    ++i;
  }
  return pos == text.size();
}

bool Valid(const Fields& f) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (f.year < 1 || f.year > 9999 || f.month < 1 || f.month > 12 || f.day < 1) return false;
  const bool leap = (f.year % 4 == 0 && f.year % 100 != 0) || f.year % 400 == 0;
  const int days = kDays[f.month - 1] + (f.month == 2 && leap ? 1 : 0);
  return f.day <= days && f.hour < 24 && f.minute < 60 && f.second < 60;
}

}  // namespace

std::string FormatDatePattern(double date, std::string_view pattern) {
  std::string out;
  Format(SplitDate(date), pattern, 0, out);
  return out;
}

std::optional<double> ParseDateText(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  const std::string_view patterns[] = {
      lang::FormatDateTime(), lang::FormatDate(),    lang::FormatTime(),  "dd.mm.yyyy hh:nn:ss",
      "dd.mm.yyyy hh:nn",     "dd.mm.yyyy",          "yyyy-mm-dd hh:nn:ss", "yyyy-mm-ddThh:nn:ss",
      "yyyy-mm-dd hh:nn",     "yyyy-mm-dd",          "yyyy:mm:dd hh:nn:ss", "hh:nn:ss",
      "hh:nn",
  };
  for (std::string_view pattern : patterns) {
    Fields f;
    if (pattern.empty() || !Matches(text, pattern, f) || !Valid(f)) continue;
    const double time = (f.hour * 3600.0 + f.minute * 60.0 + f.second) / 86400.0;
    return f.has_date ? MakeDate(f.year, f.month, f.day, f.hour, f.minute, f.second) : time;
  }
  return std::nullopt;
}

double CurrentDate() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&seconds, &local);
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  return MakeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec) +
         static_cast<double>(ms) / 86'400'000.0;
}

}  // namespace velmora::script
