// Texts: pieces, case, search and replacement.
#include "script/builtins/text.h"

#include <cstdint>

#include "platform/percent_encoding.h"
#include "script/ansi.h"
#include "script/builtins/arguments.h"
#include "script/builtins/regex.h"

namespace velmora::script {
namespace {

bool AllStrings(BuiltinCall& call, int first, int last) {
  for (int k = first; k <= last; ++k) {
    if (!call.Arg(k).is(ValueType::kString)) return false;
  }
  return true;
}

// `index` and `replace` take @REGEXP as a leading extra argument. Returns
// the position of the text argument (1 or 2), or 0 after an error.
int RegexpForm(BuiltinCall& call, bool& regexp) {
  const Value& first = call.Arg(1);
  regexp = false;
  if (!first.is(ValueType::kSymbol)) return 1;
  if (first.symbol() != kSymRegexp) {
    call.Fail(rterr::kParameter, "the only option before the text is @REGEXP");
    return 0;
  }
  regexp = true;
  return 2;
}

std::string ReplaceText(std::string_view text, std::string_view search, std::string_view replacement, bool first_only) {
  std::string out;
  std::size_t copied = 0;
  for (std::size_t at = text.find(search); at != std::string_view::npos; at = text.find(search, copied)) {
    out.append(text.substr(copied, at - copied));
    out.append(replacement);
    copied = at + search.size();
    if (first_only) break;
  }
  out.append(text.substr(copied));
  return out;
}

}  // namespace

void kif_mid(BuiltinCall& call) {
  if (!call.CheckCount(2, 3)) return;
  const Value& s = call.Arg(1);
  const Value& start = call.Arg(2);
  const Value& length = call.Arg(3);
  if (!s.is(ValueType::kString) || !start.is(ValueType::kInteger) ||
      (call.count() == 3 && !length.is(ValueType::kInteger))) {
    return call.Fail(rterr::kParametertype);
  }
  const std::string_view text = s.text();
  // A start before the first character counts from the first, as a length
  // beyond the end stops at the end.
  const std::int64_t from = start.integer() < 1 ? 0 : std::int64_t{start.integer()} - 1;
  std::int64_t count = call.count() == 3 ? length.integer() : static_cast<std::int64_t>(text.size());
  if (from >= static_cast<std::int64_t>(text.size()) || count <= 0) return call.SetResult(Value::String(""));
  call.SetResult(Value::String(text.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(count))));
}

void kif_upper(BuiltinCall& call) {
  if (!call.CheckCount(1, 1)) return;
  if (!call.Arg(1).is(ValueType::kString)) return call.Fail(rterr::kParametertype);
  call.SetResult(Value::String(AnsiUpper(call.Arg(1).text())));
}

void kif_lower(BuiltinCall& call) {
  if (!call.CheckCount(1, 1)) return;
  if (!call.Arg(1).is(ValueType::kString)) return call.Fail(rterr::kParametertype);
  call.SetResult(Value::String(AnsiLower(call.Arg(1).text())));
}

void kif_trim(BuiltinCall& call) {
  if (!call.CheckCount(1, 2)) return;
  const Value& s = call.Arg(1);
  if (!s.is(ValueType::kString)) return call.Fail(rterr::kParametertype);
  std::int32_t side = kSymBoth;
  if (call.count() == 2) {
    if (!call.Arg(2).is(ValueType::kSymbol)) return call.Fail(rterr::kParametertype);
    side = call.Arg(2).symbol();
    if (side != kSymBoth && side != kSymLeading && side != kSymTrailing) {
      return call.Fail(rterr::kParameter, "the side is @LEADING, @TRAILING or @BOTH");
    }
  }
  call.SetResult(Value::String(TrimSpaces(s.text(), side != kSymTrailing, side != kSymLeading)));
}

