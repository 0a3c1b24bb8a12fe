// Image file name patterns.
#include "app/run/file_patterns.h"

#include "platform/cp1252_case.h"

namespace velmora::app {
namespace {

std::vector<std::string_view> SplitAtComma(std::string_view text) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = text.find(',', start);
    parts.push_back(text.substr(start, comma - start));
    if (comma == std::string_view::npos) return parts;
    start = comma + 1;
  }
}

bool SameLetter(char a, char b) {
  return Cp1252Lower(static_cast<unsigned char>(a)) == Cp1252Lower(static_cast<unsigned char>(b));
}

}  // namespace

std::vector<std::string> BuildImagePatterns(std::string_view filter, const std::vector<EnabledImageType>& types) {
  std::vector<std::string> patterns;
  const auto names = SplitAtComma(filter);
  for (const auto& type : types) {
    const auto extensions = SplitAtComma(type.extensions);
    for (std::string_view name : names) {
      for (std::string_view extension : extensions) {
        patterns.push_back(std::string(name) + "." + std::string(extension));
      }
    }
  }
  return patterns;
}

// Iterative matching with one backtrack point for the last "*": linear in
// practice and never exponential, whatever the pattern.
bool MatchesPattern(std::string_view name, std::string_view pattern) {
  std::size_t n = 0, p = 0;
  std::size_t star = std::string_view::npos, resume = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || SameLetter(pattern[p], name[n]))) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      resume = n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

bool MatchesAnyPattern(std::string_view name, const std::vector<std::string>& patterns) {
  for (const auto& pattern : patterns) {
    if (MatchesPattern(name, pattern)) return true;
  }
  return false;
}

int ImageTypeOfName(std::string_view name, const std::vector<EnabledImageType>& types) {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return 0;
  const std::string_view extension = name.substr(dot + 1);
  for (const auto& type : types) {
    for (std::string_view candidate : SplitAtComma(type.extensions)) {
      if (candidate.size() == extension.size() && MatchesPattern(extension, candidate)) return type.code;
    }
  }
  return 0;
}

}  // namespace velmora::app
