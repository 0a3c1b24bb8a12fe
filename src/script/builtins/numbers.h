// Internal functions of numbers: mathematics, random numbers, comparisons.
#pragma once

#include "script/builtins/builtin.h"

namespace velmora::script {

void kif_sin(BuiltinCall& call);
void kif_cos(BuiltinCall& call);
void kif_tan(BuiltinCall& call);
void kif_ln(BuiltinCall& call);
void kif_log(BuiltinCall& call);
void kif_sqrt(BuiltinCall& call);
void kif_pow(BuiltinCall& call);
void kif_asin(BuiltinCall& call);
void kif_acos(BuiltinCall& call);
void kif_atan(BuiltinCall& call);
void kif_exp(BuiltinCall& call);
void kif_random(BuiltinCall& call);
void kif_abs(BuiltinCall& call);
void kif_min(BuiltinCall& call);
void kif_max(BuiltinCall& call);

}  // namespace velmora::script
