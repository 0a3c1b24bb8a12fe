// Reading the text of metadata.def into the definition tables. The file is
// edited by hand, so every line is checked: the first faulty line stops the
// reading and is reported with its number, and nothing of a refused file is
// kept.
#include <charconv>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "metadata/metadata_definition.h"
#include "platform/cp1252_case.h"
#include "platform/text_lines.h"

namespace velmora::metadata {
namespace {

using Kind = DefinitionError::Kind;
// Empty when the line was accepted.
using LineResult = std::optional<Kind>;

// The one version of the file format this program reads.
constexpr std::int32_t kFormatVersion = 2;

// A decimal number, or a hexadecimal one after "0x"; a hexadecimal number
// gives the 32-bit pattern it spells, so 0xFFFFFFFF is -1.
std::optional<std::int32_t> ParseNumber(std::string_view text) {
  text = TrimBlanks(text);
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    std::uint32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data() + 2, end, value, 16);
    if (error != std::errc() || stop != end) return std::nullopt;
    return static_cast<std::int32_t>(value);
  }
  std::int32_t value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value, 10);
  if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
  return value;
}

// A multiplier such as "1.6": "." as decimal point whatever the locale says.
// A multiplier must enlarge or shrink a focal length, so 0, negative and
// non-finite values are refused.
std::optional<double> ParseMultiplier(std::string_view text) {
  text = TrimBlanks(text);
  double value = 0.0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value, std::chars_format::fixed);
  if (text.empty() || error != std::errc() || stop != end || !std::isfinite(value) || value <= 0.0) {
    return std::nullopt;
  }
  return value;
}

std::vector<std::string_view> SplitFields(std::string_view text) {
  std::vector<std::string_view> fields;
  for (;;) {
    const std::size_t comma = text.find(',');
    fields.push_back(text.substr(0, comma));
    if (comma == std::string_view::npos) return fields;
    text.remove_prefix(comma + 1);
  }
}

std::vector<std::string_view> SplitWords(std::string_view text) {
  std::vector<std::string_view> words;
  for (;;) {
    text = TrimLeftBlanks(text);
    if (text.empty()) return words;
    std::size_t end = 0;
    while (end < text.size() && !IsBlank(text[end])) ++end;
    words.push_back(text.substr(0, end));
    text.remove_prefix(end);
  }
}

// The text after the last "," of a line, trimmed: names never hold a comma,
// so whatever stands between the numbers and the name is passed over.
std::string_view AfterLastComma(std::string_view text) {
  return TrimBlanks(text.substr(text.rfind(',') + 1));
}

class DefinitionParser {
 public:
  LineResult Line(std::string_view line) {
    if (line.empty() || line.front() == '*') return std::nullopt;
    const char prefix = line.front();
    line.remove_prefix(1);
    switch (prefix) {
      case '#': return Header(line);
      case '+': return version_seen_ ? Entry(line) : Kind::kVersionNotFirst;
      case '!': return version_seen_ ? Label(line) : Kind::kVersionNotFirst;
      default: return Kind::kFormat;
    }
  }

  MetadataDefinition Take() { return std::move(definition_); }

 private:
  enum class Section { kNone, kTags, kFocalEquivalents, kIptc };

  LineResult Header(std::string_view rest) {
    const std::vector<std::string_view> words = SplitWords(rest);
    const std::string keyword = words.empty() ? std::string() : Cp1252ToLower(words[0]);
    if (keyword == "version") return Version(words);
    if (!version_seen_) return Kind::kVersionNotFirst;
    current_tag_ = nullptr;
    tags_ = nullptr;
    if (keyword == "main") return OpenTags(definition_.main_tags);
    if (keyword == "thumbnail") return OpenTags(definition_.thumbnail_tags);
    if (keyword == "gps") return OpenTags(definition_.gps_tags);
    if (keyword == "makernote") {
      const std::int32_t code = words.size() < 2 ? 0 : MakerCodeOf(Cp1252ToLower(words[1]));
      if (code == 0) return Kind::kFormat;
      // A second section for the same layout goes on filling its table.
      ExifMakernote& note = definition_.makernotes[code];
      note.maker_code = code;
      return OpenTags(note.tags);
    }
    if (keyword == "focalequiv") {
      section_ = Section::kFocalEquivalents;
      return std::nullopt;
    }
    if (keyword == "iptc") {
      section_ = Section::kIptc;
      return std::nullopt;
    }
    section_ = Section::kNone;
    return Kind::kFormat;
  }

