// The explanatory texts of the reference pages, kept in plain text files
// beside the guide (docs/reference/*.txt) and keyed by the name of the table
// entry they explain: a setting key, a built-in, a context variable.
//
// File format (UTF-8):
//   # a comment line
//   NAME                       an entry starts at the left margin
//     field: value             indented lines; a known field name and ": "
//     free text ...            everything else is the entry's description
// A blank line ends nothing by itself; the next unindented name does.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::reference {

struct DocEntry {
  std::string name;
  std::map<std::string, std::string, std::less<>> fields;
  std::string text;  // description lines joined by blanks
  int line = 0;      // where the entry starts, for messages

  // The field's value, or "" when the entry has none.
  std::string_view Field(std::string_view field) const;
};

class DocTexts {
 public:
  // Parses `text`; `fields` are the field names this kind of file knows.
  // Nothing on failure, with a message naming the line in `error`: a
  // repeated name, an indented line before the first name, an entry without
  // any text.
  static std::optional<DocTexts> Parse(std::string_view text, const std::vector<std::string_view>& fields,
                                       std::string& error);

  const DocEntry* Find(std::string_view name) const;
  const std::vector<DocEntry>& entries() const { return entries_; }

 private:
  std::vector<DocEntry> entries_;
};

}  // namespace velmora::reference
