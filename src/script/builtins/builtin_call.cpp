// Argument access and error report of internal function calls.
#include "script/builtins/builtin.h"

#include "script/machine.h"

namespace velmora::script {

const Value& BuiltinCall::Arg(int k) const {
  static const Value kNone;
  if (k < 1 || k > count_) return kNone;
  return args_[k - 1].Deref();
}

Program& BuiltinCall::program() { return machine_.program(); }
const RLSKonstanteArray& BuiltinCall::constants() { return machine_.program().constants(); }

void BuiltinCall::Fail(int code) {
  machine_.ReportError(code, function_.name);
  result_ = ErrorValue();
}

void BuiltinCall::Fail(int code, std::string_view detail) {
  Fail(code);
  if (detail.empty()) return;
  Value& text = program().errs_last().value;
  text.Append(": ");
  text.Append(detail);
}

bool BuiltinCall::CheckCount(int min, int max) {
  if (count_ >= min && count_ <= max) return true;
  Fail(rterr::kParameterCount);
  return false;
}

}  // namespace velmora::script
