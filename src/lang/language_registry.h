// The program's languages: the list of all known languages with the built-in
// German one first, and the current language that every lookup uses.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "lang/language.h"

namespace velmora::lang {

inline constexpr std::string_view kBuiltinLanguageID = "de";

// The list, the German language and the current language. Before
// LoadLanguageFiles runs they hold the built-in language alone, so texts and
// messages work from the first line of the program on.
RLLanguages& LanguageList();
RLLanguage& BuiltinLanguage();
RLLanguage& CurrentLanguage();

// Starts the list afresh with the built-in language, then registers every
// "*.lng" file of `directory` (default: "languages" beside the program),
// writing the steps and every refused file to the log.
void LoadLanguageFiles(const std::filesystem::path& directory = {});

// The ID to select at start-up: the built-in one when no language file was
// registered; otherwise the stored choice (the user settings store's
// "Administration"/"language", asked only then) when there is one; else the
// language of the user's locale (`locale_language`, see locale_language.h)
// when a registered language has that ID; else "de".
std::string StartLanguageID(const std::function<std::string()>& stored_language,
                            std::string_view locale_language = {});

// Makes the language current; an unknown ID falls back to German with a
// message in both languages. `remember` receives the ID that became current
// (the app stores it and refreshes what shows language texts).
void SelectLanguage(std::string_view id, const std::function<void(const std::string&)>& remember = {});

// The date and time patterns of the current language ("Global" section).
const std::string& FormatDate();
const std::string& FormatTime();
const std::string& FormatDateTime();

}  // namespace velmora::lang
