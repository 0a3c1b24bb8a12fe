// Conversions between value types.
#include "script/builtins/conversion.h"

#include <cstdint>

#include "script/builtins/arguments.h"

namespace velmora::script {
namespace {

// The number behind `integer` and `double`: numbers as they are, numeric
// texts read with "0" put in front; nothing for other types.
std::optional<double> NumericValue(const Value& v) {
  if (IsNumber(v)) return NumberOf(v);
  if (v.is(ValueType::kString)) return ParseNumberText(v.text());
  return std::nullopt;
}

}  // namespace

void kif_integer(BuiltinCall& call) {
  if (!call.CheckCount(1, 1)) return;
  const Value& x = call.Arg(1);
  if (x.is(ValueType::kInteger)) return call.SetResult(x);
  const auto number = NumericValue(x);
  if (!number) return call.Fail(rterr::kParametertype);
  const auto rounded = RoundToInt32(*number);
  if (!rounded) return call.Fail(rterr::kParameter, "out of the 32-bit integer range");
  call.SetResult(Value::Integer(*rounded));
}

void kif_double(BuiltinCall& call) {
  if (!call.CheckCount(1, 1)) return;
  const auto number = NumericValue(call.Arg(1));
  if (!number) return call.Fail(rterr::kParametertype);
  call.SetResult(Value::Double(*number));
}

void kif_string(BuiltinCall& call) {
  if (!call.CheckCount(1, 1)) return;
  const Value& x = call.Arg(1);
  if (x.is(ValueType::kString)) return call.SetResult(x);
  const auto text = ArgumentText(call, x);
  if (!text) return call.Fail(rterr::kParametertype);
  call.SetResult(Value::String(*text));
}

void kif_symbol(BuiltinCall& call) {
  if (!call.CheckCount(1, 1)) return;
  const Value& x = call.Arg(1);
  if (x.is(ValueType::kSymbol)) return call.SetResult(x);
  if (!x.is(ValueType::kString)) return call.Fail(rterr::kParametertype);
  std::string_view name = TrimBlanks(x.text());
  if (!name.empty() && name.front() == '@') name.remove_prefix(1);
  if (name.empty()) return call.Fail(rterr::kParameter, "empty symbol name");
  call.SetResult(*call.program().constants().AddSymbol(name));
}

void kif_convert(BuiltinCall& call) {
  if (!call.CheckCount(2, 2)) return;
  const Value& number = call.Arg(1);
  const Value& base_arg = call.Arg(2);
  if (!IsNumber(number)) return call.Fail(rterr::kParametertype);
  int base = 0;
  if (base_arg.is(ValueType::kSymbol)) {
    switch (base_arg.symbol()) {
      case kSymBin: base = 2; break;
      case kSymOct: base = 8; break;
      case kSymHex: base = 16; break;
      default: return call.Fail(rterr::kParameter, "base symbol must be @BIN, @OCT or @HEX");
    }
  } else if (base_arg.is(ValueType::kInteger)) {
    base = base_arg.integer();
    if (base < 2 || base > 36) return call.Fail(rterr::kParameter, "base must lie between 2 and 36");
  } else {
    return call.Fail(rterr::kParametertype);
  }
  const auto value = RoundToInt32(NumberOf(number));
  if (!value) return call.Fail(rterr::kParameter, "out of the 32-bit integer range");
  // Negative numbers show their 32-bit two's complement, as hexadecimal
  // dumps of flags and colour values expect.
  auto bits = static_cast<std::uint32_t>(*value);
  char digits[33];
  int pos = sizeof digits;
  do {
    digits[--pos] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"[bits % static_cast<std::uint32_t>(base)];
    bits /= static_cast<std::uint32_t>(base);
  } while (bits != 0);
  call.SetResult(Value::String({digits + pos, sizeof digits - static_cast<std::size_t>(pos)}));
}

}  // namespace velmora::script
