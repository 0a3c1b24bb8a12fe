// Reading the explanatory texts of the reference pages.
#include "reference/doc_texts.h"

#include <algorithm>

namespace velmora::reference {
namespace {

std::string_view TrimmedLine(std::string_view line) {
  while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
  return line;
}

void AppendText(std::string& to, std::string_view text) {
  if (text.empty()) return;
  if (!to.empty()) to += ' ';
  to += text;
}

}  // namespace

std::string_view DocEntry::Field(std::string_view field) const {
  const auto found = fields.find(field);
  return found == fields.end() ? std::string_view{} : std::string_view(found->second);
}

std::optional<DocTexts> DocTexts::Parse(std::string_view text, const std::vector<std::string_view>& fields,
                                        std::string& error) {
  DocTexts result;
  int number = 0;
  auto finish = [&]() -> bool {
    if (result.entries_.empty()) return true;
    const DocEntry& last = result.entries_.back();
    if (last.text.empty() && last.fields.empty()) {
      error = "line " + std::to_string(last.line) + ": " + last.name + " has no text";
      return false;
    }
    return true;
  };
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view raw = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    ++number;
    const std::string_view line = TrimmedLine(raw);
    if (line.empty() || line.front() == '#') continue;
    if (line.front() != ' ' && line.front() != '\t') {
      if (!finish()) return std::nullopt;
      if (line.find(' ') != std::string_view::npos) {
        error = "line " + std::to_string(number) + ": a name holds no blanks: " + std::string(line);
        return std::nullopt;
      }
      if (result.Find(line) != nullptr) {
        error = "line " + std::to_string(number) + ": " + std::string(line) + " is explained twice";
        return std::nullopt;
      }
      result.entries_.push_back(DocEntry{std::string(line), {}, {}, number});
      continue;
    }
    if (result.entries_.empty()) {
      error = "line " + std::to_string(number) + ": text before the first name";
      return std::nullopt;
    }
    DocEntry& entry = result.entries_.back();
    const std::string_view body = line.substr(line.find_first_not_of(" \t"));
    const std::size_t colon = body.find(": ");
    if (colon != std::string_view::npos && entry.text.empty() &&
        std::find(fields.begin(), fields.end(), body.substr(0, colon)) != fields.end()) {
      std::string& value = entry.fields[std::string(body.substr(0, colon))];
      AppendText(value, body.substr(colon + 2));
      continue;
    }
    AppendText(entry.text, body);
  }
  if (!finish()) return std::nullopt;
  return result;
}

const DocEntry* DocTexts::Find(std::string_view name) const {
  for (const DocEntry& entry : entries_) {
    if (entry.name == name) return &entry;
  }
  return nullptr;
}

}  // namespace velmora::reference
