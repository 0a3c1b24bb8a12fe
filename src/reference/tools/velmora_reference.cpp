// velmora-reference: writes the reference pages of the user guide from the
// program's own tables and the explanatory texts in docs/reference, and
// fails when a table entry has no text (or a text no table entry).
//
//   velmora-reference DOCS_REFERENCE_DIR ENGLISH_LNG OUT_DIR
//   velmora-reference --check DOCS_REFERENCE_DIR ENGLISH_LNG
//   velmora-reference --completion TEMPLATE OUT   (@SETTING_KEYS@ := every key)
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "reference/code_tables.h"
#include "reference/reference_pages.h"

namespace fs = std::filesystem;
using namespace velmora::reference;

namespace {

bool ReadTexts(const fs::path& file, const std::vector<std::string_view>& fields, DocTexts& texts) {
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    std::cerr << file.string() << ": cannot be read\n";
    return false;
  }
  std::ostringstream bytes;
  bytes << in.rdbuf();
  std::string error;
  auto parsed = DocTexts::Parse(bytes.str(), fields, error);
  if (!parsed) {
    std::cerr << file.string() << ": " << error << "\n";
    return false;
  }
  texts = std::move(*parsed);
  return true;
}

}  // namespace

// The shell completion lists the setting keys; written from the catalogue,
// it knows every key the program knows.
int WriteCompletion(const fs::path& in_path, const fs::path& out_path) {
  std::ifstream in(in_path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  std::string script = text.str();
  std::string keys;
  for (const SettingRow& row : CatalogueSettings()) keys += (keys.empty() ? "" : " ") + row.key;
  const std::string marker = "@SETTING_KEYS@";
  const std::size_t at = script.find(marker);
  if (!in || at == std::string::npos) {
    std::cerr << in_path.string() << ": cannot be read or lacks " << marker << "\n";
    return 1;
  }
  script.replace(at, marker.size(), keys);
  std::ofstream out(out_path, std::ios::binary | std::ios::trunc);
  out << script;
  return out ? 0 : 1;
}

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--completion") return WriteCompletion(argv[2], argv[3]);
  const bool check = argc == 4 && std::string(argv[1]) == "--check";
  if (!check && argc != 4) {
    std::cerr << "usage: velmora-reference DOCS_REFERENCE_DIR ENGLISH_LNG OUT_DIR\n"
                 "       velmora-reference --check DOCS_REFERENCE_DIR ENGLISH_LNG\n";
    return 2;
  }
  const fs::path docs = argv[check ? 2 : 1];
  const std::string english = argv[check ? 3 : 2];
  DocTexts settings;
  DocTexts builtins;
  DocTexts variables;
  DocTexts clone_keys;
  if (!ReadTexts(docs / "settings.txt", SettingFields(), settings) ||
      !ReadTexts(docs / "builtins.txt", BuiltinFields(), builtins) ||
      !ReadTexts(docs / "context-variables.txt", ContextVariableFields(), variables) ||
      !ReadTexts(docs / "clone-list.txt", CloneKeyFields(), clone_keys)) {
    return 1;
  }
  const std::pair<const char*, ReferencePage> pages[] = {
      {"settings.md", SettingsPage(CatalogueSettings(), settings, OptionPages(english))},
      {"builtins.md", BuiltinsPage(BuiltinFunctionNames(), builtins)},
      {"context-variables.md", ContextVariablesPage(ContextVariableNames(), variables)},
      {"template-keys.md", TemplateKeysPage(TemplateSnippets(english), settings)},
      {"messages.md", MessagesPage(MessageTexts(english))},
      {"clone-list.md", CloneListPage(CloneListKeys(), clone_keys, ImageEffects(english))},
  };
  int problems = 0;
  for (const auto& [name, page] : pages) {
    for (const std::string& problem : page.problems) {
      std::cerr << name << ": " << problem << "\n";
      ++problems;
    }
  }
  if (check) return problems == 0 ? 0 : 1;
  const fs::path out = argv[3];
  std::error_code error;
  fs::create_directories(out, error);
  for (const auto& [name, page] : pages) {
    std::ofstream file(out / name, std::ios::binary | std::ios::trunc);
    file << page.markdown;
    if (!file) {
      std::cerr << (out / name).string() << ": cannot be written\n";
      return 1;
    }
  }
  return problems == 0 ? 0 : 1;
}
