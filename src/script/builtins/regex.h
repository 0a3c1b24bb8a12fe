// Regular expressions of `index` and `replace`: PCRE2 in its ECMAScript-like
// mode on Windows-1252 bytes, with case folding for the letters of that code
// page and bounds that end a catastrophically backtracking pattern.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace velmora::script {

struct RegexResult {
  bool ok = true;
  std::string error;  // why the pattern failed to compile or to match
};

// 1-based position of the first match, 0 when there is none. `caseless`
// matches letters without regard to case, umlauts included.
RegexResult RegexFind(std::string_view text, std::string_view pattern, bool caseless, std::int32_t& position);

// Replaces every match (or the first only) by `replacement`, in which $1 to
// $99 stand for groups, $& for the match, $` and $' for the text before and
// after it and $$ for "$".
RegexResult RegexReplace(std::string_view text, std::string_view pattern, std::string_view replacement,
                         bool first_only, std::string& result);

}  // namespace velmora::script
