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

// The operands of each opcode. [A] and [B] are the values of operands a and
// b: a constant or global cell, a frame slot, or, for a stack operand, the
// top of the stack, which the instruction pops (b before a when both are on
// the stack, as b was pushed last). push(x) puts x on the stack; "pc := A"
// continues at the 1-based instruction index a.index. Every opcode that
// pushes leaves exactly one value behind, so an expression's result is the
// top of the stack when its code ends.
enum class Opcode : std::int32_t {
  kNop = 0,  // nothing
  // A is a variable: A := [B]. A is an element reference: the referenced
  // element := deep copy of [B], the reference stays as the result. A is the
  // stack: push([B]). A result on the stack as B is popped and moved.
  kAssign = 1,
  kAdd = 2,        // push([A] + [B])
  kSubtract = 3,   // push([A] - [B])
  kDivide = 4,     // push([A] / [B])
  kMultiply = 5,   // push([A] * [B])
  kModulo = 6,     // push([A] % [B])
  kNegate = 7,     // push(-[A])
  kNot = 8,        // push(not [A]): @TRUE or @FALSE
  kEqual = 9,      // push([A] == [B])
  kNotEqual = 10,  // push([A] != [B])
  kLessEqual = 11,     // push([A] <= [B])
  kLess = 12,          // push([A] < [B])
  kGreaterEqual = 13,  // push([A] >= [B])
  kGreater = 14,       // push([A] > [B])
  kBitOr = 15,   // push([A] | [B])
  kBitXor = 16,  // push([A] ^ [B])
  kBitAnd = 17,  // push([A] & [B])
  kBitNot = 18,  // push(~[A])
  // push(a.index): the number of arguments the next kCall takes from the stack
  kArgumentCount = 19,
  // A is a variable (made an array if it is none). B none: push(element
  // count of A). Else push(reference to A[[B]]); a text key adds a missing
  // element, a missing position gives a reference to a loose @ERROR cell.
  kElement = 20,
  kElementKey = 21,  // A is a variable: push(key of A[[B]]), @ERROR when there is none
  // a.function is the callee: pops the count pushed by kArgumentCount, then
  // that many arguments. A built-in pushes its result at once; a script
  // function takes the arguments as its first frame slots and pushes its
  // result when its kReturn runs.
  kCall = 22,
  kReturn = 23,        // result := [A]; drop the frame, push(result) in the caller
  kJumpIfTrue = 24,    // if [A] is true: pc := B
  kJumpIfFalse = 25,   // if [A] is false: pc := B
  kOrJump = 26,        // if [A] is true: push(@TRUE), pc := B
  kAndJump = 27,       // if [A] is false: push(@FALSE), pc := B
  kJump = 28,          // pc := A
  kEndOfTemplate = 29,  // return @UNDEFINED from a template function
  kPop = 30,            // pop and drop the top of the stack
  // push(copy of [B]) without popping B: a switch value compared by every case
  kDuplicate = 31,
  kOutput = 32,  // write [A] to the output sink
  // push(reference to variable A): arguments of internal functions, so
  // that `remove` and `clear` act on the caller's array.
  kPushReference = 33,
  // A := A + [B] on a variable, in place: appends to a text that only this
  // variable holds, so building a page text in a loop stays linear (the
  // compiler fuses `x = x + e` into it).
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
