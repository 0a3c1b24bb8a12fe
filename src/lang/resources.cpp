// The language file grammar.
#include "lang/resources.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "platform/text_encoding.h"
#include "platform/text_lines.h"

namespace velmora::lang {
namespace {

// Splits at CR LF, LF or CR alike: files come from Windows and from Linux editors.
template <typename Visit>
void ForEachLine(std::string_view text, Visit visit) {
  std::size_t start = 0;
  int number = 1;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    visit(text.substr(start, end - start), number++);
    if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++end;
    start = end + 1;
  }
}

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

}  // namespace

CResourceSection& CResources::GetOrAddSection(std::string_view name) {
  return *sections_.TryAdd(name, CResourceSection(std::string(name))).first;
}

void CResources::LoadText(std::string_view text) {
  // A translator's Linux editor may have saved the file as UTF-8 with a byte
  // order mark; the texts are still meant as Windows-1252 characters.
  std::string converted;
  if (text.starts_with(kUtf8Bom)) {
    auto cp1252 = Utf8ToCp1252(text.substr(kUtf8Bom.size()));
    if (!cp1252) throw LanguageError(LanguageError::kFileUnreadable, "UTF-8 text with characters outside Windows-1252");
    converted = std::move(*cp1252);
    text = converted;
  }
  CResourceSection* section = nullptr;
  ForEachLine(text, [&](std::string_view raw, int line_number) {
    const std::string_view line = TrimBlanks(raw);
    if (line.empty() || line.front() == ';') return;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      section = &GetOrAddSection(TrimBlanks(line.substr(1, line.size() - 2)));
      return;
    }
    const std::string where = " (line " + std::to_string(line_number) + ")";
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) throw LanguageError(LanguageError::kValueMissing, "Value missing" + where);
    if (section == nullptr) throw LanguageError(LanguageError::kSectionMissing, "Section missing" + where);
    const std::string_view key = TrimBlanks(line.substr(0, equals));
    const std::string_view value = TrimBlanks(line.substr(equals + 1));
    if (!key.empty() && !value.empty()) section->Add(key, value);
  });
}

void CResources::LoadFile(const std::filesystem::path& path) {
  if (path.empty()) return;
  std::ifstream file(path, std::ios::binary);
  if (!file) throw LanguageError(LanguageError::kFileUnreadable, std::string("File cannot be opened: ") + std::strerror(errno));
  std::ostringstream content;
  content << file.rdbuf();
  if (file.bad()) throw LanguageError(LanguageError::kFileUnreadable, "File cannot be read");
  LoadText(content.str());
}

}  // namespace velmora::lang
