// Internal functions of the run's directories and images, by their numbers
// in run order: `dirinfo` and `imageinfo`.
#pragma once

#include "script/builtins/builtin.h"

namespace velmora::script {

void kif_dirinfo(BuiltinCall& call);
void kif_imageinfo(BuiltinCall& call);

}  // namespace velmora::script
