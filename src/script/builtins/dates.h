// Internal functions of dates and times.
#pragma once

#include "script/builtins/builtin.h"

namespace velmora::script {

void kif_date(BuiltinCall& call);
void kif_now(BuiltinCall& call);
void kif_datepart(BuiltinCall& call);

}  // namespace velmora::script
