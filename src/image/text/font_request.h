// What a text asks of a font: a face by name, a size and a style. The face
// name is UTF-8 (as fontconfig reads it); weights follow the Windows scale,
// 400 regular and 700 bold.
#pragma once

#include <compare>
#include <string>

namespace velmora::image {

struct FontRequest {
  std::string family;     // UTF-8 face name, such as "Arial"
  int pixel_height = 15;  // em size in pixels
  int weight = 400;       // 1-1000; 0 means regular
  bool italic = false;

  friend auto operator<=>(const FontRequest&, const FontRequest&) = default;
};

}  // namespace velmora::image
