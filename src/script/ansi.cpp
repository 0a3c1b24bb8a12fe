// Case mapping of Windows-1252 text.
#include "script/ansi.h"

namespace velmora::script {

char AnsiLower(char ch) {
  const auto c = static_cast<unsigned char>(ch);
  if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return static_cast<char>(c + 0x20);
  switch (c) {
    case 0x8A: case 0x8C: case 0x8E: return static_cast<char>(c + 0x10);  // Š Œ Ž
    case 0x9F: return static_cast<char>(0xFF);                             // Ÿ
    default: return ch;
  }
}

char AnsiUpper(char ch) {
  const auto c = static_cast<unsigned char>(ch);
  if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) return static_cast<char>(c - 0x20);
  switch (c) {
    case 0x9A: case 0x9C: case 0x9E: return static_cast<char>(c - 0x10);
    case 0xFF: return static_cast<char>(0x9F);
    default: return ch;  // ß and µ have no single upper-case letter in the code page
  }
}

std::string AnsiLower(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = AnsiLower(c);
  return result;
}

std::string AnsiUpper(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = AnsiUpper(c);
  return result;
}

}  // namespace velmora::script
