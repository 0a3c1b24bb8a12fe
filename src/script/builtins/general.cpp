// General internal functions: types and texts.
#include "script/builtins/general.h"

namespace velmora::script {

void kif_type(BuiltinCall& call) {
  if (!call.CheckCount(1, 1)) return;
  switch (call.Arg(1).type()) {
    case ValueType::kInteger: return call.SetResult(Value::Symbol(kSymInteger));
    case ValueType::kDouble: return call.SetResult(Value::Symbol(kSymDouble));
    case ValueType::kSymbol: return call.SetResult(Value::Symbol(kSymSymbol));
    case ValueType::kString: return call.SetResult(Value::Symbol(kSymString));
    case ValueType::kDate: return call.SetResult(Value::Symbol(kSymDate));
    case ValueType::kArray: return call.SetResult(Value::Symbol(kSymArray));
    default: return call.SetResult(Value::Symbol(kSymUnknown));
  }
}

void kif_len(BuiltinCall& call) {
  if (!call.CheckCount(1, 1)) return;
  const Value& s = call.Arg(1);
  if (!s.is(ValueType::kString)) return call.Fail(rterr::kParametertype);
  call.SetResult(Value::Integer(static_cast<std::int32_t>(s.text().size())));
}

}  // namespace velmora::script
