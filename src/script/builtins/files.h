// Internal functions of files: reading and writing texts, INI files and
// file-description lists, existence tests and the pieces of a path.
#pragma once

#include "script/builtins/builtin.h"

namespace velmora::script {

void kif_read(BuiltinCall& call);
void kif_write(BuiltinCall& call);
void kif_exist(BuiltinCall& call);
void kif_filenamepart(BuiltinCall& call);

}  // namespace velmora::script
