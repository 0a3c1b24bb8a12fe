// Shared argument tests and conversions of the internal functions, so that
// every routine applies the same rules for numbers, texts and options.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "script/builtins/builtin.h"
#include "script/value_text.h"

namespace velmora::script {

inline bool IsNumber(const Value& v) { return v.is(ValueType::kInteger) || v.is(ValueType::kDouble); }
inline double NumberOf(const Value& v) { return v.is(ValueType::kInteger) ? v.integer() : v.real(); }
inline bool IsSymbol(const Value& v, std::int32_t symbol) {
  return v.is(ValueType::kSymbol) && v.symbol() == symbol;
}

// A value as the `string` built-in writes it: numbers in the script's number
// formats, a symbol as its lower-case name, a date as its general text.
// Nothing for an array.
std::optional<std::string> ArgumentText(BuiltinCall& call, const Value& value);

// Number of a numeric text: optional surrounding blanks, an optional sign,
// then "0" put in front of the rest so that "" reads as 0 and ".5" as 0.5.
// Nothing when the text is not a decimal number.
std::optional<double> ParseNumberText(std::string_view text);

// A 32-bit integer from a DOUBLE, rounded half to even; nothing outside the range.
std::optional<std::int32_t> RoundToInt32(double value);

// Texts that end in the file system: script texts are Windows-1252, names
// on disk UTF-8.
std::filesystem::path ScriptPath(std::string_view text);
// The path for an error report, back in Windows-1252.
std::string PathForReport(const std::filesystem::path& path);

// Asks the host's file access policy (Program::file_access). A refused path
// is error 26 with the path in ERRS_LAST and a log line, and gives false;
// the script goes on with @ERROR.
enum class FileUse { kRead, kWrite };
bool CheckFileAccess(BuiltinCall& call, const std::filesystem::path& path, FileUse use);

// Blanks and control characters at either end go, as users expect of text
// read from files and typed into templates.
std::string_view TrimBlanks(std::string_view text, bool leading = true, bool trailing = true);
// Spaces alone at either end go: what `trim` and `split` promise, so that a
// tab or line break that a script puts at the edge of a text stays there.
std::string_view TrimSpaces(std::string_view text, bool leading = true, bool trailing = true);

}  // namespace velmora::script
