// The German language built into the program: the single source of every
// text's key and German wording.
#pragma once

#include <span>

#include "lang/builtin_text.h"
#include "lang/language.h"

namespace velmora::lang {

// The whole table in its order: sections as the language files have them.
std::span<const BuiltinText> BuiltinGermanTexts();

// Adds every built-in text to the language, converted to Windows-1252.
void AddBuiltinGerman(RLLanguage& language);

}  // namespace velmora::lang
