// Character classes and case mapping of the Windows-1252 text that scripts
// are written in: the lexer's letter class, case-insensitive names and the
// lower-cased keys of arrays all rest on these.
#pragma once

#include <string>
#include <string_view>

#include "platform/cp1252_case.h"

namespace velmora::script {

inline bool IsAnsiDigit(unsigned char c) { return c >= '0' && c <= '9'; }

// Letters of identifiers: A-Z, a-z, "_" and the accented ranges of the code
// page, so that German names such as "größe" are single identifiers.
inline bool IsAnsiLetter(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || (c >= 128 && c <= 155) ||
         (c >= 160 && c <= 165) || c >= 192;
}

inline char AnsiLower(char c) { return static_cast<char>(Cp1252Lower(static_cast<unsigned char>(c))); }
inline char AnsiUpper(char c) { return static_cast<char>(Cp1252Upper(static_cast<unsigned char>(c))); }
inline std::string AnsiLower(std::string_view text) { return Cp1252ToLower(text); }
inline std::string AnsiUpper(std::string_view text) { return Cp1252ToUpper(text); }

}  // namespace velmora::script
