// Internal functions that change an array in place.
#pragma once

#include "script/builtins/builtin.h"

namespace velmora::script {

void kif_remove(BuiltinCall& call);
void kif_clear(BuiltinCall& call);

}  // namespace velmora::script
