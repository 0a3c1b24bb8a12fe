#include "metadata/png_raw_profile.h"

#include <span>

#include "metadata/iptc_reader.h"
#include "metadata/metadata_reader.h"
#include "metadata/tiff_block.h"

namespace velmora::metadata {
namespace {

// Far more than any metadata block; a length beyond it is no profile.
constexpr std::size_t kMaxProfileSize = 16 * 1024 * 1024;

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsSpace(char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t'; }

std::string_view AsText(std::span<const std::uint8_t> bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

}  // namespace

std::optional<std::vector<std::uint8_t>> DecodeRawProfile(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size() && IsSpace(text[at])) ++at;
  at = text.find('\n', at);  // past the profile's name
  if (at == std::string_view::npos) return std::nullopt;
  while (at < text.size() && IsSpace(text[at])) ++at;
  std::size_t length = 0;
  const std::size_t digits = at;
  while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
    length = length * 10 + static_cast<std::size_t>(text[at++] - '0');
    if (length > kMaxProfileSize) return std::nullopt;
  }
  if (at == digits) return std::nullopt;
  std::vector<std::uint8_t> bytes;
  bytes.reserve(length);
  int high = -1;
  for (; at < text.size() && bytes.size() < length; ++at) {
    if (IsSpace(text[at])) continue;
    const int digit = HexDigit(text[at]);
    if (digit < 0) return std::nullopt;
    if (high < 0) {
      high = digit;
    } else {
      bytes.push_back(static_cast<std::uint8_t>(high * 16 + digit));
      high = -1;
    }
  }
  if (bytes.size() < length) return std::nullopt;
  return bytes;
}

void ReadRawProfile(PhotoMetadata& metadata, std::string_view keyword, std::string_view text) {
  constexpr std::string_view kPrefix = "Raw profile type ";
  if (!keyword.starts_with(kPrefix)) return;
  const std::string_view type = keyword.substr(kPrefix.size());
  if (type != "exif" && type != "APP1" && type != "iptc" && type != "8bim" && type != "xmp") return;
  const std::optional<std::vector<std::uint8_t>> profile = DecodeRawProfile(text);
  if (!profile) return;
  const std::span<const std::uint8_t> bytes(*profile);
  if (type == "xmp") {
    ParseXmpPacket(metadata, AsText(bytes));
  } else if (type == "iptc" || type == "8bim") {
    // Photoshop's resources as a JPEG's APP13 holds them, or the bare records.
    if (AsText(bytes).find("8BIM") != std::string_view::npos) {
      ParsePhotoshopResources(metadata, bytes);
    } else {
      ParseIptcRecords(metadata, bytes);
    }
  } else if (AsText(bytes).starts_with(std::string_view("Exif\0\0", 6))) {
    ParseExifSegment(metadata, bytes);
  } else {
    ParseTiffBlock(metadata, bytes, 1);
  }
}

}  // namespace velmora::metadata
