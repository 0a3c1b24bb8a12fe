// Feeds arbitrary bytes to the language file grammar: reading either works
// or raises a language error; nothing else may happen.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "lang/language.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  velmora::lang::RLLanguage language;
  try {
    language.Resources().LoadText(std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const velmora::lang::LanguageError&) {
  }
  for (const auto& [name, section] : language.Resources().Sections().Entries()) {
    for (const auto& [key, entry] : section.Entries().Entries()) {
      if (language.GetText(name, key) != entry.value) __builtin_trap();
    }
  }
  return 0;
}
