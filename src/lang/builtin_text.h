// One text of the language built into the program.
#pragma once

#include <string_view>

namespace velmora::lang {

// Written in UTF-8 in the source; converted to Windows-1252 when loaded.
struct BuiltinText {
  std::string_view section;
  std::string_view key;
  std::string_view text;
};

}  // namespace velmora::lang
