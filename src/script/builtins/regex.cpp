// PCRE2 behind the regular-expression built-ins.
#define PCRE2_CODE_UNIT_WIDTH 8
#include "script/builtins/regex.h"

#include <pcre2.h>

#include <array>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "script/ansi.h"
#include "script/value.h"

namespace velmora::script {
namespace {

// The ECMAScript flavour: \u and \x as in JavaScript, "[]" and "[^]" allowed,
// a back reference to an unset group matches the empty string, "$" only at
// the very end. Texts are single bytes, never UTF-8.
constexpr std::uint32_t kCompileOptions =
    PCRE2_ALT_BSUX | PCRE2_ALLOW_EMPTY_CLASS | PCRE2_MATCH_UNSET_BACKREF | PCRE2_DOLLAR_ENDONLY | PCRE2_NEVER_UTF |
    PCRE2_NEVER_UCP;

// A pattern that backtracks without end on a long text stops here with an
// error instead of holding up the run; ordinary patterns stay far below.
constexpr std::uint32_t kMatchLimit = 2'000'000;
constexpr std::uint32_t kDepthLimit = 20'000;
constexpr std::uint32_t kHeapLimitKiB = 64 * 1024;

// PCRE2's tables: lower-case map, case-flip map, class bits, type flags.
constexpr std::size_t kTablesLength = 1088;

// The C-locale tables with the case maps widened to the letters of
// Windows-1252 (Ä/ä, Š/š, Ÿ/ÿ ...), since no Latin-1 locale can be assumed
// on the machine. Word and digit classes stay ASCII, as in ECMAScript.
const std::uint8_t* Cp1252Tables() {
  static const std::array<std::uint8_t, kTablesLength> tables = [] {
    std::array<std::uint8_t, kTablesLength> t{};
    const std::uint8_t* base = pcre2_maketables(nullptr);
    if (base != nullptr) {
      std::memcpy(t.data(), base, t.size());
      pcre2_maketables_free(nullptr, base);
    }
    for (int c = 0; c < 256; ++c) {
      const auto lower = static_cast<std::uint8_t>(AnsiLower(static_cast<char>(c)));
      const auto upper = static_cast<std::uint8_t>(AnsiUpper(static_cast<char>(c)));
      t[static_cast<std::size_t>(c)] = lower;
      t[256 + static_cast<std::size_t>(c)] = lower != c ? lower : upper;
    }
    return t;
  }();
  return tables.data();
}

struct CodeDeleter {
  void operator()(pcre2_code* code) const { pcre2_code_free(code); }
};
struct MatchDataDeleter {
  void operator()(pcre2_match_data* data) const { pcre2_match_data_free(data); }
};
using CodePtr = std::unique_ptr<pcre2_code, CodeDeleter>;
using MatchDataPtr = std::unique_ptr<pcre2_match_data, MatchDataDeleter>;

std::string ErrorText(int code) {
  PCRE2_UCHAR buffer[256];
  if (pcre2_get_error_message(code, buffer, sizeof buffer) < 0) return "regular expression error " + std::to_string(code);
  return reinterpret_cast<const char*>(buffer);
}

// Scripts apply the same few patterns to every image: the last ones stay
// compiled.
class PatternCache {
 public:
  const pcre2_code* Get(std::string_view pattern, std::uint32_t options, std::string& error) {
    for (const Entry& e : entries_) {
      if (e.options == options && e.pattern == pattern) return e.code.get();
    }
    pcre2_compile_context* context = pcre2_compile_context_create(nullptr);
    pcre2_set_character_tables(context, Cp1252Tables());
    pcre2_set_compile_extra_options(context, PCRE2_EXTRA_ALT_BSUX);
    int code = 0;
    PCRE2_SIZE offset = 0;
    CodePtr compiled(pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(),
                                   kCompileOptions | options, &code, &offset, context));
    pcre2_compile_context_free(context);
    if (!compiled) {
      error = "invalid regular expression at position " + std::to_string(offset + 1) + ": " + ErrorText(code);
      return nullptr;
    }
    if (entries_.size() >= kCapacity) entries_.erase(entries_.begin());
    entries_.push_back(Entry{std::string(pattern), options, std::move(compiled)});
    return entries_.back().code.get();
  }

 private:
  static constexpr std::size_t kCapacity = 32;
  struct Entry {
    std::string pattern;
    std::uint32_t options;
    CodePtr code;
  };
  std::vector<Entry> entries_;
};

pcre2_match_context* MatchContext() {
  static pcre2_match_context* context = [] {
    pcre2_match_context* c = pcre2_match_context_create(nullptr);
    pcre2_set_match_limit(c, kMatchLimit);
    pcre2_set_depth_limit(c, kDepthLimit);
    pcre2_set_heap_limit(c, kHeapLimitKiB);
    return c;
  }();
  return context;
}

// One compiled pattern with its match data, matched step by step.
class Matcher {
 public:
  Matcher(std::string_view pattern, std::uint32_t options, RegexResult& result) {
    static PatternCache cache;
    code_ = cache.Get(pattern, options, result.error);
    if (code_ == nullptr) {
      result.ok = false;
      return;
    }
    data_.reset(pcre2_match_data_create_from_pattern(code_, nullptr));
  }
  bool valid() const { return code_ != nullptr && data_ != nullptr; }