void kif_split(BuiltinCall& call) {
  if (!call.CheckCount(3, 3)) return;
  if (!AllStrings(call, 1, 2) || !call.Arg(3).is(ValueType::kInteger)) return call.Fail(rterr::kParametertype);
  const std::string_view text = call.Arg(1).text();
  const std::string_view separator = call.Arg(2).text();
  const std::int32_t n = call.Arg(3).integer();
  if (separator.empty()) return call.Fail(rterr::kParameter, "empty separator");
  if (n < 1) return call.Fail(rterr::kParameter, "pieces are counted from 1");
  std::size_t begin = 0;
  for (std::int32_t piece = 1; piece < n; ++piece) {
    const std::size_t at = text.find(separator, begin);
    if (at == std::string_view::npos) return call.SetResult(Value::String(""));
    begin = at + separator.size();
  }
  const std::size_t end = text.find(separator, begin);
  call.SetResult(Value::String(TrimSpaces(text.substr(begin, end == std::string_view::npos ? end : end - begin))));
}

void kif_urlencode(BuiltinCall& call) {
  if (!call.CheckCount(1, 1)) return;
  if (!call.Arg(1).is(ValueType::kString)) return call.Fail(rterr::kParametertype);
  // Windows-1252 codes, as scripts have always seen them: a-umlaut is %E4.
  call.SetResult(Value::String(PercentEncode(call.Arg(1).text())));
}

// Text for a page: names of files and folders, comments and metadata may
// hold markup ("<img onerror=...>.jpg") that must show as text, in element
// content and in quoted attributes alike. Other bytes stay Windows-1252, as
// the page is.
void kif_htmlencode(BuiltinCall& call) {
  if (!call.CheckCount(1, 1)) return;
  const auto text = ArgumentText(call, call.Arg(1));
  if (!text) return call.Fail(rterr::kParametertype);
  std::string out;
  out.reserve(text->size());
  for (const char c : *text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default: out += c;
    }
  }
  call.SetResult(Value::String(out));
}

void kif_index(BuiltinCall& call) {
  if (!call.CheckCount(2, 3)) return;
  bool regexp = false;
  const int at = RegexpForm(call, regexp);
  if (at == 0) return;
  if (call.count() != at + 1) return call.Fail(rterr::kParameterCount);
  if (!AllStrings(call, at, at + 1)) return call.Fail(rterr::kParametertype);
  const std::string_view text = call.Arg(at).text();
  const std::string_view search = call.Arg(at + 1).text();
  if (!regexp) {
    const std::size_t found = search.empty() ? std::string_view::npos : text.find(search);
    return call.SetResult(Value::Integer(found == std::string_view::npos ? 0 : static_cast<std::int32_t>(found + 1)));
  }
  std::int32_t position = 0;
  const RegexResult result = RegexFind(text, search, true, position);
  if (!result.ok) return call.Fail(rterr::kParameter, result.error);
  call.SetResult(Value::Integer(position));
}

void kif_replace(BuiltinCall& call) {
  if (!call.CheckCount(3, 5)) return;
  bool regexp = false;
  const int at = RegexpForm(call, regexp);
  if (at == 0) return;
  // text, search and replacement, then the optional first-only option.
  if (call.count() < at + 2 || call.count() > at + 3) return call.Fail(rterr::kParameterCount);
  if (!AllStrings(call, at, at + 2)) return call.Fail(rterr::kParametertype);
  const bool first_only = call.count() == at + 3;
  if (first_only && !call.Arg(at + 3).is(ValueType::kSymbol)) {
    return call.Fail(rterr::kParameter, "the last argument must be a symbol such as @FIRST");
  }
  const std::string_view text = call.Arg(at).text();
  const std::string_view search = call.Arg(at + 1).text();
  const std::string_view replacement = call.Arg(at + 2).text();
  std::string out;
  if (!regexp) {
    if (search.empty()) return call.SetResult(call.Arg(at));
    // Bounded before building: every occurrence may grow the text.
    const std::size_t growth = replacement.size() > search.size() ? replacement.size() - search.size() : 0;
    if (growth > 0 && text.size() / search.size() * growth + text.size() > kMaxStringBytes) {
      return call.Fail(rterr::kParameter, "the result would exceed the text size limit");
    }
    return call.SetResult(Value::String(ReplaceText(text, search, replacement, first_only)));
  }
  const RegexResult result = RegexReplace(text, search, replacement, first_only, out);
  if (!result.ok) return call.Fail(rterr::kParameter, result.error);
  call.SetResult(Value::String(out));
}

}  // namespace velmora::script
