// The interface of internal functions (built-ins). A built-in is one routine
// `void kif_name(BuiltinCall&)` and one line in the table of
// builtin_table.cpp; its script name is entered in the function table when
// the program is reset, so scripts call it like a script function.
// A routine checks its count and argument types, reports failures with
// Fail(code) (the result becomes @ERROR) and never throws on bad input; an
// array it stores into an array element is stored as value.DeepCopy().
#pragma once

#include <span>
#include <string_view>

#include "script/operations.h"
#include "script/runtime_error.h"
#include "script/symbols.h"
#include "script/value.h"

namespace velmora::script {

class Machine;

class BuiltinCall {
 public:
  BuiltinCall(Machine& machine, const RLSFunktion& function, Value* args, int count, Value& result)
      : machine_(machine), function_(function), args_(args), count_(count), result_(result) {}

  std::string_view name() const { return function_.name; }
  int count() const { return count_; }
  // Argument k (1-based), dereferenced; an empty value outside 1..count.
  const Value& Arg(int k) const;
  // The caller's variable when argument k (1-based, within 1..count) was a
  // named variable, else the passed value: for built-ins that change an
  // array in place (`remove`, `clear`).
  Value& Variable(int k) { return args_[k - 1].Deref(); }

  Value& result() { return result_; }
  void SetResult(Value v) { result_ = std::move(v); }
  void SetBool(bool b) { result_ = Bool(b); }

  Machine& machine() { return machine_; }
  Program& program();
  const RLSKonstanteArray& constants();

  // The error report: records the code in ERRN_LAST, ERRS_LAST and
  // ERRF_LAST and makes the result @ERROR.
  void Fail(int code);
  // As Fail, and writes ERRS_LAST with what went wrong (a file name, a
  // database or regular-expression message, Windows-1252 text) to the log.
  void Fail(int code, std::string_view detail);
  // Reports error 2 and returns false unless min <= count <= max.
  bool CheckCount(int min, int max);

 private:
  Machine& machine_;
  const RLSFunktion& function_;
  Value* args_;
  int count_;
  Value& result_;
};

using BuiltinRoutine = void (*)(BuiltinCall&);

struct BuiltinEntry {
  std::string_view name;  // the script name, lower case
  BuiltinRoutine routine;
};

// Every internal function, in the order of the routine table.
std::span<const BuiltinEntry> BuiltinTable();

}  // namespace velmora::script
