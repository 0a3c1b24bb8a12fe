// Internal functions that reach the host: the user's input and the call chain.
#pragma once

#include "script/builtins/builtin.h"

namespace velmora::script {

void kif_input(BuiltinCall& call);
void kif_callstack(BuiltinCall& call);

}  // namespace velmora::script
