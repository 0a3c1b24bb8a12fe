// Texts from photo files on their way into the program's Windows-1252.
// Older cameras write EXIF texts in the system code page of their maker,
// newer ones and every XMP writer in UTF-8; the two are told apart by
// whether the bytes are valid UTF-8 with at least one non-ASCII character.
#pragma once

#include <string>
#include <string_view>

namespace velmora::metadata {

// UTF-8 text in Windows-1252: a character Windows-1252 cannot hold, and a
// byte that is not part of a valid UTF-8 sequence, become "?".
std::string Utf8ToCp1252Lossy(std::string_view utf8);

// A text of unknown encoding (EXIF ASCII, IPTC, a JPEG comment): kept byte
// for byte unless it is valid UTF-8 with non-ASCII characters, which is
// converted as above.
std::string LegacyTextToCp1252(std::string_view bytes);

}  // namespace velmora::metadata