  // 1 for a match, 0 for none, -1 after an error (recorded in `result`).
  int Match(std::string_view text, std::size_t start, RegexResult& result) {
    const int rc = pcre2_match(code_, reinterpret_cast<PCRE2_SPTR>(text.data()), text.size(), start, 0, data_.get(),
                               MatchContext());
    if (rc >= 0) return 1;
    if (rc == PCRE2_ERROR_NOMATCH) return 0;
    result.ok = false;
    result.error = rc == PCRE2_ERROR_MATCHLIMIT || rc == PCRE2_ERROR_DEPTHLIMIT || rc == PCRE2_ERROR_HEAPLIMIT
                       ? "the regular expression needs too many steps on this text (" + ErrorText(rc) + ")"
                       : ErrorText(rc);
    return -1;
  }
  // Start and end of group `n` (0 = the whole match); npos for an unset group.
  std::pair<std::size_t, std::size_t> Group(std::uint32_t n) const {
    const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(data_.get());
    if (n >= pcre2_get_ovector_count(data_.get()) || ovector[2 * n] == PCRE2_UNSET) {
      return {std::string_view::npos, std::string_view::npos};
    }
    return {ovector[2 * n], ovector[2 * n + 1]};
  }
  std::uint32_t GroupCount() const {
    std::uint32_t count = 0;
    pcre2_pattern_info(code_, PCRE2_INFO_CAPTURECOUNT, &count);
    return count;
  }

 private:
  const pcre2_code* code_ = nullptr;
  MatchDataPtr data_;
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The replacement text of one match, with its $ references expanded.
void Expand(std::string_view text, std::string_view replacement, const Matcher& m, std::uint32_t groups,
            std::string& out) {
  auto append_group = [&](std::uint32_t n) {
    const auto [begin, end] = m.Group(n);
    if (begin != std::string_view::npos) out.append(text.substr(begin, end - begin));
  };
  for (std::size_t i = 0; i < replacement.size(); ++i) {
    const char c = replacement[i];
    if (c != '$' || i + 1 >= replacement.size()) {
      out += c;
      continue;
    }
    const char next = replacement[i + 1];
    if (next == '$') {
      out += '$';
      ++i;
    } else if (next == '&') {
      append_group(0);
      ++i;
    } else if (next == '`') {
      out.append(text.substr(0, m.Group(0).first));
      ++i;
    } else if (next == '\'') {
      out.append(text.substr(m.Group(0).second));
      ++i;
    } else if (IsDigit(next)) {
      // Two digits when that group exists, else one, else the text stays.
      const std::uint32_t one = static_cast<std::uint32_t>(next - '0');
      const bool has_two = i + 2 < replacement.size() && IsDigit(replacement[i + 2]);
      const std::uint32_t two = has_two ? one * 10 + static_cast<std::uint32_t>(replacement[i + 2] - '0') : 0;
      if (has_two && two >= 1 && two <= groups) {
        append_group(two);
        i += 2;
      } else if (one >= 1 && one <= groups) {
        append_group(one);
        i += 1;
      } else {
        out += c;
      }
    } else {
      out += c;
    }
  }
}

}  // namespace

RegexResult RegexFind(std::string_view text, std::string_view pattern, bool caseless, std::int32_t& position) {
  RegexResult result;
  Matcher m(pattern, caseless ? PCRE2_CASELESS : 0, result);
  if (!m.valid()) return result;
  const int found = m.Match(text, 0, result);
  position = found == 1 ? static_cast<std::int32_t>(m.Group(0).first + 1) : 0;
  return result;
}

RegexResult RegexReplace(std::string_view text, std::string_view pattern, std::string_view replacement,
                         bool first_only, std::string& out) {
  RegexResult result;
  Matcher m(pattern, 0, result);
  if (!m.valid()) return result;
  const std::uint32_t groups = m.GroupCount();
  out.clear();
  std::size_t copied = 0;  // text before this offset is in `out`
  std::size_t start = 0;
  while (start <= text.size()) {
    const int found = m.Match(text, start, result);
    if (found < 0) return result;
    if (found == 0) break;
    const auto [begin, end] = m.Group(0);
    out.append(text.substr(copied, begin - copied));
    Expand(text, replacement, m, groups, out);
    if (out.size() > kMaxStringBytes) {
      return RegexResult{false, "the result would exceed the text size limit"};
    }
    copied = end;
    if (first_only) break;
    // An empty match moves on by one character, so that it is not found again.
    start = end == begin ? end + 1 : end;
  }
  out.append(text.substr(copied));
  return result;
}

}  // namespace velmora::script
