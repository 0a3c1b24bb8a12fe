// Escaping control characters for the terminal and the log.
#include "platform/control_characters.h"

namespace velmora {
namespace {

bool IsControl(unsigned char byte) {
  return byte < 0x20 || byte == 0x7F || byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 ||
         byte == 0x9D;
}

}  // namespace

std::string EscapeControlCharacters(std::string_view text, bool keep_line_breaks) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (keep_line_breaks && byte == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      out += "\r\n";
      ++i;
      continue;
    }
    if (!IsControl(byte)) {
      out += static_cast<char>(byte);
      continue;
    }
    out += "\\x";
    out += kHex[byte >> 4];
    out += kHex[byte & 0x0F];
  }
  return out;
}

}  // namespace velmora
