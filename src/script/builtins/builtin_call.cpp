// Argument access and error report of internal function calls.
#include "script/builtins/builtin.h"

#include <string>

#include "platform/log.h"
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
  // ERRS_LAST ends with the message text, which scripts compare and show;
  // what went wrong in detail is for the person reading the log.
  std::string line = "RiloScript ";
  line += program().errs_last().value.text();
  line += ": ";
  line += detail;
  WriteLog(line);
}

bool BuiltinCall::CheckCount(int min, int max) {
  if (count_ >= min && count_ <= max) return true;
  Fail(rterr::kParameterCount);
  return false;
}

}  // namespace velmora::script
