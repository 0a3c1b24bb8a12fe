// Lines and blanks of the text files the program reads (profiles, language
// files, script files, INI files): lines end in CR LF, LF or CR alike, since
// files come from Windows and from Linux editors; blanks are spaces and tabs.
#pragma once

#include <string_view>
#include <vector>

namespace velmora {

constexpr bool IsBlank(char c) { return c == ' ' || c == '\t'; }

constexpr std::string_view TrimLeftBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  return text;
}

constexpr std::string_view TrimBlanks(std::string_view text) {
  text = TrimLeftBlanks(text);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Cuts the first line off `text` and returns it without its end.
constexpr std::string_view NextLine(std::string_view& text) {
  std::size_t end = text.find_first_of("\r\n");
  const std::string_view line = text.substr(0, end);
  if (end == std::string_view::npos) {
    end = text.size();
  } else if (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') {
    ++end;
  }
  text.remove_prefix(end < text.size() ? end + 1 : text.size());
  return line;
}

// Every line of `text`; a line end at the very end opens no further line.
inline std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) lines.push_back(NextLine(text));
  return lines;
}

}  // namespace velmora
