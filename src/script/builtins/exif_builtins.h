// Internal functions of the current image's EXIF entries: raw values, display
// texts, counts, tags and tag names of the four sections.
#pragma once

#include "script/builtins/builtin.h"

namespace velmora::script {

void kif_exif(BuiltinCall& call);
void kif_exifnice(BuiltinCall& call);
void kif_exifcount(BuiltinCall& call);
void kif_exiftag(BuiltinCall& call);
void kif_exiftagname(BuiltinCall& call);
void kif_exifcomponentcount(BuiltinCall& call);

}  // namespace velmora::script
