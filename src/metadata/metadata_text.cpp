#include "metadata/metadata_text.h"

#include <algorithm>
#include <optional>

#include "platform/text_encoding.h"

namespace velmora::metadata {
namespace {

// The length of the UTF-8 sequence a lead byte starts, 0 for a byte that
// cannot start one.
std::size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  if ((lead & 0xF8) == 0xF0) return 4;
  return 0;
}

bool HasNonAscii(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

}  // namespace

std::string Utf8ToCp1252Lossy(std::string_view utf8) {
  if (!HasNonAscii(utf8)) return std::string(utf8);
  if (std::optional<std::string> whole = Utf8ToCp1252(utf8)) return *std::move(whole);
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) {
    const std::size_t length = SequenceLength(static_cast<unsigned char>(utf8[pos]));
    if (length == 0 || pos + length > utf8.size()) {
      out += '?';
      ++pos;
      continue;
    }
    const std::optional<std::string> one = Utf8ToCp1252(utf8.substr(pos, length));
    if (one) {
      out += *one;
      pos += length;
    } else {
      // Either a character outside Windows-1252 (skip it whole) or a
      // broken sequence (skip its lead byte and look again).
      out += '?';
      pos += IsValidUtf8(utf8.substr(pos, length)) ? length : 1;
    }
  }
  return out;
}

std::string LegacyTextToCp1252(std::string_view bytes) {
  if (!HasNonAscii(bytes) || !IsValidUtf8(bytes)) return std::string(bytes);
  return Utf8ToCp1252Lossy(bytes);
}

}  // namespace velmora::metadata
