// Clone and thumbnail names from a mask.
#include "app/run/rename_rules.h"

#include <vector>

#include "app/platform/cp1252_case.h"
#include "lang/keyed_collection.h"
#include "settings/settings_table.h"

namespace velmora::app {
namespace {

std::vector<std::string> Split(std::string_view list) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = list.find(',', start);
    parts.emplace_back(list.substr(start, comma - start));
    if (comma == std::string_view::npos) return parts;
    start = comma + 1;
  }
}

std::string ChangeCase(std::string text, int code) {
  if (code == 1) return Cp1252ToLower(text);
  if (code == 2) return Cp1252ToUpper(text);
  return text;
}

// Replaces every occurrence of `find` in `text`, from left to right.
void ReplaceAll(std::string& text, std::string_view find, std::string_view replacement, bool ignore_case) {
  if (find.empty()) return;
  const std::string folded_find = ignore_case ? lang::FoldCase(find) : std::string(find);
  std::string result;
  const std::string haystack = ignore_case ? lang::FoldCase(text) : text;
  std::size_t start = 0;
  for (std::size_t at = haystack.find(folded_find); at != std::string::npos;
       at = haystack.find(folded_find, start)) {
    result.append(text, start, at - start);
    result.append(replacement);
    start = at + find.size();
  }
  result.append(text, start, std::string::npos);
  text = std::move(result);
}

}  // namespace

RenameRules ReadRenameRules(const settings::SettingsTable& settings, std::string_view prefix) {
  const std::string p(prefix);
  RenameRules rules;
  rules.active = settings.Flag(p + "_RENAME");
  rules.mask = settings.Text(p + "_RENAME_MASK");
  rules.digits = static_cast<int>(settings.Int(p + "_RENAME_DIGITS"));
  rules.find = settings.Text(p + "_RENAME_FIND");
  rules.replace = settings.Text(p + "_RENAME_REPLACE");
  rules.letter_case = static_cast<int>(settings.Int(p + "_RENAME_CASE"));
  return rules;
}

std::string RenamedName(const RenameRules& rules, std::string_view directory, std::string_view file,
                        std::int64_t number) {
  std::string name(file);
  if (rules.mask.find('$') != std::string::npos) {
    const std::vector<std::string> finds = Split(rules.find);
    std::vector<std::string> replaces = Split(rules.replace);
    if (replaces.size() + 1 == finds.size()) replaces.emplace_back();
    if (replaces.size() == finds.size()) {
      for (std::size_t i = 0; i < finds.size(); ++i) ReplaceAll(name, finds[i], replaces[i], rules.letter_case != 0);
    }
  }
  std::string digits = std::to_string(number);
  if (static_cast<int>(digits.size()) < rules.digits) {
    digits.insert(0, static_cast<std::size_t>(rules.digits) - digits.size(), '0');
  }
  // Placeholders are expanded in one pass over the mask, so a "#" or "%" in
  // a directory or file name is copied as it is.
  std::string result;
  for (const char c : rules.mask) {
    if (c == '%') result += directory;
    else if (c == '$') result += name;
    else if (c == '#') result += digits;
    else result += c;
  }
  return ChangeCase(std::move(result), rules.letter_case);
}

bool IsValidFileName(std::string_view name) {
  if (name.empty() || name.size() >= 256 || name.front() == ' ' || name.back() == ' ' || name.front() == '$') {
    return false;
  }
  return name.find_first_of("\"/\\:|<>*?") == std::string_view::npos;
}

std::size_t CountListEntries(std::string_view list) { return Split(list).size(); }

}  // namespace velmora::app
