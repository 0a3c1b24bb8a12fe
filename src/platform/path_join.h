// Joining a folder and a name in the program's path texts, where "/"
// separates folders (Windows-1252 and UTF-8 alike, since '/' is never part
// of another character in either).
#pragma once

#include <string>
#include <string_view>

#include "platform/cp1252_text.h"

namespace velmora {

// An empty folder gives the name, an empty name or "." gives the folder
// (a relative path "." is the folder itself), and a folder that already
// ends in "/" gets no second one.
std::string Join(std::string_view folder, std::string_view name);
Cp1252Text Join(const Cp1252Text& folder, const Cp1252Text& name);

}  // namespace velmora
