// General internal functions: types and texts.
#pragma once

#include "script/builtins/builtin.h"

namespace velmora::script {

void kif_type(BuiltinCall& call);
void kif_len(BuiltinCall& call);

}  // namespace velmora::script
