// Parsing and writing of the settings store's INI text.
#include "settings/ini_document.h"

#include <algorithm>

#include "platform/text_encoding.h"
#include "settings/text_utils.h"

namespace velmora::settings {
namespace {

// Text from the file is UTF-8; a hand-edited file in another encoding is taken
// byte for byte rather than refused.
std::string FromFile(std::string_view text) {
  if (auto converted = Utf8ToCp1252(text)) return std::move(*converted);
  return std::string(text);
}

bool NeedsQuotes(std::string_view text) {
  if (text.empty()) return false;
  if (text.front() == ' ' || text.front() == '\t' || text.back() == ' ' || text.back() == '\t') return true;
  if (text.front() == '"') return true;
  return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

std::string Quoted(std::string_view text) {
  std::string result = "\"";
  for (char c : text) {
    switch (c) {
      case '\\': result += "\\\\"; break;
      case '"': result += "\\\""; break;
      case '\r': result += "\\r"; break;
      case '\n': result += "\\n"; break;
      case '\t': result += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          static const char kHex[] = "0123456789ABCDEF";
          result += "\\x";
          result += kHex[(c >> 4) & 0x0F];
          result += kHex[c & 0x0F];
        } else {
          result += c;
        }
    }
  }
  return result + "\"";
}

// Reads a quoted text at the start of `text` (which begins with '"'); advances
// `text` past the closing quote. False for an unterminated text or a bad escape.
bool Unquote(std::string_view& text, std::string& out) {
  std::size_t pos = 1;
  while (pos < text.size()) {
    const char c = text[pos++];
    if (c == '"') {
      text.remove_prefix(pos);
      return true;
    }
    if (c != '\\') {
      out += c;
      continue;
    }
    if (pos >= text.size()) return false;
    switch (const char e = text[pos++]) {
      case '\\': out += '\\'; break;
      case '"': out += '"'; break;
      case 'r': out += '\r'; break;
      case 'n': out += '\n'; break;
      case 't': out += '\t'; break;
      case 'x': {
        if (pos + 2 > text.size()) return false;
        int value = 0;
        for (int i = 0; i < 2; ++i) {
          const char h = text[pos++];
          value *= 16;
          if (h >= '0' && h <= '9') value += h - '0';
          else if (h >= 'A' && h <= 'F') value += h - 'A' + 10;
          else if (h >= 'a' && h <= 'f') value += h - 'a' + 10;
          else return false;
        }
        out += static_cast<char>(value);
        break;
      }
      default:
        (void)e;
        return false;
    }
  }
  return false;
}

bool NameNeedsQuotes(std::string_view name) {
  return NeedsQuotes(name) || name.find('=') != std::string_view::npos ||
         (!name.empty() && (name.front() == ';' || name.front() == '#' || name.front() == '['));
}

// One "name=value" line; false with a reason when it is not one.
bool ParseValueLine(std::string_view line, std::string& name, std::string& value, std::string& reason) {
  if (line.front() == '"') {
    std::string raw;
    if (!Unquote(line, raw)) {
      reason = "unterminated quoted name";
      return false;
    }
    name = FromFile(raw);
    line = TrimLeftBlanks(line);
    if (line.empty() || line.front() != '=') {
      reason = "\"=\" missing after the quoted name";
      return false;
    }
    line.remove_prefix(1);
  } else {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
      reason = "neither [section] nor name=value";
      return false;
    }
    name = FromFile(TrimBlanks(line.substr(0, equals)));
    line.remove_prefix(equals + 1);
  }
  line = TrimBlanks(line);
  if (!line.empty() && line.front() == '"') {
    std::string raw;
    if (!Unquote(line, raw) || !TrimBlanks(line).empty()) {
      reason = "malformed quoted value";
      return false;
    }
    value = FromFile(raw);
  } else {
    value = FromFile(line);
  }
  return true;
}

}  // namespace

std::variant<IniDocument, IniParseError> IniDocument::Parse(std::string_view bytes) {
  IniDocument document;
  IniSection* current = nullptr;
  int line_number = 0;
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  while (!bytes.empty()) {
    ++line_number;
    const std::string_view line = TrimBlanks(NextLine(bytes));
    if (line.empty() || line.front() == ';' || line.front() == '#') continue;
    if (line.find('\0') != std::string_view::npos) return IniParseError{line_number, "NUL byte in the line"};
    if (line.front() == '[') {
      if (line.back() != ']' || line.size() < 3) return IniParseError{line_number, "malformed [section] header"};
      current = &document.SectionForWrite(FromFile(TrimBlanks(line.substr(1, line.size() - 2))));
      continue;
    }
    if (current == nullptr) return IniParseError{line_number, "value before any [section] header"};
    std::string name, value, reason;
    if (!ParseValueLine(line, name, value, reason)) return IniParseError{line_number, reason};
    if (name.empty()) return IniParseError{line_number, "empty value name"};
    auto& values = current->values;
    const auto existing = std::find_if(values.begin(), values.end(),
                                       [&](const auto& entry) { return Cp1252EqualsIgnoreCase(entry.first, name); });
    if (existing != values.end()) existing->second = std::move(value);
    else values.emplace_back(std::move(name), std::move(value));
  }
  return document;
}

std::string IniDocument::Serialize() const {
  std::string text;
  for (const IniSection& section : sections_) {
    if (!text.empty()) text += '\n';
    text += "[" + Cp1252ToUtf8(section.name) + "]\n";
    for (const auto& [name, value] : section.values) {
      text += NameNeedsQuotes(name) ? Quoted(Cp1252ToUtf8(name)) : Cp1252ToUtf8(name);
      text += '=';
      text += NeedsQuotes(value) ? Quoted(Cp1252ToUtf8(value)) : Cp1252ToUtf8(value);
      text += '\n';
    }
  }
  return text;
}

const IniSection* IniDocument::Section(std::string_view section) const {
  const auto found = std::find_if(sections_.begin(), sections_.end(),
                                  [&](const IniSection& s) { return Cp1252EqualsIgnoreCase(s.name, section); });
  return found == sections_.end() ? nullptr : &*found;
}

const std::string* IniDocument::Find(std::string_view section, std::string_view name) const {
  const IniSection* found = Section(section);
  if (found == nullptr) return nullptr;
  for (const auto& entry : found->values) {
    if (Cp1252EqualsIgnoreCase(entry.first, name)) return &entry.second;
  }
  return nullptr;
}

IniSection& IniDocument::SectionForWrite(std::string_view section) {
  if (const IniSection* found = Section(section)) return const_cast<IniSection&>(*found);
  return sections_.emplace_back(IniSection{std::string(section), {}});
}

void IniDocument::Set(std::string_view section, std::string_view name, std::string_view value) {
  auto& values = SectionForWrite(section).values;
  for (auto& entry : values) {
    if (Cp1252EqualsIgnoreCase(entry.first, name)) {
      entry.second = value;
      return;
    }
  }
  values.emplace_back(std::string(name), std::string(value));
}

bool IniDocument::RemoveSection(std::string_view section) {
  const auto found = std::find_if(sections_.begin(), sections_.end(),
                                  [&](const IniSection& s) { return Cp1252EqualsIgnoreCase(s.name, section); });
  if (found == sections_.end()) return false;
  sections_.erase(found);
  return true;
}

}  // namespace velmora::settings
