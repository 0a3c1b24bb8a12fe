// The `dbread` internal function: one field of a table through ODBC.
#pragma once

#include "script/builtins/builtin.h"

namespace velmora::script {

void kif_dbread(BuiltinCall& call);

}  // namespace velmora::script
