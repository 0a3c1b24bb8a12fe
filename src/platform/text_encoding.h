// Windows-1252 is the program's inner text encoding (profiles, scripts, pages
// and language files are stored in it); file names on Linux are UTF-8. These
// conversions run where names and texts cross that border.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// Every Windows-1252 byte has a Unicode character, except the five holes
// 0x81, 0x8D, 0x8F, 0x90, 0x9D, which are passed through as U+0081 etc.
// so that no byte is ever lost.
std::string Cp1252ToUtf8(std::string_view text);

// The Unicode characters a Windows-1252 text means, one per byte (the holes
// as above), for code that draws the characters rather than storing bytes.
std::u32string Cp1252ToCodePoints(std::string_view text);

// Converts UTF-8 text to Windows-1252. Returns nothing when the text is not
// valid UTF-8 or holds a character that Windows-1252 cannot represent.
std::optional<std::string> Utf8ToCp1252(std::string_view text);

// True when the text is valid UTF-8 (pure ASCII included).
bool IsValidUtf8(std::string_view text);

// A file system name as a message can show it in Windows-1252: characters
// that Windows-1252 cannot hold become "\u{263A}", bytes that are no UTF-8
// become "\xFF", so that the user can still tell which file is meant.
std::string Utf8ToCp1252ForDisplay(std::string_view text);

}  // namespace velmora
