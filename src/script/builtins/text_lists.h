// The two list formats that `read` turns into arrays: INI files (sections of
// key = value lines) and file-description lists ("descript.ion": a file
// name, quoted when it holds blanks, then its description).
#pragma once

#include <string_view>
#include <vector>

#include "platform/text_lines.h"
#include "script/value.h"

namespace velmora::script {

// An ARRAY of sections ("global" before the first header), each an ARRAY
// from key to STRING value.
Value ParseIniText(std::string_view text);
// An ARRAY from file name to description.
Value ParseDescriptionList(std::string_view text);

}  // namespace velmora::script
