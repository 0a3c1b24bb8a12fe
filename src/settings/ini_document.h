// The text form of the user settings store: an INI file of [section] headers
// and name=value lines, UTF-8 on disk and Windows-1252 inside the program.
// Values that would not survive a plain line (line breaks, blanks at the ends,
// a leading quote) are written in double quotes with backslash escapes.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace velmora::settings {

struct IniSection {
  std::string name;
  std::vector<std::pair<std::string, std::string>> values;  // stored order
};

struct IniParseError {
  int line = 0;  // from 1
  std::string reason;
};

class IniDocument {
 public:
  // Parses the file's bytes. Section and value names compare case-insensitively.
  static std::variant<IniDocument, IniParseError> Parse(std::string_view bytes);
  std::string Serialize() const;

  const std::string* Find(std::string_view section, std::string_view name) const;
  const IniSection* Section(std::string_view section) const;
  void Set(std::string_view section, std::string_view name, std::string_view value);
  bool RemoveSection(std::string_view section);

 private:
  IniSection& SectionForWrite(std::string_view section);

  std::vector<IniSection> sections_;
};

}  // namespace velmora::settings
