// Internal functions of the current image's comments: JPEG comments, PNG
// text entries and the XMP fields the reader keeps ("XMP:title", ...).
#pragma once

#include "script/builtins/builtin.h"

namespace velmora::script {

void kif_imagecommentkey(BuiltinCall& call);
void kif_imagecomment(BuiltinCall& call);
void kif_imagecommentcount(BuiltinCall& call);

}  // namespace velmora::script
