// Removing elements from the caller's array.
#include "script/builtins/arrays.h"

#include "script/rls_array.h"

namespace velmora::script {

// Both results tell the script whether something went: @TRUE when the
// element existed, @FALSE when there was none with that key or position.
void kif_remove(BuiltinCall& call) {
  if (!call.CheckCount(2, 2)) return;
  Value& array = call.Variable(1);
  const Value& key = call.Arg(2);
  if (!array.is(ValueType::kArray)) return call.Fail(rterr::kParametertype);
  if (key.is(ValueType::kInteger)) return call.SetBool(array.MutableArray().RemoveAt(key.integer()));
  if (key.is(ValueType::kString)) return call.SetBool(array.MutableArray().Remove(key.text()));
  call.Fail(rterr::kParametertype);
}

void kif_clear(BuiltinCall& call) {
  if (!call.CheckCount(1, 1)) return;
  Value& array = call.Variable(1);
  if (!array.is(ValueType::kArray)) return call.Fail(rterr::kParametertype);
  array.MutableArray().Clear();
  call.SetBool(true);
}

}  // namespace velmora::script
