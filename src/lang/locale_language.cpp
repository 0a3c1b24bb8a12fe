// The user's language from the locale variables.
#include "lang/locale_language.h"

#include <cstdlib>

#include "lang/keyed_collection.h"

namespace velmora::lang {

std::string LanguageOfLocale(std::string_view locale) {
  const std::string_view language = locale.substr(0, locale.find_first_of("_.@"));
  if (language.empty() || language == "C" || language == "POSIX") return {};
  return FoldCase(language);
}

std::string LocaleLanguageID() {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') return LanguageOfLocale(value);
  }
  return {};
}

}  // namespace velmora::lang
