// Internal functions of colours and of drawing on the current image: `rgb`,
// `rotate`, `flip`, `drawrectangle`, `drawellipse`, `drawline`, `inqcolor`.
#pragma once

#include "script/builtins/builtin.h"

namespace velmora::script {

void kif_rgb(BuiltinCall& call);
void kif_rotate(BuiltinCall& call);
void kif_flip(BuiltinCall& call);
void kif_drawrectangle(BuiltinCall& call);
void kif_drawellipse(BuiltinCall& call);
void kif_drawline(BuiltinCall& call);
void kif_inqcolor(BuiltinCall& call);

}  // namespace velmora::script
