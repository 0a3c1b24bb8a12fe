// Character classes and case mapping of the Windows-1252 text that scripts
// are written in: the lexer's letter class, case-insensitive names and the
// lower-cased keys of arrays all rest on these.
#pragma once

#include <string>
#include <string_view>

namespace velmora::script {

inline bool IsAnsiDigit(unsigned char c) { return c >= '0' && c <= '9'; }

// Letters of identifiers: A-Z, a-z, "_" and the accented ranges of the code
// page, so that German names such as "größe" are single identifiers.
inline bool IsAnsiLetter(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || (c >= 128 && c <= 155) ||
         (c >= 160 && c <= 165) || c >= 192;
}

char AnsiLower(char c);
char AnsiUpper(char c);
std::string AnsiLower(std::string_view text);
std::string AnsiUpper(std::string_view text);

}  // namespace velmora::script
