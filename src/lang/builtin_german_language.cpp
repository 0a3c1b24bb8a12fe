// The built-in German language, loaded from its table.
#include "lang/builtin_german.h"

#include <stdexcept>
#include <string>

#include "lang/builtin_german_texts.h"
#include "platform/text_encoding.h"

namespace velmora::lang {

std::span<const BuiltinText> BuiltinGermanTexts() { return kBuiltinGermanTexts; }

void AddBuiltinGerman(RLLanguage& language) {
  for (const BuiltinText& entry : kBuiltinGermanTexts) {
    auto text = Utf8ToCp1252(entry.text);
    // Every built-in text is Windows-1252 by construction; the table test
    // guards that, so a failure here is a programming error.
    if (!text) throw std::logic_error("built-in text not representable: " + std::string(entry.key));
    language.AddText(entry.section, entry.key, *text);
  }
}

}  // namespace velmora::lang
