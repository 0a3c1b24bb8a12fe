// `format`: placeholders "%[-][width][.precision]" ended by the first other
// character ("!" ends one and is dropped), "%%" for "%", "%\" for CR LF.
#include "script/builtins/format.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "script/builtins/arguments.h"

namespace velmora::script {
namespace {

// Field sizes beyond this are typing errors, not layouts.
constexpr int kMaxField = 1 << 20;

struct Placeholder {
  bool left = false;
  int width = 0;
  int precision = 0;
};

// A number with `precision` decimals, "." as separator.
std::string NumberText(double value, int precision) {
  std::string text(static_cast<std::size_t>(precision) + 352, '\0');
  const int n = std::snprintf(text.data(), text.size(), "%.*f", precision, value);
  text.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
  // No "-0" for a value that rounds to zero.
  if (text.size() > 1 && text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
  return text;
}

std::string ArgumentField(BuiltinCall& call, const Value& v, int precision) {
  switch (v.type()) {
    case ValueType::kInteger: return NumberText(v.integer(), precision);
    case ValueType::kDouble:
      if (!std::isfinite(v.real())) return ArgumentText(call, v).value_or("");
      return NumberText(v.real(), precision);
    case ValueType::kSymbol: return "@" + std::string(call.constants().SymbolName(v.symbol()));
    case ValueType::kArray: return "@array";
    default: return ArgumentText(call, v).value_or("");
  }
}

int ReadDigits(std::string_view pattern, std::size_t& i) {
  long long value = 0;
  while (i < pattern.size() && pattern[i] >= '0' && pattern[i] <= '9') {
    if (value < kMaxField) value = value * 10 + (pattern[i] - '0');
    ++i;
  }
  return static_cast<int>(value < kMaxField ? value : kMaxField);
}

}  // namespace

void kif_format(BuiltinCall& call) {
  if (!call.CheckCount(1, std::numeric_limits<int>::max())) return;
  if (!call.Arg(1).is(ValueType::kString)) return call.Fail(rterr::kParametertype);
  const std::string_view pattern = call.Arg(1).text();
  std::string out;
  int next = 2;
  std::size_t i = 0;
  while (i < pattern.size()) {
    const char c = pattern[i++];
    if (c != '%') {
      out += c;
      continue;
    }
    if (i < pattern.size() && pattern[i] == '%') {
      out += '%';
      ++i;
      continue;
    }
    if (i < pattern.size() && pattern[i] == '\\') {
      out += "\r\n";
      ++i;
      continue;
    }
    Placeholder p;
    if (i < pattern.size() && pattern[i] == '-') {
      p.left = true;
      ++i;
    }
    p.width = ReadDigits(pattern, i);
    if (i < pattern.size() && pattern[i] == '.') {
      ++i;
      p.precision = ReadDigits(pattern, i);
    }
    if (i < pattern.size() && pattern[i] == '!') ++i;
    if (next > call.count()) continue;  // no argument left: the placeholder writes nothing
    const std::string field = ArgumentField(call, call.Arg(next++), p.precision);
    const std::size_t width = static_cast<std::size_t>(p.width < 1 ? 1 : p.width);
    const std::size_t pad = field.size() < width ? width - field.size() : 0;
    if (!p.left) out.append(pad, ' ');
    out += field;
    if (p.left) out.append(pad, ' ');
    if (out.size() > kMaxStringBytes) return call.Fail(rterr::kParameter, "the result would exceed the text size limit");
  }
  call.SetResult(Value::String(out));
}

}  // namespace velmora::script
