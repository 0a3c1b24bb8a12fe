// Conversions of the Windows-1252 text type at the UTF-8 border.
#include "platform/cp1252_text.h"

#include "platform/text_encoding.h"

namespace velmora {

std::optional<Cp1252Text> Cp1252Text::FromUtf8(std::string_view utf8) {
  std::optional<std::string> converted = Utf8ToCp1252(utf8);
  if (!converted) return std::nullopt;
  return Cp1252Text(std::move(*converted));
}

Cp1252Text Cp1252Text::FromUtf8ForDisplay(std::string_view utf8) { return Cp1252Text(Utf8ToCp1252ForDisplay(utf8)); }

std::string Cp1252Text::ToUtf8() const { return Cp1252ToUtf8(bytes_); }

}  // namespace velmora
