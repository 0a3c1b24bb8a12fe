// Building the language list and choosing the current language.
#include "lang/language_registry.h"

#include <algorithm>
#include <vector>

#include "platform/log.h"
#include "platform/program_paths.h"
#include "lang/builtin_german.h"
#include "lang/keyed_collection.h"
#include "lang/messages.h"

namespace velmora::lang {
namespace {

struct Registry {
  RLLanguages list;
  RLLanguage* builtin = nullptr;
  RLLanguage* current = nullptr;
  std::string format_date, format_time, format_date_time;
};

void TakeDateFormats(Registry& registry) {
  registry.format_date = registry.current->GetText("Global", "FormatDate");
  registry.format_time = registry.current->GetText("Global", "FormatTime");
  registry.format_date_time = registry.current->GetText("Global", "FormatDateTime");
}

void BuildBuiltin(Registry& registry) {
  registry.list = RLLanguages();
  registry.builtin = &registry.list.GetOrAdd(kBuiltinLanguageID);
  AddBuiltinGerman(*registry.builtin);
  registry.current = registry.builtin;
  TakeDateFormats(registry);
}

Registry& TheRegistry() {
  static Registry registry = [] {
    Registry fresh;
    BuildBuiltin(fresh);
    return fresh;
  }();
  return registry;
}

// Language files sorted by name, so that which of two files with the same ID
// wins does not depend on the order of the directory listing.
std::vector<std::filesystem::path> LanguageFiles(const std::filesystem::path& directory) {
  std::vector<std::filesystem::path> files;
  std::error_code error;
  for (std::filesystem::directory_iterator it(directory, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (name.size() > 4 && FoldCase(name.substr(name.size() - 4)) == ".lng" && !it->is_directory(error)) {
      files.push_back(it->path());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

RLLanguages& LanguageList() { return TheRegistry().list; }
RLLanguage& BuiltinLanguage() { return *TheRegistry().builtin; }
RLLanguage& CurrentLanguage() { return *TheRegistry().current; }

void LoadLanguageFiles(const std::filesystem::path& directory) {
  Registry& registry = TheRegistry();
  BuildBuiltin(registry);
  WriteLog("Load Languagefiles START");
  const auto folder = directory.empty() ? ProgramDirectory() / "languages" : directory;
  for (const auto& path : LanguageFiles(folder)) {
    const std::string name = path.filename().string();
    WriteLog("Load Languagefile " + name + " START");
    try {
      registry.list.AddFile(path);
    } catch (const LanguageError& error) {
      WriteLog("Load Languagefile " + name + " " + error.what());
    }
    WriteLog("Load Languagefile " + name + " END");
  }
  WriteLog("Load Languagefiles END");
}

std::string StartLanguageID(const std::function<std::string()>& stored_language, std::string_view locale_language) {
  if (LanguageList().Count() == 1) return BuiltinLanguage().ID();
  std::string id = stored_language ? stored_language() : std::string();
  if (!id.empty()) return id;
  if (!locale_language.empty() && LanguageList().Item(locale_language) != nullptr) return std::string(locale_language);
  return std::string(kBuiltinLanguageID);
}

void SelectLanguage(std::string_view id, const std::function<void(const std::string&)>& remember) {
  Registry& registry = TheRegistry();
  WriteLog("Select Languagefile " + std::string(id) + " START");
  if (RLLanguage* language = registry.list.Item(id)) {
    registry.current = language;
  } else {
    registry.current = registry.builtin;
    // The built-in table says it in both languages, since the wanted one is missing.
    ShowMessageText(kApplicationTitle, kButtonsOk | kIconExclamation, GetText("Msg", "ErrLanguageFileMissing"),
                    {Cp1252Text(id), Cp1252Text(kApplicationTitle)});
    WriteLog("Select Language Missing Language-File for LanguageID " + std::string(id));
  }
  if (remember) remember(registry.current->ID());
  TakeDateFormats(registry);
  WriteLog("Select Languagefile END");
}

const std::string& FormatDate() { return TheRegistry().format_date; }
const std::string& FormatTime() { return TheRegistry().format_time; }
const std::string& FormatDateTime() { return TheRegistry().format_date_time; }

}  // namespace velmora::lang
