// Internal functions that convert between value types.
#pragma once

#include "script/builtins/builtin.h"

namespace velmora::script {

void kif_integer(BuiltinCall& call);
void kif_double(BuiltinCall& call);
void kif_string(BuiltinCall& call);
void kif_symbol(BuiltinCall& call);
void kif_convert(BuiltinCall& call);

}  // namespace velmora::script
