// INI files and file-description lists as arrays.
#include "script/builtins/text_lists.h"

#include "script/builtins/arguments.h"
#include "script/rls_array.h"

namespace velmora::script {

Value ParseIniText(std::string_view text) {
  Value result = Value::NewArray();
  ArrayRep& sections = result.MutableArray();
  ElementRep* section = nullptr;
  for (std::string_view line : SplitLines(text)) {
    line = TrimBlanks(line);
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[' && line.back() == ']') {
      section = sections.FindOrInsert(TrimBlanks(line.substr(1, line.size() - 2)));
      if (!section->value.is(ValueType::kArray)) section->value = Value::NewArray();
      continue;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    if (section == nullptr) {
      section = sections.FindOrInsert("GLOBAL");
      if (!section->value.is(ValueType::kArray)) section->value = Value::NewArray();
    }
    section->value.MutableArray().Set(TrimBlanks(line.substr(0, equals)),
                                      Value::String(TrimBlanks(line.substr(equals + 1))));
  }
  return result;
}

Value ParseDescriptionList(std::string_view text) {
  Value result = Value::NewArray();
  ArrayRep& entries = result.MutableArray();
  for (std::string_view line : SplitLines(text)) {
    line = TrimBlanks(line);
    if (line.empty()) continue;
    std::string_view name;
    std::string_view rest;
    if (line.front() == '"') {
      const std::size_t close = line.find('"', 1);
      name = line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1);
      rest = close == std::string_view::npos ? std::string_view() : line.substr(close + 1);
    } else {
      const std::size_t blank = line.find_first_of(" \t");
      name = line.substr(0, blank);
      rest = blank == std::string_view::npos ? std::string_view() : line.substr(blank);
    }
    if (name.empty()) continue;
    entries.Set(name, Value::String(TrimBlanks(rest)));
  }
  return result;
}

}  // namespace velmora::script
