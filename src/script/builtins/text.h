// Internal functions of texts: pieces, case, search and replacement, and the
// encodings for links and page text.
#pragma once

#include "script/builtins/builtin.h"

namespace velmora::script {

void kif_mid(BuiltinCall& call);
void kif_upper(BuiltinCall& call);
void kif_lower(BuiltinCall& call);
void kif_trim(BuiltinCall& call);
void kif_split(BuiltinCall& call);
void kif_urlencode(BuiltinCall& call);
void kif_htmlencode(BuiltinCall& call);
void kif_index(BuiltinCall& call);
void kif_replace(BuiltinCall& call);

}  // namespace velmora::script
