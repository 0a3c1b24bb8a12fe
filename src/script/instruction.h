// RLSInstruction: one instruction of a compiled function. Operands name their
// cell directly (constants, globals), by frame slot (locals) or as the top of
// the stack, so the machine never looks a name up while it runs.
#pragma once

#include <cstdint>
#include <vector>

#include "script/value.h"

namespace velmora::script {

struct RLSFunktion;

enum class OperandKind : std::int32_t {
  kNone = 1000,
  kConstant = 1001,
  kGlobal = 1002,
  kLocal = 1003,
  kStack = 1004,
  kIndex = 1005,  // jump target (1-based instruction index) or a count
  kFunction = 1006,
  kElementRef = 1007,
};

enum class Opcode : std::int32_t {
  kNop = 0,
  kAssign = 1,
  kAdd = 2,
  kSubtract = 3,
  kDivide = 4,
  kMultiply = 5,
  kModulo = 6,
  kNegate = 7,
  kNot = 8,
  kEqual = 9,
  kNotEqual = 10,
  kLessEqual = 11,
  kLess = 12,
  kGreaterEqual = 13,
  kGreater = 14,
  kBitOr = 15,
  kBitXor = 16,
  kBitAnd = 17,
  kBitNot = 18,
  kArgumentCount = 19,
  kElement = 20,
  kElementKey = 21,
  kCall = 22,
  kReturn = 23,
  kJumpIfTrue = 24,
  kJumpIfFalse = 25,
  kOrJump = 26,
  kAndJump = 27,
  kJump = 28,
  kEndOfTemplate = 29,
  kPop = 30,
  kDuplicate = 31,
  kOutput = 32,
  // Pushes a reference to a variable: arguments of internal functions, so
  // that `remove` and `clear` act on the caller's array.
  kPushReference = 33,
  // `x = x + e` on a variable: appends in place to a text that only this
  // variable holds, so building a page text in a loop stays linear.
  kAddAssign = 34,
};

struct Operand {
  OperandKind kind = OperandKind::kNone;
  std::int32_t index = 0;  // local slot, jump target or count
  union {
    Value* cell = nullptr;  // constant or global
    RLSFunktion* function;
  };

  static Operand None() { return {}; }
  static Operand Stack() { Operand o; o.kind = OperandKind::kStack; return o; }
  static Operand ElementRef() { Operand o; o.kind = OperandKind::kElementRef; return o; }
  static Operand Cell(OperandKind kind, Value* cell) { Operand o; o.kind = kind; o.cell = cell; return o; }
  static Operand Local(std::int32_t slot) { Operand o; o.kind = OperandKind::kLocal; o.index = slot; return o; }
  static Operand Index(std::int32_t index) { Operand o; o.kind = OperandKind::kIndex; o.index = index; return o; }
  static Operand Function(RLSFunktion* f) { Operand o; o.kind = OperandKind::kFunction; o.function = f; return o; }

  bool IsTemporary() const { return kind == OperandKind::kStack || kind == OperandKind::kElementRef; }
  bool IsAssignable() const {
    return kind == OperandKind::kGlobal || kind == OperandKind::kLocal || kind == OperandKind::kElementRef;
  }
};

struct RLSInstruction {
  Opcode opcode = Opcode::kNop;
  Operand a;
  Operand b;
};

// 1-based in the script's terms: jump targets are index + 1 of this vector.
using RLSInstructionArray = std::vector<RLSInstruction>;

}  // namespace velmora::script
