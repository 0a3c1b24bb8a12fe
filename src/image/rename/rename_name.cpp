#include "image/rename/rename_name.h"

#include <algorithm>
#include <charconv>

#include "platform/cp1252_case.h"

namespace velmora::image {
namespace {

// Placeholders become these bytes before anything is expanded, so that a "#" in
// a directory name is not taken for the number.
constexpr char kDirMarker = '\x01';
constexpr char kFileMarker = '\x02';
constexpr char kNumberMarker = '\x03';

int LeadingNumber(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  int value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  return result.ec == std::errc() ? value : 0;
}

// Replaces every occurrence of `find` in `name`, left to right; the text put in
// is not searched again.
void ReplaceAll(std::string& name, std::string_view find, std::string_view by, bool ignore_case) {
  if (find.empty()) return;
  const std::string haystack_case = ignore_case ? Cp1252ToLower(name) : std::string();
  const std::string find_case = ignore_case ? Cp1252ToLower(find) : std::string(find);
  const std::string& haystack = ignore_case ? haystack_case : name;
  std::string result;
  std::size_t from = 0;
  for (std::size_t at = haystack.find(find_case); at != std::string::npos; at = haystack.find(find_case, from)) {
    result.append(name, from, at - from);
    result.append(by);
    from = at + find_case.size();
  }
  result.append(name, from, std::string::npos);
  name = std::move(result);
}

std::string PaddedNumber(std::int64_t number, int digits) {
  char text[24];
  const std::uint64_t magnitude = number < 0 ? 0 - static_cast<std::uint64_t>(number) : static_cast<std::uint64_t>(number);
  const auto end = std::to_chars(text, text + sizeof text, magnitude).ptr;
  const std::size_t length = static_cast<std::size_t>(end - text);
  // A hand-edited digit count beyond any sensible name length is cut back.
  const std::size_t wanted = static_cast<std::size_t>(std::clamp(digits, 0, 1000));
  std::string out = number < 0 ? "-" : "";
  if (wanted > length) out.append(wanted - length, '0');
  out.append(text, length);
  return out;
}

}  // namespace

RenameSettings RenameSettings::FromTexts(std::string_view mask, std::string_view digits, std::string_view find,
                                         std::string_view replace, std::string_view case_code) {
  return {std::string(mask), LeadingNumber(digits), std::string(find), std::string(replace), LeadingNumber(case_code)};
}

std::vector<std::string> SplitRenameList(std::string_view list) {
  std::vector<std::string> entries;
  for (std::size_t comma; (comma = list.find(',')) != std::string_view::npos; list.remove_prefix(comma + 1)) {
    entries.emplace_back(list.substr(0, comma));
  }
  entries.emplace_back(list);
  return entries;
}

std::string RenameName(std::string_view mask, int digits, std::string_view find_list, std::string_view replace_list,
                       int case_code, std::string_view dir_name, std::string_view file_name, std::int64_t number) {
  std::string name(file_name);
  if (mask.find('$') != std::string_view::npos) {
    const std::vector<std::string> find = SplitRenameList(find_list);
    std::vector<std::string> replace = SplitRenameList(replace_list);
    // "a,b" with "x" reads as "a,b" with "x,": the last one is removed.
    if (replace.size() + 1 == find.size()) replace.emplace_back();
    if (replace.size() == find.size()) {
      for (std::size_t i = 0; i < find.size(); ++i) ReplaceAll(name, find[i], replace[i], case_code != 0);
    }
  }

  std::string marked(mask);
  std::replace(marked.begin(), marked.end(), '%', kDirMarker);
  std::replace(marked.begin(), marked.end(), '$', kFileMarker);
  std::replace(marked.begin(), marked.end(), '#', kNumberMarker);
  const std::string number_text = PaddedNumber(number, digits);
  std::string result;
  for (const char c : marked) {
    switch (c) {
      case kDirMarker: result += dir_name; break;
      case kFileMarker: result += name; break;
      case kNumberMarker: result += number_text; break;
      default: result += c;
    }
  }
  if (case_code == 1) return Cp1252ToLower(result);
  if (case_code == 2) return Cp1252ToUpper(result);
  return result;
}

}  // namespace velmora::image
