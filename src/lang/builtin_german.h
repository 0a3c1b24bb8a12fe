// The German language built into the program: the single source of every
// text's key and German wording.
#pragma once

#include <span>
#include <string_view>

#include "lang/language.h"

namespace velmora::lang {

// One built-in text, written in UTF-8 in the source.
struct BuiltinText {
  std::string_view section;
  std::string_view key;
  std::string_view text;
};

// The whole table in its order: sections as the language files have them.
std::span<const BuiltinText> BuiltinGermanTexts();

// Adds every built-in text to the language, converted to Windows-1252.
void AddBuiltinGerman(RLLanguage& language);

}  // namespace velmora::lang
