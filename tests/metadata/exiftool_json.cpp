#include "exiftool_json.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace velmora::metadata::test {
namespace {

// A reader for the JSON exiftool writes: one array of objects whose values
// are strings, numbers, booleans or arrays of them.
class JsonReader {
 public:
  explicit JsonReader(const std::string& text) : text_(text) {}

  std::optional<std::vector<ExiftoolTags>> Objects() {
    Skip();
    if (!Take('[')) return std::nullopt;
    std::vector<ExiftoolTags> objects;
    Skip();
    if (Take(']')) return objects;
    do {
      std::optional<ExiftoolTags> object = Object();
      if (!object) return std::nullopt;
      objects.push_back(*std::move(object));
      Skip();
    } while (Take(','));
    if (!Take(']')) return std::nullopt;
    return objects;
  }

 private:
  std::optional<ExiftoolTags> Object() {
    Skip();
    if (!Take('{')) return std::nullopt;
    ExiftoolTags tags;
    Skip();
    if (Take('}')) return tags;
    do {
      Skip();
      std::optional<std::string> key = String();
      Skip();
      if (!key || !Take(':')) return std::nullopt;
      std::optional<std::string> value = Value();
      if (!value) return std::nullopt;
      tags[*key] = *value;
      Skip();
    } while (Take(','));
    if (!Take('}')) return std::nullopt;
    return tags;
  }

  void Skip() {
    while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\n' || text_[at_] == '\r' || text_[at_] == '\t')) {
      ++at_;
    }
  }
  bool Take(char c) {
    if (at_ < text_.size() && text_[at_] == c) {
      ++at_;
      return true;
    }
    return false;
  }

  std::optional<std::string> Value() {
    Skip();
    if (at_ >= text_.size()) return std::nullopt;
    if (text_[at_] == '"') return String();
    if (Take('[')) {
      std::string joined;
      Skip();
      if (Take(']')) return joined;
      do {
        std::optional<std::string> item = Value();
        if (!item) return std::nullopt;
        if (!joined.empty()) joined += ',';
        joined += *item;
        Skip();
      } while (Take(','));
      if (!Take(']')) return std::nullopt;
      return joined;
    }
    if (text_[at_] == '{') return std::nullopt;  // not used with these options
    const std::size_t start = at_;
    while (at_ < text_.size() && text_[at_] != ',' && text_[at_] != '}' && text_[at_] != ']' && text_[at_] != '\n') ++at_;
    std::string raw = text_.substr(start, at_ - start);
    while (!raw.empty() && raw.back() == ' ') raw.pop_back();
    return raw;
  }

  std::optional<std::string> String() {
    if (!Take('"')) return std::nullopt;
    std::string out;
    while (at_ < text_.size() && text_[at_] != '"') {
      char c = text_[at_++];
      if (c != '\\') {
        out += c;
        continue;
      }
      if (at_ >= text_.size()) return std::nullopt;
      c = text_[at_++];
      switch (c) {
        case 'n': out += '\n'; break;
        case 't': out += '\t'; break;
        case 'r': out += '\r'; break;
        case 'b': out += '\b'; break;
        case 'f': out += '\f'; break;
        case 'u': {
          if (at_ + 4 > text_.size()) return std::nullopt;
          const unsigned cp = static_cast<unsigned>(std::strtoul(text_.substr(at_, 4).c_str(), nullptr, 16));
          at_ += 4;
          // UTF-8, as the rest of exiftool's strings are.
          if (cp < 0x80) {
            out += static_cast<char>(cp);
          } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
          } else {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
          }
          break;
        }
        default: out += c; break;
      }
    }
    if (!Take('"')) return std::nullopt;
    return out;
  }

  const std::string& text_;
  std::size_t at_ = 0;
};

std::string Quoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) {
    if (c == '\'') {
      out += "'\\''";
    } else {
      out += c;
    }
  }
  return out + "'";
}

std::optional<std::string> Output(const std::string& command) {
  struct Closer {
    void operator()(std::FILE* f) const { pclose(f); }
  };
  std::unique_ptr<std::FILE, Closer> pipe(popen(command.c_str(), "r"));
  if (!pipe) return std::nullopt;
  std::string out;
  char buffer[4096];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0) out.append(buffer, got);
  return out;
}

}  // namespace

bool ExiftoolAvailable() { return std::system("exiftool -ver >/dev/null 2>&1") == 0; }

std::optional<std::map<std::string, ExiftoolTags>> RunExiftool(const std::vector<std::filesystem::path>& files) {
  std::string command = "exiftool -n -j -G1 -a";
  for (const std::filesystem::path& file : files) command += " " + Quoted(file.string());
  const std::optional<std::string> json = Output(command + " 2>/dev/null");
  if (!json) return std::nullopt;
  const std::optional<std::vector<ExiftoolTags>> objects = ParseExiftoolJson(*json);
  if (!objects) return std::nullopt;
  std::map<std::string, ExiftoolTags> by_file;
  for (const ExiftoolTags& tags : *objects) {
    const auto source = tags.find("SourceFile");
    if (source != tags.end()) by_file[source->second] = tags;
  }
  return by_file;
}

std::optional<std::vector<ExiftoolTags>> ParseExiftoolJson(const std::string& json) {
  return JsonReader(json).Objects();
}

}  // namespace velmora::metadata::test
