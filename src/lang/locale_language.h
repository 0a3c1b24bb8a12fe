// The language that the user's desktop asks for, from the locale variables.
#pragma once

#include <string>
#include <string_view>

namespace velmora::lang {

// The language part of a locale name: "en_GB.UTF-8" gives "en", "de@euro"
// gives "de"; "C", "POSIX" and an empty name give nothing, since they name
// no language.
std::string LanguageOfLocale(std::string_view locale);

// The language of the first of LC_ALL, LC_MESSAGES and LANG that is set and
// not empty (the order in which the C library reads them for messages).
std::string LocaleLanguageID();

}  // namespace velmora::lang
