// The `format` internal function: a pattern with "%" placeholders filled by
// the following arguments.
#pragma once

#include "script/builtins/builtin.h"

namespace velmora::script {

void kif_format(BuiltinCall& call);

}  // namespace velmora::script
