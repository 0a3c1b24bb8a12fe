// Type promotion, arithmetic and comparison (the machine's operation routines).
#include "script/operations.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "script/value_text.h"

namespace velmora::script {
namespace {

using T = ValueType;

// Symmetric promotion table over INTEGER, DOUBLE, SYMBOL, STRING, DATE.
constexpr T kPromotion[5][5] = {
    {T::kInteger, T::kDouble, T::kSymbol, T::kString, T::kDate},
    {T::kDouble, T::kDouble, T::kSymbol, T::kString, T::kDate},
    {T::kSymbol, T::kSymbol, T::kSymbol, T::kString, T::kSymbol},
    {T::kString, T::kString, T::kString, T::kString, T::kString},
    {T::kDate, T::kDate, T::kSymbol, T::kString, T::kDate},
};

double Number(const Value& v) { return v.is(T::kInteger) ? v.integer() : v.real(); }

// An INTEGER when the exact result fits, else the value widened to DOUBLE.
Value IntegerOrWidened(std::int64_t r) {
  if (r >= std::numeric_limits<std::int32_t>::min() && r <= std::numeric_limits<std::int32_t>::max()) {
    return Value::Integer(static_cast<std::int32_t>(r));
  }
  return Value::Double(static_cast<double>(r));
}

Value Numeric(T type, double r) { return type == T::kDate ? Value::Date(r) : Value::Double(r); }

Value Concatenate(const Value& a, const Value& b, const RLSKonstanteArray& constants) {
  NumberBuffer ba, bb;
  std::string sa, sb;
  const std::string_view ta = ValueText(a, constants, ba, sa);
  const std::string_view tb = ValueText(b, constants, bb, sb);
  if (ta.size() + tb.size() > kMaxStringBytes) return ErrorValue();
  Value r = Value::String(ta);
  r.Append(tb);
  return r;
}

std::int64_t DivideHalfEven(std::int64_t a, std::int64_t b) {
  std::int64_t q = a / b;
  const std::int64_t r = a % b;
  const std::int64_t twice = 2 * (r < 0 ? -r : r);
  const std::int64_t divisor = b < 0 ? -b : b;
  const std::int64_t step = (a < 0) != (b < 0) ? -1 : 1;
  if (twice > divisor || (twice == divisor && q % 2 != 0)) q += step;
  return q;
}

Value Arithmetic(Opcode op, T type, const Value& a, const Value& b, const RLSKonstanteArray& constants) {
  if (type == T::kString) return op == Opcode::kAdd ? Concatenate(a, b, constants) : ErrorValue();
  if (type == T::kInteger) {
    const std::int64_t x = a.integer();
    const std::int64_t y = b.integer();
    switch (op) {
      case Opcode::kAdd: return IntegerOrWidened(x + y);
      case Opcode::kSubtract: return IntegerOrWidened(x - y);
      case Opcode::kMultiply: return IntegerOrWidened(x * y);
      case Opcode::kDivide: return y == 0 ? ErrorValue() : IntegerOrWidened(DivideHalfEven(x, y));
      case Opcode::kModulo: return y == 0 ? ErrorValue() : Value::Integer(static_cast<std::int32_t>(x % y));
      case Opcode::kBitOr: return Value::Integer(static_cast<std::int32_t>(x | y));
      case Opcode::kBitXor: return Value::Integer(static_cast<std::int32_t>(x ^ y));
      case Opcode::kBitAnd: return Value::Integer(static_cast<std::int32_t>(x & y));
      default: return ErrorValue();
    }
  }
  if (type != T::kDouble && type != T::kDate) return ErrorValue();
  const double x = Number(a);
  const double y = Number(b);
  switch (op) {
    case Opcode::kAdd: return Numeric(type, x + y);
    case Opcode::kSubtract: return Numeric(type, x - y);
    case Opcode::kMultiply: return type == T::kDouble ? Value::Double(x * y) : ErrorValue();
    case Opcode::kDivide: return type == T::kDouble && y != 0.0 ? Value::Double(x / y) : ErrorValue();
    case Opcode::kModulo: {
      const double rx = RoundHalfEven(x);
      const double ry = RoundHalfEven(y);
      constexpr double kLimit = 9.0e18;
      if (type != T::kDouble || ry == 0.0 || !(std::fabs(rx) < kLimit) || !(std::fabs(ry) < kLimit)) {
        return ErrorValue();
      }
      return Value::Double(static_cast<double>(static_cast<std::int64_t>(rx) % static_cast<std::int64_t>(ry)));
    }
    default: return ErrorValue();
  }
}

// <0, 0, >0; `comparable` is false for pairs that have no order.
int Compare(T type, const Value& a, const Value& b, const RLSKonstanteArray& constants, bool& comparable) {
  comparable = true;
  if (type == T::kInteger) return a.integer() < b.integer() ? -1 : (a.integer() > b.integer() ? 1 : 0);
  if (type == T::kDouble || type == T::kDate) {
    const double x = Number(a);
    const double y = Number(b);
    if (std::isnan(x) || std::isnan(y)) comparable = false;
    return x < y ? -1 : (x > y ? 1 : 0);
  }
  if (type == T::kString) {
    NumberBuffer ba, bb;
    std::string sa, sb;
    // Text order by character code: compare as unsigned bytes.
    const std::string_view ta = ValueText(a, constants, ba, sa);
    const std::string_view tb = ValueText(b, constants, bb, sb);
    const int c = ta.compare(tb);  // char_traits<char>::compare works on unsigned char
    return c;
  }
  if (type == T::kSymbol && a.is(T::kSymbol) && b.is(T::kSymbol)) return a.symbol() == b.symbol() ? 0 : 1;
  comparable = false;
  return 1;
}

}  // namespace

ValueType Promote(ValueType a, ValueType b) {
  const auto ia = static_cast<int>(a);
  const auto ib = static_cast<int>(b);
  if (ia < 1 || ia > 5 || ib < 1 || ib > 5) return T::kEmpty;
  return kPromotion[ia - 1][ib - 1];
}

double RoundHalfEven(double v) { return std::nearbyint(v); }

Value Binary(Opcode op, const Value& left, const Value& right, const RLSKonstanteArray& constants) {
  const Value& a = left.Deref();
  const Value& b = right.Deref();
  const T type = Promote(a.type(), b.type());
  const bool equality = op == Opcode::kEqual || op == Opcode::kNotEqual;
  if (op >= Opcode::kEqual && op <= Opcode::kGreater) {
    if (type == T::kEmpty) return Bool(false);
    bool comparable = true;
    const int c = Compare(type, a, b, constants, comparable);
    if (equality) {
      // A pair without a conversion (a number against a symbol) is unequal.
      return Bool((op == Opcode::kEqual) == (comparable && c == 0));
    }
    if (!comparable || type == T::kSymbol) return Bool(false);
    switch (op) {
      case Opcode::kLessEqual: return Bool(c <= 0);
      case Opcode::kLess: return Bool(c < 0);
      case Opcode::kGreaterEqual: return Bool(c >= 0);
      default: return Bool(c > 0);
    }
  }
  if (type == T::kEmpty) return ErrorValue();
  return Arithmetic(op, type, a, b, constants);
}

Value Unary(Opcode op, const Value& value) {
  const Value& a = value.Deref();
  switch (op) {
    case Opcode::kNegate:
      if (a.is(T::kInteger)) return IntegerOrWidened(-static_cast<std::int64_t>(a.integer()));
      if (a.is(T::kDouble)) return Value::Double(-a.real());
      return ErrorValue();
    case Opcode::kNot:
      if (a.is(T::kInteger) || a.is(T::kDouble)) return Bool(!IsTrue(a));
      if (a.is(T::kSymbol)) {
        const std::int32_t s = a.symbol();
        return Bool(s == kSymFalse || s == kSymUndefined || s == kSymError);
      }
      return Bool(false);
    case Opcode::kBitNot:
      return a.is(T::kInteger) ? Value::Integer(~a.integer()) : ErrorValue();
    default:
      return ErrorValue();
  }
}

}  // namespace velmora::script