  LineResult Version(const std::vector<std::string_view>& words) {
    const std::optional<std::int32_t> version = words.size() < 2 ? std::nullopt : ParseNumber(words[1]);
    if (!version) return Kind::kFormat;
    if (*version != kFormatVersion) return Kind::kVersionUnsupported;
    version_seen_ = true;
    section_ = Section::kNone;
    tags_ = nullptr;
    current_tag_ = nullptr;
    return std::nullopt;
  }

  LineResult OpenTags(ExifTagTable& table) {
    section_ = Section::kTags;
    tags_ = &table;
    return std::nullopt;
  }

  LineResult Entry(std::string_view text) {
    switch (section_) {
      case Section::kTags: return TagEntry(text);
      case Section::kIptc: return IptcEntry(text);
      case Section::kFocalEquivalents: return FocalEntry(text);
      case Section::kNone: break;
    }
    return std::nullopt;
  }

  // tag, position, format code, name
  LineResult TagEntry(std::string_view text) {
    const std::vector<std::string_view> fields = SplitFields(text);
    if (fields.size() < 4) return Kind::kFormat;
    const std::optional<std::int32_t> tag = ParseNumber(fields[0]);
    const std::optional<std::int32_t> position = ParseNumber(fields[1]);
    const std::optional<std::int32_t> format_code = ParseNumber(fields[2]);
    if (!tag || !position || !format_code) return Kind::kFormat;
    ExifTag definition{*tag, *position, std::string(AfterLastComma(text)), *format_code, {}};
    const auto [it, inserted] = tags_->try_emplace({*tag, *position}, std::move(definition));
    if (inserted) {
      current_tag_ = &it->second;
    } else {
      // The first definition stands; the labels that follow the repeated
      // one are checked but go nowhere.
      discarded_tag_ = ExifTag{*tag, *position, std::string(AfterLastComma(text)), *format_code, {}};
      current_tag_ = &discarded_tag_;
    }
    return std::nullopt;
  }

  // dataset, name
  LineResult IptcEntry(std::string_view text) {
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) return Kind::kFormat;
    const std::optional<std::int32_t> dataset = ParseNumber(text.substr(0, comma));
    if (!dataset) return Kind::kFormat;
    const bool inserted =
        definition_.iptc_tags.try_emplace(*dataset, IptcTag{*dataset, std::string(AfterLastComma(text))}).second;
    return inserted ? LineResult() : Kind::kFormat;
  }

  // model, multiplier
  LineResult FocalEntry(std::string_view text) {
    const std::size_t comma = text.rfind(',');
    if (comma == std::string_view::npos) return Kind::kFormat;
    const std::string key = FocalModelKey(text.substr(0, comma));
    const std::optional<double> multiplier = ParseMultiplier(text.substr(comma + 1));
    // An empty key would match every photo whose camera wrote no model.
    if (key.empty() || !multiplier) return Kind::kFormat;
    // A model listed twice is ambiguous: neither value is trusted, however
    // often it is repeated.
    if (ambiguous_models_.contains(key)) return std::nullopt;
    if (definition_.focal_equivalents.erase(key) > 0) {
      ambiguous_models_.insert(key);
    } else {
      definition_.focal_equivalents.emplace(key, *multiplier);
    }
    return std::nullopt;
  }

  // value, text (the text may hold commas)
  LineResult Label(std::string_view text) {
    if (section_ != Section::kTags || current_tag_ == nullptr) return std::nullopt;
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) return Kind::kFormat;
    const std::optional<std::int32_t> value = ParseNumber(text.substr(0, comma));
    if (!value) return Kind::kFormat;
    const std::string label(TrimBlanks(text.substr(comma + 1)));
    const bool inserted = current_tag_->labels.try_emplace(*value, ExifTagNice{*value, label}).second;
    return inserted ? LineResult() : Kind::kFormat;
  }

  MetadataDefinition definition_;
  bool version_seen_ = false;
  Section section_ = Section::kNone;
  ExifTagTable* tags_ = nullptr;
  ExifTag* current_tag_ = nullptr;
  ExifTag discarded_tag_;
  std::set<std::string, std::less<>> ambiguous_models_;
};

}  // namespace

std::variant<MetadataDefinition, DefinitionError> ParseMetadataDefinition(std::string_view text) {
  DefinitionParser parser;
  int number = 0;
  while (!text.empty()) {
    ++number;
    const std::string_view line = TrimBlanks(NextLine(text));
    if (const LineResult failure = parser.Line(line)) {
      return DefinitionError{*failure, number, std::string(line)};
    }
  }
  return parser.Take();
}

}  // namespace velmora::metadata
