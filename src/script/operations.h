// The operations of the instruction machine on values: type promotion and
// conversion, arithmetic, comparison and truth. A failed operation yields
// @ERROR; none of them throws.
#pragma once

#include "script/instruction.h"
#include "script/symbols.h"
#include "script/value.h"

namespace velmora::script {

// The common type of a binary operation, or kEmpty when the pair has no
// entry (an ARRAY or an empty operand).
ValueType Promote(ValueType a, ValueType b);

// A number is true when not 0; a symbol only when it is @TRUE.
inline bool IsTrue(const Value& value) {
  const Value& v = value.Deref();
  switch (v.type()) {
    case ValueType::kInteger: return v.integer() != 0;
    case ValueType::kDouble: return v.real() != 0.0;
    case ValueType::kSymbol: return v.symbol() == kSymTrue;
    default: return false;
  }
}

inline Value Bool(bool b) { return Value::Symbol(b ? kSymTrue : kSymFalse); }
inline Value ErrorValue() { return Value::Symbol(kSymError); }

// Opcodes 2 to 6, 9 to 17: operand a is the left, b the right side.
Value Binary(Opcode op, const Value& a, const Value& b, const RLSKonstanteArray& constants);
// Opcodes 7, 8 and 18.
Value Unary(Opcode op, const Value& a);

// A double rounded to the nearest integer, halves to the even neighbour.
double RoundHalfEven(double v);

}  // namespace velmora::script
