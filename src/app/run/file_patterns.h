// Which files of a directory are images of the run: name patterns made of the
// profile's FILTER and the extension lists of the switched-on image types.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velmora::app {

// One switched-on image type's extension list as the profile holds it ("JPG,JPEG").
struct EnabledImageType {
  std::string extensions;
  int code = 0;  // image type code of the type table
};

// Every name pattern of FILTER (split at ",") combined with every extension of
// every enabled type, in type order: "*" and "JPG" give "*.JPG".
std::vector<std::string> BuildImagePatterns(std::string_view filter, const std::vector<EnabledImageType>& types);

// Wildcard match without regard to letter case ("*" any run, "?" one
// character), as photos come as .jpg, .JPG and .Jpg alike. Names and
// patterns are Windows-1252.
bool MatchesPattern(std::string_view name, std::string_view pattern);

bool MatchesAnyPattern(std::string_view name, const std::vector<std::string>& patterns);

// The code of the first type whose extension list holds the name's
// extension (any letter case); 0 when none does.
int ImageTypeOfName(std::string_view name, const std::vector<EnabledImageType>& types);

}  // namespace velmora::app
