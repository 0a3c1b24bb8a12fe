// Internal functions of the current image's IPTC datasets (record 2 of the
// Photoshop resource block): values, count, dataset numbers and names.
#pragma once

#include "script/builtins/builtin.h"

namespace velmora::script {

void kif_iptc(BuiltinCall& call);
void kif_iptccount(BuiltinCall& call);
void kif_iptctag(BuiltinCall& call);
void kif_iptctagname(BuiltinCall& call);

}  // namespace velmora::script
